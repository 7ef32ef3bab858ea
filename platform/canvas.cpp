#include "platform/canvas.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

#include "platform/fonts.h"
#include "platform/gbk.h"
#include "platform/glyphoutlines.h"
#include "platform/picture.h"

namespace platform {

void TCanvas::SetBrushColor(TColor color) {
  brush_.Color = color;
  if (brush_.Style == TBrushStyle::bsClear) brush_.Style = TBrushStyle::bsSolid;
  transparentBackground_ = false;
}

void TCanvas::SetBrushStyle(TBrushStyle style) {
  brush_.Style = style;
  if (style == TBrushStyle::bsClear) brush_.Color = clWhite;
  transparentBackground_ = false;
}

void TCanvas::LineTo(int x, int y) {
  DrawLine(penPos_, {x, y});
  penPos_ = {x, y};
}

double RadialToParametricDegrees(int left, int top, int right, int bottom, int x, int y) {
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  const double halfW = std::abs(right - left) / 2.0, halfH = std::abs(bottom - top) / 2.0;
  double dx = x - cx, dy = y - cy;
  if (halfW > 0 && halfH > 0) {
    dx /= halfW;
    dy /= halfH;
  }
  if (dx == 0 && dy == 0) return 0;
  return std::atan2(-dy, dx) * 180.0 / std::numbers::pi;
}

double ArcSweepDegrees(double startDegrees, double endDegrees) {
  double sweep = std::fmod(endDegrees - startDegrees, 360.0);
  if (sweep < 0) sweep += 360.0;
  // Radials that differ by less than a rounding step name the same direction.
  if (sweep < 1e-9 || sweep > 360.0 - 1e-9) sweep = 360.0;
  return sweep;
}

namespace {

struct TBox {
  int L, T, R, B;
};

TBox Normalised(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return {left, top, right, bottom};
}

Qt::BrushStyle QtBrushStyle(TBrushStyle style) {
  switch (style) {
    case TBrushStyle::bsSolid: return Qt::SolidPattern;
    case TBrushStyle::bsClear: return Qt::NoBrush;
    case TBrushStyle::bsHorizontal: return Qt::HorPattern;
    case TBrushStyle::bsVertical: return Qt::VerPattern;
    case TBrushStyle::bsFDiagonal: return Qt::FDiagPattern;
    case TBrushStyle::bsBDiagonal: return Qt::BDiagPattern;
    case TBrushStyle::bsCross: return Qt::CrossPattern;
    case TBrushStyle::bsDiagCross: return Qt::DiagCrossPattern;
  }
  return Qt::SolidPattern;
}

bool OnePixel(const TPen& pen) { return pen.Width <= 1; }

// Wide strokes are filled areas sampled at pixel centres: an odd width is centred on the
// pixel's centre, an even one on its top-left corner, so either covers whole pixels.
qreal WideShift(const TPen& pen) { return pen.Width % 2 != 0 ? 0.5 : 0.0; }

QPen WidePen(const TPen& pen) {
  return QPen(ToQColor(pen.Color), pen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen CosmeticPen(const TPen& pen) {
  QPen p(ToQColor(pen.Color), 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  p.setCosmetic(true);
  return p;
}

// The ellipse's centre line of a box: through the centres of its first and last pixels.
QRectF OutlineRect(const TBox& b) { return QRectF(b.L, b.T, b.R - b.L - 1, b.B - b.T - 1); }
// The area a box's interior covers, in pixel edges.
QRectF AreaRect(const TBox& b) { return QRectF(b.L, b.T, b.R - b.L, b.B - b.T); }

}  // namespace

// A borrowed painter gets its own settings back when the canvas goes.
TPainterCanvas::TPainterCanvas(QPainter& painter) : painter_(&painter) {
  painter_->save();
  Prepare();
}

TPainterCanvas::TPainterCanvas(QPaintDevice* device)
    : owned_(std::make_unique<QPainter>(device)), painter_(owned_.get()) {
  Prepare();
}

TPainterCanvas::~TPainterCanvas() {
  if (!owned_) painter_->restore();
}

void TPainterCanvas::Prepare() {
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, false);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter_->setBackgroundMode(Qt::TransparentMode);
}

void TPainterCanvas::FillAndStroke(const QPainterPath& area, const QPainterPath& outline, bool fill) {
  if (fill && Brush().Style != TBrushStyle::bsClear) {
    painter_->fillPath(area, QBrush(ToQColor(Brush().Color), QtBrushStyle(Brush().Style)));
  }
  if (OnePixel(Pen())) {
    // The cosmetic stroker paints the pixel a point falls in: aim at pixel centres.
    painter_->strokePath(outline.translated(0.5, 0.5), CosmeticPen(Pen()));
  } else {
    const qreal s = WideShift(Pen());
    painter_->strokePath(outline.translated(s, s), WidePen(Pen()));
  }
}

void TPainterCanvas::DrawLine(TPoint from, TPoint to) {
  if (!OnePixel(Pen())) {
    const qreal s = WideShift(Pen());
    QPainterPath line(QPointF(from.X + s, from.Y + s));
    line.lineTo(to.X + s, to.Y + s);
    painter_->strokePath(line, WidePen(Pen()));
    return;
  }
  // One-pixel lines step pixel by pixel along the major axis and stop short of the end
  // point, so that joined segments do not paint their shared pixel twice. Pixels in a row
  // or column are painted as one run, which keeps printer output small.
  const QColor color = ToQColor(Pen().Color);
  const long long dx = static_cast<long long>(to.X) - from.X, dy = static_cast<long long>(to.Y) - from.Y;
  const long long steps = std::max(std::llabs(dx), std::llabs(dy));
  auto at = [&](long long i) {
    // Nearest pixel to the exact point, halves away from the start.
    // 128 bits: across the whole int range 2·d·i does not fit in 64.
    using Wide = __int128;
    const auto along = [&](long long d) {
      return static_cast<long long>((2 * Wide(d) * i + (d >= 0 ? steps : -steps)) / (2 * Wide(steps)));
    };
    return QPoint(static_cast<int>(from.X + along(dx)), static_cast<int>(from.Y + along(dy)));
  };
  // The major coordinate moves by one each step: a run keeps its minor coordinate.
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  auto minor = [&](QPoint p) { return xMajor ? p.y() : p.x(); };
  // Only the steps that can reach the device are walked, so that a far-off line costs
  // nothing.
  long long first = 0, last = steps;
  if (painter_->device()) {
    const QRect visible = VisibleRect();
    const long long lo = (xMajor ? visible.left() : visible.top()) - 1LL;
    const long long hi = (xMajor ? visible.right() : visible.bottom()) + 1LL;
    const long long start = xMajor ? from.X : from.Y;
    const long long dir = (xMajor ? dx : dy) >= 0 ? 1 : -1;
    const long long a = dir > 0 ? lo - start : start - hi, b = dir > 0 ? hi - start : start - lo;
    first = std::clamp(a, 0LL, steps);
    last = std::clamp(b + 1, 0LL, steps);
  }
  long long runStart = first;
  for (long long i = first + 1; i <= last; ++i) {
    if (i < last && minor(at(i)) == minor(at(runStart))) continue;
    const QPoint a = at(runStart), b = at(i - 1);
    painter_->fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                             QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                       color);
    runStart = i;
  }
}

void TPainterCanvas::Rectangle(int left, int top, int right, int bottom) {
  const TBox b = Normalised(left, top, right, bottom);
  if (b.R == b.L || b.B == b.T) return;
  if (Brush().Style != TBrushStyle::bsClear) {
    painter_->fillRect(QRect(b.L, b.T, b.R - b.L, b.B - b.T),
                       QBrush(ToQColor(Brush().Color), QtBrushStyle(Brush().Style)));
  }
  if (OnePixel(Pen())) {
    const QColor c = ToQColor(Pen().Color);
    painter_->fillRect(QRect(b.L, b.T, b.R - b.L, 1), c);
    painter_->fillRect(QRect(b.L, b.B - 1, b.R - b.L, 1), c);
    painter_->fillRect(QRect(b.L, b.T, 1, b.B - b.T), c);
    painter_->fillRect(QRect(b.R - 1, b.T, 1, b.B - b.T), c);
    return;
  }
  QPainterPath outline;
  outline.addRect(OutlineRect(b));
  FillAndStroke(QPainterPath(), outline, false);
}

void TPainterCanvas::FillRect(int left, int top, int right, int bottom) {
  const TBox b = Normalised(left, top, right, bottom);
  if (Brush().Style == TBrushStyle::bsClear) return;
  painter_->fillRect(QRect(b.L, b.T, b.R - b.L, b.B - b.T), QBrush(ToQColor(Brush().Color), QtBrushStyle(Brush().Style)));
}

void TPainterCanvas::Ellipse(int left, int top, int right, int bottom) {
  const TBox b = Normalised(left, top, right, bottom);
  if (b.R == b.L || b.B == b.T) return;
  QPainterPath area, outline;
  area.addEllipse(AreaRect(b));
  outline.addEllipse(OutlineRect(b));
  FillAndStroke(area, outline, true);
}

void TPainterCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  const TBox b = Normalised(left, top, right, bottom);
  if (b.R == b.L || b.B == b.T) return;
  const qreal rx = std::min(std::abs(cornerWidth), b.R - b.L) / 2.0;
  const qreal ry = std::min(std::abs(cornerHeight), b.B - b.T) / 2.0;
  QPainterPath area, outline;
  area.addRoundedRect(AreaRect(b), rx, ry);
  outline.addRoundedRect(OutlineRect(b), rx, ry);
  FillAndStroke(area, outline, true);
}

void TPainterCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  QPolygonF poly;
  for (const TPoint& p : points) poly << QPointF(p.X, p.Y);
  QPainterPath area, outline;
  area.setFillRule(Qt::OddEvenFill);
  area.addPolygon(poly);
  area.closeSubpath();
  outline.addPolygon(poly);
  outline.closeSubpath();
  FillAndStroke(area, outline, true);
}

