#pragma once
// The 24-bit bitmaps that recoloured emblems, exports and mirrored prints are drawn into.

#include <QImage>

#include "platform/color.h"

namespace platform {

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
  void SetPixel(int x, int y, TColor c) { image_.setPixel(x, y, ToQRgb(c)); }
  void Fill(TColor c) { image_.fill(ToQRgb(c)); }

  // Always Format_RGB32 with opaque pixels: a 24-bit surface.
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }

 private:
  QImage image_;
  bool transparent_ = false;
};

// dst = dst | src for every pixel of src placed at (x, y) and inside dst: the SRCPAINT copy
// mode, by which a black-on-white picture takes the colour it is drawn over.
void OrCopy(QImage& dst, int x, int y, const QImage& src);

}  // namespace platform
