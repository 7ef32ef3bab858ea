#include "platform/bitmap.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "platform/quantizer.h"

namespace platform {

namespace {

bool IsPalette(TPixelFormat format) { return PaletteEntries(format) > 0; }

// The colour table a palette depth starts with. The 16 colours are the static colours
// other than the four that only the 256-colour system palette holds.
QList<QRgb> StandardTable(TPixelFormat format, const QImage& rgb) {
  const QRgb* statics = std::begin(kStaticSystemColors);
  switch (format) {
    case TPixelFormat::pf1bit:
      return {0xFF000000u, 0xFFFFFFFFu};
    case TPixelFormat::pf4bit:
      return QList<QRgb>(statics, statics + 8) + QList<QRgb>(statics + 12, statics + 20);
    default: {
      const std::vector<QRgb> palette = OptimisedPalette(rgb);
      QList<QRgb> table(palette.begin(), palette.end());
      table.resize(kPaletteSize, 0xFF000000u);
      return table;
    }
  }
}

}  // namespace

int PaletteEntries(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf1bit:
      return 2;
    case TPixelFormat::pf4bit:
      return 16;
    case TPixelFormat::pf8bit:
      return 256;
    default:
      return 0;
  }
}

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
  if (IsPalette(format_) && !next.isNull())
    Index(next, image_.isNull() ? StandardTable(format_, next) : image_.colorTable());
  else
    image_ = next;
}

void TBitmap::SetPixel(int x, int y, TColor c) {
  if (IsPalette(format_)) {
    const QList<QRgb> table = image_.colorTable();
    image_.setPixel(x, y, uint(NearestColor(std::vector<QRgb>(table.begin(), table.end()), ToQRgb(c))));
  } else {
    image_.setPixel(x, y, ToQRgb(c));
  }
}

void TBitmap::Fill(TColor c) {
  if (IsPalette(format_)) {
    const QList<QRgb> table = image_.colorTable();
    image_.fill(uint(NearestColor(std::vector<QRgb>(table.begin(), table.end()), ToQRgb(c))));
  } else {
    image_.fill(ToQRgb(c));
  }
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  const QImage rgb = image_.convertToFormat(QImage::Format_RGB32);
  format_ = format;
  if (IsPalette(format) && !rgb.isNull())
    Index(rgb, StandardTable(format, rgb));
  else
    image_ = rgb;
}

std::vector<TColor> TBitmap::Palette() const {
  std::vector<TColor> colours;
  if (!IsPalette(format_)) return colours;
  for (QRgb c : image_.colorTable()) colours.push_back(FromQRgb(c));
  return colours;
}

void TBitmap::Index(const QImage& rgb, const QList<QRgb>& table) {
  QImage indexed(rgb.size(), QImage::Format_Indexed8);
  indexed.setColorTable(table);
  const std::vector<uint8_t> indices = MapToPalette(rgb, std::vector<QRgb>(table.begin(), table.end()));
  const size_t width = size_t(rgb.width());
  for (int y = 0; y < rgb.height(); ++y) std::memcpy(indexed.scanLine(y), indices.data() + size_t(y) * width, width);
  image_ = indexed;
}

TColor TBitmap::TransparentColor() const {
  if (image_.isNull()) return clWhite;
  return FromQRgb(image_.pixel(0, image_.height() - 1));
}

// A source of another format is converted a row at a time, so that a large picture is not
// held a second time while it is copied.
void OrCopy(QImage& dst, int x, int y, const QImage& src) {
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  const bool direct = src.format() == QImage::Format_RGB32;
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = std::min(dst.width(), x + src.width()), y1 = std::min(dst.height(), y + src.height());
  QImage line;
  for (int row = y0; row < y1; ++row) {
    if (!direct) line = src.copy(0, row - y, src.width(), 1).convertToFormat(QImage::Format_RGB32);
    auto* d = reinterpret_cast<uint32_t*>(dst.scanLine(row));
    const auto* sp = reinterpret_cast<const uint32_t*>(direct ? src.constScanLine(row - y) : line.constScanLine(0));
    for (int col = x0; col < x1; ++col) d[col] = (d[col] | sp[col - x]) | 0xFF000000u;
  }
}

}  // namespace platform
