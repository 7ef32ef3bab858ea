#pragma once
// Painting of a window suspended for the lifetime of the lock, so that a zoom or a move of
// many elements shows once, when it is done. Released also when the work in between throws.

#include <QPointer>
#include <QWidget>

namespace app {

class TPaintLock {
 public:
  explicit TPaintLock(QWidget* window) : FWindow(window), FWasEnabled(window && window->updatesEnabled()) {
    if (FWasEnabled) FWindow->setUpdatesEnabled(false);
  }
  ~TPaintLock() {
    if (FWasEnabled && FWindow) FWindow->setUpdatesEnabled(true);
  }
  TPaintLock(const TPaintLock&) = delete;
  TPaintLock& operator=(const TPaintLock&) = delete;

 private:
  QPointer<QWidget> FWindow;
  bool FWasEnabled;
};

}  // namespace app
