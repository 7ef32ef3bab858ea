#include "document/childform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "controls/kivcontrols.h"
#include "controls/kivdrawpanel.h"
#include "document/dragoverlay.h"
#include "document/paintlock.h"
#include "document/printerpage.h"
#include "document/sealtemplates.h"
#include "document/selectframe.h"
#include "document/tooltags.h"
#include "formats/whole_file.h"
#include "platform/componentname.h"
#include "platform/cursors.h"
#include "platform/gbk.h"
#include "platform/numeric.h"
#include "platform/picture.h"
#include "platform/syscolors.h"
#include "seal/seal.h"
#include "services/commandguard.h"
#include "services/services.h"

using platform::Round;
using seal::TSeal;

namespace {

constexpr platform::TColor kNavy = 0x800000;
constexpr int kFrameMargin = 2;

const QString kSaveQuestion = QStringLiteral("当前文件尚未保存或者已被修改，是否\n保存（修改后的）文件？");

app::TRect BoundsOf(const TSeal* s) { return {s->Left(), s->Top(), s->Left() + s->Width(), s->Top() + s->Height()}; }

seal::TShiftState ShiftOf(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons) {
  seal::TShiftState s = 0;
  if (keys & Qt::ShiftModifier) s |= seal::ssShift;
  if (keys & Qt::AltModifier) s |= seal::ssAlt;
  if (keys & Qt::ControlModifier) s |= seal::ssCtrl;
  if (buttons & Qt::LeftButton) s |= seal::ssLeft;
  if (buttons & Qt::RightButton) s |= seal::ssRight;
  if (buttons & Qt::MiddleButton) s |= seal::ssMiddle;
  return s;
}

bool ButtonOf(Qt::MouseButton qt, seal::TMouseButton* button) {
  switch (qt) {
    case Qt::LeftButton: *button = seal::mbLeft; return true;
    case Qt::RightButton: *button = seal::mbRight; return true;
    case Qt::MiddleButton: *button = seal::mbMiddle; return true;
    default: return false;
  }
}

// A number as the status bar shows it: general format, no trailing zeros.
QString GeneralNumber(long double v) { return QString::number(static_cast<double>(v), 'g', 15); }

}  // namespace

namespace app {

QString FileStateText(TFileState state) {
  static const char* const kTexts[] = {"已修改", "未修改", "已保存", "无文件"};
  return QStringLiteral("文件状态：") + QString::fromUtf8(kTexts[int(state)]);
}

QString ElementCountText(int count) { return QStringLiteral("已画图形：") + QString::number(count); }

}  // namespace app

TfrmChild::TfrmChild(app::TDocumentHost& host) : QMdiSubWindow(nullptr), FHost(host) {
  setAttribute(Qt::WA_DeleteOnClose);
  ScrollBox = new QScrollArea;
  platform::Named(ScrollBox, "ScrollBox");
  ScrollBox->setFrameStyle(QFrame::NoFrame);
  ScrollBox->setWidgetResizable(false);
  QPalette pal = ScrollBox->palette();
  pal.setColor(QPalette::Window, platform::InactiveBorderColor());
  ScrollBox->setPalette(pal);
  ScrollBox->viewport()->setPalette(pal);
  ScrollBox->viewport()->setAutoFillBackground(true);
  Sheet = new QWidget;
  platform::Named(Sheet, "Sheet");
  Sheet->setAutoFillBackground(false);
  ScrollBox->setWidget(Sheet);
  setWidget(ScrollBox);

  PageBack = new TKivFlatPanel(Sheet);
  platform::Named(PageBack, "PageBack");
  PageBack->SetPanelStyle(TPanelStyle::psPhotoShop);
  PageBack->SetFrameWidth(0);
  PageBack->SetPenColor(kNavy);
  PageBack->SetColorA(kNavy);

  KivDrawPanel1 = new TKivDrawPanel(Sheet);
  platform::Named(KivDrawPanel1, "KivDrawPanel1");
  QFont tick(QStringLiteral("Small Fonts"));
  tick.setPixelSize(8);
  tick.setStyleStrategy(QFont::NoAntialias);
  KivDrawPanel1->SetTickFont(tick);
  KivDrawPanel1->setContextMenuPolicy(Qt::CustomContextMenu);
  PageCanvas = new TDragOverlay(KivDrawPanel1);
  platform::Named(PageCanvas, "PageCanvas");

  connect(KivDrawPanel1, &TKivDrawPanel::MouseDown, this,
          [this](Qt::MouseButton qt, Qt::KeyboardModifiers keys, int x, int y) {
            seal::TMouseButton button;
            if (!ButtonOf(qt, &button)) return;
            RunGuarded([&] { DrawPanel1MouseDown(button, ShiftOf(keys, QApplication::mouseButtons() | qt), x, y); });
          });
  connect(KivDrawPanel1, &TKivDrawPanel::MouseMove, this, [this](Qt::KeyboardModifiers keys, int x, int y) {
    RunGuarded([&] { DrawPanel1MouseMove(ShiftOf(keys, QApplication::mouseButtons()), x, y); });
  });
  connect(KivDrawPanel1, &TKivDrawPanel::MouseUp, this,
          [this](Qt::MouseButton qt, Qt::KeyboardModifiers keys, int x, int y) {
            seal::TMouseButton button;
            if (!ButtonOf(qt, &button)) return;
            RunGuarded([&] { DrawPanel1MouseUp(button, ShiftOf(keys, QApplication::mouseButtons()), x, y); });
          });
  connect(KivDrawPanel1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    if (std::exchange(FPressWithoutMenu, false)) return;
    if (FPageMenuOn) FHost.ShowPagePopupMenu(KivDrawPanel1->mapToGlobal(pos));
  });
  ScrollBox->viewport()->installEventFilter(this);
  // Scrolling moves the page under a pointer that stands still; the coordinates follow.
  for (QScrollBar* bar : {ScrollBox->horizontalScrollBar(), ScrollBox->verticalScrollBar()})
    connect(bar, &QScrollBar::valueChanged, this, [this] { RunGuarded([this] { ShowPointerCoordinates(); }); });

  // FormCreate: the page takes this window's resolution, which describes the same screen
  // as the pixels per millimetre the elements are given. Its double buffering is the
  // creator's to set.
  KivDrawPanel1->SetPixelsPerInch(logicalDpiX());
  FPixelsPerMm = static_cast<float>(logicalDpiX() / 25.4L);
}

