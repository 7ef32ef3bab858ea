#pragma once
// A 24-bit picture reduced to one palette of 256 colours, as GIF files and 8-bit bitmaps
// hold it: the 20 static system colours, then at most 236 colours that an octree of the
// picture's other colours chooses, at 8 bits per channel for a picture of up to 4096 such
// colours, from its pixels counted in cells of 8 x 8 x 8 colours for a photograph. Each
// pixel takes the nearest palette colour, without dithering, so a picture of few colours
// keeps them exactly, and the static colours stay exact in any picture.

#include <QImage>
#include <cstdint>
#include <vector>

namespace platform {

// The 20 colours the system palette reserves (its first and last ten), as 0xFFRRGGBB.
extern const QRgb kStaticSystemColors[20];
// Entries of the palette, the 20 static ones included.
inline constexpr int kPaletteSize = 256;

// The 20 static colours first, then the octree's colours in the tree's order: the
// picture's own colours when no more than 236 of them are other than the static ones,
// else the pixel-weighted means of the octree's 236 leaves (for a photograph, of the middles
// of the cells its pixels fall in).
std::vector<QRgb> OptimisedPalette(const QImage& image);

// Index into palette of the nearest colour (squared RGB distance; the first on a tie).
int NearestColor(const std::vector<QRgb>& palette, QRgb color);

// The index of the nearest palette colour for every pixel, top row first, width × height.
std::vector<uint8_t> MapToPalette(const QImage& image, const std::vector<QRgb>& palette);

struct TQuantizedImage {
  std::vector<QRgb> Palette;     // as OptimisedPalette gives it, at most 256 entries
  std::vector<uint8_t> Indices;  // as MapToPalette gives them
};
TQuantizedImage QuantizeImage(const QImage& image);

}  // namespace platform
