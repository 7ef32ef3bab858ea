#include "formats/emf_writer.h"

#include <algorithm>
#include <cmath>

#include "formats/bmp_writer.h"
#include "platform/numeric.h"
#include "platform/picture.h"
#include "platform/stream.h"

namespace formats {

using platform::TByteWriter;

namespace {

enum : uint32_t { kEmrHeader = 1, kEmrEof = 14, kEmrStretchDiBits = 81 };

constexpr uint32_t kHeaderSize = 108;  // with both header extensions: the micrometre size
constexpr uint32_t kStretchFixedSize = 80;
constexpr uint32_t kEofSize = 20;
constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr uint32_t kVersion = 0x00010000;
constexpr uint32_t kDibRgbColors = 0;
constexpr uint32_t kSrcCopy = 0x00CC0020;

void WriteRect(TByteWriter& out, int left, int top, int right, int bottom) {
  out.WriteInt32(left);
  out.WriteInt32(top);
  out.WriteInt32(right);
  out.WriteInt32(bottom);
}

}  // namespace

std::vector<uint8_t> EncodeEmf(const platform::TBitmap& bitmap, double pixelsPerMm) {
  if (!(pixelsPerMm > 0) || !std::isfinite(pixelsPerMm))
    throw platform::EPictureError("a metafile needs a resolution above zero");
  const uint32_t rowsSize = DibRowsSize(bitmap);
  const int w = bitmap.Width(), h = bitmap.Height();
  const uint32_t stretchSize = kStretchFixedSize + kBitmapInfoHeaderSize + rowsSize;
  const uint32_t fileSize = kHeaderSize + stretchSize + kEofSize;
  // Lengths of the picture at its resolution, in the units the header asks for.
  const auto length = [pixelsPerMm](int pixels, long double unitsPerMm) {
    return platform::Round(static_cast<long double>(pixels) * unitsPerMm / static_cast<long double>(pixelsPerMm));
  };

  TByteWriter out;
  out.Reserve(fileSize);
  out.WriteU32(kEmrHeader);
  out.WriteU32(kHeaderSize);
  WriteRect(out, 0, 0, w - 1, h - 1);
  WriteRect(out, 0, 0, std::max(1, length(w, 100)) - 1, std::max(1, length(h, 100)) - 1);
  out.WriteU32(kSignature);
  out.WriteU32(kVersion);
  out.WriteU32(fileSize);
  out.WriteU32(3);  // records
  out.WriteU16(1);  // handles: only the reserved handle 0
  out.WriteU16(0);
  out.WriteU32(0);  // no description
  out.WriteU32(0);
  out.WriteU32(0);  // no palette
  out.WriteInt32(w);  // reference device in pixels
  out.WriteInt32(h);
  out.WriteInt32(std::max(1, length(w, 1)));  // and in whole millimetres, never 0
  out.WriteInt32(std::max(1, length(h, 1)));
  out.WriteU32(0);  // no pixel format
  out.WriteU32(0);
  out.WriteU32(0);  // no OpenGL records
  out.WriteInt32(length(w, 1000));  // reference device in micrometres
  out.WriteInt32(length(h, 1000));

  out.WriteU32(kEmrStretchDiBits);
  out.WriteU32(stretchSize);
  WriteRect(out, 0, 0, w - 1, h - 1);
  out.WriteInt32(0);  // destination x, y
  out.WriteInt32(0);
  out.WriteInt32(0);  // source x, y, width, height
  out.WriteInt32(0);
  out.WriteInt32(w);
  out.WriteInt32(h);
  out.WriteU32(kStretchFixedSize);  // info header offset and size
  out.WriteU32(kBitmapInfoHeaderSize);
  out.WriteU32(kStretchFixedSize + kBitmapInfoHeaderSize);  // pixel offset and size
  out.WriteU32(rowsSize);
  out.WriteU32(kDibRgbColors);
  out.WriteU32(kSrcCopy);
  out.WriteInt32(w);  // destination width, height
  out.WriteInt32(h);
  WriteDib(out, bitmap);

  out.WriteU32(kEmrEof);
  out.WriteU32(kEofSize);
  out.WriteU32(0);  // no palette entries, which would sit at offset 16
  out.WriteU32(16);
  out.WriteU32(kEofSize);
  return out.Take();
}

}  // namespace formats
