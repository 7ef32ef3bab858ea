#pragma once
// The 24-bit bitmaps that recoloured emblems, exports and mirrored prints are drawn into.

#include <QImage>
#include <cstdint>
#include <vector>

#include "platform/color.h"

namespace platform {

// The bits per pixel in which a bitmap hands its pixels on, as a device-independent bitmap
// of its own depth: 1, 4 and 8 bits through a colour table, 24 and 32 bits as colours.
enum class TPixelFormat : uint8_t { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(int width, int height);
  explicit TBitmap(QImage image);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  bool Empty() const { return image_.isNull(); }
  // Keeps what fits of the old pixels and fills the rest with white, as a resized DIB does.
  void SetSize(int width, int height);

  // With Transparent set, stretch-drawing leaves out the automatic transparent colour:
  // the colour of the bottom-left pixel.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool t) { transparent_ = t; }
  TColor TransparentColor() const;

  TColor Pixel(int x, int y) const { return FromQRgb(image_.pixel(x, y)); }
  // On a palette bitmap the pixel takes the nearest colour of the colour table.
  void SetPixel(int x, int y, TColor c);
  void Fill(TColor c);

  // pf24bit unless set otherwise. Setting a palette depth gives the bitmap a colour table
  // and each pixel the nearest of its colours: black and white for 1 bit, the 16 standard
  // colours for 4 bits, the picture's own 256-colour palette (OptimisedPalette) for 8 bits.
  // 24 and 32 bits hold the same pixels and differ only in the depth they are handed on in.
  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat format);
  // The colour table of a palette bitmap (2, 16 or 256 entries); empty for 24 and 32 bits.
  std::vector<TColor> Palette() const;
  // A palette bitmap's pixel as its place in the colour table.
  int PixelIndex(int x, int y) const { return image_.pixelIndex(x, y); }

  // Format_RGB32 with opaque pixels for 24 and 32 bits, the surface that canvases draw on;
  // Format_Indexed8 with the colour table for the palette depths, which are not drawn on.
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }

 private:
  // The pixels given as colours, each put at its nearest colour of the table.
  void Index(const QImage& rgb, const QList<QRgb>& table);

  QImage image_;
  TPixelFormat format_ = TPixelFormat::pf24bit;
  bool transparent_ = false;
};

// The colour table entries of a palette depth: 2, 16 or 256; 0 for 24 and 32 bits.
int PaletteEntries(TPixelFormat format);

// dst = dst | src for every pixel of src placed at (x, y) and inside dst: the SRCPAINT copy
// mode, by which a black-on-white picture takes the colour it is drawn over.
void OrCopy(QImage& dst, int x, int y, const QImage& src);

}  // namespace platform
