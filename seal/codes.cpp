#include <cmath>
#include <numbers>

#include "seal/draw_routines.h"
#include "seal/ellipse_walk.h"
#include "platform/numeric.h"

namespace seal {

using platform::kTenthDegreeToRadian;
using platform::Round;

namespace {

using Real = long double;

// The code is laid out byte by byte: a double-byte character of it is two glyphs.
std::string_view CodeByte(const std::string& code, size_t i) { return std::string_view(code).substr(i, 1); }

}  // namespace

void DrawStraightCode(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/, TBrushStyle brushStyle,
                      const TFaceName& face, int cw, int ch, int W, int H, int weight, int codeLength, int pw,
                      int codeToFrame, int codePw, bool codeOn, bool topOrDown, bool blank, bool italic,
                      const std::string& code) {
  if (code.empty()) return;
  const Real halfBorder = pw / Real(2), halfGlyph = ch / Real(2);
  // Reals throughout, so that hostile sizes saturate instead of overflowing.
  const Real y0 = Y, bottom = y0 + H;
  int top;
  if (codeOn)
    top = topOrDown ? Round(y0 + halfBorder - halfGlyph) : Round(bottom - halfBorder - halfGlyph);
  else
    top = topOrDown ? Round(y0 + pw + codeToFrame) : Round(bottom - pw - codeToFrame - ch);
  const Real step = codeLength / static_cast<Real>(code.size() + 1);
  const Real left = X + (static_cast<Real>(W) - codeLength) / 2;
  const platform::TLogFont font = CreateSealFont(cw, ch, 0, face, weight, false, italic);

  TCanvasFontKeeper keeper(canvas);
  for (size_t i = 0; i < code.size(); ++i)
    DrawFontGlyph(canvas, Round(left + step * static_cast<Real>(i + 1) - cw / Real(2)), top, font, codePw, blank,
                  penColour, brushStyle, CodeByte(code, i), codeOn);
}

void DrawEllipseCode(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/, TBrushStyle brushStyle,
                     const TFaceName& face, bool topOrDown, bool codeOn, bool blank, bool italic, int codeToFrame,
                     int W, int H, int cw, int ch, int weight, int pw, int codeAngle, int codePw,
                     const std::string& code) {
  if (code.empty()) return;
  // The code's own ellipse: just inside the border, or through the border line, reaching
  // a little further out at the top than at the bottom.
  Real axisE, axisF;
  if (!codeOn) {
    axisE = W - 2 * (static_cast<Real>(pw) + codeToFrame);
    axisF = H - 2 * (static_cast<Real>(pw) + codeToFrame);
  } else if (topOrDown) {
    axisE = static_cast<Real>(W) - pw + ch;
    axisF = static_cast<Real>(H) - pw + ch;
  } else {
    axisE = W - pw + 7 * ch / Real(8);
    axisF = H - pw + 7 * ch / Real(8);
  }
  // A code ellipse shrunk to a point is the one shape the layout cannot follow: the turn
  // back along the arc divides by its size. A flat one, or one turned inside out by a wide
  // border, keeps every step defined and carries the code.
  if (axisE == 0 && axisF == 0) return;
  const int len = static_cast<int>(code.size());
  const TArcSpan arc = MakeArcSpan(codeAngle, topOrDown);
  const Real a = axisE / 2, b = axisF / 2;
  const Real a2 = axisE * axisE / 4, b2 = axisF * axisF / 4;
  const Real e2 = axisE * axisE, f2 = axisF * axisF;
  const Real ox = X + W / Real(2), oy = Y + H / Real(2);
  TEllipseWalk walk(a2, b2, arc);
  const Real step = walk.Length() / len;
  // Turns the glyph's reference a quarter of its width back along the arc.
  const Real correction = cw / (4 * std::sqrt(a2 + b2)) / kTenthDegreeToRadian;
  const Real offset = 3 * cw / Real(4);

  TCanvasFontKeeper keeper(canvas);
  for (int i = 0; i < len; ++i) {
    // The code glyph stands two tenths before where the walk stopped.
    const int base = walk.StopAngle(i * step + step / 2) - 2;
    const Real angle = topOrDown ? base - correction : base + correction;
    const Real w = angle * kTenthDegreeToRadian;
    const Real sw = std::sin(w), cwv = std::cos(w);
    const Real px = a * cwv, py = b * sw;
    // On a code ellipse without height both arguments are zeros, and atan2 reads their signs:
    // 0 above the centre, a half turn below, which is where the tangent of an ellipse tends
    // as it flattens.
    const Real phi = std::atan2(-f2 * px, e2 * py);
    // The quotient is 0 / 0 only for a glyph standing exactly at an end of a flat ellipse;
    // it is read as 0, the quarter turn that any ellipse with some height has there.
    const Real turn = std::acos(platform::ClampUnit(axisE * sw / std::sqrt(e2 * sw * sw + f2 * cwv * cwv)));
    Real rho = angle >= 900 && angle <= 2700 ? turn : -turn;
    Real x, y;
    size_t byte;
    if (topOrDown) {
      byte = static_cast<size_t>(i);
      x = ox + px - offset * std::cos(phi);
      y = oy - py + offset * std::sin(phi);
    } else {
      byte = static_cast<size_t>(len - 1 - i);
      rho += std::numbers::pi_v<Real>;
      x = ox + px + offset * std::cos(phi) - ch * cwv;
      y = oy - py - offset * std::sin(phi) + ch * sw;
    }
    DrawFontGlyph(canvas, Round(x), Round(y),
                  CreateSealFont(cw, ch, Round(rho / kTenthDegreeToRadian), face, weight, false, italic), codePw, blank,
                  penColour, brushStyle, CodeByte(code, byte), codeOn);
  }
}

void DrawRhombCode(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/, TBrushStyle brushStyle,
                   const TFaceName& face, bool /*topOrDown*/, bool codeOn, bool blank, bool italic, int pw,
                   int codeLength, int W, int H, int cw, int ch, int weight, int codeToFrame, int codePw,
                   const std::string& code) {
  if (code.empty() || W <= 0 || H <= 0) return;
  const Real len = static_cast<Real>(code.size());
  const Real theta = std::atan(static_cast<Real>(H) / W);
  const Real co = std::cos(theta), si = std::sin(theta);
  const Real alongX = codeLength * co, alongY = codeLength * si;
  Real xb = W / Real(4) - alongX / 2 + alongX / (2 * len) - cw * co / 2 - ch * si / 2 + pw / (2 * si);
  Real yb = H / Real(4) + alongY / 2 - alongY / (2 * len) - ch * co / 2 + cw * si / 2;
  if (!codeOn) {
    const Real inward = static_cast<Real>(codeToFrame) + ch;
    xb += inward * co;
    yb += inward * si;
  }
  const platform::TLogFont font =
      CreateSealFont(cw, ch, Round(theta / kTenthDegreeToRadian), face, weight, false, italic);

  TCanvasFontKeeper keeper(canvas);
  for (size_t i = 0; i < code.size(); ++i) {
    const Real n = static_cast<Real>(i);
    DrawFontGlyph(canvas, Round(X + xb + alongX * n / len), Round(Y + yb - alongY * n / len), font, codePw, blank,
                  penColour, brushStyle, CodeByte(code, i), codeOn);
  }
}

}  // namespace seal
