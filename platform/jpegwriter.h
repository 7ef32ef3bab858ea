#pragma once
// JPEG writing for exported pictures: quality 100, the slow accurate integer DCT and every
// colour component at full resolution (no chroma subsampling), so that thin red strokes
// keep their edges and colour.

#include <QImage>
#include <cstdint>
#include <vector>

namespace platform {

// The largest side a JPEG file can hold.
inline constexpr int kMaxJpegSide = 65500;

// The JFIF file of image (alpha ignored). Throws EPictureError for an empty picture, one
// with a side beyond kMaxJpegSide, or when libjpeg fails; never ends the process.
std::vector<uint8_t> EncodeJpeg(const QImage& image);

}  // namespace platform
