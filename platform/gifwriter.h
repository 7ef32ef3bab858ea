#pragma once
// GIF writing for library thumbnails, exported pictures and the built-in pictures: a 24-bit
// picture is reduced to the 256-entry palette of the quantiser (the 20 static system
// colours and the picture's own), each pixel taking the nearest colour without dithering.

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/quantizer.h"

namespace platform {

// The largest side a GIF file can describe.
inline constexpr int kMaxGifSide = 65535;

// The GIF file of image (alpha ignored), its colour map always of 256 entries, the places
// past the palette black. Throws EPictureError for an empty picture or one larger than GIF
// can describe (kMaxGifSide).
std::vector<uint8_t> EncodeGif(const QImage& image);
// EncodeGif written to a file; throws EPictureError when it cannot be written.
void SaveGifFile(const QImage& image, const std::string& utf8Path);

}  // namespace platform
