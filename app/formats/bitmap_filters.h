#pragma once
// In-place filters on the 24-bit bitmaps that prints, exports and library thumbnails are
// drawn into: a left-right mirror, and a sparse 5 × 5 smoothing. Neither changes the
// bitmap's size or depth.

#include <array>

#include "platform/bitmap.h"

namespace formats {

// Weight K[i][j] applies to the pixel (x + i - 2, y + j - 2) when pixel (x, y) is computed.
using TSmoothKernel = std::array<std::array<int, 5>, 5>;

// The smoothing kernel: the centre weighs 16, the four pixels two steps left, right, up and
// down 4 each; its divisor is their sum, 32.
TSmoothKernel SmoothingKernel();

// Pixel (Width - 1 - x, y) takes what pixel (x, y) held.
void MirrorBitmap(platform::TBitmap& bitmap);

// One filtered pixel of the bitmap's current content: per channel, bias + (sum of the
// weighted samples) div divisor, held to 0..255. A sample outside the bitmap is taken at the
// centre's coordinate on that axis; samples of weight 0 are not read. A zero divisor is a
// programming error and throws std::invalid_argument.
platform::TColor ConvolvePixel(const platform::TBitmap& bitmap, int x, int y, int divisor, int bias,
                               const TSmoothKernel& kernel);

// Filters with SmoothingKernel row by row from the top, each row from the left, writing each
// result back at once, so that the samples above and to the left are already smoothed. That
// is why a lone black pixel on white becomes 119 in each channel: its neighbours two up and
// two left have already become 223, and (16 × 0 + 4 × (223 + 223 + 255 + 255)) div 32 is 119,
// where a filter over an untouched copy would give 127.
void SmoothBitmap(platform::TBitmap& bitmap);

}  // namespace formats
