// Serial codes along straight, elliptic and rhomb frames, pinned glyph by glyph against
// positions worked out by hand.

#include <gtest/gtest.h>

#include "seal/draw_routines.h"
#include "platform/gbk.h"
#include "glyph_records.h"

namespace {

using namespace seal;
using platform::TRecordingCanvas;
using texttest::GlyphRows;
using texttest::Positions;
using texttest::TPos;
using texttest::TGlyphKind;
using texttest::TGlyphRow;

constexpr TColor kRed = 0x0000FF;


std::string Texts(const std::vector<TGlyphRow>& rows) {
  std::string out;
  for (const TGlyphRow& g : rows) out += g.text;
  return out;
}

struct TStraightArgs {
  int X = 0, Y = 0;
  int W = 200, H = 200;
  int cw = 10, ch = 10;
  int length = 100;
  int pw = 6, gap = 4;
  int codePw = 0;
  bool on = true, top = false;
  TBrushStyle style = platform::bsClear;
  std::string code = "1234";
};

std::vector<TGlyphRow> Straight(const TStraightArgs& a, TRecordingCanvas* keep = nullptr) {
  TRecordingCanvas local;
  TRecordingCanvas& canvas = keep ? *keep : local;
  DrawStraightCode(a.X, a.Y, canvas, kRed, 0x00FF00, a.style, FaceName("黑体"), a.cw, a.ch, a.W, a.H, 400, a.length,
                   a.pw, a.gap, a.codePw, a.on, a.top, false, false, a.code);
  return GlyphRows(canvas);
}

TEST(StraightCode, FourDigitsDivideTheLengthIntoFiveParts) {
  // Centres at 50 + 20, 40, 60, 80 = 70, 90, 110, 130; on the bottom border line: the top
  // at 200 − 3 − 5 = 192.
  const std::vector<TGlyphRow> rows = Straight({});
  EXPECT_EQ(Positions(rows), (std::vector<TPos>{{65, 192}, {85, 192}, {105, 192}, {125, 192}}));
  EXPECT_EQ(Texts(rows), "1234");
  for (const TGlyphRow& g : rows) {
    EXPECT_EQ(g.escapement, 0);
    EXPECT_EQ(g.width, 10);  // the code never halves its width
    EXPECT_EQ(g.height, 10);
    // On the border the code is knocked out in white, filled solid.
    EXPECT_EQ(g.colour, platform::clWhite);
  }
}

TEST(StraightCode, RowHeightByPlaceAndSide) {
  struct Case {
    bool on, top;
    int y;
  } cases[] = {
      {true, true, 20 - 2},       // round(20 + 3 − 5)
      {true, false, 20 + 192},    // round(20 + 200 − 3 − 5)
      {false, true, 20 + 6 + 4},  // inside below the top border
      {false, false, 20 + 200 - 6 - 4 - 10},
  };
  for (const Case& c : cases) {
    TStraightArgs a;
    a.X = 7;
    a.Y = 20;
    a.on = c.on;
    a.top = c.top;
    const std::vector<TGlyphRow> rows = Straight(a);
    ASSERT_EQ(rows.size(), 4u);
    SCOPED_TRACE(testing::Message() << c.on << c.top);
    EXPECT_EQ(rows[0].y, c.y);
    EXPECT_EQ(rows[0].x, 72);
  }
  // An odd border width puts the on-border row on a half pixel: 3/2 − 10/2 + 0.5 rounds to even.
  TStraightArgs a;
  a.pw = 5;
  a.top = true;
  EXPECT_EQ(Straight(a)[0].y, -2);  // round(2.5 − 5) = round(−2.5) = −2
}

TEST(StraightCode, ColourInsideTheBorderFollowsTheSeal) {
  TStraightArgs a;
  a.on = false;
  for (const TGlyphRow& g : Straight(a)) EXPECT_EQ(g.colour, kRed);
  a.style = platform::bsSolid;
  for (const TGlyphRow& g : Straight(a)) EXPECT_EQ(g.colour, platform::clWhite);
  a.style = platform::bsClear;
  a.codePw = 1;
  for (const TGlyphRow& g : Straight(a)) EXPECT_EQ(g.kind, TGlyphKind::outline);
}

TEST(StraightCode, OneGlyphPerByteAndNothingForNoCode) {
  TStraightArgs a;
  a.code = platform::Gbk("中");
  const std::vector<TGlyphRow> rows = Straight(a);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].text, a.code.substr(0, 1));
  EXPECT_EQ(rows[1].text, a.code.substr(1, 1));
  // Two glyphs over 100: centres at 50 + 33.3 and 50 + 66.7.
  EXPECT_EQ(Positions(rows), (std::vector<TPos>{{78, 192}, {112, 192}}));
  a.code.clear();
  TRecordingCanvas canvas;
  Straight(a, &canvas);
  EXPECT_TRUE(canvas.Records().empty());
}

struct TEllipseArgs {
  int W = 100, H = 100;
  int cw = 8, ch = 10;
  int pw = 5, gap = 5;
  int span = 1800;
  bool on = false, top = true;
  std::string code = "7";
};

std::vector<TGlyphRow> EllipseCode(const TEllipseArgs& a, TRecordingCanvas* keep = nullptr) {
  TRecordingCanvas local;
  TRecordingCanvas& canvas = keep ? *keep : local;
  DrawEllipseCode(0, 0, canvas, kRed, 0, platform::bsClear, FaceName("黑体"), a.top, a.on, false, false, a.gap, a.W,
                  a.H, a.cw, a.ch, 400, a.pw, a.span, 0, a.code);
  return GlyphRows(canvas);
}

