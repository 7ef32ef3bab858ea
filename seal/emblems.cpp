#include <cmath>
#include <numbers>

#include "seal/draw_routines.h"
#include "platform/numeric.h"

namespace seal {

using platform::Round;
using platform::TPoint;

namespace {

using Real = long double;
constexpr Real kPi = std::numbers::pi_v<long double>;

// The ten vertices of a five-pointed star in a box of bw x bh around (cx, cy), drawn with
// an outline of width p, clockwise on the screen from the top point. The inner radius is
// a 5.3th of the box, a little slimmer than a fifth.
std::vector<TPoint> StarOutline(Real cx, Real cy, Real bw, Real bh, Real p) {
  const Real outerX = (bw - p) / 2, outerY = (bh - p) / 2;
  const Real innerX = (bw - p) / 5.3L, innerY = (bh - p) / 5.3L;
  std::vector<TPoint> points;
  points.reserve(10);
  for (int k = 0; k < 10; ++k) {
    const Real theta = kPi / 2 + k * kPi / 5;
    const bool outer = k % 2 == 0;
    points.push_back({Round(cx - std::cos(theta) * (outer ? outerX : innerX)),
                      Round(cy - std::sin(theta) * (outer ? outerY : innerY))});
  }
  return points;
}

// Inner lines at round(origin + j * span / count) for j = 1 .. count - 1. Once the lines
// are closer than a pixel they cover every pixel between the first and the last, which
// are then drawn once each, so a huge count costs no more than the element is wide.
template <class TDrawAt>
void CellLines(long long count, Real origin, Real span, TDrawAt drawAt) {
  if (count <= 1) return;
  const auto at = [&](long long j) { return Round(origin + j * span / count); };
  if (std::fabs(span / count) >= 1) {
    for (long long j = 1; j < count; ++j) drawAt(at(j));
    return;
  }
  const long long first = at(1), last = at(count - 1);
  const long long dir = last >= first ? 1 : -1;
  for (long long v = first;; v += dir) {
    drawAt(static_cast<int>(v));
    if (v == last) break;
  }
}

}  // namespace

void DrawFiveStar(int X, int Y, TCanvas& canvas, int W, int H, int pw3, TColor penColour, TColor brushColour,
                  TBrushStyle brushStyle) {
  if (W <= 0 || H <= 0) return;
  SetCanvasPenBrush(canvas, brushStyle == platform::bsClear ? pw3 : 0, penColour, brushColour, brushStyle);
  canvas.Polygon(StarOutline(X + static_cast<Real>(W) / 2, Y + static_cast<Real>(H) / 2, W, H, pw3));
}

void DrawCells(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle, int W,
               int H, int columns, int rows, int pw, int pw1) {
  if (W <= 0 || H <= 0) return;
  if (brushStyle == platform::bsSolid) {
    canvas.SetPenColor(platform::clWhite);
    canvas.SetPenWidth(pw);
    canvas.SetBrushColor(brushColour);
    canvas.SetBrushStyle(platform::bsSolid);
  } else {
    canvas.SetPenColor(penColour);
    canvas.SetPenWidth(pw);
    canvas.SetBrushStyle(brushStyle);
  }
  const long long m = Round(static_cast<Real>(pw) / 2);
  const auto clip = [](long long v) { return platform::SaturateToInt(v); };
  canvas.Rectangle(clip(X + m), clip(Y + m), clip(X + m + W - static_cast<long long>(pw)),
                   clip(Y + m + H - static_cast<long long>(pw)));
  if (columns <= 1 || rows <= 1) return;
  canvas.SetPenWidth(pw1);
  const long long e = pw - static_cast<long long>(Round(static_cast<Real>(pw1) / 2));
  CellLines(columns, X + e, W - 2 * static_cast<Real>(pw) + pw1,
            [&](int x) { canvas.Line(x, clip(Y + e), x, clip(Y + H - e)); });
  CellLines(rows, Y + e, H - 2 * static_cast<Real>(pw) + pw1,
            [&](int y) { canvas.Line(clip(X + e), y, clip(X + W - e), y); });
}

void DrawEmblem(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/, TBrushStyle brushStyle,
                const std::string& /*imageText*/, int W, int H, int iw, int ih, int pw3, int icx, int icy,
                const platform::TBitmap* recolour, bool haveImage, bool isStar) {
  if (!haveImage || W <= 0 || H <= 0) return;
  const Real cx = X + static_cast<Real>(W) / 2 + icx;
  const Real cy = Y + static_cast<Real>(H) / 2 + icy;
  if (isStar) {
    if (brushStyle == platform::bsSolid) {
      canvas.SetPenWidth(pw3);
      canvas.SetPenColor(platform::clWhite);
      canvas.SetBrushStyle(platform::bsClear);
    } else {
      canvas.SetPenWidth(1);
      canvas.SetBrushStyle(platform::bsSolid);
      canvas.SetPenColor(penColour);
      canvas.SetBrushColor(penColour);
    }
    canvas.Polygon(StarOutline(cx, cy, iw, ih, pw3));
    return;
  }
  if (recolour == nullptr || recolour->Empty()) return;
  const Real left = cx - static_cast<Real>(iw) / 2;
  const Real top = cy - static_cast<Real>(ih) / 2;
  canvas.StretchDraw(Round(left), Round(top), Round(left + iw), Round(top + ih), *recolour);
}

}  // namespace seal
