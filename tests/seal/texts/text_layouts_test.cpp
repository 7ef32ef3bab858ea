// Text blocks, arc texts and slanted texts pinned glyph by glyph through the recording
// canvas, against positions and angles worked out by hand from the layout geometry.

#include <gtest/gtest.h>

#include "seal/draw_routines.h"
#include "platform/gbk.h"
#include "glyph_records.h"

namespace {

using namespace seal;
using platform::Gbk;
using platform::TRecordingCanvas;
using texttest::GlyphRows;
using texttest::Positions;
using texttest::TPos;
using texttest::TGlyphKind;
using texttest::TGlyphRow;

constexpr TColor kRed = 0x0000FF;


std::vector<int> Escapements(const std::vector<TGlyphRow>& rows) {
  std::vector<int> out;
  for (const TGlyphRow& g : rows) out.push_back(g.escapement);
  return out;
}

// ---- Text blocks

struct TBlockArgs {
  int X = 0, Y = 0;
  int cx = 0, cy = 0;
  int tw = 20, th = 20;
  int bw = 100, bh = 40;
  int W = 100, H = 40;
  int pw = 0;
  int lines = 2;
  bool rowCol = true, leftRight = true;
  bool blank = false, italic = false;
  TBrushStyle style = platform::bsClear;
  std::string text = Gbk("中文印章");
};

std::vector<TGlyphRow> Block(const TBlockArgs& a, TRecordingCanvas* keep = nullptr) {
  TRecordingCanvas local;
  TRecordingCanvas& canvas = keep ? *keep : local;
  DrawTextBlock(a.X, a.Y, canvas, kRed, 0x00FF00, a.style, FaceName("宋体"), a.cx, a.cy, a.tw, a.th, a.bw, a.bh, 400,
                a.W, a.H, a.pw, a.lines, a.rowCol, a.leftRight, a.blank, a.italic, a.text);
  return GlyphRows(canvas);
}

TEST(TextBlock, TwoRowsOfTwoCentreEachGlyphInItsCell) {
  // Box corner (−1, −1); cells 50 × 20; a 20 × 20 glyph sits 15 in from the cell's left
  // and 0 from its top.
  const std::vector<TGlyphRow> rows = Block({});
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(Positions(rows), (std::vector<TPos>{{14, -1}, {64, -1}, {14, 19}, {64, 19}}));
  const std::string chars[] = {Gbk("中"), Gbk("文"), Gbk("印"), Gbk("章")};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].text, chars[i]);
    EXPECT_EQ(rows[i].escapement, 0);
    // Full-width characters ask for half the width as their average character width.
    EXPECT_EQ(rows[i].width, 10);
    EXPECT_EQ(rows[i].height, 20);
    EXPECT_EQ(rows[i].weight, 400);
    EXPECT_EQ(rows[i].colour, kRed);
    EXPECT_EQ(rows[i].kind, TGlyphKind::plain);
  }
}

TEST(TextBlock, RowAndColumnOrders) {
  struct Case {
    bool rowCol, leftRight;
    std::vector<TPos> expected;
  } cases[] = {
      {true, true, {{14, -1}, {64, -1}, {14, 19}, {64, 19}}},
      {true, false, {{64, -1}, {14, -1}, {64, 19}, {14, 19}}},
      // Columns: two columns 50 wide, two cells 20 high in each.
      {false, true, {{14, -1}, {14, 19}, {64, -1}, {64, 19}}},
      {false, false, {{64, -1}, {64, 19}, {14, -1}, {14, 19}}},
  };
  for (const Case& c : cases) {
    TBlockArgs a;
    a.rowCol = c.rowCol;
    a.leftRight = c.leftRight;
    SCOPED_TRACE(testing::Message() << c.rowCol << c.leftRight);
    EXPECT_EQ(Positions(Block(a)), c.expected);
  }
}

