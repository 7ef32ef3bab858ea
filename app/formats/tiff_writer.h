#pragma once
// Baseline TIFF files of bitmaps: uncompressed, little-endian, one strip, the data blocks
// first and the image file directory last. 24- and 32-bit bitmaps are written as RGB,
// 4- and 8-bit palette bitmaps with their colour map.

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/bitmap.h"

namespace formats {

// The whole file. Rows are written top row first without padding; a 4-bit bitmap's width
// is cut down to a multiple of 4. ImageWidth and ImageLength are SHORT fields, LONG where
// the side exceeds 65535. Throws platform::EPictureError for a bitmap that cannot be
// written: an empty one, a 1-bit one, a 4-bit one narrower than 4 pixels, or one whose
// file would pass 4 GiB.
std::vector<uint8_t> EncodeTiff(const platform::TBitmap& bitmap);

// EncodeTiff written to a temporary file beside path and renamed over it, so that a failure
// leaves neither half a file nor a damaged old one. Throws platform::EPictureError as
// EncodeTiff does and EFileError when the file cannot be written.
void SaveGraphicAsTiff(const QString& path, const platform::TBitmap& bitmap);

}  // namespace formats
