#include "formats/bitmap_filters.h"

#include <QImage>
#include <algorithm>
#include <stdexcept>

namespace formats {

using platform::TBitmap;
using platform::TColor;

TSmoothKernel SmoothingKernel() {
  return {{{0, 0, 4, 0, 0},
           {0, 0, 0, 0, 0},
           {4, 0, 16, 0, 4},
           {0, 0, 0, 0, 0},
           {0, 0, 4, 0, 0}}};
}

void MirrorBitmap(TBitmap& bitmap) {
  QImage& image = bitmap.Image();
  if (image.depth() != 32 && image.depth() != 8) {
    image = image.mirrored(true, false);
    return;
  }
  const int width = image.width();
  for (int y = 0; y < image.height(); ++y) {
    uchar* line = image.scanLine(y);
    if (image.depth() == 32) {
      auto* pixels = reinterpret_cast<uint32_t*>(line);
      std::reverse(pixels, pixels + width);
    } else {
      std::reverse(line, line + width);
    }
  }
}

TColor ConvolvePixel(const TBitmap& bitmap, int x, int y, int divisor, int bias, const TSmoothKernel& kernel) {
  if (divisor == 0) throw std::invalid_argument("a convolution needs a divisor other than 0");
  int red = 0, green = 0, blue = 0;
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 5; ++j) {
      const int weight = kernel[size_t(i)][size_t(j)];
      if (weight == 0) continue;
      int sx = x + i - 2, sy = y + j - 2;
      if (sx < 0 || sx >= bitmap.Width()) sx = x;
      if (sy < 0 || sy >= bitmap.Height()) sy = y;
      const TColor sample = bitmap.Pixel(sx, sy);
      red += platform::RedOf(sample) * weight;
      green += platform::GreenOf(sample) * weight;
      blue += platform::BlueOf(sample) * weight;
    }
  const auto channel = [&](int sum) { return uint8_t(std::clamp(bias + sum / divisor, 0, 255)); };
  return platform::RGBColor(channel(red), channel(green), channel(blue));
}

void SmoothBitmap(TBitmap& bitmap) {
  const TSmoothKernel kernel = SmoothingKernel();
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixel(x, y, ConvolvePixel(bitmap, x, y, 32, 0, kernel));
}

}  // namespace formats
