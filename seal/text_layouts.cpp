#include <algorithm>
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

Real Half(int v) { return static_cast<Real>(v) / 2; }

}  // namespace

void DrawTextBlock(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/, TBrushStyle brushStyle,
                   const TFaceName& face, int cx, int cy, int tw, int th, int bw, int bh, int weight, int W, int H,
                   int pw, int rowColCount, bool rowCol, bool leftRight, bool blank, bool italic,
                   const std::string& text) {
  const std::vector<std::string_view> glyphs = SplitGlyphs(text);
  const int lines = rowColCount;
  // Without characters there would be no cell to divide the box into.
  if (lines <= 0 || glyphs.empty()) return;
  const long long len = static_cast<long long>(glyphs.size());
  const long long perLine = len / lines + (len % lines != 0 ? 1 : 0);

  const Real bx = X + Half(W) + cx - Half(bw) - 1;
  const Real by = Y + Half(H) + cy - Half(bh) - 1;
  // Half a cell along the line and across the lines, less half the glyph.
  const Real alongW = bw / static_cast<Real>(2 * perLine), alongH = bh / static_cast<Real>(2 * perLine);
  const Real acrossW = bw / static_cast<Real>(2LL * lines), acrossH = bh / static_cast<Real>(2LL * lines);

  TCanvasFontKeeper keeper(canvas);
  size_t c = 0;
  for (long long j = 1; j <= lines && c < glyphs.size(); ++j) {
    for (long long p = 1; p <= perLine && c < glyphs.size(); ++p, ++c) {
      Real x, y;
      if (rowCol) {
        const Real step = static_cast<Real>((p - 1) * bw) / perLine;
        x = leftRight ? bx + alongW - Half(tw) + step : bx + bw - alongW - Half(tw) - step;
        y = by + acrossH - Half(th) + static_cast<Real>((j - 1) * bh) / lines;
      } else {
        const long long column = leftRight ? j - 1 : lines - j;
        x = bx + acrossW - Half(tw) + static_cast<Real>(column * bw) / lines;
        y = by + alongH - Half(th) + static_cast<Real>((p - 1) * bh) / perLine;
      }
      const std::string_view g = glyphs[c];
      DrawFontGlyph(canvas, Round(x), Round(y), CreateSealFont(tw, th, 0, face, weight, IsDoubleByteChar(g), italic),
                    pw, blank, penColour, brushStyle, g, false);
    }
  }
}

void DrawEllipseText(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/, TBrushStyle brushStyle,
                     const TFaceName& face, bool topOrDown, bool blank, bool italic, int W, int H, int cx, int cy,
                     int ew, int eh, int tw, int th, int weight, int span, int pw, const std::string& text) {
  const std::vector<std::string_view> glyphs = SplitGlyphs(text);
  if (glyphs.empty() || std::min(ew, eh) <= 0) return;
  const int len = static_cast<int>(glyphs.size());
  const TArcSpan arc = MakeArcSpan(span, topOrDown);

  const long long ew2 = static_cast<long long>(ew) * ew, eh2 = static_cast<long long>(eh) * eh;
  const Real a = Half(ew), b = Half(eh);
  const Real a2 = ew2 / Real(4), b2 = eh2 / Real(4);
  const Real ox = X + Half(W) + cx - 1, oy = Y + Half(H) + cy - 1;
  TEllipseWalk walk(a2, b2, arc);
  const Real step = walk.Length() / len;

  TCanvasFontKeeper keeper(canvas);
  canvas.SetBrushStyle(platform::bsClear);
  for (int i = 0; i < len; ++i) {
    // The text glyph stands one tenth before where the walk stopped.
    const int glyphAngle = walk.StopAngle(i * step + step / 2) - 1;
    const Real w = glyphAngle * kTenthDegreeToRadian;
    const Real sw = std::sin(w), cw = std::cos(w);
    const Real px = a * cw, py = b * sw;
    const Real phi = std::atan2(-static_cast<Real>(eh2) * px, static_cast<Real>(ew2) * py);
    const Real turn = std::acos(platform::ClampUnit(ew * sw / std::sqrt(ew2 * sw * sw + eh2 * cw * cw)));
    Real rho = glyphAngle >= 900 && glyphAngle < 2700 ? turn : -turn;
    const Real halfGlyph = Half(tw);
    Real x, y;
    std::string_view g;
    if (topOrDown) {
      g = glyphs[static_cast<size_t>(i)];
      x = px + ox - halfGlyph * std::cos(phi);
      y = oy - py + halfGlyph * std::sin(phi);
    } else {
      // Walked from its right end, the bottom text takes its characters last first and
      // stands inside the arc, turned upright.
      g = glyphs[static_cast<size_t>(len - 1 - i)];
      rho += std::numbers::pi_v<Real>;
      x = px + ox + halfGlyph * std::cos(phi) - th * cw;
      y = oy - py - halfGlyph * std::sin(phi) + th * sw;
    }
    DrawFontGlyph(canvas, Round(x), Round(y),
                  CreateSealFont(tw, th, Round(rho / kTenthDegreeToRadian), face, weight, IsDoubleByteChar(g), italic),
                  pw, blank, penColour, brushStyle, g, false);
  }
}