TfrmChild::~TfrmChild() {
  disconnect(FActivation);
  RestoreScreenCursor();
  FGrabHandles.reset();
}

void TfrmChild::RunGuarded(const std::function<void()>& handler) { app::RunGuarded(this, handler); }

// --- Page size, zoom, centring --------------------------------------------------------

void TfrmChild::SetPageFromPrinter() {
  app::ApplyPageGeometry(*KivDrawPanel1, app::PrinterPageGeometry(app::InstalledPrinterCaps()));
}

void TfrmChild::TakePrinterSheet(const app::TPrintPageGeometry& sheet) {
  app::ApplyPageGeometry(*KivDrawPanel1, sheet);
  ApplyZoom(static_cast<uint16_t>(KivDrawPanel1->Zoom()));
}

int TfrmChild::Zoom() const { return KivDrawPanel1->Zoom(); }

bool TfrmChild::Grid() const { return KivDrawPanel1->Grid(); }

void TfrmChild::SetGrid(bool shown) { KivDrawPanel1->SetGrid(shown); }

void TfrmChild::SetDoubleBuffered(bool on) { KivDrawPanel1->SetDoubleBuffered(on); }

void TfrmChild::ApplyZoom(uint16_t zoom) {
  if (zoom < 1) return;
  QScrollBar* bars[2] = {ScrollBox->horizontalScrollBar(), ScrollBox->verticalScrollBar()};
  const int ranges[2] = {Sheet->width(), Sheet->height()};
  double ratios[2];
  for (int i = 0; i < 2; ++i) ratios[i] = ranges[i] > 0 ? double(bars[i]->value()) / ranges[i] : 0.0;

  const app::TPaintLock lock(window());
  KivDrawPanel1->SetZoom(zoom);
  for (TSeal* s : FSeals) s->SetZoom(zoom);
  if (FGrabHandles)
    FGrabHandles->UpdatePositions();
  else if (FSelectFrame)
    PlaceSelectFrame(SelectionBounds());
  FormResize();
  const int newRanges[2] = {Sheet->width(), Sheet->height()};
  for (int i = 0; i < 2; ++i) bars[i]->setValue(Round(static_cast<long double>(newRanges[i]) * ratios[i]));
  if (KivDrawPanel1->isHidden()) KivDrawPanel1->show();
  emit ZoomChanged(zoom);
}

void TfrmChild::FormResize() {
  FCentring.Centre(*ScrollBox, *Sheet, *KivDrawPanel1, *PageBack, [](QSize client, QSize page) {
    const int top = client.height() > page.height() ? Round((client.height() - page.height()) / 2.0L) : 1;
    const int left = client.width() < page.width() ? 1 : (client.width() - page.width()) / 2;
    return QPoint(left, top);
  });
}

