// Arc texts, slanted texts and cut lines drawn onto images with the measuring font, whose
// every glyph fills its whole cell, and measured pixel by pixel.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/canvas.h"
#include "canvas_fixture.h"
#include "seal/draw_routines.h"
#include "platform/gbk.h"

namespace {

using namespace seal;
using namespace canvastest;

constexpr TColor kRed = 0x0000FF;

TFaceName TestFace() {
  TFaceName face{};
  const std::string name = platform::UnicodeToGbk(TestFontFamily());
  std::copy(name.begin(), name.end(), face.begin());
  return face;
}

// One connected patch of a colour: its pixel count, centroid and principal-axis angle.
struct TBlob {
  int pixels = 0;
  double cx = 0, cy = 0;
  // Direction of the long axis, in degrees counter-clockwise on the screen, in (−90, 90].
  double axisDegrees = 0;
};

std::vector<TBlob> Blobs(const QImage& image, TColor colour) {
  const int w = image.width(), h = image.height();
  std::vector<char> seen(static_cast<size_t>(w) * h, 0);
  std::vector<TBlob> blobs;
  for (int y0 = 0; y0 < h; ++y0)
    for (int x0 = 0; x0 < w; ++x0) {
      if (seen[static_cast<size_t>(y0) * w + x0] || At(image, x0, y0) != colour) continue;
      std::vector<std::pair<int, int>> stack{{x0, y0}}, cells;
      seen[static_cast<size_t>(y0) * w + x0] = 1;
      while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        cells.push_back({x, y});
        const int nx[] = {x + 1, x - 1, x, x}, ny[] = {y, y, y + 1, y - 1};
        for (int k = 0; k < 4; ++k) {
          if (nx[k] < 0 || ny[k] < 0 || nx[k] >= w || ny[k] >= h) continue;
          char& s = seen[static_cast<size_t>(ny[k]) * w + nx[k]];
          if (s || At(image, nx[k], ny[k]) != colour) continue;
          s = 1;
          stack.push_back({nx[k], ny[k]});
        }
      }
      TBlob b;
      b.pixels = static_cast<int>(cells.size());
      for (const auto& [x, y] : cells) {
        b.cx += x + 0.5;
        b.cy += y + 0.5;
      }
      b.cx /= b.pixels;
      b.cy /= b.pixels;
      double sxx = 0, syy = 0, sxy = 0;
      for (const auto& [x, y] : cells) {
        const double dx = x + 0.5 - b.cx, dy = -(y + 0.5 - b.cy);  // y upwards
        sxx += dx * dx;
        syy += dy * dy;
        sxy += dx * dy;
      }
      b.axisDegrees = 0.5 * std::atan2(2 * sxy, sxx - syy) * 180 / std::numbers::pi;
      blobs.push_back(b);
    }
  return blobs;
}

double AngleDiff(double a, double b) {
  double d = std::fmod(a - b, 180.0);
  if (d > 90) d -= 180;
  if (d <= -90) d += 180;
  return d;
}

// A circle of 300 px across, centred in a 400 × 400 image; glyphs 30 wide and 12 high, so
// the long side of each box shows the direction it was turned to.
struct TArcRaster {
  QImage image = WhiteImage(400, 400);
  std::vector<TBlob> blobs;
};

TArcRaster DrawArc(bool top, int span, const std::string& text) {
  TArcRaster r;
  {
    platform::TPainterCanvas canvas(&r.image);
    DrawEllipseText(50, 50, canvas, kRed, kRed, platform::bsClear, TestFace(), top, false, false, 300, 300, 0, 0, 300,
                    300, 30, 12, 400, span, 0, text);
  }
  r.blobs = Blobs(r.image, kRed);
  return r;
}

TEST(ArcTextPixels, GlyphsSitOnTheCircleAtEqualSpacingAlongTheTangent) {
  for (const bool top : {true, false}) {
    SCOPED_TRACE(top);
    const TArcRaster r = DrawArc(top, 1800, "ABCDE");
    ASSERT_EQ(r.blobs.size(), 5u);
    // Centre of the text circle (50 + 150 − 1); a glyph hangs inside the arc, so its centre
    // lies half the glyph height in from the 150 px radius.
    const double ox = 199, oy = 199, radius = 150 - 6;
    std::vector<double> angles;
    for (const TBlob& b : r.blobs) {
      EXPECT_NEAR(b.pixels, 30 * 12, 30);
      const double dx = b.cx - ox, dy = oy - b.cy;
      EXPECT_NEAR(std::hypot(dx, dy), radius, 1.0);
      const double at = std::atan2(dy, dx) * 180 / std::numbers::pi;
      // The long side follows the tangent, square to the radius.
      EXPECT_NEAR(AngleDiff(b.axisDegrees, at + 90), 0, 2.0);
      angles.push_back(at);
    }
    std::sort(angles.begin(), angles.end());
    // Five glyphs over a half turn: 36° apart, the outer ones 18° in from the ends.
    for (size_t i = 1; i < angles.size(); ++i) EXPECT_NEAR(angles[i] - angles[i - 1], 36, 0.5);
    EXPECT_NEAR(top ? angles.front() : angles.back(), top ? 18 : -18, 0.5);
  }
}

TEST(ArcTextPixels, TopTextReadsClockwiseFromTheLeft) {
  // Glyphs of different widths tell the characters apart: "A" is single-byte, the full
  // width; the first glyph drawn must be the leftmost.
  const TArcRaster r = DrawArc(true, 1200, "ABC");
  ASSERT_EQ(r.blobs.size(), 3u);
  double leftmost = 1e9;
  for (const TBlob& b : r.blobs) leftmost = std::min(leftmost, b.cx);
  // Span 1200 centred at the top: first glyph at 90 + 40° from the right.
  EXPECT_NEAR(leftmost, 199 + 144 * std::cos(130 * std::numbers::pi / 180), 1.0);
}

