#pragma once
// Every command handler runs inside this guard: an exception it raises is shown in an error
// box and goes no further, so none ever leaves a Qt slot.

#include <functional>

class QAction;
class QWidget;

namespace app {

void RunGuarded(QWidget* parent, const std::function<void()>& command);
// Runs command, guarded, whenever action is triggered.
void BindAction(QAction* action, QWidget* parent, std::function<void()> command);

}  // namespace app