bool TfrmChild::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ScrollBox->viewport() && event->type() == QEvent::Resize) RunGuarded([this] { FormResize(); });
  return QMdiSubWindow::eventFilter(watched, event);
}

// --- Activation and closing -------------------------------------------------------------

void TfrmChild::changeEvent(QEvent* event) {
  QMdiSubWindow::changeEvent(event);
  if (event->type() == QEvent::ParentChange) WatchActivation();
}

// The document area tells which of its windows is active; a window learns which area it
// lies in when it is added to one.
void TfrmChild::WatchActivation() {
  disconnect(FActivation);
  QMdiArea* area = mdiArea();
  if (!area) return;
  FActivation = connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* active) {
    if (active == this && !FActive) {
      FActive = true;
      RunGuarded([this] { FormActivate(); });
    } else if (active != this && FActive) {
      FActive = false;
      RunGuarded([this] { FormDeactivate(); });
    }
  });
}

void TfrmChild::FormActivate() {
  emit ZoomChanged(KivDrawPanel1->Zoom());
  AnnounceFileState();
  UpdatePageCursor();
}

void TfrmChild::FormDeactivate() {
  if (!mdiArea() || mdiArea()->activeSubWindow() != this) SetPageCursor(0);
}

bool TfrmChild::FormCloseQuery() {
  if (!FModified) return true;
  const app::TMsgButton answer = app::ShowMessage(this, app::TMsgKind::Confirmation, kSaveQuestion,
                                                  app::mbYes | app::mbNo | app::mbCancel);
  if (answer == app::mbNo) return true;
  if (answer != app::mbYes) return false;
  FHost.SaveDocument(*this);
  // A save that was cancelled or failed leaves the document modified, and it stays open.
  return !FModified;
}

void TfrmChild::closeEvent(QCloseEvent* event) {
  bool canClose = false;
  RunGuarded([&] { canClose = FormCloseQuery(); });
  if (!canClose) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

// --- Tools and cursors ----------------------------------------------------------------

int TfrmChild::CurrentToolTag(bool release) {
  const int armed = FHost.ArmedTool();
  if (armed == 0) return 0;
  const int tag = armed & 0xFF;
  if (release && tag <= app::kLastElementTool) {
    FHost.ReleaseTool();
    SetPageCursor(0);
  }
  return tag;
}

void TfrmChild::UpdatePageCursor() { SetPageCursor(app::ToolCursorSlot(FHost.ArmedTool())); }

void TfrmChild::SetPageCursor(int slot) {
  if (slot == 0)
    KivDrawPanel1->unsetCursor();
  else
    KivDrawPanel1->setCursor(platform::ScreenCursor(slot));
}

bool TfrmChild::GrabScrollArmed() const { return FHost.ArmedTool() == app::kGrabScrollTool; }

// --- File state ---------------------------------------------------------------------------

// A saved document shows that it was saved until it changes again; any other shows its flag.
void TfrmChild::AnnounceFileState(bool saved) {
  using app::TFileState;
  const TFileState state = saved ? TFileState::Saved : FModified ? TFileState::Modified : TFileState::Unmodified;
  emit FileStateChanged(state, int(FSeals.size()));
}

void TfrmChild::MarkModified() {
  FModified = true;
  AnnounceFileState();
}

void TfrmChild::MarkSaved() {
  FModified = false;
  AnnounceFileState(true);
}

void TfrmChild::ForgetChanges() {
  if (!FModified) return;
  FModified = false;
  AnnounceFileState();
}

// --- Changes of the document -------------------------------------------------------------

void TfrmChild::AddSeal(TSeal* element) {
  HookSealEvents(element);
  FSeals.push_back(element);
  SelectElements({element});
  MarkModified();
}

void TfrmChild::InsertSeals(std::vector<std::unique_ptr<TSeal>> seals) {
  FSeals.reserve(FSeals.size() + seals.size());
  for (std::unique_ptr<TSeal>& s : seals) {
    FSeals.push_back(s.release());
    HookSealEvents(FSeals.back());
  }
  for (TSeal* s : NewestSeals(seals.size())) s->show();
  RaiseAdornments();
}

std::vector<TSeal*> TfrmChild::NewestSeals(size_t count) const {
  return {FSeals.end() - std::ptrdiff_t(count), FSeals.end()};
}

void TfrmChild::DeleteSelection() {
  if (FSelection.empty()) return;
  const std::vector<TSeal*> doomed = FSelection;
  SelectElements({});
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
    std::erase(FSeals, *it);
    std::erase(FLockedSeals, *it);
    delete *it;
  }
  MarkModified();
}

