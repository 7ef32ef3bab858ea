// Sizes at the edge of what a seal can be: a text block or an element of no width, a code
// ellipse without height, a pen wider than half the seal, and rhombs whose last cut line
// falls past the side corners. Every cell and point below is worked out by hand from the
// layout rules at 10 px/mm; "half" rounds to the even neighbour.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/gbk.h"
#include "platform/recordingcanvas.h"
#include "seal/cut_lines.h"
#include "seal/draw_routines.h"

namespace seal {
namespace {

using platform::TRecordingCanvas;
using TRows = std::vector<std::string>;

constexpr TColor kRed = 0x0000FF;

// "x,y escapement" of every glyph drawn.
TRows Glyphs(const TRecordingCanvas& canvas) {
  TRows rows;
  for (const platform::TCanvasRecord& r : canvas.Records())
    if (r.Op == "TextOut")
      rows.push_back(std::to_string(r.Args[0]) + "," + std::to_string(r.Args[1]) + " " +
                     std::to_string(r.Font.Escapement));
  return rows;
}

TRows Points(const TArrayPoints& points) {
  TRows rows;
  for (const TPoint& p : points) rows.push_back(std::to_string(p.X) + "," + std::to_string(p.Y));
  return rows;
}

// Two characters side by side in a W x W element with a bw x bh block and g x g glyphs.
TRows NameSeal(int W, int bw, int bh, int g) {
  TNameSealText t;
  t.face = FaceName("宋体");
  t.W = t.H = W;
  t.bw = bw;
  t.bh = bh;
  t.tw = t.th = g;
  t.weight = 700;
  t.text = platform::Gbk("中国");
  TRecordingCanvas canvas;
  DrawName11Text(0, 0, canvas, kRed, kRed, platform::bsClear, t);
  return Glyphs(canvas);
}

// One digit at the top, inside the border, over 180°, glyphs 8 x 10.
TRows EllipseCode(int W, int H, int pw, int gap) {
  TRecordingCanvas canvas;
  DrawEllipseCode(0, 0, canvas, kRed, kRed, platform::bsClear, FaceName("黑体"), true, false, false, false, gap, W, H,
                  8, 10, 700, pw, 1800, 0, "7");
  return Glyphs(canvas);
}

struct TCase {
  const char* name;
  std::function<TRows()> draw;
  TRows expected;
};

TEST(DegenerateSizes, CellsAndPointsWhereTheRulesStayDefined) {
  const TCase cases[] = {
      // Centre 100; left cell x = 100 − 0/2, right 100 + 0/2 − 40; y = 100 − 40/2.
      {"name seal, block of no width", [] { return NameSeal(200, 0, 150, 40); }, {"100,80 0", "60,80 0"}},
      // Centre 0; left x = −155/2 = −77.5 → −78, right 77.5 − 80 = −2.5 → −2; y = −80/2.
      {"name seal, element of no width", [] { return NameSeal(0, 155, 155, 80); }, {"-78,-40 0", "-2,-40 0"}},
      // Code ellipse 120 − 2 × 15 = 90 by 30 − 2 × 15 = 0, centre (60, 15): e(t) = 45 |sin t|.
      // The walk from 1800 has 25805.5924 after e(900), just short of half the length
      // 25805.5946, so it stops at 898; the glyph at 896 less 8 / (4 × 45) rad = 25.465
      // tenths: 870.535, where cos = 0.05140, arc point (62.313, 15). The tangent of a flat
      // ellipse points along it, so the glyph starts 6 px back at (56.31, 15), upright.
      {"code ellipse without height", [] { return EllipseCode(120, 30, 5, 10); }, {"56,15 0"}},

      // 10 x 10 mm with a 6 mm pen and four lines, ends past the edges: 100 x 100 px, pw 60.
      // Rectangle: so = si = −1, f = 408 / 4 = 102, I = (400 − 480 − 8) / 4 = −22; two on
      // the top edge, one on the right, one on the bottom, leftovers 0. Inner ends from
      // (61, 61) step −22 along the inside-out inner frame: (39, 61), then (39, 59 − 22),
      // (39 + 22, 39).
      {"rect, pen wider than half",
       [] { return Points(BuildRectCutLines(100, 100, true, true, 4, 60)); },
       {"-1,-1", "101,-1", "101,101", "-1,101", "61,61", "39,61", "39,37", "61,39"}},
      // Ellipse: outer diameter 101, inner 100 − 120 − 1 = −21; span 3000 from 2400 to −600,
      // e = 50.5, step 1501 × 50.5 / 2: the shares of lines i = 0, 1, 2 (375.25, 1125.75 and
      // 1876.25 elements) end after 376, 1126 and 1877 tenths, at u = 2023, 1273, 522; the
      // last pair overwrites i = 1's. cos, sin 2023 = −0.92521,
      // −0.37946; 522 = 0.61291, 0.79016. Outer 50 ± 50.5 cos, 50 − 50.5 sin; inner with
      // −10.5 in place of 50.5, across the centre.
      {"ellipse, pen wider than half",
       [] { return Points(BuildEllipseCutLines(100, 100, true, true, false, 3000, 4, 60)); },
       {"3,69", "19,10", "81,10", "97,69", "60,46", "56,58", "44,58", "40,46"}},
      // Triangle: 100 / 75 + 1 = 2 on the base at x = −1 + 25, −1 + 75, inner y 60 + 1; one
      // on each side at y = 50, t = 25, pw / sin(atan 2) = 67.082: left inner
      // 67.082 + 1 + 25, right inner 100 − 67.082 − 1 − 25.
      {"triangle, pen wider than half",
       [] { return Points(BuildTriangleCutLines(100, 100, true, true, 4, 60)); },
       {"24,-1", "74,-1", "24,50", "74,50", "24,61", "74,61", "93,50", "7,50"}},
      // Rhomb: so = si = −2, dx = dy = 200 / 6 = 33.33, pw / sin 45° = 84.853: rows 33 and 67,
      // outer x 50 ∓ 35.33, inner 50 ± (84.853 + 2 − 33.33) = 103.52 and −3.52.
      {"rhomb, pen wider than half",
       [] { return Points(BuildRhombCutLines(100, 100, true, true, 4, 60)); },
       {"15,33", "85,33", "15,67", "85,67", "104,33", "-4,33", "104,67", "-4,67"}},
      // Ends inside the band, so = pw / 4 = 25: f = (200 − 8 × 25) / 4 = 0, no spacing at all.
      {"rect, frame of no length", [] { return Points(BuildRectCutLines(50, 50, false, false, 4, 100)); }, {}},

      // Rhomb 189 x 136, pw 5, ends past the edges: sin θ = 136 / 232.85 = 0.58408,
      // pw / sin θ = 8.560; the left lines run from 94.5 − 2 − g·dx to 94.5 + 10.560 − g·dx.
      // N = 1: dx = 126, row 90.67 → 91, x −33.5 to −20.94; the rhomb there spans 31.96 to
      // 157.04, so the one line is wholly outside and left out.
      {"rhomb, one line", [] { return Points(BuildRhombCutLines(189, 136, true, true, 1, 5)); }, {}},
      // N = 5: dx = 54, dy = 38.857. Group 1: rows 39 and 97, left 38.5 → 38 to 51.06 → 51,
      // right 150.5 → 150 to 137.94 → 138. Group 2 (one line): row 77.71 → 78, −15.5 → −16
      // to −2.94 → −3, where the rhomb starts at 13.90: left out.
      {"rhomb, five lines",
       [] { return Points(BuildRhombCutLines(189, 136, true, true, 5, 5)); },
       {"38,39", "150,39", "38,97", "150,97", "51,39", "138,39", "51,97", "138,97"}},
      // N = 9: dx = 34.364, dy = 24.727. Group 1: rows 25, 111; x 58.14, 70.70, 130.86,
      // 118.30. Group 2: rows 49.45 → 49, 86.55 → 87; x 23.77, 36.33, 165.23, 152.67.
      // Group 3: row 74.18 → 74, −10.59 to 1.97, where the rhomb starts at 8.34: left out.
      {"rhomb, nine lines",
       [] { return Points(BuildRhombCutLines(189, 136, true, true, 9, 5)); },
       {"58,25", "131,25", "58,111", "131,111", "24,49", "165,49", "24,87", "165,87", "71,25", "118,25", "71,111",
        "118,111", "36,49", "153,49", "36,87", "153,87"}},
      // A wide pen keeps the last line: 100 x 100, pw 10, N = 9, dx = dy = 18.18, pw / sin 45°
      // = 14.142. Group 3 lies on row 54.55 → 55 from 48 − 54.55 = −6.55 → −7 to
      // 66.14 − 54.55 = 11.60 → 12, past the rhomb's edge at 5 there: it crosses the
      // lower-left border and stays. Groups 1 and 2: rows 18, 82 and 36, 64; x 29.82, 47.96,
      // 70.18, 52.04 and 11.64, 29.78, 88.36, 70.22.
      {"rhomb, nine lines, wide pen",
       [] { return Points(BuildRhombCutLines(100, 100, true, true, 9, 10)); },
       {"30,18", "70,18", "30,82", "70,82", "12,36", "88,36", "12,64", "88,64", "-7,55", "48,18", "52,18", "48,82",
        "52,82", "30,36", "70,36", "30,64", "70,64", "12,55"}},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.draw(), c.expected) << c.name;
}

}  // namespace
}  // namespace seal
