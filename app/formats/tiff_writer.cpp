#include "formats/tiff_writer.h"

#include <QImage>
#include <limits>

#include "platform/picture.h"
#include "platform/stream.h"
#include "formats/whole_file.h"

namespace formats {

using platform::EPictureError;
using platform::TBitmap;
using platform::TByteWriter;
using platform::TPixelFormat;

namespace {

enum : uint16_t { kAscii = 2, kShort = 3, kLong = 4, kRational = 5 };

struct TIfdEntry {
  uint16_t tag;
  uint16_t type;
  uint32_t count;
  uint32_t value;  // a SHORT value sits in the low two bytes
};

// Resolution 87.7 pixels per inch: the export resolution is not recorded.
constexpr uint32_t kResolution[2] = {877, 10};
constexpr char kSoftware[] = "Pelzi soft";
constexpr uint32_t kSoftwareCount = sizeof kSoftware - 1;  // no terminating zero
constexpr uint16_t kInch = 2;

// A side as SHORT while it fits, else as LONG, which TIFF readers take as well.
TIfdEntry Side(uint16_t tag, int pixels) {
  return {tag, pixels > 0xFFFF ? kLong : kShort, 1, uint32_t(pixels)};
}

constexpr uint64_t kIfdBytes = 2 + 15 * 12 + 4;

// Offsets and counts are 32-bit, so no file beyond 4 GiB can be described. Returns the
// directory's offset, behind the pixels.
uint32_t DirectoryOffset(uint64_t pixelsOffset, uint64_t pixelBytes) {
  if (pixelsOffset + pixelBytes + kIfdBytes > std::numeric_limits<uint32_t>::max())
    throw EPictureError("图象太大，不能保存为 TIFF 图象");
  return uint32_t(pixelsOffset + pixelBytes);
}

void WriteHeader(TByteWriter& out, uint32_t ifdOffset) {
  out.WriteU8('I');
  out.WriteU8('I');
  out.WriteU16(42);
  out.WriteU32(ifdOffset);
}

void WriteResolution(TByteWriter& out) {
  out.WriteU32(kResolution[0]);
  out.WriteU32(kResolution[1]);
}

void WriteSoftware(TByteWriter& out) { out.WriteBytes(kSoftware, kSoftwareCount); }

void WriteIfd(TByteWriter& out, const std::vector<TIfdEntry>& entries) {
  out.WriteU16(uint16_t(entries.size()));
  for (const TIfdEntry& e : entries) {
    out.WriteU16(e.tag);
    out.WriteU16(e.type);
    out.WriteU32(e.count);
    out.WriteU32(e.value);
  }
  out.WriteU32(0);  // no next directory
}

// Header, XResolution, YResolution, BitsPerSample 8, 8, 8, Software, pixels, directory.
std::vector<uint8_t> EncodeRgb(const QImage& image) {
  const int w = image.width(), h = image.height();
  const uint64_t pixelBytes = uint64_t(w) * uint64_t(h) * 3;
  constexpr uint32_t xRes = 8, yRes = 16, bits = 24, software = 30, pixels = 40;
  const uint32_t ifd = DirectoryOffset(pixels, pixelBytes);
  TByteWriter out;
  out.Reserve(size_t(ifd + kIfdBytes));
  WriteHeader(out, ifd);
  WriteResolution(out);
  WriteResolution(out);
  for (int i = 0; i < 3; ++i) out.WriteU16(8);
  WriteSoftware(out);
  // Each pixel's channels are put in order inside its own row, so no row's padding or
  // alpha byte ever reaches the file.
  std::vector<uint8_t> row(size_t(w) * 3);
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      row[size_t(x) * 3] = uint8_t(qRed(line[x]));
      row[size_t(x) * 3 + 1] = uint8_t(qGreen(line[x]));
      row[size_t(x) * 3 + 2] = uint8_t(qBlue(line[x]));
    }
    out.WriteBytes(row.data(), row.size());
  }
  WriteIfd(out, {{254, kLong, 1, 0},
                 Side(256, w),
                 Side(257, h),
                 {258, kShort, 3, bits},
                 {259, kShort, 1, 1},
                 {262, kShort, 1, 2},
                 {273, kLong, 1, pixels},
                 {277, kShort, 1, 3},
                 {278, kLong, 1, uint32_t(h)},
                 {279, kLong, 1, uint32_t(pixelBytes)},
                 {282, kRational, 1, xRes},
                 {283, kRational, 1, yRes},
                 {284, kShort, 1, 1},
                 {296, kShort, 1, kInch},
                 {305, kAscii, kSoftwareCount, software}});
  return out.Take();
}