void TfrmChild::Clear() {
  SelectElements({});
  FLockedSeals.clear();
  while (!FSeals.empty()) {
    delete FSeals.back();
    FSeals.pop_back();
  }
  FModified = false;
  AnnounceFileState();
}

// The page list is also the drawing order, so the list and the stacking move together,
// and the handles go back over the element that now lies on top.
void TfrmChild::BringToFront() {
  TSeal* element = FCurrentSeal;
  if (!element) return;
  element->raise();
  std::erase(FSeals, element);
  FSeals.push_back(element);
  RaiseAdornments();
  MarkModified();
}

void TfrmChild::SendToBack() {
  TSeal* element = FCurrentSeal;
  if (!element) return;
  element->lower();
  std::erase(FSeals, element);
  FSeals.insert(FSeals.begin(), element);
  RaiseAdornments();
  MarkModified();
}

// The centre is taken from the frame before anything moves; the frame encloses the
// selection with the same margin on every side, so its centre is the selection's.
void TfrmChild::SetSameCentre() {
  if (!FSelectFrame) return;
  const long double mmPerPixel = 100.0L / (static_cast<long double>(KivDrawPanel1->Zoom()) * FPixelsPerMm);
  const TSelectFrame* frame = FSelectFrame;
  const float centreX = static_cast<float>((frame->x() + frame->width() / 2.0L) * mmPerPixel);
  const float centreY = static_cast<float>((frame->y() + frame->height() / 2.0L) * mmPerPixel);
  {
    const app::TPaintLock lock(window());
    for (TSeal* element : FSelection) {
      element->SetRealCenterX(centreX);
      element->SetRealCenterY(centreY);
    }
    PlaceSelectFrame(SelectionBounds());
  }
  MarkModified();
}

void TfrmChild::SetSelectionColour(platform::TColor colour) {
  if (FSelection.empty()) return;
  {
    const app::TPaintLock lock(window());
    for (TSeal* element : FSelection) element->SetPenColor(colour);
  }
  MarkModified();
}

// The document's other pictures stay; the element's own is about to go, so its decoding is
// shared but not counted.
void TfrmChild::SetCurrentPicture(const QString& path) {
  TSeal* element = FCurrentSeal;
  if (!element) return;
  // The element names its picture's file in GBK, as the document stores it.
  if (const QString refused = platform::NonGbkCharacters(path); !refused.isEmpty())
    throw std::runtime_error(
        QStringLiteral("不能使用图象文件“%1”：它的位置中有“%2”，文档中只能保存GBK字符集中的字符。")
            .arg(path, refused)
            .toStdString());
  platform::TPicture picture;
  {
    formats::TPictureBudget budget;
    for (const TSeal* s : FSeals) budget.Hold(*s, s != element);
    budget.LoadPictureFile(path, element->RecolourFill(), picture);
  }
  const std::string image = platform::UnicodeToGbk(path);
  const uint64_t size = formats::DocumentFileSize(std::vector<const TSeal*>(FSeals.begin(), FSeals.end())) -
                        formats::PictureBlockSize(element->Picture()) - element->Image().size() +
                        formats::PictureBlockSize(picture) + image.size();
  formats::CheckFileSize("更换图象后的文档", "不能更换图象", size, formats::kMaxDocumentFileBytes);
  element->SetHaveImage(true);
  element->SetImageIsStar(false);
  element->SetImage(image);
  element->SetPicture(&picture);
  MarkModified();
}

bool TfrmChild::IsLocked(const TSeal* element) const {
  return std::find(FLockedSeals.begin(), FLockedSeals.end(), element) != FLockedSeals.end();
}

void TfrmChild::ToggleCurrentSealLock() {
  const TSeal* element = FCurrentSeal;
  if (!element) return;
  if (IsLocked(element))
    std::erase(FLockedSeals, element);
  else
    FLockedSeals.push_back(element);
}

bool TfrmChild::PageLocked() const { return !KivDrawPanel1->isEnabled(); }

void TfrmChild::TogglePageLock() { KivDrawPanel1->setEnabled(!KivDrawPanel1->isEnabled()); }

// --- Selection ------------------------------------------------------------------------

void TfrmChild::SetSelection(const std::vector<const TSeal*>& elements) {
  std::vector<TSeal*> own;
  for (const TSeal* e : elements)
    if (const auto it = std::find(FSeals.begin(), FSeals.end(), e); it != FSeals.end()) own.push_back(*it);
  SelectElements(std::move(own));
}

