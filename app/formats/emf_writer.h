#pragma once
// Enhanced metafiles of bitmaps, written record by record: the header, one stretch-DIB
// record with the bitmap at 24 bits, and the end record. The reference device is the
// picture itself at the resolution it was drawn at, so that the metafile keeps the true
// size of what it shows.

#include <cstdint>
#include <vector>

#include "platform/bitmap.h"

namespace formats {

// The whole file of a bitmap drawn at pixelsPerMm: bounds in pixels, frame in 0.01 mm,
// both inclusive. Throws platform::EPictureError for an empty bitmap, a resolution that is
// not a positive number, or a bitmap too large for one record.
std::vector<uint8_t> EncodeEmf(const platform::TBitmap& bitmap, double pixelsPerMm);

}  // namespace formats
