#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "platform/quantizer.h"

using platform::RGBColor;
using platform::TBitmap;
using platform::TColor;
using platform::TPixelFormat;

namespace {

TBitmap Colours(int width, int height) {
  TBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, RGBColor(uint8_t(40 * x + 3), uint8_t(50 * y + 7), 200));
  return bitmap;
}

bool InPalette(const TBitmap& bitmap, TColor c) {
  const std::vector<TColor> palette = bitmap.Palette();
  return std::find(palette.begin(), palette.end(), c) != palette.end();
}

TEST(BitmapDepth, PaletteDepthsHoldTheirStandardTables) {
  const struct {
    TPixelFormat format;
    size_t entries;
  } cases[] = {{TPixelFormat::pf1bit, 2}, {TPixelFormat::pf4bit, 16}, {TPixelFormat::pf8bit, 256},
               {TPixelFormat::pf24bit, 0}, {TPixelFormat::pf32bit, 0}};
  for (const auto& c : cases) {
    TBitmap bitmap = Colours(5, 4);
    bitmap.SetPixelFormat(c.format);
    EXPECT_EQ(bitmap.PixelFormat(), c.format);
    EXPECT_EQ(bitmap.Palette().size(), c.entries);
    EXPECT_EQ(platform::PaletteEntries(c.format), int(c.entries));
    EXPECT_EQ(bitmap.Width(), 5);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x)
        if (c.entries > 0) {
          EXPECT_EQ(bitmap.Pixel(x, y), bitmap.Palette()[size_t(bitmap.PixelIndex(x, y))]);
        }
  }
  TBitmap four(1, 1);
  four.SetPixelFormat(TPixelFormat::pf4bit);
  for (TColor c : four.Palette()) {
    const QRgb q = platform::ToQRgb(c);
    EXPECT_NE(std::find(std::begin(platform::kStaticSystemColors), std::end(platform::kStaticSystemColors), q),
              std::end(platform::kStaticSystemColors));
  }
}

// Twenty colours fit the 8-bit palette, so the bitmap keeps them exactly and gives them back
// at 24 bits; at 4 bits each takes the nearest of the 16.
TEST(BitmapDepth, EightBitsKeepFewColoursExactly) {
  const TBitmap source = Colours(5, 4);
  TBitmap bitmap = source;
  bitmap.SetPixelFormat(TPixelFormat::pf8bit);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(bitmap.Pixel(x, y), source.Pixel(x, y)) << x << "," << y;

  TBitmap four = source;
  four.SetPixelFormat(TPixelFormat::pf4bit);
  std::vector<QRgb> table;
  for (TColor c : four.Palette()) table.push_back(platform::ToQRgb(c));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(four.PixelIndex(x, y), platform::NearestColor(table, platform::ToQRgb(source.Pixel(x, y))));
}

TEST(BitmapDepth, DrawingOnAPaletteBitmapTakesTheNearestColour) {
  TBitmap bitmap(4, 4);
  bitmap.SetPixelFormat(TPixelFormat::pf4bit);
  bitmap.Fill(RGBColor(250, 5, 5));
  EXPECT_EQ(bitmap.Pixel(2, 2), platform::clRed);
  bitmap.SetPixel(1, 1, RGBColor(0, 0, 120));
  EXPECT_EQ(bitmap.Pixel(1, 1), RGBColor(0, 0, 128));
  EXPECT_TRUE(InPalette(bitmap, RGBColor(0, 0, 128)));
  // Growing keeps the table and the old pixels; the new ones are white.
  bitmap.SetSize(6, 5);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf4bit);
  EXPECT_EQ(bitmap.Palette().size(), 16u);
  EXPECT_EQ(bitmap.Pixel(1, 1), RGBColor(0, 0, 128));
  EXPECT_EQ(bitmap.Pixel(5, 4), platform::clWhite);
}

}  // namespace