void TfrmChild::SelectElements(std::vector<TSeal*> elements) {
  TSeal* const current = elements.size() == 1 ? elements.front() : nullptr;
  TSeal* const previous = FCurrentSeal;
  FreeGrabHandles();
  FSelection = std::move(elements);
  FCurrentSeal = current;
  if (current) {
    FreeSelectFrame();
    NewGrabHandles(current);
  } else if (FSelection.empty()) {
    FreeSelectFrame();
  } else {
    // A frame already there stays, around the new group.
    if (CreateSelectFrame())
      HookSelectFrame();
    else
      FSelectFrame->raise();
    PlaceSelectFrame(SelectionBounds());
    PageCanvas->raise();
  }
  // An element picked again is announced again: it may have changed since.
  if (current || previous) emit CurrentSealChanged(current);
}

app::TRect TfrmChild::SelectionBounds() const {
  if (FSelection.empty()) return {};
  const auto grown = [](const TSeal* s) {
    const app::TRect b = BoundsOf(s);
    return app::TRect{b.Left - kFrameMargin, b.Top - kFrameMargin, b.Right + kFrameMargin, b.Bottom + kFrameMargin};
  };
  app::TRect r = grown(FSelection.front());
  for (const TSeal* s : FSelection) {
    const app::TRect b = grown(s);
    r.Left = std::min(r.Left, b.Left);
    r.Top = std::min(r.Top, b.Top);
    r.Right = std::max(r.Right, b.Right);
    r.Bottom = std::max(r.Bottom, b.Bottom);
  }
  return r;
}

void TfrmChild::PlaceSelectFrame(const app::TRect& r) {
  if (!FSelectFrame) return;
  FSelectFrame->setGeometry(r.Left, r.Top, r.Width(), r.Height());
}

void TfrmChild::HookSelectFrame() {
  if (!FSelectFrame) return;
  FSelectFrame->OnMouseDown = [this](TSelectFrame* f, seal::TMouseButton b, seal::TShiftState s, int x, int y) {
    RunGuarded([&] { FrameMouseDown(f, b, s, x, y); });
  };
  FSelectFrame->OnMouseMove = [this](TSelectFrame* f, seal::TShiftState s, int x, int y) {
    RunGuarded([&] { FrameMouseMove(f, s, x, y); });
  };
  FSelectFrame->OnMouseUp = [this](TSelectFrame* f, seal::TMouseButton b, seal::TShiftState s, int x, int y) {
    RunGuarded([&] { FrameMouseUp(f, b, s, x, y); });
  };
  FSelectFrame->OnContextPopup = [this](TSelectFrame*, QPoint at) { FHost.ShowSealPopupMenu(at); };
  FSelectFrame->show();
  PageCanvas->raise();
}

bool TfrmChild::CreateSelectFrame() {
  if (FSelectFrame) return false;
  FSelectFrame = new TSelectFrame(KivDrawPanel1);
  platform::Named(FSelectFrame, "SelectFrame");
  PageCanvas->raise();
  return true;
}

void TfrmChild::FreeSelectFrame() {
  if (!FSelectFrame) return;
  // The frame may be the control whose press is being handled: it goes when that is done.
  FSelectFrame->hide();
  FSelectFrame->deleteLater();
  FSelectFrame = nullptr;
}

void TfrmChild::FreeGrabHandles() {
  if (!FGrabHandles) return;
  FGrabHandles.reset();
  FCurrentSeal = nullptr;
}

void TfrmChild::NewGrabHandles(TSeal* element) {
  FGrabHandles = std::make_unique<TGrabHandles>(element, GrabHandleHooks(), KivDrawPanel1->PixelsPerInch());
  PageCanvas->raise();
}

app::TGrabHandleHooks TfrmChild::GrabHandleHooks() {
  app::TGrabHandleHooks hooks;
  hooks.RunGuarded = [this](const std::function<void()>& handler) { RunGuarded(handler); };
  hooks.ClipCursor = [this] { ClipCursorToPage(); };
  hooks.ReleaseCursor = [this] { ReleaseCursorClip(); };
  hooks.ConfinePoint = [this](const QWidget* sender, int& x, int& y) { ConfinePoint(sender, x, y); };
  hooks.DrawDragRect = [this](const app::TRect& r) { DrawDragRect(r, false); };
  hooks.Resized = [this] { MarkModified(); };
  return hooks;
}

void TfrmChild::RaiseAdornments() {
  if (FGrabHandles) FGrabHandles->Raise();
  if (FSelectFrame) FSelectFrame->raise();
  PageCanvas->raise();
}

