#pragma once
// Windows bitmap files of bitmaps, and the device-independent bitmap they are made of,
// which the enhanced metafile carries as well: 24 bits per pixel, blue-green-red, rows
// bottom-up, each padded to a multiple of 4 bytes.

#include <cstdint>
#include <vector>

#include "platform/bitmap.h"
#include "platform/stream.h"

namespace formats {

inline constexpr uint32_t kBitmapInfoHeaderSize = 40;

// Bytes of the device-independent bitmap's pixel rows. Throws platform::EPictureError for
// an empty bitmap and for one of more than 2 GiB of rows, which no file of it could hold.
uint32_t DibRowsSize(const platform::TBitmap& bitmap);

// The 40-byte info header (no compression, no resolution recorded) followed by the rows.
// Palette bitmaps are written with their colours at 24 bits. Throws as DibRowsSize.
void WriteDib(platform::TByteWriter& out, const platform::TBitmap& bitmap);

// The whole file: the 14-byte file header, then WriteDib, 54 bytes before the pixels.
// Throws as DibRowsSize.
std::vector<uint8_t> EncodeBmp(const platform::TBitmap& bitmap);

}  // namespace formats