// Header, ColorMap, XResolution, YResolution, Software, pixels, directory.
std::vector<uint8_t> EncodePalette(const TBitmap& bitmap, int bitsPerPixel) {
  const QImage& image = bitmap.Image();
  if (image.format() != QImage::Format_Indexed8) throw EPictureError("the palette bitmap holds no colour indices");
  const int h = image.height();
  // A 4-bit row is written two pixels a byte, its width cut down to a multiple of 4.
  const int w = bitsPerPixel == 4 ? image.width() / 4 * 4 : image.width();
  if (w == 0) throw EPictureError("a 4-bit picture narrower than 4 pixels cannot be written as TIFF");
  const uint32_t rowBytes = bitsPerPixel == 4 ? uint32_t(w) / 2 : uint32_t(w);
  const std::vector<platform::TColor> colours = bitmap.Palette();
  const uint32_t n = uint32_t(colours.size());
  const uint32_t xRes = 8 + 6 * n, yRes = 16 + 6 * n, software = 24 + 6 * n, pixels = 34 + 6 * n;
  const uint64_t pixelBytes = uint64_t(rowBytes) * uint64_t(h);
  const uint32_t ifd = DirectoryOffset(pixels, pixelBytes);
  TByteWriter out;
  out.Reserve(size_t(ifd + kIfdBytes));
  WriteHeader(out, ifd);
  for (uint8_t (*channel)(platform::TColor) : {platform::RedOf, platform::GreenOf, platform::BlueOf})
    for (platform::TColor c : colours) out.WriteU16(uint16_t(channel(c) * 256));
  WriteResolution(out);
  WriteResolution(out);
  WriteSoftware(out);
  std::vector<uint8_t> row(rowBytes);
  for (int y = 0; y < h; ++y) {
    const uchar* line = image.constScanLine(y);
    if (bitsPerPixel == 4) {
      for (uint32_t i = 0; i < rowBytes; ++i) row[i] = uint8_t(line[2 * i] << 4 | (line[2 * i + 1] & 0x0F));
    } else {
      std::copy(line, line + rowBytes, row.begin());
    }
    out.WriteBytes(row.data(), row.size());
  }
  WriteIfd(out, {{254, kLong, 1, 0},
                 Side(256, w),
                 Side(257, h),
                 {258, kShort, 1, uint32_t(bitsPerPixel)},
                 {259, kShort, 1, 1},
                 {262, kShort, 1, 3},
                 {273, kLong, 1, pixels},
                 {277, kShort, 1, 1},
                 {278, kLong, 1, uint32_t(h)},
                 {279, kLong, 1, uint32_t(pixelBytes)},
                 {282, kRational, 1, xRes},
                 {283, kRational, 1, yRes},
                 {296, kShort, 1, kInch},
                 {305, kAscii, kSoftwareCount, software},
                 {320, kShort, 3 * n, 8}});
  return out.Take();
}

}  // namespace

std::vector<uint8_t> EncodeTiff(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw EPictureError("空白图象不能保存为 TIFF 图象");
  switch (bitmap.PixelFormat()) {
    case TPixelFormat::pf4bit:
      return EncodePalette(bitmap, 4);
    case TPixelFormat::pf8bit:
      return EncodePalette(bitmap, 8);
    case TPixelFormat::pf24bit:
    case TPixelFormat::pf32bit:
      return EncodeRgb(bitmap.Image().convertToFormat(QImage::Format_RGB32));
    case TPixelFormat::pf1bit:
      break;
  }
  throw EPictureError("a 1-bit picture cannot be written as TIFF");
}

void SaveGraphicAsTiff(const QString& path, const TBitmap& bitmap) { SaveFileAtomically(path, EncodeTiff(bitmap)); }

}  // namespace formats