TEST(EllipseCode, OneDigitOnTopOfAnInnerCircle) {
  // Inner code circle 100 − 2 × 10 = 80 across, centre (50, 50), no −1 offset. The walk
  // stops at 899 as for a text, the code stands at 897 less the correction
  // 8 / (4 × 56.57) rad = 20.26 tenths: 876.74. Arc point (51.62, 10.03), tangent −2.33°,
  // three quarters of the width back: (45.63, 9.79); escapement −23.
  const std::vector<TGlyphRow> rows = EllipseCode({});
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ((TPos{rows[0].x, rows[0].y}), (TPos{46, 10}));
  EXPECT_EQ(rows[0].escapement, -23);
  EXPECT_EQ(rows[0].colour, kRed);
  EXPECT_EQ(rows[0].width, 8);
}

TEST(EllipseCode, OneDigitAtTheBottom) {
  // Walk from 3600 stops at 2699; base 2697 plus the correction: 2717.26, past 2700, so the
  // negative arc-cosine plus a half turn: escapement 17. Arc point (51.19, 89.98), moved
  // in by the height: (44.91, 80.17).
  TEllipseArgs a;
  a.top = false;
  const std::vector<TGlyphRow> rows = EllipseCode(a);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ((TPos{rows[0].x, rows[0].y}), (TPos{45, 80}));
  EXPECT_EQ(rows[0].escapement, 17);
}

TEST(EllipseCode, BottomCodeReadsLeftToRight) {
  TEllipseArgs a;
  a.top = false;
  a.code = "1234";
  const std::vector<TGlyphRow> rows = EllipseCode(a);
  EXPECT_EQ(Texts(rows), "4321");
  // Drawn from the right end: x falls glyph by glyph.
  ASSERT_EQ(rows.size(), 4u);
  for (size_t i = 1; i < rows.size(); ++i) EXPECT_LT(rows[i].x, rows[i - 1].x);
}

TEST(EllipseCode, AxesOnTheBorderLine) {
  // On the border the code circle grows by the glyph height at the top: 100 − 5 + 10 =
  // 105 across. Correction 8 / (4 × 74.25) rad = 15.43 tenths: angle 881.57, arc point
  // (51.69, −2.47), tangent −1.84°: top-left (45.69, −2.67).
  TEllipseArgs a;
  a.on = true;
  const std::vector<TGlyphRow> top = EllipseCode(a);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ((TPos{top[0].x, top[0].y}), (TPos{46, -3}));
  EXPECT_EQ(top[0].colour, platform::clWhite);
}

TEST(EllipseCode, ReducedSpanAndDegenerateAxes) {
  TEllipseArgs a;
  a.code = "1234";
  a.span = 3700;
  TRecordingCanvas r1, r2;
  EllipseCode(a, &r1);
  a.span = 100;
  EllipseCode(a, &r2);
  EXPECT_EQ(r1.Lines(), r2.Lines());
  // Axes of 100 − 2 × (30 + 20) = 0: a point, nothing to lay the code along.
  a.pw = 30;
  a.gap = 20;
  EXPECT_TRUE(EllipseCode(a).empty());
  // A height of 10 − 20 < 0 turns the code ellipse inside out; it still carries the code.
  a.pw = 5;
  a.gap = 5;
  a.H = 10;
  EXPECT_EQ(EllipseCode(a).size(), 4u);
  a.H = 100;
  a.code.clear();
  EXPECT_TRUE(EllipseCode(a).empty());
}

std::vector<TGlyphRow> Rhomb(bool on, int W = 100, int H = 100, const std::string& code = "12") {
  TRecordingCanvas canvas;
  DrawRhombCode(0, 0, canvas, kRed, 0, platform::bsClear, FaceName("黑体"), true, on, false, false, 4, 40, W, H, 10, 10,
                400, 2, 0, code);
  return GlyphRows(canvas);
}

TEST(RhombCode, SquareRhombRisesAtFortyFiveDegrees) {
  // θ = 45°, G = Gy = 28.28 over two glyphs; start (13.69, 32.07) on the border, moved
  // 12 × 0.707 in each direction inside it.
  const std::vector<TGlyphRow> on = Rhomb(true);
  EXPECT_EQ(Positions(on), (std::vector<TPos>{{14, 32}, {28, 18}}));
  for (const TGlyphRow& g : on) {
    EXPECT_EQ(g.escapement, 450);
    EXPECT_EQ(g.colour, platform::clWhite);
  }
  const std::vector<TGlyphRow> inside = Rhomb(false);
  EXPECT_EQ(Positions(inside), (std::vector<TPos>{{22, 41}, {36, 26}}));
  EXPECT_EQ(inside[0].colour, kRed);
  EXPECT_EQ(Texts(inside), "12");
}

TEST(RhombCode, FlatRhombAndDegenerateBoxes) {
  // 200 × 100: θ = arctan(1/2) = 26.57°.
  const std::vector<TGlyphRow> flat = Rhomb(true, 200, 100);
  ASSERT_EQ(flat.size(), 2u);
  EXPECT_EQ(flat[0].escapement, 266);
  EXPECT_TRUE(Rhomb(true, 0, 100).empty());
  EXPECT_TRUE(Rhomb(true, 100, -1).empty());
  EXPECT_TRUE(Rhomb(true, 100, 100, "").empty());
}

}  // namespace
