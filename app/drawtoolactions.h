#pragma once
// The drawing tools of the main window's ActionList2: at most one armed at a time, the
// armed one deciding what the next press on the active page does. Qt toggles a checkable
// action before its handler runs, so which tool is armed is kept here and the actions'
// check marks follow it.

#include <QObject>
#include <vector>

class QAction;
class TfrmMain;

namespace app {

// The screen cursor slot of a page while the tool of tag is armed; 0 for the default arrow
// (no tool armed).
int ToolCursorSlot(int tag);

// The tool tag an action carries; 0 for the actions of the list that are no tools.
int ToolTag(const QAction* action);

class TDrawTools : public QObject {
 public:
  TDrawTools(TfrmMain* main, const std::vector<QAction*>& actionList2);

  // The armed tool's action, nullptr when none is armed.
  QAction* Armed() const { return FArmed; }
  // The command of a tool action: arms it, or disarms it when it is armed; with no
  // document window open nothing changes.
  void Execute(QAction* tool);
  // Disarms the armed tool without touching any page.
  void Release();

 private:
  void ShowArmed();

  TfrmMain* FMain;
  std::vector<QAction*> FTools;
  QAction* FArmed = nullptr;
};

}  // namespace app