void TPainterCanvas::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  const TBox b = Normalised(left, top, right, bottom);
  if (b.R == b.L || b.B == b.T) return;
  const double start = RadialToParametricDegrees(b.L, b.T, b.R, b.B, xStart, yStart);
  const double sweep = ArcSweepDegrees(start, RadialToParametricDegrees(b.L, b.T, b.R, b.B, xEnd, yEnd));
  QPainterPath outline;
  outline.arcMoveTo(OutlineRect(b), start);
  outline.arcTo(OutlineRect(b), start, sweep);
  FillAndStroke(QPainterPath(), outline, false);
}

void TPainterCanvas::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  const TBox b = Normalised(left, top, right, bottom);
  if (b.R == b.L || b.B == b.T) return;
  const double start = RadialToParametricDegrees(b.L, b.T, b.R, b.B, xStart, yStart);
  const double sweep = ArcSweepDegrees(start, RadialToParametricDegrees(b.L, b.T, b.R, b.B, xEnd, yEnd));
  auto wedge = [&](const QRectF& r) {
    QPainterPath p(r.center());
    p.arcTo(r, start, sweep);
    p.closeSubpath();
    return p;
  };
  FillAndStroke(wedge(AreaRect(b)), wedge(OutlineRect(b)), true);
}

void TPainterCanvas::TextOut(int x, int y, std::string_view gbk) {
  if (gbk.empty()) return;
  if (!realized_ || !(realizedFrom_ == Font())) {
    realized_ = std::make_unique<TRealizedFont>(RealizeFont(Font()));
    realizedFrom_ = Font();
  }
  const TRealizedFont& f = *realized_;
  const QString text = GbkToUnicode(gbk);
  QTransform place;
  place.translate(x, y);
  place.rotate(-f.EscapementDegrees);
  place.scale(f.ScaleX, 1);
  const TGlyphOutline glyphs = GlyphOutline(f.Font, f.BaselineOffset, text);
  QPainterPath placed = place.map(glyphs.Path);
  placed.setFillRule(Qt::WindingFill);
  if (recordingPath_) {
    path_.addPath(placed);
    return;
  }
  if (!BackgroundTransparent()) {
    const QRectF cell(0, 0, glyphs.Advance, f.EmHeight);
    QPainterPath background;
    background.addPolygon(place.map(QPolygonF(cell)));
    painter_->fillPath(background, ToQColor(Brush().Color));
  }
  painter_->fillPath(placed, ToQColor(FontColor()));
}

