#include "platform/metafile.h"

#include <algorithm>
#include <climits>

#include "platform/metafileworker.h"
#include "platform/numeric.h"

namespace platform {

namespace {

constexpr uint32_t kEmfHeaderRecord = 1;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr size_t kEmfHeaderSize = 88;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr size_t kPlaceableHeaderSize = 22;
constexpr size_t kPlaceableBoxAt = 6;
constexpr size_t kPlaceableInchAt = 14;

// Bounds from a hostile file can span more than an int; the extent is taken in 64 bits and
// held to the int range.
int BoundsExtent(int32_t from, int32_t to) {
  return static_cast<int>(std::clamp<int64_t>(int64_t(to) - from + 1, 0, INT32_MAX));
}

// The placeable box's extent, from (left, top) at `at` to (right, bottom) at `at + 4`.
int BoxExtent(const uint8_t* data, size_t at) {
  return std::max(0, MetafileI16(data + at + 4) - MetafileI16(data + at));
}

}  // namespace

const char* MetafileFaultText(TMetafileFault fault) {
  static constexpr struct {
    TMetafileFault fault;
    const char* text;
  } kTexts[] = {
      {TMetafileFault::NotAMetafile, "既不是增强型图元文件，也不是可定位的 Windows 图元文件"},
      {TMetafileFault::NoPixels, "图元文件没有任何像素"},
      {TMetafileFault::TooLarge, "图元文件太大"},
      {TMetafileFault::Damaged, "图元文件已损坏"},
      {TMetafileFault::DamagedBitmap, "图元文件中的位图已损坏"},
      {TMetafileFault::BitmapTooLarge, "图元文件中的位图太大"},
      {TMetafileFault::TooManyRecords, "图元文件的记录太多"},
      {TMetafileFault::TooDeep, "图元文件保存的绘图状态层次太多"},
      {TMetafileFault::Unreadable, "图元文件无法读取"},
      {TMetafileFault::OutOfMemory, "绘制图元文件需要的内存太多"},
      {TMetafileFault::TimedOut, "图元文件绘制超时"},
      {TMetafileFault::WorkerUnavailable, "无法启动绘制图元文件的辅助程序"},
      {TMetafileFault::WorkerFailed, "绘制图元文件的辅助程序意外中止"},
      {TMetafileFault::NoTimeLeft, "读取的时间已用完，图元文件没有绘制"},
  };
  for (const auto& row : kTexts)
    if (row.fault == fault) return row.text;
  return "图元文件无法读取";
}

EMetafileError::EMetafileError(TMetafileFault fault) : EPictureError(MetafileFaultText(fault)), fault_(fault) {}

void RefuseMetafile(TMetafileFault fault) { throw EMetafileError(fault); }

std::optional<TMetafileHeader> ReadMetafileHeader(const uint8_t* data, size_t size) {
  TMetafileHeader header;
  // Enhanced: the bounds rectangle of the header record, inclusive device units at 8..23.
  if (size >= kEmfHeaderSize && MetafileU32(data) == kEmfHeaderRecord && MetafileU32(data + 40) == kEmfSignature) {
    header.Enhanced = true;
    header.Width = BoundsExtent(MetafileI32(data + 8), MetafileI32(data + 16));
    header.Height = BoundsExtent(MetafileI32(data + 12), MetafileI32(data + 20));
    return header;
  }
  // Placeable: the box at 6..13 in units of the inch at 14.
  if (size >= kPlaceableHeaderSize && MetafileU32(data) == kPlaceableKey) {
    const int inch = MetafileU16(data + kPlaceableInchAt);
    header.Inch = inch > 0 ? inch : kScreenPixelsPerInch;
    header.BoxWidth = BoxExtent(data, kPlaceableBoxAt);
    header.BoxHeight = BoxExtent(data, kPlaceableBoxAt + 2);
    header.Width = Round(static_cast<long double>(header.BoxWidth) * kScreenPixelsPerInch / header.Inch);
    header.Height = Round(static_cast<long double>(header.BoxHeight) * kScreenPixelsPerInch / header.Inch);
    return header;
  }
  return std::nullopt;
}

bool MetafileSize(const std::vector<uint8_t>& bytes, int* width, int* height) {
  const std::optional<TMetafileHeader> header = ReadMetafileHeader(bytes.data(), bytes.size());
  if (!header) return false;
  *width = header->Width;
  *height = header->Height;
  return true;
}

namespace {

// The header's size, within the caps and the pixels allowed; refused otherwise.
TMetafileHeader DrawableHeader(const uint8_t* data, size_t size, long long maxPixels) {
  const std::optional<TMetafileHeader> header = ReadMetafileHeader(data, size);
  if (!header) throw EMetafileError(TMetafileFault::NotAMetafile);
  if (header->Width <= 0 || header->Height <= 0) throw EMetafileError(TMetafileFault::NoPixels);
  if (!WithinPictureCaps(header->Width, header->Height, maxPixels)) throw EMetafileError(TMetafileFault::TooLarge);
  return *header;
}

}  // namespace

QImage DecodeMetafile(const uint8_t* data, size_t size, long long maxPixels, TMetafileReadTime* read) {
  const TMetafileHeader header = DrawableHeader(data, size, maxPixels);
  return TMetafileWorker::Instance().Draw(data, size, header.Width, header.Height, maxPixels, read);
}

std::shared_ptr<TMetafileDrawing> DrawMetafileAhead(const uint8_t* data, size_t size, long long maxPixels,
                                                    TMetafileReadTime* read) {
  const TMetafileHeader header = DrawableHeader(data, size, maxPixels);
  return TMetafileWorker::Instance().DrawAhead(data, size, header.Width, header.Height, maxPixels, read);
}

}  // namespace platform