void TfrmChild::HookSealEvents(TSeal* element) {
  element->OnMouseDown = [this](TSeal* s, seal::TMouseButton b, seal::TShiftState sh, int x, int y) {
    RunGuarded([&] { SealMouseDown(s, b, sh, x, y); });
  };
  element->OnMouseMove = [this](TSeal* s, seal::TShiftState sh, int x, int y) {
    RunGuarded([&] { SealMouseMove(s, sh, x, y); });
  };
  element->OnMouseUp = [this](TSeal* s, seal::TMouseButton b, seal::TShiftState sh, int x, int y) {
    RunGuarded([&] { SealMouseUp(s, b, sh, x, y); });
  };
  element->OnContextPopup = [this](TSeal*, QPoint at) { FHost.ShowSealPopupMenu(at); };
}

bool TfrmChild::IsSoleSelection(const TSeal* element) const {
  return FSelection.size() == 1 && FSelection.front() == element;
}

void TfrmChild::SelectOnly(TSeal* element) {
  SelectElements({element});
  FHost.SetCurrentColor(element->PenColor());
}

// --- Drag helpers -----------------------------------------------------------------------

void TfrmChild::ClipCursorToPage() { FCursorClipped = true; }

void TfrmChild::ReleaseCursorClip() { FCursorClipped = false; }

void TfrmChild::ConfinePoint(const QWidget* sender, int& x, int& y) const {
  if (!FCursorClipped) return;
  const QPoint origin = sender == KivDrawPanel1 ? QPoint(0, 0) : sender->mapTo(KivDrawPanel1, QPoint(0, 0));
  x = std::clamp(x + origin.x(), 0, std::max(0, KivDrawPanel1->width() - 1)) - origin.x();
  y = std::clamp(y + origin.y(), 0, std::max(0, KivDrawPanel1->height() - 1)) - origin.y();
}

void TfrmChild::DrawDragRect(const app::TRect& r, bool band) {
  PageCanvas->Toggle(r.ToQRect());
  if (!band) FDragRect = r;
}

QPoint TfrmChild::ToPage(const QWidget* sender, int x, int y) const {
  if (!sender || sender == KivDrawPanel1) return QPoint(x, y);
  return sender->mapTo(KivDrawPanel1, QPoint(x, y));
}

void TfrmChild::SetScreenCursor(Qt::CursorShape shape) {
  RestoreScreenCursor();
  QApplication::setOverrideCursor(QCursor(shape));
  FScreenCursorSet = true;
}

void TfrmChild::RestoreScreenCursor() {
  if (!FScreenCursorSet) return;
  QApplication::restoreOverrideCursor();
  FScreenCursorSet = false;
}

void TfrmChild::ShowCoordinates(const QWidget* sender, int x, int y) {
  const float f = static_cast<float>(1000.0L / (static_cast<long double>(KivDrawPanel1->Zoom()) * FPixelsPerMm));
  const QPoint p = ToPage(sender, x, y);
  const auto millimetres = [f](int pixels) {
    return GeneralNumber(Round(static_cast<long double>(pixels) * f) / 10.0L) + QStringLiteral("mm");
  };
  FHost.ShowPointerPosition(QStringLiteral(" 水平坐标：") + millimetres(p.x()),
                            QStringLiteral("垂直坐标：") + millimetres(p.y()));
}

void TfrmChild::ShowPointerCoordinates() {
  if (!FActive) return;
  const QPoint pointer = QCursor::pos();
  const QWidget* view = ScrollBox->viewport();
  const QPoint p = KivDrawPanel1->mapFromGlobal(pointer);
  if (view->rect().contains(view->mapFromGlobal(pointer)) && KivDrawPanel1->rect().contains(p))
    ShowCoordinates(KivDrawPanel1, p.x(), p.y());
}

TSeal* TfrmChild::SealAtPoint(TSeal* sender, int x, int y) const {
  const QPoint p = ToPage(sender, x, y);
  const auto distance = [&](const TSeal* s) {
    const app::TRect b = BoundsOf(s);
    return std::min({p.x() - b.Left, b.Right - p.x(), p.y() - b.Top, b.Bottom - p.y()});
  };
  const auto self = std::find(FSeals.begin(), FSeals.end(), sender);
  if (self == FSeals.end()) return sender;
  size_t index = size_t(self - FSeals.begin());
  int best = distance(FSeals[index]);
  for (size_t i = 0; i < FSeals.size(); ++i) {
    const app::TRect b = BoundsOf(FSeals[i]);
    const bool inside = b.Left < p.x() && p.x() < b.Right && b.Top < p.y() && p.y() < b.Bottom;
    if (inside && distance(FSeals[i]) < best) {
      best = distance(FSeals[i]);
      index = i;
    }
  }
  return FSeals[index];
}

