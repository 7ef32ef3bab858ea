#include "services/commandguard.h"

#include <QAction>
#include <QWidget>
#include <exception>

#include "services/services.h"

namespace app {

void RunGuarded(QWidget* parent, const std::function<void()>& command) {
  QString message;
  try {
    command();
    return;
  } catch (const std::exception& e) {
    message = QString::fromUtf8(e.what());
  } catch (...) {
    message = QStringLiteral("未知错误");
  }
  try {
    ShowMessage(parent, TMsgKind::Error, message, mbOK);
  } catch (...) {
    // The error box itself failed: there is nowhere left to report to.
  }
}

void BindAction(QAction* action, QWidget* parent, std::function<void()> command) {
  QObject::connect(action, &QAction::triggered, parent,
                   [parent, command = std::move(command)] { RunGuarded(parent, command); });
}

}  // namespace app
