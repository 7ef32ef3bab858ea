#include "tools/drawtools.h"

#include <QAction>
#include <QWidget>

#include "document/childform.h"
#include "document/tooltags.h"
#include "services/commandguard.h"

namespace app {

int ToolTag(const QAction* action) { return action ? action->data().toInt() : 0; }

TDrawTools::TDrawTools(QWidget* owner, const std::vector<QAction*>& actionList2,
                       std::function<TfrmChild*()> activeDocument)
    : QObject(owner), FActiveDocument(std::move(activeDocument)) {
  for (QAction* a : actionList2) {
    if (ToolTag(a) == 0) continue;
    FTools.push_back(a);
    BindAction(a, owner, [this, a] { Execute(a); });
  }
}

void TDrawTools::Execute(QAction* tool) {
  TfrmChild* child = FActiveDocument();
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