void TPainterCanvas::BeginPath() {
  path_ = QPainterPath();
  recordingPath_ = true;
}

void TPainterCanvas::EndPath() { recordingPath_ = false; }

void TPainterCanvas::StrokeAndFillPath() {
  // Glyph outlines are areas in pixel edges; the pen is centred on them as they stand.
  path_.setFillRule(Qt::WindingFill);
  if (Brush().Style != TBrushStyle::bsClear) {
    painter_->fillPath(path_, QBrush(ToQColor(Brush().Color), QtBrushStyle(Brush().Style)));
  }
  painter_->strokePath(path_, OnePixel(Pen()) ? CosmeticPen(Pen()) : WidePen(Pen()));
  path_ = QPainterPath();
  recordingPath_ = false;
}

QRect TPainterCanvas::VisibleRect() const {
  const QPaintDevice* device = painter_->device();
  if (!device) return {};
  return painter_->combinedTransform().inverted().mapRect(QRectF(0, 0, device->width(), device->height())).toAlignedRect();
}

void TPainterCanvas::StretchImage(int left, int top, int right, int bottom, const QImage& image, bool transparent,
                                  TColor transparentColor) {
  if (image.isNull() || left == right || top == bottom) return;
  // 32-bit pictures are read where they lie; others a row at a time as the rows are
  // needed, so that no paint copies a whole picture to show a few dozen of its pixels.
  const bool direct = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
  QImage converted;
  int convertedRow = -1;
  const long long sw = image.width(), sh = image.height();
  const long long x0 = std::min(left, right), y0 = std::min(top, bottom);
  const long long dw = std::llabs(static_cast<long long>(right) - left);
  const long long dh = std::llabs(static_cast<long long>(bottom) - top);
  const bool mirrorX = right < left, mirrorY = bottom < top;
  // Only the part the device shows is scaled, so a huge box costs no more than the page.
  const QRect visible = VisibleRect();
  const long long vx0 = std::max(x0, static_cast<long long>(visible.left()));
  const long long vy0 = std::max(y0, static_cast<long long>(visible.top()));
  const long long vx1 = std::min(x0 + dw, visible.right() + 1LL);
  const long long vy1 = std::min(y0 + dh, visible.bottom() + 1LL);
  if (vx0 >= vx1 || vy0 >= vy1) return;
  const uint32_t key = ToQRgb(transparentColor) & 0xFFFFFFu;
  QImage out(static_cast<int>(vx1 - vx0), static_cast<int>(vy1 - vy0), QImage::Format_ARGB32);
  if (out.isNull()) return;
  for (long long y = vy0; y < vy1; ++y) {
    long long sy = (2 * (y - y0) + 1) * sh / (2 * dh);
    if (mirrorY) sy = sh - 1 - sy;
    if (!direct && sy != convertedRow) {
      converted = image.copy(0, static_cast<int>(sy), image.width(), 1).convertToFormat(QImage::Format_ARGB32);
      convertedRow = static_cast<int>(sy);
    }
    const auto* in = reinterpret_cast<const uint32_t*>(direct ? image.constScanLine(static_cast<int>(sy))
                                                              : converted.constScanLine(0));
    auto* row = reinterpret_cast<uint32_t*>(out.scanLine(static_cast<int>(y - vy0)));
    for (long long x = vx0; x < vx1; ++x) {
      long long sx = (2 * (x - x0) + 1) * sw / (2 * dw);
      if (mirrorX) sx = sw - 1 - sx;
      const uint32_t p = in[sx];
      row[x - vx0] = (transparent && (p & 0xFFFFFFu) == key) ? 0u : p;
    }
  }
  painter_->drawImage(QPoint(static_cast<int>(vx0), static_cast<int>(vy0)), out);
}

