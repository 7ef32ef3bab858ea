// The property window among the other windows: the host that answers for the active
// document, the window's place under the tool bar beside the side panels, and the changes of
// the active document or of its current element that roll it up, as turning to the page
// does.

#include <QMdiSubWindow>
#include <QScrollArea>
#include <algorithm>
#include <utility>

#include "document/childform.h"
#include "mainwindow/cascade.h"
#include "mainwindow/mainform.h"
#include "property/propertyhost.h"
#include "property/proprty.h"

namespace {

class TMainPropertyHost final : public property::TPropertyHost {
 public:
  explicit TMainPropertyHost(TfrmMain& main) : FMain(main) {}

  const seal::TSeal* CurrentSeal() const override {
    const TfrmChild* window = FMain.ActiveChild();
    return window ? window->CurrentSeal() : nullptr;
  }
  void EditCurrentSeal(const std::function<void(seal::TSeal&)>& change, const QString& fileState) override {
    FMain.EditCurrentSealInWords(change, fileState);
  }

 private:
  TfrmMain& FMain;
};

}  // namespace

// The document announces its modified state, and the status bar shows it once, in the
// property window's words.
void TfrmMain::EditCurrentSealInWords(const std::function<void(seal::TSeal&)>& change, const QString& fileState) {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  struct TWording {
    QString& wording;
    QString was;
    ~TWording() { wording = was; }
  } wording{FModifiedWording, std::exchange(FModifiedWording, fileState)};
  window->EditCurrentSeal(change);
}

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
  connect(frmProprty, &TfrmProprty::Hint, this, &TfrmMain::ShowHint);
  PlacePropertyWindow();
  frmProprty->show();
  KeepDocumentsClearOfPropertyWindow();
}

// Below the tool bar, or at the top of the frame while the bar is hidden; its right edge
// where the side panels begin, so that it covers neither their tabs nor their tiles,
// whichever panel shows.
void TfrmMain::PlacePropertyWindow() {
  if (!frmProprty) return;
  const int panels = std::max(ScrollBox1->width(), ScrollBox2->width());
  const QPoint corner = CoolBar1->mapToGlobal(
      QPoint(CoolBar1->contentsRect().width() - panels - frmProprty->width(), CoolBar1->height()));
  frmProprty->move(corner.x(), CoolBar1->isHidden() ? corner.y() - CoolBar1->height() : corner.y());
}

void TfrmMain::PropertyWindowFollowsMainWindow() {
  if (!frmProprty) return;
  PlacePropertyWindow();
  KeepDocumentsClearOfPropertyWindow();
}

// The rolled-up window, in the document area's coordinates: what it covers of the area
// whenever the user works on a page.
QRect TfrmMain::PropertyWindowStrip() const {
  if (!frmProprty || !frmProprty->isVisible()) return {};
  const QRect frame = frmProprty->frameGeometry();
  const int rolledUp = frame.height() - frmProprty->height() + frmProprty->Layout().barHeight;
  return {ClientWindow->viewport()->mapFromGlobal(frame.topLeft()), QSize(frame.width(), rolledUp)};
}

QRect TfrmMain::DocumentArea() const {
  QRect area = ClientWindow->viewport()->rect();
  const QRect strip = PropertyWindowStrip();
  if (strip.intersects(area) && strip.bottom() < area.bottom()) area.setTop(strip.bottom() + 1);
  return area;
}

// A document window whose caption runs under the rolled-up window goes down below it, its
// bottom edge where it was, so that its caption buttons stay in reach.
void TfrmMain::KeepDocumentsClearOfPropertyWindow() {
  const QRect strip = PropertyWindowStrip();
  if (strip.isEmpty()) return;
  for (QMdiSubWindow* w : ClientWindow->subWindowList()) {
    if (w->isMinimized() || w->isMaximized()) continue;
    const QRect caption(w->geometry().topLeft(), QSize(w->width(), app::CascadeStep(*w)));
    if (!caption.intersects(strip)) continue;
    QRect moved = w->geometry();
    moved.setTop(strip.bottom() + 1);
    // Too short to keep its bottom, it goes down whole.
    if (moved.height() < 2 * caption.height()) moved = QRect(QPoint(w->x(), strip.bottom() + 1), w->size());
    w->setGeometry(moved);
  }
}

void TfrmMain::FreePropertyWindow() {
  if (frmProprty && frmProprty->parentWidget() == this) delete frmProprty;
}
