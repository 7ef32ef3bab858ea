// Cut-line end points against values worked out by hand from the frame geometry.

#include "seal/cut_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace seal {
namespace {

using Points = TArrayPoints;

TEST(RectCutLines, FourLinesOnASquareSitAtTheCorners) {
  // 100 x 100, pw 8, both ends inside the band: so = si = 2, spacing 96 outside, 88 inside.
  const Points expected = {{2, 2}, {98, 2}, {98, 98}, {2, 98}, {6, 6}, {94, 6}, {94, 98}, {6, 94}};
  EXPECT_EQ(BuildRectCutLines(100, 100, false, false, 4, 8), expected);
}

TEST(RectCutLines, EndsPastTheEdgesMoveOutByOnePixel) {
  // so = si = -1: spacing (400 + 8) / 4 = 102 outside, (400 - 64 - 8) / 4 = 82 inside.
  const Points p = BuildRectCutLines(100, 100, true, true, 4, 8);
  ASSERT_EQ(p.size(), 8u);
  // Top edge: 102 / 102 + 1 = 2 points at x = -1 and 101.
  EXPECT_EQ(p[0], (TPoint{-1, -1}));
  EXPECT_EQ(p[1], (TPoint{101, -1}));
  EXPECT_EQ(p[4], (TPoint{9, 9}));
  EXPECT_EQ(p[5], (TPoint{91, 9}));
}

TEST(EllipseCutLines, OddCountOnACircle) {
  // Circle 100 px, so = si = -1: outer diameter 101, inner 83; arc length per tenth of a
  // degree is constant, so line i ends after ceil((2i + 1) * 301 / N) steps from 1200.
  // i = 0: 101 steps, angle 1098; i = 1 (the middle line, written twice): about 898.
  const Points expected = {{33, 2}, {50, 0}, {67, 2}, {36, 11}, {50, 9}, {64, 11}};
  EXPECT_EQ(BuildEllipseCutLines(100, 100, true, true, false, 600, 3, 8), expected);
}

TEST(EllipseCutLines, EvenCountLetsTheLastPairOverwriteTheMiddle) {
  // i = 0: 76 steps, angle 1123; i = 1: 973; i = 2: 822, whose pair overwrites i = 1's.
  const Points expected = {{31, 3}, {43, 0}, {57, 0}, {69, 3}, {34, 12}, {44, 9}, {56, 9}, {66, 12}};
  EXPECT_EQ(BuildEllipseCutLines(100, 100, true, true, false, 600, 4, 8), expected);
}

TEST(EllipseCutLines, CodeAtTheTopGathersTheLinesAtTheBottom) {
  const Points p = BuildEllipseCutLines(100, 100, true, true, true, 600, 3, 8);
  ASSERT_EQ(p.size(), 6u);
  // Mirror image of the top case: 2700 - 900 = 1800 tenths further round.
  EXPECT_EQ(p[0], (TPoint{67, 98}));
  EXPECT_EQ(p[1], (TPoint{50, 100}));
  EXPECT_EQ(p[2], (TPoint{33, 98}));
}

TEST(EllipseCutLines, SpanAboveAFullTurnIsReduced) {
  EXPECT_EQ(BuildEllipseCutLines(100, 80, true, true, false, 600 + 3600 * 2, 5, 6),
            BuildEllipseCutLines(100, 80, true, true, false, 600, 5, 6));
}

TEST(TriangleCutLines, OddRemainderMovesALineToTheBase) {
  // 100 x 100, N 6, pw 8, so = si = 2: 100 / 50 + 1 = 3 on the base leaves 3, odd, so 4
  // on the base and one on each side. Base x = 2 + (i + 0.5) * 25 with halves to even;
  // sides at y = 50, t = 25, pw / sin(atan 2) = 8.944.
  const Points expected = {{14, 2}, {40, 2}, {64, 2}, {90, 2}, {27, 50}, {77, 50},
                           {14, 6}, {40, 6}, {64, 6}, {90, 6}, {32, 50}, {68, 50}};
  EXPECT_EQ(BuildTriangleCutLines(100, 100, false, false, 6, 8), expected);
}

TEST(RhombCutLines, FourLinesOneOnEachEdge) {
  // 100 x 100, pw 8, so = si = 8/3; dx = dy = 200 / 6; pw / sin 45 = 11.314.
  const Points expected = {{19, 33}, {81, 33}, {19, 67}, {81, 67}, {25, 33}, {75, 33}, {25, 67}, {75, 67}};
  EXPECT_EQ(BuildRhombCutLines(100, 100, false, false, 4, 8), expected);
  // so = si = -2.
  const Points past = {{15, 33}, {85, 33}, {15, 67}, {85, 67}, {30, 33}, {70, 33}, {30, 67}, {70, 67}};
  EXPECT_EQ(BuildRhombCutLines(100, 100, true, true, 4, 8), past);
}

TEST(CutLines, NoLinesNoPoints) {
  for (int n : {0, -1, -1000}) {
    EXPECT_TRUE(BuildRectCutLines(100, 100, true, true, n, 8).empty());
    EXPECT_TRUE(BuildEllipseCutLines(100, 100, true, true, false, 3000, n, 8).empty());
    EXPECT_TRUE(BuildTriangleCutLines(100, 100, true, true, n, 8).empty());
    EXPECT_TRUE(BuildRhombCutLines(100, 100, true, true, n, 8).empty());
  }
}

TEST(CutLines, HugeCountsAreCapped) {
  EXPECT_EQ(BuildRectCutLines(300, 200, true, true, 1 << 30, 4).size(), 2u * kMaxCutLines);
  EXPECT_EQ(BuildRhombCutLines(300, 200, true, true, 1 << 30, 4).size(), 2u * kMaxCutLines);
}

// Small frames, wide pens, counts from none to many: either 2N points or none, and none
// far from the frame. Outer ends stay within the end offset (2 px, or a third of the pen) of the box.
// Inner ends stay within the pen's reach across the border along their line (pw, or
// pw / sin θ on the slanted sides of triangles and rhombs) and 2 px, except that a pen
// wider than the frame turns a rectangle's inner outline inside out, and its inner ends,
// stepping along it by its spacing, may then pass a corner by up to its perimeter. A
// rhomb with N mod 4 = 1 has its last line W / (2(N + 2)) further out to the side and
// keeps it only where it reaches into the rhomb, else gives the 2(N - 1) other points.
TEST(CutLines, DegenerateFramesStayNearTheirBox) {
  for (int W = 0; W <= 5; ++W)
    for (int H = 0; H <= 5; ++H)
      for (int pw = 0; pw <= 20; ++pw)
        for (int N : {-3, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17, 22, 29, 40})
          for (int flags = 0; flags < 8; ++flags) {
            const bool out = flags & 1, in = flags & 2, top = flags & 4;
            const Points sets[] = {
                BuildRectCutLines(W, H, out, in, N, pw),
                // Short arcs (3620 is 20 once reduced): the walk's cost grows with the arc.
                BuildEllipseCutLines(W, H, out, in, top, top ? 20 : 3620, N, pw),
                BuildTriangleCutLines(W, H, out, in, N, pw),
                BuildRhombCutLines(W, H, out, in, N, pw),
            };
            for (int b = 0; b < 4; ++b) {
              const Points& p = sets[b];
              const bool rhombSpread = b == 3 && N % 4 == 1;
              ASSERT_TRUE(p.empty() || (N > 0 && (p.size() == 2u * N || (rhombSpread && p.size() == 2u * (N - 1)))))
                  << W << "x" << H << " pw " << pw << " N " << N;
              if (p.empty()) continue;
              const double slope = b == 2 ? 2.0 * H / W : 1.0 * H / W;
              const double reach = b >= 2 ? pw / std::sin(std::atan(slope)) : pw;
              const double walk = b == 0 ? std::fabs(2.0 * (W + H) - 8 * pw + 8 * (in ? -1 : pw / 4.0)) : 0;
              const double spread = rhombSpread ? W / (2.0 * (N + 2)) : 0;
              const size_t n = p.size() / 2;
              for (size_t i = 0; i < p.size(); ++i) {
                const bool outer = i < n;
                // Half a pixel for the rounding of each end.
                const double gx = (outer ? 2 + pw / 3.0 : reach + 2 + walk) + spread + 0.5;
                const double gy = (outer ? 2 + pw / 3.0 : pw + 2 + walk) + 0.5;
                const TPoint& q = p[i];
                ASSERT_TRUE(q.X >= -gx && q.X <= W + gx && q.Y >= -gy && q.Y <= H + gy)
                    << b << ": " << W << "x" << H << " pw " << pw << " N " << N << " flags " << flags << " at " << q.X
                    << "," << q.Y;
              }
            }
          }
}

}  // namespace
}  // namespace seal
