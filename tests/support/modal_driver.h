#pragma once
// Driving modal dialogs and windows, which block their caller until they close: while a call
// runs, the first modal dialog that comes up is handed to the test, which reads it and
// closes it. A dialog the test leaves open is rejected, so a failing test never hangs.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

#include "parts.h"

struct TModalRun {
  bool Seen = false;      // a modal dialog came up
  bool LeftOpen = false;  // the test did not close it
};

inline TModalRun WhileModal(const std::function<void()>& call, const std::function<void(QDialog*)>& drive) {
  TModalRun run;
  QTimer timer;
  timer.setInterval(5);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || run.Seen) return;
    run.Seen = true;
    timer.stop();
    drive(dialog);
    if (dialog->isVisible()) {
      run.LeftOpen = true;
      dialog->reject();
    }
  });
  timer.start();
  call();
  return run;
}

// The same for a dialog the test only closes.
inline TModalRun WhileModal(const std::function<void()>& call) {
  return WhileModal(call, [](QDialog* d) { d->reject(); });
}
