#include "drawtoolactions.h"

#include <QAction>

#include "childform.h"
#include "commandguard.h"
#include "mainform.h"

namespace app {

namespace {

struct TToolCursor {
  int tag;
  int slot;
};

// Slots 2 to 6 hold "Hand", "Zoom", "ZoomIn", "ZoomOut" and "DrawCharSet".
constexpr TToolCursor kToolCursors[] = {{42, 2}, {43, 4}, {44, 5}};
constexpr int kDrawCharSetSlot = 6;

}  // namespace

int ToolCursorSlot(int tag) {
  if (tag == 0) return 0;
  for (const TToolCursor& c : kToolCursors)
    if (c.tag == tag) return c.slot;
  return kDrawCharSetSlot;
}

int ToolTag(const QAction* action) { return action ? action->data().toInt() : 0; }

TDrawTools::TDrawTools(TfrmMain* main, const std::vector<QAction*>& actionList2) : QObject(main), FMain(main) {
  for (QAction* a : actionList2) {
    if (ToolTag(a) == 0) continue;
    FTools.push_back(a);
    BindAction(a, main, [this, a] { Execute(a); });
  }
}

void TDrawTools::Execute(QAction* tool) {
  TfrmChild* child = FMain->ActiveChild();
  if (!child) {
    ShowArmed();
    return;
  }
  FArmed = FArmed == tool ? nullptr : tool;
  ShowArmed();
  child->SetPageCursor(FArmed == tool ? ToolCursorSlot(ToolTag(tool)) : 0);
}

void TDrawTools::Release() {
  FArmed = nullptr;
  ShowArmed();
}

void TDrawTools::ShowArmed() {
  for (QAction* a : FTools) a->setChecked(a == FArmed);
}

}  // namespace app
