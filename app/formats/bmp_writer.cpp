#include "formats/bmp_writer.h"

#include <QImage>
#include <limits>

#include "platform/picture.h"

namespace formats {

using platform::TBitmap;
using platform::TByteWriter;

namespace {

constexpr uint32_t kFileHeaderSize = 14;

uint32_t RowStride(int width) { return (uint32_t(width) * 3 + 3) & ~3u; }

}  // namespace

uint32_t DibRowsSize(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw platform::EPictureError("空白图象不能保存为位图");
  const uint64_t size = uint64_t(RowStride(bitmap.Width())) * uint64_t(bitmap.Height());
  if (size > uint64_t(std::numeric_limits<int32_t>::max()))
    throw platform::EPictureError("图象太大，不能保存为位图");
  return uint32_t(size);
}

void WriteDib(TByteWriter& out, const TBitmap& bitmap) {
  const uint32_t rowsSize = DibRowsSize(bitmap);
  const QImage image = bitmap.Image().convertToFormat(QImage::Format_RGB32);
  const int w = image.width(), h = image.height();
  out.WriteU32(kBitmapInfoHeaderSize);
  out.WriteInt32(w);
  out.WriteInt32(h);  // positive: the bottom row comes first
  out.WriteU16(1);    // planes
  out.WriteU16(24);   // bits per pixel
  out.WriteU32(0);    // no compression
  out.WriteU32(rowsSize);
  out.WriteInt32(0);  // pixels per metre, not recorded
  out.WriteInt32(0);
  out.WriteU32(0);  // colours used: none, there is no colour table
  out.WriteU32(0);  // colours important: all
  std::vector<uint8_t> row(RowStride(w), 0);
  for (int y = h - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      row[size_t(x) * 3] = uint8_t(qBlue(line[x]));
      row[size_t(x) * 3 + 1] = uint8_t(qGreen(line[x]));
      row[size_t(x) * 3 + 2] = uint8_t(qRed(line[x]));
    }
    out.WriteBytes(row.data(), row.size());
  }
}

std::vector<uint8_t> EncodeBmp(const TBitmap& bitmap) {
  const uint32_t pixels = kFileHeaderSize + kBitmapInfoHeaderSize;
  const uint32_t fileSize = pixels + DibRowsSize(bitmap);
  TByteWriter out;
  out.Reserve(fileSize);
  out.WriteU8('B');
  out.WriteU8('M');
  out.WriteU32(fileSize);
  out.WriteU32(0);  // two reserved words
  out.WriteU32(pixels);
  WriteDib(out, bitmap);
  return out.Take();
}

}  // namespace formats
