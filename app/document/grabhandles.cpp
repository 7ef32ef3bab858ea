#include "document/grabhandles.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "controls/penstyle.h"
#include "seal/seal.h"

namespace {

// Where each handle sits along the element's width and height: 0 the left or top edge,
// 1 the middle, 2 the right or bottom edge. A handle on an edge moves that edge.
struct THandlePlace {
  int x;
  int y;
  Qt::CursorShape cursor;
};

constexpr THandlePlace kPlaces[8] = {
    {0, 2, Qt::SizeBDiagCursor}, {0, 1, Qt::SizeHorCursor}, {0, 0, Qt::SizeFDiagCursor},
    {1, 0, Qt::SizeVerCursor},   {2, 0, Qt::SizeBDiagCursor}, {2, 1, Qt::SizeHorCursor},
    {2, 2, Qt::SizeFDiagCursor}, {1, 2, Qt::SizeVerCursor},
};

constexpr platform::TColor kBlue = 0xFF0000;
constexpr platform::TColor kBlack = 0;

int Along(int start, int extent, int place) { return place == 0 ? start : place == 1 ? start + extent / 2 : start + extent; }

}  // namespace

TGrabHandle::TGrabHandle(seal::TSeal* element, uint8_t index, TGrabHandles* group, int pixelsPerInch)
    : QWidget(element->parentWidget()),
      FHandleIndex(index),
      FSeal(element),
      FHalfSize(pixelsPerInch / 24),
      FGroup(group) {
  setAttribute(Qt::WA_Hover);
  UpdateBounds();
  setCursor(CursorShape());
}

QPoint TGrabHandle::AnchorPoint() const {
  const THandlePlace& place = kPlaces[FHandleIndex];
  return QPoint(Along(FSeal->Left(), FSeal->Width(), place.x), Along(FSeal->Top(), FSeal->Height(), place.y));
}

Qt::CursorShape TGrabHandle::CursorShape() const { return kPlaces[FHandleIndex].cursor; }

void TGrabHandle::UpdateBounds() {
  const QPoint a = AnchorPoint();
  setGeometry(a.x() - FHalfSize, a.y() - FHalfSize, 2 * FHalfSize, 2 * FHalfSize);
}

void TGrabHandle::paintEvent(QPaintEvent*) {
  if (!FGroup->Shown()) return;
  QPainter painter(this);
  painter.setPen(app::GdiPen(platform::ToQColor(FFrameColor), Qt::SolidLine));
  painter.setBrush(Qt::white);
  app::GdiRectangle(painter, 0, 0, width(), height());
}

void TGrabHandle::enterEvent(QEnterEvent*) {
  FFrameColor = kBlack;
  update();
}

void TGrabHandle::leaveEvent(QEvent*) {
  FFrameColor = kBlue;
  update();
}

void TGrabHandle::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = app::EventPoint(event->position());
  FGroup->Hooks().RunGuarded([&] { BeginResize(p.x(), p.y()); });
}

void TGrabHandle::mouseMoveEvent(QMouseEvent* event) {
  if (!FResizing) return;
  const QPoint p = app::EventPoint(event->position());
  FGroup->Hooks().RunGuarded([&] { ResizeTo(p.x(), p.y()); });
}

void TGrabHandle::mouseReleaseEvent(QMouseEvent*) {
  if (!FResizing) return;
  FGroup->Hooks().RunGuarded([&] { EndResize(); });
}

void TGrabHandle::BeginResize(int x, int y) {
  FResizing = true;
  const QPoint a = AnchorPoint();
  FOffset = QPoint(x - a.x(), y - a.y());
  FGroup->HideAll();
  FRect = {FSeal->Left(), FSeal->Top(), FSeal->Left() + FSeal->Width(), FSeal->Top() + FSeal->Height()};
  FGroup->Hooks().ClipCursor();
  FGroup->Hooks().DrawDragRect(FRect);
}