void DrawAngleText(int X, int Y, TCanvas& canvas, TColor penColour, TColor /*brushColour*/, TBrushStyle brushStyle,
                   const TFaceName& face, bool /*bold*/, bool italic, bool blank, int W, int H, int tw, int th,
                   int /*length*/, int angle, int pw, int weight, const std::string& text) {
  const std::vector<std::string_view> glyphs = SplitGlyphs(text);
  if (glyphs.empty()) return;
  const long long len = static_cast<long long>(glyphs.size());
  angle %= 3600;
  if (angle < 0) angle += 3600;
  const Real co = std::fabs(std::cos(angle * kTenthDegreeToRadian));
  const Real si = std::fabs(std::sin(angle * kTenthDegreeToRadian));
  const int quadrant = angle / 900;

  // Half a slot of the box's diagonal, less the turned glyph's half extent.
  const Real slotW = W / static_cast<Real>(2 * len), slotH = H / static_cast<Real>(2 * len);
  const Real gwCo = tw * co / 2, gwSi = tw * si / 2, ghCo = th * co / 2, ghSi = th * si / 2;
  Real bx = 0, by = 0;
  switch (quadrant) {
    case 0:
      bx = X + slotW - gwCo - ghSi;
      by = Y - slotH - ghCo + gwSi;
      break;
    case 1:
      bx = X - slotW + gwCo - ghSi;
      by = Y - slotH + gwSi + ghCo;
      break;
    case 2:
      bx = X - slotW + gwCo + ghSi;
      by = Y + slotH + ghCo - gwSi;
      break;
    default:
      bx = X + slotW + ghSi - gwCo;
      by = Y + slotH - gwSi - ghCo;
      break;
  }

  TCanvasFontKeeper keeper(canvas);
  for (long long i = 1; i <= len; ++i) {
    const long long q = i - 1, r = len + 1 - i;
    // The text runs towards angle, so it starts in the corner opposite that direction.
    const long long xSlots = quadrant == 0 || quadrant == 3 ? q : r;
    const long long ySlots = quadrant == 0 || quadrant == 1 ? r : q;
    const std::string_view g = glyphs[static_cast<size_t>(q)];
    DrawFontGlyph(canvas, Round(bx + static_cast<Real>(xSlots * W) / len),
                  Round(by + static_cast<Real>(ySlots * H) / len),
                  CreateSealFont(tw, th, angle, face, weight, IsDoubleByteChar(g), italic), pw, blank, penColour,
                  brushStyle, g, false);
  }
}

}  // namespace seal
