#include "zoomview/zoomview.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/componentname.h"
#include "platform/numeric.h"
#include "seal/bounds_mm.h"
#include "seal/seal.h"

using platform::Round;

namespace {

// The margin of free space around the selection, and the bitmap's margin around it.
constexpr int kFreeMargin = 12;
constexpr int kBitmapMargin = 2;
constexpr int kCaptionPixels = 16;
constexpr platform::TColor kCaptionColor = platform::RGBColor(0, 128, 255);
constexpr platform::TColor kRuleColor = platform::RGBColor(255, 128, 192);
constexpr int kRuleWidth = 2;

QSize ScreenSize(const QWidget* owner) {
  const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize(800, 600);
}

}  // namespace

namespace zoomview {

std::optional<TZoomFit> FitSelection(const seal::TBoundsMm& bounds, QSize freeSpace, long double k) {
  const long double width = bounds.Right - bounds.Left;
  const long double height = bounds.Bottom - bounds.Top;
  const bool across = width * k > 0;
  const bool down = height * k > 0;
  if (!across && !down) return std::nullopt;
  const long double byWidth = across ? freeSpace.width() / (width * k) : 0;
  const long double byHeight = down ? freeSpace.height() / (height * k) : 0;
  const long double ratio = !across ? byHeight : !down ? byWidth : std::min(byWidth, byHeight);
  TZoomFit fit;
  fit.Fit = std::max(1, Round(100 * ratio));
  fit.PixelsPerMm = fit.Fit * k / 100;
  fit.Bitmap = QSize(Round(width * fit.PixelsPerMm) + 2 * kBitmapMargin, Round(height * fit.PixelsPerMm) + 2 * kBitmapMargin);
  return fit;
}

QString FitCaption(int fit) { return QStringLiteral("当前放大倍数是： ") + QString::number(fit) + QLatin1Char('%'); }

}  // namespace zoomview

TfrmZoomView::TfrmZoomView(QWidget* owner, QSize screen) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
  platform::Named(this, "frmZoomView");
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setAutoFillBackground(true);

  if (screen.isEmpty()) screen = ScreenSize(owner);
  if (owner && owner->screen()) move(owner->screen()->geometry().topLeft());
  setFixedSize(screen);

  Panel1 = new QLabel(this);
  platform::Named(Panel1, "Panel1");
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setAutoFillBackground(true);
  QFont font = Panel1->font();
  font.setPixelSize(kCaptionPixels);
  Panel1->setFont(font);
  QPalette strip = Panel1->palette();
  strip.setColor(QPalette::Window, Qt::white);
  strip.setColor(QPalette::WindowText, platform::ToQColor(kCaptionColor));
  Panel1->setPalette(strip);
  Panel1->setGeometry(0, 0, width(), logicalDpiY() / 4);
  Panel1->installEventFilter(this);
}

QSize TfrmZoomView::FreeSpace() const {
  return QSize(width() - kFreeMargin, height() - (Panel1->height() + kFreeMargin));
}

bool TfrmZoomView::ShowSelection(std::span<const seal::TSeal* const> selection, float pixelsPerMm) {
  const seal::TBoundsMm bounds = seal::GetSelectionBoundsMm(selection);
  FFit = bounds.Any ? zoomview::FitSelection(bounds, FreeSpace(), pixelsPerMm) : std::nullopt;
  if (!FFit) return false;
  const long double e = FFit->PixelsPerMm;
  FViewBitmap = platform::TBitmap(FFit->Bitmap.width(), FFit->Bitmap.height());
  Panel1->setText(zoomview::FitCaption(FFit->Fit));

  platform::TPainterCanvas canvas(&FViewBitmap.Image());
  seal::DrawSealsAtScale(canvas, selection, bounds, e, kBitmapMargin);
  update();
  return true;
}

QPoint TfrmZoomView::BitmapPos() const {
  const int strip = Panel1->height();
  return QPoint((width() - FViewBitmap.Width()) / 2 + 2, (height() - 2 - strip - FViewBitmap.Height()) / 2 + strip + 2);
}

void TfrmZoomView::paintEvent(QPaintEvent*) {
  platform::TPainterCanvas canvas(this);
  canvas.SetPenWidth(kRuleWidth);
  canvas.SetPenColor(kRuleColor);
  canvas.Line(0, Panel1->height(), width(), Panel1->height());
  if (FViewBitmap.Empty()) return;
  const QPoint at = BitmapPos();
  canvas.Draw(at.x(), at.y(), FViewBitmap);
}

void TfrmZoomView::FormClick() { accept(); }

void TfrmZoomView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) FormClick();
}

bool TfrmZoomView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && Panel1->rect().contains(mouse->position().toPoint())) FormClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// Not even Escape: only a click closes the view.
void TfrmZoomView::keyPressEvent(QKeyEvent* event) { event->accept(); }