TEST(TextBlock, ShortLastLinesStayEmpty) {
  // Three lines for four characters: two per line, the third line empty. Cells 50 × 40/3.
  TBlockArgs a;
  a.lines = 3;
  a.bh = a.H = 60;
  const std::vector<TGlyphRow> rows = Block(a);
  // By = 30 − 30 − 1; row j's glyph top = −1 + 10 − 10 + (j − 1) × 20.
  EXPECT_EQ(Positions(rows), (std::vector<TPos>{{14, -1}, {64, -1}, {14, 19}, {64, 19}}));
  // Five characters over two lines: three per line.
  a.lines = 2;
  a.bh = a.H = 40;
  a.bw = a.W = 90;
  a.text = "ABCDE";
  // Cells 30 wide: x = −1 + 15 − 10 + 30 (p − 1).
  EXPECT_EQ(Positions(Block(a)), (std::vector<TPos>{{4, -1}, {34, -1}, {64, -1}, {4, 19}, {34, 19}}));
}

TEST(TextBlock, OffsetsAndSeals) {
  TBlockArgs a;
  a.X = 100;
  a.Y = 200;
  a.cx = 3;
  a.cy = -5;
  EXPECT_EQ(Positions(Block(a)), (std::vector<TPos>{{117, 194}, {167, 194}, {117, 214}, {167, 214}}));
  // A negative seal draws white glyphs; a pen width gives filled outlines, hollow an outline.
  a.style = platform::bsSolid;
  a.pw = 2;
  for (const TGlyphRow& g : Block(a)) {
    EXPECT_EQ(g.colour, platform::clWhite);
    EXPECT_EQ(g.kind, TGlyphKind::outline);
  }
  a.style = platform::bsClear;
  a.blank = true;
  a.italic = true;
  for (const TGlyphRow& g : Block(a)) {
    EXPECT_EQ(g.colour, kRed);
    EXPECT_EQ(g.kind, TGlyphKind::hollow);
    EXPECT_EQ(g.italic, 1);
  }
}

TEST(TextBlock, NothingWithoutLinesOrCharacters) {
  TBlockArgs a;
  a.lines = 0;
  EXPECT_TRUE(Block(a).empty());
  a.lines = -2;
  EXPECT_TRUE(Block(a).empty());
  a.lines = 2;
  a.text.clear();
  TRecordingCanvas canvas;
  EXPECT_TRUE(Block(a, &canvas).empty());
  EXPECT_TRUE(canvas.Records().empty());
}

TEST(TextBlock, TheCanvasFontComesBack) {
  TRecordingCanvas canvas;
  platform::TLogFont before;
  before.Height = 33;
  before.SetFaceName(Gbk("黑体"));
  canvas.SetFont(before);
  Block({}, &canvas);
  EXPECT_EQ(canvas.Font(), before);
}

// ---- Arc texts

struct TArcArgs {
  int X = 0, Y = 0;
  int W = 100, H = 100;
  int cx = 0, cy = 0;
  int ew = 100, eh = 100;
  int tw = 20, th = 10;
  int span = 1800;
  bool top = true;
  TBrushStyle style = platform::bsClear;
  std::string text = "A";
};

std::vector<TGlyphRow> Arc(const TArcArgs& a, TRecordingCanvas* keep = nullptr) {
  TRecordingCanvas local;
  TRecordingCanvas& canvas = keep ? *keep : local;
  DrawEllipseText(a.X, a.Y, canvas, kRed, 0x00FF00, a.style, FaceName("宋体"), a.top, false, false, a.W, a.H, a.cx,
                  a.cy, a.ew, a.eh, a.tw, a.th, 700, a.span, 0, a.text);
  return GlyphRows(canvas);
}

// On a circle every tenth of a degree adds the same length (50 px radius), so the walk
// from the end stops after ceil((i + 1/2) × 1802 / len) tenths for the top half turn
// (901 elements from start to mid, doubled), and the glyph stands one tenth further on.
// Its cell's top-left is half a width back along the tangent from the arc point; the
// escapement is the tangent's angle, plus a half turn for a bottom text.
TEST(ArcText, OneGlyphOnTopStandsNearlyUpright) {
  const std::vector<TGlyphRow> rows = Arc({});
  ASSERT_EQ(rows.size(), 1u);
  // Angle 898: arc point (49 + 50 cos 89.8°, 49 − 50 sin 89.8°) = (49.17, −1.00), tangent
  // −0.2°: top-left (39.17, −1.03).
  EXPECT_EQ(rows[0].escapement, -2);
  EXPECT_EQ((TPos{rows[0].x, rows[0].y}), (TPos{39, -1}));
  // Single-byte: the full width is the average character width.
  EXPECT_EQ(rows[0].width, 20);
  EXPECT_EQ(rows[0].height, 10);
  EXPECT_EQ(rows[0].weight, 700);
}