TEST(AngleTextPixels, GlyphCentresOnTheDiagonalSlots) {
  // 200 × 200 box at (100, 100), two 40 × 20 glyphs at 45°: slot centres (150, 250) and
  // (250, 150).
  QImage image = WhiteImage(400, 400);
  {
    platform::TPainterCanvas canvas(&image);
    DrawAngleText(100, 100, canvas, kRed, kRed, platform::bsClear, TestFace(), false, false, false, 200, 200, 40, 20, 0,
                  450, 0, 400, "AB");
  }
  const std::vector<TBlob> blobs = Blobs(image, kRed);
  ASSERT_EQ(blobs.size(), 2u);
  const double expected[2][2] = {{150, 250}, {250, 150}};
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_NEAR(blobs[i].cx, expected[1 - i][0], 1.0);  // found top row first
    EXPECT_NEAR(blobs[i].cy, expected[1 - i][1], 1.0);
    EXPECT_NEAR(AngleDiff(blobs[i].axisDegrees, 45), 0, 2.0);
  }
}

// A red border band 8 px wide around a 100 × 100 frame, outline only (positive) or filled
// (negative), crossed by the cut lines of the builder.
QImage BorderWithCutLines(TBrushStyle style, bool lineType, int lw, bool outSide = true) {
  QImage image = WhiteImage(140, 140);
  platform::TPainterCanvas canvas(&image);
  canvas.SetBrushColor(kRed);
  canvas.FillRect(20, 20, 120, 120);
  if (style == platform::bsClear) {
    canvas.SetBrushColor(platform::clWhite);
    canvas.FillRect(28, 28, 112, 112);
  }
  DrawRectCutLines(canvas, 20, 20, BuildRectCutLines(100, 100, outSide, true, 8, 8), lineType, 8, lw, 8, false, false,
                   false);
  return image;
}

TEST(CutLinePixels, WhiteAcrossTheBorderOnBothStyles) {
  for (const TBrushStyle style : {platform::bsClear, platform::bsSolid}) {
    SCOPED_TRACE(style == platform::bsClear ? "positive" : "negative");
    const QImage image = BorderWithCutLines(style, true, 2);
    // Line 1 of 8 on the top edge crosses the band vertically at x = 20 + 50: every row of
    // the band is white there, and red either side of the line.
    const TArrayPoints p = BuildRectCutLines(100, 100, true, true, 8, 8);
    const int x = 20 + p[1].X;
    ASSERT_EQ(p[1].X, p[9].X);  // the top edge's lines are vertical
    for (int y = 20; y < 28; ++y) {
      EXPECT_EQ(At(image, x, y), platform::clWhite) << y;
      EXPECT_EQ(At(image, x - 3, y), kRed) << y;
      EXPECT_EQ(At(image, x + 3, y), kRed) << y;
    }
    // A jogged line crosses the band too: no red path across at the jog's column.
    const QImage jogged = BorderWithCutLines(style, false, 2);
    int white = 0;
    for (int y = 20; y < 28; ++y)
      for (int dx = -6; dx <= 6; ++dx) white += At(jogged, x + dx, y) == platform::clWhite;
    EXPECT_GE(white, 8);
  }
}

TEST(CutLinePixels, AOnePixelLineKeepsTheBorderAtItsOuterEnd) {
  // The rectangle's lines run from the inner end out, and a one-pixel line leaves out its
  // last pixel: the pixel at the outer end keeps the border's colour.
  // Outer ends inside the band (2 px in) so that the kept pixel is a border pixel.
  const QImage image = BorderWithCutLines(platform::bsSolid, true, 1, false);
  const TArrayPoints p = BuildRectCutLines(100, 100, false, true, 8, 8);
  ASSERT_EQ(p[1].Y, 2);
  const int x = 20 + p[1].X;
  EXPECT_EQ(At(image, x, 20 + p[9].Y), platform::clWhite);
  EXPECT_EQ(At(image, x, 20 + p[1].Y + 1), platform::clWhite);
  EXPECT_EQ(At(image, x, 20 + p[1].Y), kRed);
}

TEST(CodePixels, OnTheBorderTheCodeIsKnockedOutOfTheBand) {
  // A 10 px red band along the top of a 200 px box; four 8 × 8 digits centred on its line
  // (top at round(5 − 4) = 1) at centres 70, 90, 110, 130: white cells inside the red band.
  for (const TBrushStyle style : {platform::bsClear, platform::bsSolid}) {
    QImage image = WhiteImage(200, 40);
    {
      platform::TPainterCanvas canvas(&image);
      canvas.SetBrushColor(kRed);
      canvas.FillRect(0, 0, 200, 10);
      DrawStraightCode(0, 0, canvas, kRed, kRed, style, TestFace(), 8, 8, 200, 200, 400, 100, 10, 3, 0, true, true,
                       false, false, "1234");
    }
    SCOPED_TRACE(style == platform::bsClear ? "positive" : "negative");
    EXPECT_EQ(ColorBounds(image, platform::clWhite).top(), 1);
    for (const int centre : {70, 90, 110, 130}) {
      for (int x = centre - 4; x < centre + 4; ++x)
        for (int y = 1; y < 9; ++y) EXPECT_EQ(At(image, x, y), platform::clWhite) << x << "," << y;
      EXPECT_EQ(At(image, centre - 6, 5), kRed);
    }
  }
}

}  // namespace
