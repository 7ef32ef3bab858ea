#include "bitmap_makers.h"

namespace bitmap_makers {

platform::TBitmap Distinct(int width, int height) {
  platform::TBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.SetPixel(x, y, platform::RGBColor(uint8_t(10 + x * 20), uint8_t(5 + y * 30), uint8_t(x * 7 + y * 3)));
  return bitmap;
}

uint16_t U16(const std::vector<uint8_t>& bytes, size_t at) { return uint16_t(bytes.at(at) | bytes.at(at + 1) << 8); }

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(U16(bytes, at)) | uint32_t(U16(bytes, at + 2)) << 16;
}

}  // namespace bitmap_makers
