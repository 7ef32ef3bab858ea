// Texts, codes, cut lines and centre bands drawn through whole elements (DrawTo), so that
// what the composition hands the layouts is checked against the same hand-worked fixtures.

#include <gtest/gtest.h>

#include <cmath>

#include "draw_fixture.h"
#include "platform/gbk.h"
#include "glyph_records.h"
#include "platform/recordingcanvas.h"
#include "seal/seal.h"

namespace {

using namespace seal;
using drawtest::At;
using drawtest::kRed;
using drawtest::MakeSeal;
using platform::Gbk;
using platform::TRecordingCanvas;
using texttest::GlyphRows;
using texttest::LineRecords;
using texttest::Positions;
using texttest::TPos;
using texttest::TGlyphRow;
using texttest::TLine;


TEST(ElementTexts, ArcTextElementUsesItsBoxAsTheEllipse) {
  // 10 mm at 10 px/mm: the circle of 100 px of the arc fixture, glyphs 20 × 10.
  auto s = MakeSeal(stEllipseText, 10, 10, 10);
  s->SetTextWidth(2);
  s->SetTextHeight(1);
  s->SetRealWidth(10);
  s->SetRealHeight(10);
  s->SetTextAngle(1800);
  s->SetText("ABC");
  ASSERT_EQ(s->Width(), 100);
  ASSERT_EQ(s->Height(), 100);
  TRecordingCanvas canvas;
  s->DrawTo(30, 40, &canvas, true);
  const std::vector<TGlyphRow> rows = GlyphRows(canvas);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(Positions(rows, 30, 40), (std::vector<TPos>{{1, 32}, {39, -1}, {87, 16}}));
  EXPECT_EQ(rows[0].escapement, 598);
  EXPECT_EQ(rows[1].escapement, -2);
  EXPECT_EQ(rows[2].escapement, -603);
  EXPECT_EQ(rows[0].width, 20);
  EXPECT_EQ(rows[0].height, 10);
  EXPECT_EQ(rows[0].colour, s->PenColor());
}

TEST(ElementTexts, TextBlockElementFillsItsBox) {
  auto s = MakeSeal(stHorzText, 10, 10, 4);
  s->SetTextWidth(2);
  s->SetTextHeight(2);
  s->SetRowColCount(2);
  s->SetText(Gbk("中文印章"));
  s->SetRealWidth(10);
  s->SetRealHeight(4);
  ASSERT_EQ(s->Width(), 100);
  ASSERT_EQ(s->Height(), 40);
  TRecordingCanvas canvas;
  s->DrawTo(0, 0, &canvas, true);
  EXPECT_EQ(Positions(GlyphRows(canvas), 0, 0), (std::vector<TPos>{{14, -1}, {64, -1}, {14, 19}, {64, 19}}));
}

// A round seal 42 mm across at 10 px/mm: 420 px, border 12 px.
std::unique_ptr<TSeal> RoundSeal(platform::TBrushStyle style) {
  auto s = MakeSeal(stEllipse, 10, 42, 42);
  s->SetBrushStyle(style);
  s->SetLineCount(12);
  s->SetLineWidth(0.3f);
  s->SetLineType(true);
  return s;
}

TEST(ElementCutLines, WhiteAcrossTheBorderOnBothStyles) {
  for (const auto style : {platform::bsClear, platform::bsSolid}) {
    SCOPED_TRACE(style == platform::bsClear ? "positive" : "negative");
    auto s = RoundSeal(style);
    QImage image = drawtest::FilledImage(460, 460);
    {
      platform::TPainterCanvas canvas(&image);
      s->DrawTo(20, 20, &canvas, true);
    }
    const TArrayPoints& p = s->CutLinePoints();
    ASSERT_EQ(p.size(), 24u);
    for (size_t i = 0; i < 12; ++i) {
      // Half way across the band, and where the border is red beside the line: a pixel a
      // little along the border (the same radius, a few pixels round).
      const int mx = 20 + (p[i].X + p[12 + i].X) / 2, my = 20 + (p[i].Y + p[12 + i].Y) / 2;
      EXPECT_EQ(At(image, mx, my), platform::clWhite) << i;
      const double dx = mx - 230, dy = my - 230, r = std::hypot(dx, dy);
      const double turn = 6.0 / r;  // six pixels along the circle
      const int sx = static_cast<int>(std::lround(230 + dx * std::cos(turn) - dy * std::sin(turn)));
      const int sy = static_cast<int>(std::lround(230 + dx * std::sin(turn) + dy * std::cos(turn)));
      EXPECT_EQ(At(image, sx, sy), kRed) << i;
    }
  }
}

TEST(ElementCentreLines, RoundSealBandThroughTheComposition) {
  // CLWidth 20 mm, CLHeight 6 mm, PenWidth4 0.3 mm: band 200 × 60 at the centre (210, 210),
  // pulled in by half the border (6): lines at 186 and 234, verticals at 116 and 304,
  // 3 px wide.
  for (const auto style : {platform::bsClear, platform::bsSolid}) {
    auto s = MakeSeal(stEllipse, 10, 42, 42);
    s->SetBrushStyle(style);
    s->SetPenWidth4(0.3f);
    TRecordingCanvas canvas;
    s->DrawTo(0, 0, &canvas, true);
    const std::vector<TLine> lines = LineRecords(canvas);
    ASSERT_GE(lines.size(), 4u);
    const std::vector<TLine> verticals(lines.end() - 2, lines.end());
    EXPECT_EQ(verticals, (std::vector<TLine>{{116, 186, 116, 234}, {304, 186, 304, 234}}));
    // Positive: the seal colour; negative: white.
    for (const platform::TCanvasRecord& r : canvas.Records()) {
      if (r.Op == "LineTo" && r.Pen.Width == 3) {
        EXPECT_EQ(r.Pen.Color, style == platform::bsClear ? kRed : platform::clWhite);
      }
    }
  }
}

TEST(ElementCodes, TriangleCodeRunsAlongTheBaseWhicheverSideIsChosen) {
  std::vector<int> tops;
  for (const bool top : {true, false}) {
    auto s = MakeSeal(stTriangle, 10, 42, 36);
    s->SetCode("1234");
    s->SetCodeTopOrDown(top);
    TRecordingCanvas canvas;
    s->DrawTo(0, 0, &canvas, true);
    const std::vector<TGlyphRow> rows = GlyphRows(canvas);
    ASSERT_EQ(rows.size(), 4u);
    tops.push_back(rows[0].y);
    for (const TGlyphRow& g : rows) EXPECT_EQ(g.colour, platform::clWhite);  // on the border
  }
  EXPECT_EQ(tops[0], tops[1]);
  // Centred on the 12 px base line: round(6 − 11/2) = round(0.5) = 0.
  EXPECT_EQ(tops[0], 0);
}

}  // namespace
