// The property window among the other windows: the host that answers for the active
// document, the window's place under the tool bar beside the side panels, and the changes of
// the active document or of its current element that roll it up, as turning to the page
// does.

#include <QScrollArea>
#include <algorithm>

#include "document/childform.h"
#include "mainwindow/mainform.h"
#include "property/propertyhost.h"
#include "property/proprty.h"

namespace {

class TMainPropertyHost final : public property::TPropertyHost {
 public:
  explicit TMainPropertyHost(TfrmMain& main) : FMain(main) {}

  seal::TSeal* CurrentSeal() const override {
    const TfrmChild* window = FMain.ActiveChild();
    return window ? window->CurrentSeal() : nullptr;
  }
  void SealChanged() override {
    if (TfrmChild* window = FMain.ActiveChild()) window->CurrentSealEdited();
  }
  void ShowFileState(const QString& text) override { FMain.ShowStatus(app::TStatusPanel::FileState, text); }

 private:
  TfrmMain& FMain;
};

}  // namespace

void TfrmMain::CreatePropertyHost() {
  FPropertyHost = std::make_unique<TMainPropertyHost>(*this);
  connect(this, &TfrmMain::ActiveDocumentChanged, this, &TfrmMain::RollUpPropertyWindow);
}

void TfrmMain::ConnectPropertyWindow(TfrmChild* window) {
  connect(window, &TfrmChild::CurrentSealChanged, this, &TfrmMain::RollUpPropertyWindow);
}

// What the window shows was read from the element current when it was last opened out;
// rolled up, the next page button reads the element current then.
void TfrmMain::RollUpPropertyWindow() {
  if (frmProprty) frmProprty->FormDeactivate();
}

void TfrmMain::ShowPropertyWindow() {
  if (frmProprty) return;
  frmProprty = new TfrmProprty(FPropertyHost.get(), this);
  connect(frmProprty, &TfrmProprty::InputRefused, this, &TfrmMain::ShowInputHint);
  // Below the tool bar, or at the top of the frame while the bar is hidden; its right edge
  // where the side panels begin, so that it covers neither their tabs nor their tiles,
  // whichever panel shows.
  const int panels = std::max(ScrollBox1->width(), ScrollBox2->width());
  const QPoint corner = CoolBar1->mapToGlobal(
      QPoint(CoolBar1->contentsRect().width() - panels - frmProprty->width(), CoolBar1->height()));
  frmProprty->move(corner.x(), CoolBar1->isHidden() ? corner.y() - CoolBar1->height() : corner.y());
  frmProprty->show();
}

void TfrmMain::PropertyWindowFollowsToolBar() {
  if (!frmProprty) return;
  const int height = CoolBar1->height();
  frmProprty->move(frmProprty->pos() + QPoint(0, CoolBar1->isHidden() ? -height : height));
}

void TfrmMain::FreePropertyWindow() {
  if (frmProprty && frmProprty->parentWidget() == this) delete frmProprty;
}
