#include <cmath>

#include "seal/draw_routines.h"
#include "platform/numeric.h"

namespace seal {

namespace {

// The pen sits on its centre line, so the stroke starts half a pen inside the element.
int Inset(int origin, int pw) { return platform::Round(origin + static_cast<long double>(pw) / 2); }

// Where the radial at the angle meets the ellipse inscribed in w × h about (cx, cy).
platform::TPoint EllipsePoint(long double cx, long double cy, int w, int h, int angle) {
  const long double t = angle * platform::kTenthDegreeToRadian;
  const long double sw = w * std::sin(t), ch = h * std::cos(t);
  const long double r = static_cast<long double>(w) * h / (2 * std::sqrt(sw * sw + ch * ch));
  return {platform::Round(cx + r * std::cos(t)), platform::Round(cy - r * std::sin(t))};
}

}  // namespace

void DrawHorzLine(int X, int Y, TCanvas& canvas, TColor penColour, int W, int pw) {
  canvas.SetPenColor(penColour);
  canvas.SetPenWidth(pw);
  const int x0 = Inset(X, pw), y0 = Inset(Y, pw);
  canvas.Line(x0, y0, x0 + W - pw, y0);
}

void DrawVertLine(int X, int Y, TCanvas& canvas, TColor penColour, int H, int pw) {
  canvas.SetPenColor(penColour);
  canvas.SetPenWidth(pw);
  const int x0 = Inset(X, pw), y0 = Inset(Y, pw);
  canvas.Line(x0, y0, x0, y0 + H - pw);
}

void DrawAnyAngleLine(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle,
                      int W, int H, int /*length*/, int angle, int pw) {
  SetCanvasPenBrush(canvas, pw, penColour, brushColour, brushStyle);
  const int x0 = Inset(X, pw), y0 = Inset(Y, pw);
  // A negative angle turns clockwise: −450 points where 3150 does.
  int a = angle % 3600;
  if (a < 0) a += 3600;
  if ((0 <= a && a < 900) || (1800 <= a && a < 2700))
    canvas.Line(x0, y0 + H - pw, x0 + W - pw, y0);
  else
    canvas.Line(x0, y0, x0 + W - pw, y0 + H - pw);
}

void DrawArc(int X, int Y, TCanvas& canvas, TColor penColour, TColor brushColour, TBrushStyle brushStyle, bool pie,
             int W, int H, int startAngle, int endAngle, int pw) {
  SetCanvasPenBrush(canvas, pw, penColour, brushColour, brushStyle);
  const int x0 = Inset(X, pw), y0 = Inset(Y, pw);
  const int w = W - pw, h = H - pw;
  // A box without width or height has no ellipse and no radius to find.
  if (w <= 0 || h <= 0) return;
  const long double cx = x0 + static_cast<long double>(w) / 2, cy = y0 + static_cast<long double>(h) / 2;
  const platform::TPoint s = EllipsePoint(cx, cy, w, h, startAngle);
  const platform::TPoint e = EllipsePoint(cx, cy, w, h, endAngle);
  if (pie)
    canvas.Pie(x0, y0, x0 + w, y0 + h, s.X, s.Y, e.X, e.Y);
  else
    canvas.Arc(x0, y0, x0 + w, y0 + h, s.X, s.Y, e.X, e.Y);
}

}  // namespace seal
