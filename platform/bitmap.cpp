#include "platform/bitmap.h"

#include <QPainter>
#include <algorithm>

namespace platform {

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::TBitmap(QImage image) : image_(image.convertToFormat(QImage::Format_RGB32)) {}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == image_.width() && height == image_.height()) return;
  QImage next;
  if (width > 0 && height > 0) {
    next = QImage(width, height, QImage::Format_RGB32);
    next.fill(0xFFFFFFFFu);
    if (!image_.isNull()) {
      QPainter p(&next);
      p.drawImage(0, 0, image_);
    }
  }
  image_ = next;
}

TColor TBitmap::TransparentColor() const {
  if (image_.isNull()) return clWhite;
  return FromQRgb(image_.pixel(0, image_.height() - 1));
}

void OrCopy(QImage& dst, int x, int y, const QImage& src) {
  const QImage s = src.format() == QImage::Format_RGB32 ? src : src.convertToFormat(QImage::Format_RGB32);
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = std::min(dst.width(), x + s.width()), y1 = std::min(dst.height(), y + s.height());
  for (int row = y0; row < y1; ++row) {
    auto* d = reinterpret_cast<uint32_t*>(dst.scanLine(row));
    const auto* sp = reinterpret_cast<const uint32_t*>(s.constScanLine(row - y));
    for (int col = x0; col < x1; ++col) d[col] = (d[col] | sp[col - x]) | 0xFF000000u;
  }
}

}  // namespace platform