void TGrabHandle::ResizeTo(int x, int y) {
  const app::TGrabHandleHooks& hooks = FGroup->Hooks();
  hooks.DrawDragRect(FRect);
  hooks.ConfinePoint(this, x, y);
  const int nx = x - FOffset.x();
  const int ny = y - FOffset.y();
  app::TRect r{FSeal->Left(), FSeal->Top(), FSeal->Left() + FSeal->Width(), FSeal->Top() + FSeal->Height()};
  const THandlePlace& place = kPlaces[FHandleIndex];
  if (place.x == 0) r.Left = nx;
  if (place.x == 2) r.Right = nx;
  if (place.y == 0) r.Top = ny;
  if (place.y == 2) r.Bottom = ny;
  if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
  if (r.Right < r.Left) std::swap(r.Left, r.Right);
  FRect = r;
  hooks.DrawDragRect(FRect);
}

// The handles belong to the current element: the one whose size changes.
void TGrabHandle::EndResize() {
  const app::TGrabHandleHooks& hooks = FGroup->Hooks();
  hooks.DrawDragRect(FRect);
  FResizing = false;
  hooks.ReleaseCursor();
  FSeal->SetBounds(FRect.Left, FRect.Top, FRect.Width(), FRect.Height());
  FGroup->ShowAll();
  seal::TSeal* current = FSeal;
  const float k = static_cast<float>(100.0L / (static_cast<long double>(current->Zoom()) * current->PixelsPerMm()));
  const float oldWidth = current->RealWidth();
  const float oldHeight = current->RealHeight();
  current->hide();
  const app::TRect& dragged = FRect;
  current->SetRealWidth(static_cast<float>(static_cast<long double>(dragged.Width()) * k));
  current->SetRealHeight(static_cast<float>(static_cast<long double>(dragged.Height()) * k));
  const float dW = current->RealWidth() - oldWidth;
  const float dH = current->RealHeight() - oldHeight;
  // The rings of text grow and shrink with the element.
  if (current->IsEllipse()) {
    current->SetTextsWidth(current->TextsWidth() + dW);
    current->SetTextsHeight(current->TextsHeight() + dH);
  }
  if (current->IsEllipse1()) {
    current->SetTextsWidth1(current->TextsWidth1() + dW);
    current->SetTextsHeight1(current->TextsHeight1() + dH);
  }
  if (current->IsEllipse2()) {
    current->SetTextsWidth2(current->TextsWidth2() + dW);
    current->SetTextsHeight2(current->TextsHeight2() + dH);
  }
  if (current->IsEllipse3()) {
    current->SetTextsWidth3(current->TextsWidth3() + dW);
    current->SetTextsHeight3(current->TextsHeight3() + dH);
  }
  FGroup->UpdatePositions();
  current->show();
  hooks.Resized();
}

TGrabHandles::TGrabHandles(seal::TSeal* element, app::TGrabHandleHooks hooks, int pixelsPerInch)
    : FHooks(std::move(hooks)) {
  for (uint8_t i = 0; i < 8; ++i) {
    FHandles[i] = new TGrabHandle(element, i, this, pixelsPerInch);
    FHandles[i]->show();
  }
}

TGrabHandles::~TGrabHandles() {
  for (TGrabHandle* h : FHandles) delete h;
}

void TGrabHandles::HideAll() {
  if (!FShown) return;
  FShown = false;
  for (TGrabHandle* h : FHandles) {
    if (h->Resizing())
      h->update();
    else
      h->hide();
  }
}

void TGrabHandles::ShowAll() {
  if (FShown) return;
  FShown = true;
  for (TGrabHandle* h : FHandles) h->UpdateBounds();
  for (TGrabHandle* h : FHandles) {
    h->show();
    h->update();
  }
}

void TGrabHandles::UpdatePositions() {
  if (!FShown) return;
  for (TGrabHandle* h : FHandles) h->UpdateBounds();
}

void TGrabHandles::Raise() {
  for (TGrabHandle* h : FHandles) h->raise();
}
