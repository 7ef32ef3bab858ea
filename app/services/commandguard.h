#pragma once
// Every command handler runs inside this guard: an exception it raises is shown in an error
// box and goes no further, so none ever leaves a Qt slot. Its message is shown as it is when
// it is the user's (Chinese); the program's internal texts become the user's words here, the
// one place every command's failure passes.

#include <QString>
#include <exception>
#include <functional>

class QAction;
class QWidget;

namespace app {

// What the user is told of the failure: its own message when that is the user's (Chinese),
// else what the program's internal (English) text means, in Chinese.
QString UserMessage(const std::exception& e);

void RunGuarded(QWidget* parent, const std::function<void()>& command);
// Runs command, guarded, whenever action is triggered.
void BindAction(QAction* action, QWidget* parent, std::function<void()> command);

}  // namespace app
