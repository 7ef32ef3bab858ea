#pragma once
// The hourglass over the whole program while a long operation runs; the cursor before it
// comes back however the operation ends.

#include <QApplication>
#include <QCursor>

namespace app {

class TBusyCursor {
 public:
  TBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace app
