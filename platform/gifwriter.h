#pragma once
// GIF writing for library thumbnails, exported pictures and the built-in pictures: a 24-bit
// picture is reduced to at most 256 colours, always holding the 20 static system colours,
// each pixel taking the nearest colour without dithering.

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The 20 colours the system palette reserves (its first and last ten), as 0xFFRRGGBB.
extern const QRgb kStaticSystemColors[20];

// The palette for image: the 20 static colours first, then the image's other colours when
// they fit, else a median cut of them into the places left.
std::vector<QRgb> OptimisedPalette(const QImage& image);

// Index into palette of the nearest colour (squared RGB distance; the first on a tie).
int NearestColor(const std::vector<QRgb>& palette, QRgb color);

// The GIF file of image (alpha ignored). Throws EPictureError for an empty picture or one
// larger than GIF can describe (65535 a side).
std::vector<uint8_t> EncodeGif(const QImage& image);
// EncodeGif written to a file; throws EPictureError when it cannot be written.
void SaveGifFile(const QImage& image, const std::string& utf8Path);

}  // namespace platform