bool TfrmChild::ForwardToolClick(const QWidget* sender, int x, int y) {
  if (FHost.ArmedTool() == 0) return false;
  const QPoint p = ToPage(sender, x, y);
  DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, p.x(), p.y());
  return true;
}

// --- Page mouse ---------------------------------------------------------------------------

void TfrmChild::DrawPanel1MouseDown(seal::TMouseButton button, seal::TShiftState, int x, int y) {
  FPressWithoutMenu = false;
  const int tag = CurrentToolTag(true);
  if (button == seal::mbRight) {
    // Every one-shot tool, the emblem picture included, stays released by the press. A press
    // that disarms a page tool does only that: the page menu, whose first entry clears the
    // page, must not open under it (the desktop asks for the menu on the press or on the
    // release, so the request is refused whenever it comes).
    if (tag > app::kLastElementTool) {
      FHost.ReleaseTool();
      SetPageCursor(0);
      FPressWithoutMenu = true;
    }
    return;
  }
  if (button != seal::mbLeft) return;
  if (tag <= app::kLastElementTool) {
    SelectElements({});
    if (tag == 0) {
      FBanding = true;
      FPageMenuOn = false;
      ClipCursorToPage();
      FBandRect = {x, y, x, y};
      DrawDragRect(FBandRect, true);
      return;
    }
    if (TSeal* element = app::CreateSealForTool(KivDrawPanel1, FPixelsPerMm, FHost, tag, x, y)) AddSeal(element);
  } else if (tag == app::kGrabScrollTool) {
    BeginMoveDrag(KivDrawPanel1->mapToGlobal(QPoint(x, y)));
  } else if (tag == app::kZoomInTool || tag == app::kZoomOutTool) {
    StepZoom(tag == app::kZoomInTool);
  }
}

void TfrmChild::DrawPanel1MouseMove(seal::TShiftState, int x, int y) {
  ConfinePoint(KivDrawPanel1, x, y);
  ShowCoordinates(KivDrawPanel1, x, y);
  if (FBanding) {
    DrawDragRect(FBandRect, true);
    FBandRect.Right = x;
    FBandRect.Bottom = y;
    DrawDragRect(FBandRect, true);
  }
  if (FDragging) DragTo(QPoint(x, y));
}

void TfrmChild::DrawPanel1MouseUp(seal::TMouseButton button, seal::TShiftState, int x, int y) {
  ConfinePoint(KivDrawPanel1, x, y);
  if (button == seal::mbLeft && FBanding) {
    FBanding = false;
    DrawDragRect(FBandRect, true);
    // The band is taken as dragged: one drawn up or to the left holds nothing.
    std::vector<TSeal*> inside;
    for (TSeal* s : FSeals) {
      const app::TRect b = BoundsOf(s);
      if (b.Left >= FBandRect.Left && b.Right <= FBandRect.Right && b.Top >= FBandRect.Top &&
          b.Bottom <= FBandRect.Bottom)
        inside.push_back(s);
    }
    if (inside.size() == 1)
      SelectOnly(inside.front());
    else if (!inside.empty())
      SelectElements(std::move(inside));
  }
  if (FDragging) EndDrag(QPoint(x, y));
  FPageMenuOn = true;
  ReleaseCursorClip();
}

// --- Element mouse --------------------------------------------------------------------------

void TfrmChild::SealMouseDown(TSeal* sender, seal::TMouseButton button, seal::TShiftState, int x, int y) {
  if (ForwardToolClick(sender, x, y)) return;
  TSeal* target = SealAtPoint(sender, x, y);
  if (!IsSoleSelection(target)) SelectOnly(target);
  if (button == seal::mbLeft && !IsLocked(FCurrentSeal)) {
    if (FGrabHandles) FGrabHandles->HideAll();
    BeginMoveDrag(ToPage(FCurrentSeal, x, y));
  }
  if (button == seal::mbRight) FHost.PrepareSealPopupMenu(*FCurrentSeal, IsLocked(FCurrentSeal));
}

// A locked element answers the press only: the pointer's moves and release over it are
// nobody's.
void TfrmChild::SealMouseMove(TSeal* sender, seal::TShiftState, int x, int y) {
  if (IsLocked(sender)) return;
  ConfinePoint(sender, x, y);
  ShowCoordinates(sender, x, y);
  if (FDragging) DragTo(GrabScrollArmed() ? ToPage(sender, x, y) : QPoint(x, y));
}

void TfrmChild::SealMouseUp(TSeal* sender, seal::TMouseButton button, seal::TShiftState, int x, int y) {
  if (IsLocked(sender)) return;
  ConfinePoint(sender, x, y);
  if (button == seal::mbLeft && FDragging) EndDrag(GrabScrollArmed() ? ToPage(sender, x, y) : QPoint(x, y));
}

