#include "controls/kivdrawpanel.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "platform/color.h"
#include "platform/numeric.h"
#include "controls/penstyle.h"

using platform::Round;

namespace {

constexpr platform::TColor kGridColor = 0xF3F3F3;
constexpr platform::TColor kMarginColor = 0xFF0000;

int ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? Round(screen->logicalDotsPerInchX()) : 96;
}

}  // namespace

TKivDrawPanel::TKivDrawPanel(QWidget* parent) : TKivMouseControl(parent), FPixelsPerInch(ScreenPixelsPerInch()) {
  FScale = static_cast<long double>(FZoom) * FPixelsPerInch / 2540;
  FTickFont.setFamily(QStringLiteral("Small Fonts"));
  FTickFont.setPointSize(6);
  FTickFont.setStyleStrategy(QFont::NoAntialias);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, platform::ToQColor(platform::clWhite));
  setPalette(pal);
  setAutoFillBackground(true);
  resize(0, 0);
  setVisible(false);
}

void TKivDrawPanel::Rescale() {
  FScale = static_cast<long double>(FZoom) * FPixelsPerInch / 2540;
  resize(Round(FPageWidth * FScale), height());
  resize(width(), Round(FPageHeight * FScale));
}

void TKivDrawPanel::RepaintNow() {
  if (isVisible()) repaint();
}

void TKivDrawPanel::SetZoom(int value) {
  if (value == FZoom) return;
  FZoom = value;
  Rescale();
}

void TKivDrawPanel::SetPixelsPerInch(int value) {
  if (value == FPixelsPerInch) return;
  FPixelsPerInch = value;
  Rescale();
}

void TKivDrawPanel::SetMargin(long double& field, long double value) {
  if (value == field) return;
  field = value;
  RepaintNow();
}

void TKivDrawPanel::SetLeftMargin(long double value) { SetMargin(FLeftMargin, value); }
void TKivDrawPanel::SetTopMargin(long double value) { SetMargin(FTopMargin, value); }
void TKivDrawPanel::SetRightMargin(long double value) { SetMargin(FRightMargin, value); }
void TKivDrawPanel::SetBottomMargin(long double value) { SetMargin(FBottomMargin, value); }

void TKivDrawPanel::SetPageWidth(long double value) {
  if (value == FPageWidth) return;
  FPageWidth = value;
  resize(Round(value * FScale), height());
  RepaintNow();
}

void TKivDrawPanel::SetPageHeight(long double value) {
  if (value == FPageHeight) return;
  FPageHeight = value;
  resize(width(), Round(value * FScale));
  RepaintNow();
}

void TKivDrawPanel::SetGrid(bool value) {
  if (value == FGrid) return;
  FGrid = value;
  RepaintNow();
}

void TKivDrawPanel::SetTickFont(const QFont& font, const QColor& color) {
  FTickFont = font;
  FTickFont.setStyleStrategy(QFont::NoAntialias);
  FTickFontColor = color;
  RepaintNow();
}

void TKivDrawPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setFont(FTickFont);
  const int w = width();
  const int h = height();

  const bool labels = FZoom > 50;
  const int step = labels ? 5 : 10;
  const int limit = std::max(w, h);
  QPen solid = app::GdiPen(platform::ToQColor(kGridColor), Qt::SolidLine);
  QPen dotted = app::GdiPen(platform::ToQColor(kGridColor), Qt::DotLine);
  const auto label = [&](int mm, int x, int y) {
    if (!labels) return;
    p.save();
    p.setPen(FTickFontColor);
    p.drawText(QRect(x, y, 1000, 1000), Qt::AlignLeft | Qt::AlignTop, QString::number(mm / 10));
    p.restore();
  };
  int position = 0;
  // A scale of zero or less (a zoom or resolution of zero or less) never reaches the limit.
  while (FGrid && FScale > 0) {
    position += step;
    const int px = Round(position * FScale);
    const bool whole = position % 10 == 0;
    if (px < w) {
      if (whole) label(position, px + 1, 0);
      p.setPen(whole ? solid : dotted);
      p.drawLine(px, 0, px, h);
    }
    if (px < h) {
      if (whole) label(position, 1, px);
      p.setPen(whole ? solid : dotted);
      p.drawLine(0, px, w, px);
    }
    if (px >= limit) break;
  }

  p.setPen(app::GdiPen(platform::ToQColor(kMarginColor), Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  app::GdiRectangle(p, Round(FLeftMargin * FScale), Round(FTopMargin * FScale), w - Round(FRightMargin * FScale),
                    h - Round(FBottomMargin * FScale));
}

