#pragma once
// The program's modal dialogs answered in turn while a command runs: each dialog that comes
// up is handed to the next step of the script, which reads it and closes it. A dialog past
// the end of the script, or one that a step leaves open, is rejected, so that a failing test
// never hangs.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <deque>
#include <functional>

class TModalScript {
 public:
  using Step = std::function<void(QDialog*)>;

  explicit TModalScript(std::deque<Step> steps) : FSteps(std::move(steps)) {
    FTimer.setInterval(2);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
    FTimer.start();
  }

  int Seen() const { return FSeen; }
  // Dialogs that came when no step was left, or that a step did not close.
  int Unscripted() const { return FUnscripted; }
  bool Done() const { return FSteps.empty(); }

 private:
  void Poll() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || dialog->property("scripted").toBool()) return;
    // The same dialog shown again is a new turn of the script.
    dialog->setProperty("scripted", true);
    QObject::connect(
        dialog, &QDialog::finished, dialog, [dialog] { dialog->setProperty("scripted", false); },
        Qt::SingleShotConnection);
    ++FSeen;
    if (FSteps.empty()) {
      ++FUnscripted;
      dialog->reject();
      return;
    }
    const Step step = std::move(FSteps.front());
    FSteps.pop_front();
    step(dialog);
    if (dialog->isVisible()) {
      ++FUnscripted;
      dialog->reject();
    }
  }

  std::deque<Step> FSteps;
  QTimer FTimer;
  int FSeen = 0;
  int FUnscripted = 0;
};
