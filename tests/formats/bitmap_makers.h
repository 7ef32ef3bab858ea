#pragma once
// Bitmaps for the picture writers and filters, and the little-endian fields their files are
// read back by.

#include <cstdint>
#include <vector>

#include "platform/bitmap.h"

namespace bitmap_makers {

// Every pixel a colour of its own, so that any pixel put in the wrong place shows.
platform::TBitmap Distinct(int width, int height);

uint16_t U16(const std::vector<uint8_t>& bytes, size_t at);
uint32_t U32(const std::vector<uint8_t>& bytes, size_t at);

}  // namespace bitmap_makers