TEST(ArcText, ThreeGlyphsOverTheTop) {
  TArcArgs a;
  a.text = "ABC";
  const std::vector<TGlyphRow> rows = Arc(a);
  ASSERT_EQ(rows.size(), 3u);
  // Angles 1498, 898, 297.
  EXPECT_EQ(Escapements(rows), (std::vector<int>{598, -2, -603}));
  EXPECT_EQ(Positions(rows), (std::vector<TPos>{{1, 32}, {39, -1}, {87, 16}}));
  EXPECT_EQ(rows[0].text, "A");
  EXPECT_EQ(rows[2].text, "C");
}

TEST(ArcText, BottomTextStartsWithItsLastCharacter) {
  TArcArgs a;
  a.text = "ABC";
  a.top = false;
  const std::vector<TGlyphRow> rows = Arc(a);
  ASSERT_EQ(rows.size(), 3u);
  // Angles 3298, 2698, 2097 walked from 3600; turned by a half turn and moved in by the
  // glyph height.
  EXPECT_EQ(Escapements(rows), (std::vector<int>{598, 3598, 2997}));
  EXPECT_EQ(rows[0].text, "C");
  EXPECT_EQ(rows[1].text, "B");
  EXPECT_EQ(rows[2].text, "A");
  EXPECT_EQ(Positions(rows), (std::vector<TPos>{{79, 78}, {39, 89}, {9, 60}}));
}

TEST(ArcText, FullTurnAndReducedSpans) {
  // Span 3600 on top runs from −900 to 2700: four glyphs a quarter turn apart at angles
  // 2248, 1348, 447, −453 (the angle is not brought into 0..3599).
  TArcArgs a;
  a.span = 3600;
  a.text = "ABCD";
  const std::vector<TGlyphRow> rows = Arc(a);
  EXPECT_EQ(Escapements(rows), (std::vector<int>{1348, 448, -453, -1353}));
  EXPECT_EQ(Positions(rows), (std::vector<TPos>{{21, 91}, {7, 21}, {78, 7}, {91, 78}}));
  // Above a full turn whole turns are taken off.
  TArcArgs reduced = a, plain = a;
  reduced.span = 3700;
  plain.span = 100;
  TRecordingCanvas r1, r2;
  Arc(reduced, &r1);
  Arc(plain, &r2);
  EXPECT_EQ(r1.Lines(), r2.Lines());
  reduced.span = 3600 * 5 + 100;
  TRecordingCanvas r3;
  Arc(reduced, &r3);
  EXPECT_EQ(r3.Lines(), r2.Lines());
}

TEST(ArcText, EmptyAndNegativeSpansStackTheGlyphs) {
  // Span 0: the arc is the one element at 900; the glyph stops after it, at 898.
  TArcArgs a;
  a.span = 0;
  const std::vector<TGlyphRow> one = Arc(a);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ((TPos{one[0].x, one[0].y}), (TPos{39, -1}));
  EXPECT_EQ(one[0].escapement, -2);
  // The length counts that element twice, so a second glyph's share lies past the arc's
  // start: the walk goes on beyond it (to 898), and the glyph stands at 897.
  a.text = "AB";
  const std::vector<TGlyphRow> two = Arc(a);
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].escapement, -2);
  EXPECT_EQ(two[1].escapement, -3);
  EXPECT_EQ((TPos{two[1].x, two[1].y}), (TPos{39, -1}));  // (39.26, −1.05)
  // A negative span has no length: the walk never moves from its end (800), so every glyph
  // stands at 799: arc point (57.77, −0.23), tangent −10.1°, top-left (47.92, −1.98).
  a.span = -200;
  a.text = "ABC";
  const std::vector<TGlyphRow> rows = Arc(a);
  ASSERT_EQ(rows.size(), 3u);
  for (const TGlyphRow& g : rows) {
    EXPECT_EQ((TPos{g.x, g.y}), (TPos{48, -2}));
    EXPECT_EQ(g.escapement, -101);
  }
}

