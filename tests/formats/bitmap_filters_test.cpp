#include "formats/bitmap_filters.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "bitmap_makers.h"

using formats::ConvolvePixel;
using formats::MirrorBitmap;
using formats::SmoothBitmap;
using formats::SmoothingKernel;
using platform::RGBColor;
using platform::TBitmap;
using platform::TColor;

namespace {

using TRows = std::vector<std::vector<TColor>>;

TBitmap FromRows(const TRows& rows) {
  TBitmap bitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x) bitmap.SetPixel(int(x), int(y), rows[y][x]);
  return bitmap;
}

TRows Rows(const TBitmap& bitmap) {
  TRows rows(size_t(bitmap.Height()), std::vector<TColor>(size_t(bitmap.Width())));
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) rows[size_t(y)][size_t(x)] = bitmap.Pixel(x, y);
  return rows;
}

using bitmap_makers::Distinct;

const TColor P1 = RGBColor(200, 10, 20), P2 = RGBColor(30, 150, 40), P3 = RGBColor(50, 60, 250);
const TColor P4 = RGBColor(1, 2, 3), P5 = RGBColor(4, 5, 6), P6 = RGBColor(7, 8, 9);

TEST(MirrorBitmap, ReversesEveryRow) {
  const struct {
    const char* name;
    TRows before, after;
  } cases[] = {
      {"three pixels", {{P1, P2, P3}}, {{P3, P2, P1}}},
      {"width 1 is unchanged", {{P1}, {P2}, {P3}}, {{P1}, {P2}, {P3}}},
      {"even width, two rows", {{P1, P2, P3, P4}, {P5, P6, P1, P2}}, {{P4, P3, P2, P1}, {P2, P1, P6, P5}}},
  };
  for (const auto& c : cases) {
    TBitmap bitmap = FromRows(c.before);
    MirrorBitmap(bitmap);
    EXPECT_EQ(Rows(bitmap), c.after) << c.name;
  }
}

TEST(MirrorBitmap, TwiceGivesBackTheSamePixels) {
  for (const auto& [w, h] : {std::pair{7, 5}, std::pair{8, 3}, std::pair{1, 1}}) {
    TBitmap bitmap = Distinct(w, h);
    const TRows before = Rows(bitmap);
    MirrorBitmap(bitmap);
    if (w > 1) {
      EXPECT_NE(Rows(bitmap), before) << w << "x" << h;
    }
    MirrorBitmap(bitmap);
    EXPECT_EQ(Rows(bitmap), before) << w << "x" << h;
  }
}

TEST(SmoothBitmap, LeavesUniformAndSinglePixelBitmapsAlone) {
  const TColor colour = RGBColor(12, 34, 56);
  const TRows cases[] = {
      TRows(4, std::vector<TColor>(6, colour)),
      TRows(5, std::vector<TColor>(1, P2)),
      {{P3}},
  };
  for (const TRows& rows : cases) {
    TBitmap bitmap = FromRows(rows);
    SmoothBitmap(bitmap);
    EXPECT_EQ(Rows(bitmap), rows) << rows[0].size() << "x" << rows.size();
  }
}

// The filter writes each result back at once, so the pixels two up and two left of a pixel
// are already smoothed when it is computed: a lone black pixel takes 119, where a filter over
// an untouched copy of the bitmap would give it 127, and what it takes spreads on to the
// right and down.
TEST(SmoothBitmap, FiltersInPlaceSoALoneBlackPixelBecomes119) {
  TBitmap bitmap(7, 7);
  bitmap.Fill(platform::clWhite);
  bitmap.SetPixel(3, 3, platform::clBlack);
  EXPECT_EQ(ConvolvePixel(bitmap, 3, 3, 32, 0, SmoothingKernel()), RGBColor(127, 127, 127));
  SmoothBitmap(bitmap);
  const struct {
    int x, y;
    uint8_t value;
  } expected[] = {
      {3, 1, 223},  // (16 × 255 + 4 × (3 × 255 + 0)) div 32: the black pixel two below
      {1, 3, 223},  // the black pixel two to the right
      {5, 1, 251},  // (16 × 255 + 4 × (223 + 3 × 255)) div 32: (3, 1) two to the left
      {1, 5, 251},  // (1, 3) two up
      {3, 3, 119},  // (16 × 0 + 4 × (223 + 223 + 255 + 255)) div 32
      {5, 3, 237},  // (16 × 255 + 4 × (119 + 251 + 255 + 255)) div 32
      {3, 5, 237},
      {5, 5, 250},  // (16 × 255 + 4 × (237 + 237 + 255 + 255)) div 32
      {0, 0, 255}, {2, 2, 255}, {4, 4, 255}, {6, 6, 255}, {2, 3, 255}, {3, 4, 255},
  };
  for (const auto& e : expected)
    EXPECT_EQ(bitmap.Pixel(e.x, e.y), RGBColor(e.value, e.value, e.value)) << e.x << "," << e.y;
}

// Samples beyond an edge are taken at the pixel's own coordinate on that axis (not at the
// nearest edge pixel, nor as black): in a row of three, the middle pixel sees only itself.
TEST(SmoothBitmap, EdgeSamplesUseTheCentreCoordinate) {
  const TColor a = RGBColor(100, 10, 0), b = RGBColor(50, 20, 255), c = RGBColor(200, 30, 128);
  // First: (16 × a + 4 × (a + c + a + a)) div 32; last: its left neighbour already smoothed.
  const TColor a2 = RGBColor(112, 12, 16), c2 = RGBColor(189, 27, 114);
  const struct {
    const char* name;
    TRows before, after;
  } cases[] = {
      {"a row", {{a, b, c}}, {{a2, b, c2}}},
      {"a column", {{a}, {b}, {c}}, {{a2}, {b}, {c2}}},
  };
  for (const auto& k : cases) {
    TBitmap bitmap = FromRows(k.before);
    SmoothBitmap(bitmap);
    EXPECT_EQ(Rows(bitmap), k.after) << k.name;
  }
}

TEST(ConvolvePixel, RefusesAZeroDivisor) {
  const TBitmap bitmap = Distinct(3, 3);
  EXPECT_THROW(ConvolvePixel(bitmap, 1, 1, 0, 0, SmoothingKernel()), std::invalid_argument);
}

}  // namespace