// --- Select frame mouse -------------------------------------------------------------------

void TfrmChild::FrameMouseDown(TSelectFrame* sender, seal::TMouseButton button, seal::TShiftState, int x, int y) {
  if (ForwardToolClick(sender, x, y)) return;
  if (button == seal::mbLeft) BeginMoveDrag(ToPage(sender, x, y));
}

void TfrmChild::FrameMouseMove(TSelectFrame* sender, seal::TShiftState, int x, int y) {
  ConfinePoint(sender, x, y);
  ShowCoordinates(sender, x, y);
  if (FDragging)
    DragTo(GrabScrollArmed() ? ToPage(sender, x, y) : QPoint(x, y));
  else if (FHost.ArmedTool() != 0)
    sender->unsetCursor();  // the page's: a press here is the tool's press on the page
  else
    sender->setCursor(Qt::SizeAllCursor);
}

void TfrmChild::FrameMouseUp(TSelectFrame* sender, seal::TMouseButton button, seal::TShiftState, int x, int y) {
  ConfinePoint(sender, x, y);
  if (button == seal::mbLeft && FDragging) EndDrag(GrabScrollArmed() ? ToPage(sender, x, y) : QPoint(x, y));
}

// --- Move and grab-scroll drags -------------------------------------------------------------

void TfrmChild::BeginMoveDrag(QPoint p) {
  FDragging = true;
  FPageMenuOn = false;
  FLastPoint = p;
  if (!GrabScrollArmed()) {
    if (FCurrentSeal) {
      SetScreenCursor(Qt::DragMoveCursor);
      DrawDragRect(BoundsOf(FCurrentSeal), false);
    } else if (FSelectFrame) {
      SetScreenCursor(Qt::DragCopyCursor);
      const QRect g = FSelectFrame->geometry();
      DrawDragRect({g.x(), g.y(), g.x() + g.width(), g.y() + g.height()}, false);
    }
  }
  ClipCursorToPage();
}

void TfrmChild::DragTo(QPoint p) {
  if (GrabScrollArmed()) {
    const QPoint q = KivDrawPanel1->mapToGlobal(p);
    QScrollBar* h = ScrollBox->horizontalScrollBar();
    QScrollBar* v = ScrollBox->verticalScrollBar();
    h->setValue(h->value() + FLastPoint.x() - q.x());
    v->setValue(v->value() + FLastPoint.y() - q.y());
    FLastPoint = q;
    return;
  }
  const QWidget* reference = FCurrentSeal ? static_cast<const QWidget*>(FCurrentSeal) : FSelectFrame;
  if (!reference) return;
  const QPoint q = reference->mapTo(KivDrawPanel1, p);
  const int w = FCurrentSeal ? FCurrentSeal->Width() : FSelectFrame->width();
  const int h = FCurrentSeal ? FCurrentSeal->Height() : FSelectFrame->height();
  DrawDragRect(FDragRect, false);
  app::TRect r = FDragRect;
  r.Left += q.x() - FLastPoint.x();
  r.Top += q.y() - FLastPoint.y();
  r.Right = r.Left + w;
  r.Bottom = r.Top + h;
  DrawDragRect(r, false);
  FLastPoint = q;
}

void TfrmChild::EndDrag(QPoint p) {
  if (FDragging) DragTo(p);
  if (!GrabScrollArmed()) {
    DrawDragRect(FDragRect, false);
    const long double s = static_cast<long double>(KivDrawPanel1->Zoom()) * FPixelsPerMm / 100;
    int dx = 0, dy = 0;
    if (FCurrentSeal) {
      dx = FDragRect.Left - FCurrentSeal->Left();
      dy = FDragRect.Top - FCurrentSeal->Top();
    } else if (FSelectFrame) {
      dx = FDragRect.Left - FSelectFrame->x();
      dy = FDragRect.Top - FSelectFrame->y();
      PlaceSelectFrame(FDragRect);
    }
    if (dx != 0 || dy != 0) {
      MarkModified();
      app::TPaintLock lock(window());
      for (TSeal* e : FSelection) {
        e->SetRealCenterX(static_cast<float>(e->RealCenterX() + dx / s));
        e->SetRealCenterY(static_cast<float>(e->RealCenterY() + dy / s));
      }
    }
    if (FCurrentSeal && FGrabHandles) FGrabHandles->ShowAll();
    RestoreScreenCursor();
  }
  FDragging = false;
  ReleaseCursorClip();
  FPageMenuOn = true;
}