TEST(ArcText, NothingWithoutTextOrAxes) {
  TArcArgs a;
  a.text.clear();
  EXPECT_TRUE(Arc(a).empty());
  a.text = "AB";
  a.ew = 0;
  EXPECT_TRUE(Arc(a).empty());
  a.ew = 100;
  a.eh = -4;
  EXPECT_TRUE(Arc(a).empty());
}

TEST(ArcText, CentreOffsetAndNegativeSeal) {
  TArcArgs a;
  a.X = 10;
  a.Y = 20;
  a.cx = 5;
  a.cy = 7;
  a.style = platform::bsSolid;
  TRecordingCanvas canvas;
  platform::TLogFont before;
  before.Height = 41;
  canvas.SetFont(before);
  const std::vector<TGlyphRow> rows = Arc(a, &canvas);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ((TPos{rows[0].x, rows[0].y}), (TPos{39 + 15, -1 + 27}));
  EXPECT_EQ(rows[0].colour, platform::clWhite);
  EXPECT_EQ(canvas.Font(), before);
}

// ---- Slanted texts

std::vector<TGlyphRow> Slanted(int angle, const std::string& text, int W = 20, int H = 20, int tw = 10, int th = 10) {
  TRecordingCanvas canvas;
  DrawAngleText(0, 0, canvas, kRed, 0, platform::bsClear, FaceName("宋体"), true, false, false, W, H, tw, th, 999,
                angle, 0, 400, text);
  return GlyphRows(canvas);
}

TEST(AngleText, FortyFiveDegreesRunsUpFromTheBottomLeft) {
  // Slot centres (5, 15) and (15, 5); a 10 × 10 cell turned 45° has its centre at
  // top-left + (7.07, 0): top-lefts (−2.07, 15) and (7.93, 5).
  const std::vector<TGlyphRow> rows = Slanted(450, "AB");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(Positions(rows), (std::vector<TPos>{{-2, 15}, {8, 5}}));
  EXPECT_EQ(Escapements(rows), (std::vector<int>{450, 450}));
  EXPECT_EQ(rows[0].text, "A");
}

TEST(AngleText, EachQuadrantStartsInTheOppositeCorner) {
  // Upright and axis-aligned cases of a 40 × 20 box with two 10 × 10 glyphs: slots centred
  // at x 10 and 30, y 5 and 15.
  struct Case {
    int angle;
    std::vector<TPos> expected;
  } cases[] = {
      // 0: left to right, top-lefts centre − (5, 5), first at the bottom left.
      {0, {{5, 10}, {25, 0}}},
      // 900: turned a quarter, the cell hangs to the left of its top-left; from the bottom
      // right: centre (30, 15) gives top-left (25, 20).
      {900, {{25, 20}, {5, 10}}},
      // 1800: upside down, from the top right: centre (30, 5), top-left (35, 10).
      {1800, {{35, 10}, {15, 20}}},
      // 2700: from the top left: centre (10, 5), top-left (15, 0).
      {2700, {{15, 0}, {35, 10}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    EXPECT_EQ(Positions(Slanted(c.angle, "AB", 40, 20)), c.expected);
  }
}

TEST(AngleText, AnglesAreBroughtIntoOneTurn) {
  const auto asDrawn = [](int angle) {
    std::vector<std::pair<TPos, int>> out;
    for (const TGlyphRow& g : Slanted(angle, "ABC", 60, 30)) out.push_back({{g.x, g.y}, g.escapement});
    return out;
  };
  EXPECT_EQ(asDrawn(-900), asDrawn(2700));
  EXPECT_EQ(asDrawn(3600), asDrawn(0));
  EXPECT_EQ(asDrawn(-4500), asDrawn(2700));
  EXPECT_EQ(asDrawn(-900)[0].second, 2700);
  EXPECT_TRUE(Slanted(450, "").empty());
}

}  // namespace
