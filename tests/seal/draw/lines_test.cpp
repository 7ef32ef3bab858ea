// The line and arc elements: primitives pinned through the recording canvas against
// values worked out by hand, and the arcs' halves measured on an image.

#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "draw_fixture.h"
#include "seal/draw_routines.h"
#include "platform/recordingcanvas.h"

using namespace seal;
using namespace drawtest;
using platform::TPainterCanvas;
using platform::TRecordingCanvas;

namespace {

std::vector<int> Args(const TRecordingCanvas& canvas, size_t i = 0) {
  return i < canvas.Records().size() ? canvas.Records()[i].Args : std::vector<int>{};
}

}  // namespace

TEST(StraightLines, HalfAPenInsideTheElementRoundedToEven) {
  struct Case {
    int X, Y, length, pw;
    std::vector<int> horz, vert;
  } cases[] = {
      {0, 0, 100, 3, {2, 2, 99, 2}, {2, 2, 2, 99}},         // 1.5 rounds up to 2
      {0, 0, 100, 5, {2, 2, 97, 2}, {2, 2, 2, 97}},         // 2.5 rounds down to 2
      {0, 0, 100, 4, {2, 2, 98, 2}, {2, 2, 2, 98}},
      {10, 20, 100, 3, {12, 22, 109, 22}, {12, 22, 12, 119}},  // 11.5 → 12, 21.5 → 22
      {7, 7, 50, 1, {8, 8, 57, 8}, {8, 8, 8, 57}},         // 7.5 → 8
      {0, 0, 30, 0, {0, 0, 30, 0}, {0, 0, 0, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "X " << c.X << " pw " << c.pw);
    TRecordingCanvas h, v;
    DrawHorzLine(c.X, c.Y, h, kRed, c.length, c.pw);
    DrawVertLine(c.X, c.Y, v, kRed, c.length, c.pw);
    ASSERT_EQ(h.Records().size(), 1u);
    EXPECT_EQ(h.Records()[0].Op, "LineTo");
    EXPECT_EQ(Args(h), c.horz);
    EXPECT_EQ(Args(v), c.vert);
    EXPECT_EQ(h.Records()[0].Pen, (platform::TPen{c.pw, kRed}));
  }
}

TEST(StraightLines, AWidePenCoversTheWholeElement) {
  // A 100 × 5 element at (10, 4) with a 5-pixel pen: the line runs from (12, 6) to (107, 6),
  // its round caps reach both ends and the thickness is the pen's.
  QImage image = FilledImage(120, 20);
  TPainterCanvas canvas(&image);
  DrawHorzLine(10, 4, canvas, kRed, 100, 5);
  EXPECT_EQ(ColorBounds(image, kRed), QRect(10, 4, 100, 5));
  // Y = 5 puts the centre on 7.5, which rounds to 8: the stroke moves down a pixel.
  QImage lower = FilledImage(120, 20);
  TPainterCanvas shifted(&lower);
  DrawHorzLine(10, 5, shifted, kRed, 100, 5);
  EXPECT_EQ(ColorBounds(lower, kRed), QRect(10, 6, 100, 5));
}

TEST(SlantedLine, TheQuadrantOfTheAngleChoosesTheDiagonal) {
  // A 101 × 51 element, pen 1: x0 = y0 = round(0.5) = 0.
  const std::vector<int> rising{0, 50, 100, 0}, falling{0, 0, 100, 50};
  struct Case {
    int angle;
    const std::vector<int>& line;
  } cases[] = {
      {0, rising},     {450, rising},    {899, rising},    {900, falling},    {1350, falling},
      {1800, rising},  {2250, rising},   {2699, rising},   {2700, falling},   {3599, falling},
      {3600, rising},  {4050, rising},   {-450, falling},  {-900, falling},   {-1800, rising},
      {-2250, falling}, {-3150, rising},  {-3600, rising},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    TRecordingCanvas canvas;
    DrawAnyAngleLine(0, 0, canvas, kRed, kGreen, platform::bsSolid, 101, 51, 999, c.angle, 1);
    EXPECT_EQ(Args(canvas), c.line);
  }
}

TEST(SlantedLine, TakesPenAndBrushAndShrinksByThePen) {
  TRecordingCanvas canvas;
  DrawAnyAngleLine(10, 20, canvas, kRed, kGreen, platform::bsSolid, 60, 40, 0, 300, 4);
  ASSERT_EQ(canvas.Records().size(), 1u);
  EXPECT_EQ(Args(canvas), (std::vector<int>{12, 58, 68, 22}));
  EXPECT_EQ(canvas.Records()[0].Pen, (platform::TPen{4, kRed}));
  EXPECT_EQ(canvas.Records()[0].Brush, (platform::TBrush{kGreen, platform::bsSolid}));
}

TEST(ArcElement, RadialPointsOnTheInscribedEllipse) {
  // A 101 × 51 element, pen 1: the box is (0, 0)–(100, 50), centre (50, 25), radii 50 and 25.
  struct Case {
    int start, end;
    std::vector<int> args;
  } cases[] = {
      {900, 2700, {0, 0, 100, 50, 50, 0, 50, 50}},
      {2700, 900, {0, 0, 100, 50, 50, 50, 50, 0}},
      {0, 1800, {0, 0, 100, 50, 100, 25, 0, 25}},
      // r = 5000 / (2·sqrt(5000 + 1250)) = 31.623; 50 ± 22.36 and 25 ∓ 22.36
      {450, 2250, {0, 0, 100, 50, 72, 3, 28, 47}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << "→" << c.end);
    TRecordingCanvas arc, pie;
    DrawArc(0, 0, arc, kRed, kGreen, platform::bsSolid, false, 101, 51, c.start, c.end, 1);
    DrawArc(0, 0, pie, kRed, kGreen, platform::bsSolid, true, 101, 51, c.start, c.end, 1);
    ASSERT_EQ(arc.Records().size(), 1u);
    EXPECT_EQ(arc.Records()[0].Op, "Arc");
    EXPECT_EQ(Args(arc), c.args);
    ASSERT_EQ(pie.Records().size(), 1u);
    EXPECT_EQ(pie.Records()[0].Op, "Pie");
    EXPECT_EQ(Args(pie), c.args);
    EXPECT_EQ(pie.Records()[0].Pen, (platform::TPen{1, kRed}));
    EXPECT_EQ(pie.Records()[0].Brush, (platform::TBrush{kGreen, platform::bsSolid}));
  }
}

TEST(ArcElement, OffsetAndWidePen) {
  // X = 10, Y = 20, pen 3: x0 = round(11.5) = 12, y0 = round(21.5) = 22; box 60 × 40.
  TRecordingCanvas canvas;
  DrawArc(10, 20, canvas, kRed, kGreen, platform::bsClear, false, 63, 43, 0, 900, 3);
  EXPECT_EQ(Args(canvas), (std::vector<int>{12, 22, 72, 62, 72, 42, 42, 22}));
}

TEST(ArcElement, ABoxWithoutWidthOrHeightDrawsNothing) {
  struct Case {
    int W, H, pw;
  } cases[] = {{3, 40, 3}, {40, 3, 3}, {0, 0, 0}, {1, 1, 1}, {2, 40, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.W << "×" << c.H << " pw " << c.pw);
    for (int start : {0, 450, 900})
      for (bool pie : {false, true}) {
        TRecordingCanvas canvas;
        DrawArc(0, 0, canvas, kRed, kGreen, platform::bsSolid, pie, c.W, c.H, start, 2700, c.pw);
        EXPECT_TRUE(canvas.Records().empty());
      }
  }
}

TEST(ArcElement, HalvesOnTheImage) {
  // 101 × 101 with pen 1: the ellipse in (0, 0)–(100, 100), centre column 50.
  const auto halves = [](int start, int end) {
    QImage image = FilledImage(101, 101);
    TPainterCanvas canvas(&image);
    DrawArc(0, 0, canvas, kRed, kGreen, platform::bsClear, false, 101, 101, start, end, 1);
    return std::pair{CountColor(image.copy(0, 0, 49, 101), kRed), CountColor(image.copy(52, 0, 49, 101), kRed)};
  };
  const auto [leftOfLeftHalf, rightOfLeftHalf] = halves(900, 2700);
  EXPECT_GT(leftOfLeftHalf, 100);
  EXPECT_EQ(rightOfLeftHalf, 0);
  const auto [leftOfRightHalf, rightOfRightHalf] = halves(2700, 900);
  EXPECT_EQ(leftOfRightHalf, 0);
  EXPECT_GT(rightOfRightHalf, 100);
}
