#pragma once
// The drawing tools of the main window's ActionList2: at most one armed at a time, the
// armed one deciding what the next press on the active page does. Qt toggles a checkable
// action before its handler runs, so which tool is armed is kept here and the actions'
// check marks follow it.

#include <QObject>
#include <functional>
#include <vector>

class QAction;
class QWidget;
class TfrmChild;

namespace app {

// The tool tag an action carries; 0 for the actions of the list that are no tools.
int ToolTag(const QAction* action);

class TDrawTools : public QObject {
 public:
  // owner: the window whose error box a failing tool command shows; activeDocument: the
  // document window a tool acts on, nullptr when none is open.
  TDrawTools(QWidget* owner, const std::vector<QAction*>& actionList2, std::function<TfrmChild*()> activeDocument);

  // The armed tool's action, nullptr when none is armed.
  QAction* Armed() const { return FArmed; }
  // The command of a tool action: arms it, or disarms it when it is armed; with no
  // document window open nothing changes.
  void Execute(QAction* tool);
  // Disarms the armed tool without touching any page.
  void Release();

 private:
  void ShowArmed();

  std::function<TfrmChild*()> FActiveDocument;
  std::vector<QAction*> FTools;
  QAction* FArmed = nullptr;
};

}  // namespace app
