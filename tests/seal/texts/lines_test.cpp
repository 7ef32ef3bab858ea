// Cut-line drawers and centre lines pinned line by line through the recording canvas.

#include <gtest/gtest.h>

#include "seal/draw_routines.h"
#include "glyph_records.h"

namespace {

using namespace seal;
using platform::TRecordingCanvas;
using texttest::LineRecords;
using texttest::TLine;

constexpr TColor kRed = 0x0000FF;

// Two lines, written by hand: outer ends (10, 0) and (0, 10), inner ends (12, 4), (4, 12).
const TArrayPoints kTwo = {{10, 0}, {0, 10}, {12, 4}, {4, 12}};

struct TCutCase {
  const char* name;
  void (*draw)(TCanvas&, const TArrayPoints&, bool lineType, int N, bool codeOn, bool hasCode);
};

const TCutCase kDrawers[] = {
    {"rect", [](TCanvas& c, const TArrayPoints& p, bool t, int n, bool on,
                bool has) { DrawRectCutLines(c, 100, 200, p, t, n, 3, 9, on, has, true); }},
    {"ellipse", [](TCanvas& c, const TArrayPoints& p, bool t, int n, bool,
                   bool) { DrawEllipseCutLines(c, 100, 200, p, t, n, 3, 9); }},
    {"triangle", [](TCanvas& c, const TArrayPoints& p, bool t, int n, bool on,
                    bool has) { DrawTriangleCutLines(c, 100, 200, p, t, n, 3, 9, on, has, 100, 100); }},
    {"rhomb", [](TCanvas& c, const TArrayPoints& p, bool t, int n, bool on,
                 bool has) { DrawRhombCutLines(c, 100, 200, p, t, n, 3, 9, on, has, 100, 100); }},
};

TEST(CutLines, WhiteAtTheLineWidthOnEverySeal) {
  for (const TCutCase& d : kDrawers) {
    for (const TBrushStyle style : {platform::bsClear, platform::bsSolid}) {
      TRecordingCanvas canvas;
      canvas.SetPenColor(kRed);
      canvas.SetBrushColor(kRed);
      canvas.SetBrushStyle(style);
      d.draw(canvas, kTwo, true, 2, false, false);
      SCOPED_TRACE(d.name);
      ASSERT_EQ(LineRecords(canvas).size(), 2u);
      for (const platform::TCanvasRecord& r : canvas.Records()) {
        EXPECT_EQ(r.Pen.Color, platform::clWhite);
        EXPECT_EQ(r.Pen.Width, 3);
      }
    }
  }
}

TEST(CutLines, StraightLinesRunInwardsExceptOnRectangles) {
  // The rectangle draws from the inner end out, so its outer end loses the last pixel.
  const std::vector<TLine> rect = {{112, 204, 110, 200}, {104, 212, 100, 210}};
  const std::vector<TLine> others = {{110, 200, 112, 204}, {100, 210, 104, 212}};
  for (const TCutCase& d : kDrawers) {
    TRecordingCanvas canvas;
    d.draw(canvas, kTwo, true, 2, false, false);
    SCOPED_TRACE(d.name);
    EXPECT_EQ(LineRecords(canvas), std::string(d.name) == "rect" ? rect : others);
  }
}

TEST(CutLines, JoggedLinesBendAcrossTheBorder) {
  // pw 9: jog 4 on rectangles (pw div 2), 3 on ellipses and triangles (pw div 3), and on a
  // square rhomb round(9 / (4 sin 45°)) = round(3.18) = 3. Four lines so that both sets
  // show: outer (10, 0), (0, 10), (20, 0), (0, 20); inner the same + (2, 4).
  const TArrayPoints four = {{10, 0}, {0, 10}, {20, 0}, {0, 20}, {12, 4}, {2, 14}, {22, 4}, {2, 24}};
  const auto jog = [](int ox, int oy, int d1x, int d1y, int d2x, int d2y) {
    const int ix = ox + 2, iy = oy + 4;
    return std::vector<TLine>{
        {ox, oy, ox + d1x, oy + d1y}, {ox + d1x, oy + d1y, ix + d2x, iy + d2y}, {ix + d2x, iy + d2y, ix, iy}};
  };
  struct Case {
    const char* name;
    // d1 and d2 of each of the four lines.
    int d[4][4];
  } cases[] = {
      // First set i < N div 2.
      {"rect", {{4, 4, -4, -4}, {4, 4, -4, -4}, {-4, -4, 4, 4}, {-4, -4, 4, 4}}},
      {"ellipse", {{3, -3, -3, 3}, {3, -3, -3, 3}, {3, -3, 3, -3}, {3, -3, 3, -3}}},
      // First set i < 8 div 3 = 2.
      {"triangle", {{3, 3, -3, -3}, {3, 3, -3, -3}, {-3, 3, 3, -3}, {-3, 3, 3, -3}}},
      // Odd lines (−h, +h), (+h, −h); even lines (+h, +h), (−h, −h).
      {"rhomb", {{3, 3, -3, -3}, {-3, 3, 3, -3}, {3, 3, -3, -3}, {-3, 3, 3, -3}}},
  };
  for (size_t k = 0; k < 4; ++k) {
    TRecordingCanvas canvas;
    kDrawers[k].draw(canvas, four, false, 4, false, false);
    std::vector<TLine> expected;
    for (int i = 0; i < 4; ++i) {
      const auto& d = cases[k].d[i];
      const TPoint o = four[static_cast<size_t>(i)];
      for (const TLine& l : jog(100 + o.X, 200 + o.Y, d[0], d[1], d[2], d[3])) expected.push_back(l);
    }
    SCOPED_TRACE(cases[k].name);
    EXPECT_EQ(LineRecords(canvas), expected);
  }
}

std::vector<int> DrawnLines(size_t drawer, int N, bool codeOn, bool hasCode, bool codeTop = true) {
  TArrayPoints points;
  for (int i = 0; i < N; ++i) points.push_back({i, 0});
  for (int i = 0; i < N; ++i) points.push_back({i, 5});
  TRecordingCanvas canvas;
  if (drawer == 0)
    DrawRectCutLines(canvas, 0, 0, points, true, N, 1, 4, codeOn, hasCode, codeTop);
  else
    kDrawers[drawer].draw(canvas, points, true, N, codeOn, hasCode);
  // The shared drawers draw at X = 100; the line's index is its x.
  const int X = drawer == 0 ? 0 : 100;
  std::vector<int> out;
  for (const TLine& l : LineRecords(canvas)) out.push_back(l.x0 - X);
  return out;
}

TEST(CutLines, LinesUnderTheCodeAreLeftOut) {
  // Rectangle, 12 lines: code on top leaves out 1 ≤ i < 3; at the bottom 6 < i < 9.
  EXPECT_EQ(DrawnLines(0, 12, true, true, true), (std::vector<int>{0, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(DrawnLines(0, 12, true, true, false), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 9, 10, 11}));
  // Ellipse: none.
  EXPECT_EQ(DrawnLines(1, 4, true, true).size(), 4u);
  // Triangle 100 × 100, 6 lines: the first 600 div 300 + 1 = 3.
  EXPECT_EQ(DrawnLines(2, 6, true, true), (std::vector<int>{3, 4, 5}));
  // Rhomb: every fourth from the first.
  EXPECT_EQ(DrawnLines(3, 6, true, true), (std::vector<int>{1, 2, 3, 5}));
  // Only a code on the border that has characters hides lines.
  for (size_t d = 0; d < 4; ++d) {
    EXPECT_EQ(DrawnLines(d, 6, false, true).size(), 6u);
    EXPECT_EQ(DrawnLines(d, 6, true, false).size(), 6u);
  }
}

TEST(CutLines, NothingWithoutLinesOrPoints) {
  for (const TCutCase& d : kDrawers) {
    TRecordingCanvas canvas;
    d.draw(canvas, {}, true, 0, false, false);
    d.draw(canvas, kTwo, true, 3, false, false);  // more lines than points
    d.draw(canvas, kTwo, true, -1, false, false);
    SCOPED_TRACE(d.name);
    EXPECT_TRUE(canvas.Records().empty());
  }
  TRecordingCanvas canvas;
  DrawRhombCutLines(canvas, 0, 0, kTwo, true, 2, 1, 4, false, false, 0, 100);
  DrawRhombCutLines(canvas, 0, 0, kTwo, true, 2, 1, 4, false, false, 100, -5);
  EXPECT_TRUE(canvas.Records().empty());
}

// ---- Centre lines

struct TBandArgs {
  int W = 200, H = 200;
  int bw = 100, bh = 40;
  int gap = 0;
  int cx = 0, cy = 0;
  int pw = 4, lw = 2;
  TBrushStyle style = platform::bsClear;
};

TRecordingCanvas Boxed(const TBandArgs& a, bool boxed) {
  TRecordingCanvas canvas;
  DrawBoxedCentreLines(0, 0, canvas, kRed, 0x00FF00, a.style, a.W, a.H, a.bw, a.bh, a.gap, a.cx, a.cy, a.pw, a.lw,
                       boxed);
  return canvas;
}

TRecordingCanvas EllipseBand(const TBandArgs& a) {
  TRecordingCanvas canvas;
  DrawEllipseCentreLines(0, 0, canvas, kRed, 0x00FF00, a.style, a.W, a.H, a.bw, a.bh, a.gap, a.cx, a.cy, a.pw, a.lw);
  return canvas;
}

TRecordingCanvas Split(const TBandArgs& a) {
  TRecordingCanvas canvas;
  DrawSplitCentreLine(0, 0, canvas, kRed, 0x00FF00, a.style, a.W, a.H, a.bw, a.gap, a.cx, a.cy, a.lw);
  return canvas;
}

// A 200 × 200 control, band 100 × 40 at the centre, frame width 4: top line 100 − 20 + 2 =
// 82, bottom 118, verticals 52 and 148, the frame's inside from 2 to 198.
TEST(BoxedCentreLines, ClosedForms) {
  const TRecordingCanvas box = Boxed({}, true);
  ASSERT_EQ(box.Records().size(), 1u);
  EXPECT_EQ(box.Lines()[0], "Rectangle 52 82 148 118 pen 2 $000000FF brush bsClear $00FFFFFF");
  const TRecordingCanvas band = Boxed({}, false);
  EXPECT_EQ(LineRecords(band),
            (std::vector<TLine>{{2, 82, 198, 82}, {2, 118, 198, 118}, {52, 82, 52, 118}, {148, 82, 148, 118}}));
}

TEST(BoxedCentreLines, AGapOpensTheMiddle) {
  // Gap 20: edges at 100 ∓ 10 ± 2 = 92 and 108.
  TBandArgs a;
  a.gap = 20;
  EXPECT_EQ(LineRecords(Boxed(a, true)), (std::vector<TLine>{{92, 82, 52, 82},
                                                             {52, 82, 52, 118},
                                                             {52, 118, 92, 118},
                                                             {108, 82, 148, 82},
                                                             {148, 82, 148, 118},
                                                             {148, 118, 108, 118}}));
  EXPECT_EQ(LineRecords(Boxed(a, false)), (std::vector<TLine>{{92, 82, 2, 82},
                                                              {108, 82, 198, 82},
                                                              {92, 118, 2, 118},
                                                              {108, 118, 198, 118},
                                                              {52, 82, 52, 118},
                                                              {148, 82, 148, 118}}));
}

TEST(BoxedCentreLines, ColourOffsetAndWidth) {
  TBandArgs a;
  a.cx = 10;
  a.cy = -6;
  a.style = platform::bsSolid;
  const TRecordingCanvas moved = Boxed(a, true);
  EXPECT_EQ(moved.Lines()[0], "Rectangle 62 76 158 112 pen 2 $00FFFFFF brush bsClear $00FFFFFF");
  a.style = platform::bsCross;  // white on anything but a positive seal
  EXPECT_EQ(Boxed(a, true).Records()[0].Pen.Color, platform::clWhite);
  a.lw = 0;
  EXPECT_TRUE(Boxed(a, true).Records().empty());
  EXPECT_TRUE(Boxed(a, false).Records().empty());
}

TEST(EllipseCentreLines, BandEndsOnTheEllipse) {
  // Ellipse 196 across; the top line's ratio 40 / 196: half chord 98 × cos(arcsin 0.204) =
  // 95.94, so it runs from 195.94 to 4.06.
  const TRecordingCanvas band = EllipseBand({});
  EXPECT_EQ(LineRecords(band),
            (std::vector<TLine>{{196, 82, 4, 82}, {196, 118, 4, 118}, {52, 82, 52, 118}, {148, 82, 148, 118}}));
  EXPECT_EQ(band.Records()[0].Pen, (platform::TPen{2, kRed}));
  TBandArgs a;
  a.gap = 20;
  EXPECT_EQ(LineRecords(EllipseBand(a)), (std::vector<TLine>{{92, 82, 4, 82},
                                                             {108, 82, 196, 82},
                                                             {92, 118, 4, 118},
                                                             {108, 118, 196, 118},
                                                             {52, 82, 52, 118},
                                                             {148, 82, 148, 118}}));
}

TEST(EllipseCentreLines, OffCentreChordsAndBandsOutsideTheEllipse) {
  // cy = 49: top ratio (40 − 98) / 196, bottom (40 + 98) / 196: chords 93.61 and 69.59
  // half long, at 100 + 49 − 20 + 2 = 131 and 167.
  TBandArgs a;
  a.cy = 49;
  const std::vector<TLine> lines = LineRecords(EllipseBand(a));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], (TLine{194, 131, 6, 131}));
  EXPECT_EQ(lines[1], (TLine{170, 167, 30, 167}));
  a.cy = 80;  // (40 + 160) / 196 > 1
  EXPECT_TRUE(EllipseBand(a).Records().empty());
  a.cy = 0;
  a.pw = a.H;
  EXPECT_TRUE(EllipseBand(a).Records().empty());
  a.pw = 4;
  a.lw = 0;
  EXPECT_TRUE(EllipseBand(a).Records().empty());
  a.lw = 2;
  a.style = platform::bsSolid;
  EXPECT_EQ(EllipseBand(a).Records()[0].Pen.Color, platform::clWhite);
}

TEST(SplitCentreLine, PiecesMoveApartByHalfTheLineWidth) {
  // Band 100 long, gap 20, line width 4: seg 40; 100 − 10 − 2 = 88 → 48 and 112 → 152.
  TBandArgs a;
  a.gap = 20;
  a.lw = 4;
  const TRecordingCanvas split = Split(a);
  EXPECT_EQ(LineRecords(split), (std::vector<TLine>{{88, 100, 48, 100}, {112, 100, 152, 100}}));
  EXPECT_EQ(split.Records()[0].Pen, (platform::TPen{4, kRed}));
  // White only on a solid seal: a hatch keeps the seal colour, unlike the bands.
  a.style = platform::bsCross;
  EXPECT_EQ(Split(a).Records()[0].Pen.Color, kRed);
  a.style = platform::bsSolid;
  EXPECT_EQ(Split(a).Records()[0].Pen.Color, platform::clWhite);
  a.lw = 0;
  EXPECT_TRUE(Split(a).Records().empty());
}

}  // namespace