void TPainterCanvas::StretchDraw(int left, int top, int right, int bottom, const TBitmap& bitmap) {
  StretchImage(left, top, right, bottom, bitmap.Image(), bitmap.Transparent(), bitmap.TransparentColor());
}

void TPainterCanvas::StretchDraw(int left, int top, int right, int bottom, const TPicture& picture) {
  StretchImage(left, top, right, bottom, picture.Image(), false, clWhite);
}

void TPainterCanvas::CopyImage(int x, int y, const QImage& image) {
  if (image.isNull()) return;
  if (CopyMode() == TCopyMode::cmSrcPaint) {
    // Only the part the device shows is converted, however large the picture.
    const QRect shown = QRect(x, y, image.width(), image.height()) & VisibleRect();
    if (shown.isEmpty()) return;
    const QPainter::CompositionMode previous = painter_->compositionMode();
    painter_->setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    const QRect source = shown.translated(-x, -y);
    if (image.format() == QImage::Format_RGB32)
      painter_->drawImage(shown.topLeft(), image, source);
    else
      painter_->drawImage(shown.topLeft(), image.copy(source).convertToFormat(QImage::Format_RGB32));
    painter_->setCompositionMode(previous);
  } else {
    painter_->drawImage(QPoint(x, y), image);
  }
}

void TPainterCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Transparent()) {
    StretchDraw(x, y, x + bitmap.Width(), y + bitmap.Height(), bitmap);
  } else {
    CopyImage(x, y, bitmap.Image());
  }
}

void TPainterCanvas::Draw(int x, int y, const TPicture& picture) { CopyImage(x, y, picture.Image()); }

}  // namespace platform
