#include <array>
#include <span>

#include "seal/draw_routines.h"
#include "platform/gbk.h"
#include "platform/numeric.h"

namespace seal {

namespace {

using Real = long double;

// Where a cell sits in the text block along one axis: at the block's start edge, centred
// on the block, or against its end edge.
enum class TAnchor : uint8_t { Start, Centre, End };

struct TCellRule {
  TAnchor across, down;
  bool large;  // the one glyph of tw1 x th1
};

struct TNameLayout {
  std::span<const TCellRule> cells;  // in the order of the characters; the size is the capacity
  // The cells sit one pixel up and left of the block edges.
  bool shifted;
  // Character i moves right by i thirds of the block's free width (the row of four).
  bool stepped;
};

constexpr TAnchor S = TAnchor::Start, C = TAnchor::Centre, E = TAnchor::End;

constexpr std::array<TCellRule, 4> kName22{{{E, S, false}, {E, E, false}, {S, S, false}, {S, E, false}}};
constexpr std::array<TCellRule, 4> kName4{{{S, C, false}, {S, C, false}, {S, C, false}, {S, C, false}}};
constexpr std::array<TCellRule, 3> kName12{{{E, S, false}, {E, E, false}, {S, C, true}}};
constexpr std::array<TCellRule, 3> kName12A{{{C, S, true}, {E, E, false}, {S, E, false}}};
constexpr std::array<TCellRule, 3> kName21{{{S, S, false}, {S, E, false}, {E, C, true}}};
constexpr std::array<TCellRule, 3> kName21A{{{E, S, false}, {S, S, false}, {C, E, true}}};
constexpr std::array<TCellRule, 2> kName11{{{S, C, false}, {E, C, false}}};
constexpr std::array<TCellRule, 2> kName11A{{{C, S, false}, {C, E, false}}};
constexpr std::array<TCellRule, 3> kName111{{{S, C, false}, {C, C, false}, {E, C, false}}};

Real Place(Real centre, Real block, Real glyph, TAnchor anchor) {
  switch (anchor) {
    case TAnchor::Start:
      return centre - block / 2;
    case TAnchor::Centre:
      return centre - glyph / 2;
    case TAnchor::End:
      break;
  }
  return centre + block / 2 - glyph;
}

// A lead byte with nothing after it names no character; it keeps its cell and shows "?".
std::string_view Printable(std::string_view glyph) {
  if (glyph.size() == 1 && platform::IsGbkLeadByte(static_cast<unsigned char>(glyph[0]))) return "?";
  return glyph;
}

void DrawNameLayout(const TNameLayout& layout, int X, int Y, TCanvas& canvas, TColor penColour, TBrushStyle brushStyle,
                    const TNameSealText& t) {
  // Only an empty text stops the layout: the cells are sums and halves of the sizes,
  // defined for a block or an element of no width as for any other.
  if (t.text.empty()) return;
  const Real xc = X + static_cast<Real>(t.W) / 2 + t.cx;
  const Real yc = Y + static_cast<Real>(t.H) / 2 + t.cy;
  const Real shift = layout.shifted ? 1 : 0;
  const Real step = static_cast<Real>(t.bw - static_cast<long long>(t.tw)) / 3;
  const std::vector<std::string_view> glyphs = SplitGlyphs(t.text);
  TCanvasFontKeeper keeper(canvas);
  for (size_t i = 0; i < glyphs.size() && i < layout.cells.size(); ++i) {
    const TCellRule& cell = layout.cells[i];
    const int gw = cell.large ? t.tw1 : t.tw;
    const int gh = cell.large ? t.th1 : t.th;
    Real x = Place(xc, t.bw, gw, cell.across) - shift;
    if (layout.stepped) x += static_cast<Real>(i) * step;
    const Real y = Place(yc, t.bh, gh, cell.down) - shift;
    const std::string_view glyph = glyphs[i];
    const platform::TLogFont font = CreateSealFont(gw, gh, 0, t.face, t.weight, IsDoubleByteChar(glyph), t.italic);
    DrawFontGlyph(canvas, platform::Round(x), platform::Round(y), font, t.pw, t.blank, penColour, brushStyle,
                  Printable(glyph), false);
  }
}

}  // namespace

// The nine layout routines, one row each: the routine, its cells, whether the cells sit one
// pixel up and left of the block edges, and whether the characters step along the row.
#define BRELVONIX_NAME_LAYOUT(routine, cells, shifted, stepped)                                                 \
  void routine(int X, int Y, TCanvas& canvas, TColor penColour, TColor, TBrushStyle brushStyle,               \
               const TNameSealText& t) {                                                                        \
    DrawNameLayout({cells, shifted, stepped}, X, Y, canvas, penColour, brushStyle, t);                         \
  }
BRELVONIX_NAME_LAYOUT(DrawName22Text, kName22, true, false)
BRELVONIX_NAME_LAYOUT(DrawName4Text, kName4, false, true)
BRELVONIX_NAME_LAYOUT(DrawName12Text, kName12, true, false)
BRELVONIX_NAME_LAYOUT(DrawName12AText, kName12A, true, false)
BRELVONIX_NAME_LAYOUT(DrawName21Text, kName21, true, false)
BRELVONIX_NAME_LAYOUT(DrawName21AText, kName21A, true, false)
BRELVONIX_NAME_LAYOUT(DrawName11Text, kName11, false, false)
BRELVONIX_NAME_LAYOUT(DrawName11AText, kName11A, false, false)
BRELVONIX_NAME_LAYOUT(DrawName111Text, kName111, false, false)
#undef BRELVONIX_NAME_LAYOUT

}  // namespace seal
