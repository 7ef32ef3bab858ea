#include <cmath>
#include <utility>

#include "seal/draw_routines.h"
#include "platform/numeric.h"

namespace seal {

using platform::Round;

namespace {

using Real = long double;

// The band's lines, pulled in by half the outer frame width.
struct TBand {
  Real cx, cy;
  Real top, bottom;
  Real left, right;
  Real gapLeft, gapRight;
};

TBand MakeBand(int X, int Y, int W, int H, int bw, int bh, int gap, int cx, int cy, int pw) {
  TBand b;
  b.cx = X + W / Real(2) + cx;
  b.cy = Y + H / Real(2) + cy;
  const Real inset = pw / Real(2);
  b.top = b.cy - bh / Real(2) + inset;
  b.bottom = b.cy + bh / Real(2) - inset;
  b.left = b.cx - bw / Real(2) + inset;
  b.right = b.cx + bw / Real(2) - inset;
  b.gapLeft = b.cx - gap / Real(2) + inset;
  b.gapRight = b.cx + gap / Real(2) - inset;
  return b;
}

void Segment(TCanvas& canvas, Real x0, Real y0, Real x1, Real y1) {
  canvas.Line(Round(x0), Round(y0), Round(x1), Round(y1));
}

void Verticals(TCanvas& canvas, const TBand& b) {
  Segment(canvas, b.left, b.top, b.left, b.bottom);
  Segment(canvas, b.right, b.top, b.right, b.bottom);
}

// The boxed and elliptic bands are white on anything but a positive seal.
void SetBandPen(TCanvas& canvas, TColor penColour, TBrushStyle brushStyle, int lw) {
  canvas.SetPenColor(brushStyle == platform::bsClear ? penColour : platform::clWhite);
  canvas.SetPenWidth(lw);
}

}  // namespace

void DrawBoxedCentreLines(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/,
                          TBrushStyle brushStyle, int W, int H, int clw, int clh, int abw, int clcx, int clcy, int pw,
                          int pw4, bool boxed) {
  if (pw4 <= 0) return;
  SetBandPen(canvas, penColour, brushStyle, pw4);
  canvas.SetBrushStyle(platform::bsClear);
  const TBand b = MakeBand(X, Y, W, H, clw, clh, abw, clcx, clcy, pw);
  const Real frameLeft = X + pw / Real(2), frameRight = static_cast<Real>(X) + W - pw / Real(2);
  if (abw <= 0) {
    if (boxed) {
      canvas.Rectangle(Round(b.left), Round(b.top), Round(b.right), Round(b.bottom));
      return;
    }
    Segment(canvas, frameLeft, b.top, frameRight, b.top);
    Segment(canvas, frameLeft, b.bottom, frameRight, b.bottom);
    Verticals(canvas, b);
    return;
  }
  if (boxed) {
    const std::pair<Real, Real> brackets[] = {{b.left, b.gapLeft}, {b.right, b.gapRight}};
    for (const auto& [side, gapEdge] : brackets) {
      canvas.MoveTo(Round(gapEdge), Round(b.top));
      canvas.LineTo(Round(side), Round(b.top));
      canvas.LineTo(Round(side), Round(b.bottom));
      canvas.LineTo(Round(gapEdge), Round(b.bottom));
    }
    return;
  }
  for (const Real y : {b.top, b.bottom}) {
    Segment(canvas, b.gapLeft, y, frameLeft, y);
    Segment(canvas, b.gapRight, y, frameRight, y);
  }
  Verticals(canvas, b);
}

void DrawEllipseCentreLines(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/,
                            TBrushStyle brushStyle, int W, int H, int clw, int clh, int abw, int clcx, int clcy, int pw,
                            int pw4) {
  if (pw4 <= 0 || pw == H) return;
  const Real d = static_cast<Real>(H) - pw;
  const Real rt = (clh - 2 * static_cast<Real>(clcy)) / d, rb = (clh + 2 * static_cast<Real>(clcy)) / d;
  // A band that would leave the ellipse is not drawn at all.
  if (!(std::fabs(rt) <= 1 && std::fabs(rb) <= 1)) return;
  SetBandPen(canvas, penColour, brushStyle, pw4);
  const TBand b = MakeBand(X, Y, W, H, clw, clh, abw, clcx, clcy, pw);
  const Real halfAxis = (static_cast<Real>(W) - pw) / 2;
  const Real halfTop = halfAxis * std::cos(std::asin(rt)), halfBottom = halfAxis * std::cos(std::asin(rb));
  const Real ex = X + W / Real(2);
  if (abw <= 0) {
    Segment(canvas, ex + halfTop, b.top, ex - halfTop, b.top);
    Segment(canvas, ex + halfBottom, b.bottom, ex - halfBottom, b.bottom);
  } else {
    Segment(canvas, b.gapLeft, b.top, ex - halfTop, b.top);
    Segment(canvas, b.gapRight, b.top, ex + halfTop, b.top);
    Segment(canvas, b.gapLeft, b.bottom, ex - halfBottom, b.bottom);
    Segment(canvas, b.gapRight, b.bottom, ex + halfBottom, b.bottom);
  }
  Verticals(canvas, b);
}

void DrawSplitCentreLine(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/,
                         TBrushStyle brushStyle, int W, int H, int clw, int abw, int clcx, int clcy, int pw4) {
  if (pw4 <= 0) return;
  // Unlike the bands, the split line keeps the seal colour on any style but a solid one.
  canvas.SetPenColor(brushStyle == platform::bsSolid ? platform::clWhite : penColour);
  canvas.SetPenWidth(pw4);
  const Real cx = X + W / Real(2) + clcx, cy = Y + H / Real(2) + clcy;
  const int y = Round(cy);
  const Real seg = (static_cast<Real>(clw) - abw) / 2;
  const int x1 = Round(cx - abw / Real(2) - pw4 / Real(2));
  const int x2 = Round(cx + abw / Real(2) + pw4 / Real(2));
  canvas.Line(x1, y, Round(x1 - seg), y);
  canvas.Line(x2, y, Round(x2 + seg), y);
}

}  // namespace seal
