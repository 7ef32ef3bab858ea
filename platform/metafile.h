#pragma once
// Metafile pictures as the program and the metafile worker both see them: the two kinds of
// file and their headers, and the reasons a metafile is not drawn. The drawing itself runs
// in the worker, a process of its own (platform/metafiles/), so that no metafile can crash,
// freeze or flood the program (platform/metafileworker.h).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/picture.h"

// A build under AddressSanitizer, whose metafile worker is slower and holds more memory.
#if defined(__SANITIZE_ADDRESS__)
#define BRELVONIX_ADDRESS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRELVONIX_ADDRESS_SANITIZED 1
#endif
#endif

namespace platform {

#if defined(BRELVONIX_ADDRESS_SANITIZED)
inline constexpr bool kAddressSanitized = true;
#else
inline constexpr bool kAddressSanitized = false;
#endif

// Why a metafile has no pixels. The worker answers with one of the reasons up to
// OutOfMemory; the others arise in the program, around the worker.
enum class TMetafileFault : uint32_t {
  NotAMetafile = 1,
  NoPixels,
  TooLarge,
  Damaged,
  DamagedBitmap,
  BitmapTooLarge,
  TooManyRecords,
  TooDeep,
  Unreadable,
  OutOfMemory,
  TimedOut,
  WorkerUnavailable,
  WorkerFailed,
  NoTimeLeft,
};
inline constexpr TMetafileFault kLastWorkerFault = TMetafileFault::OutOfMemory;

// A reason found in drawing: by the worker, or the worker failing or taking too long, as
// against what the program reads off the header (not a metafile, no pixels, too large). A
// metafile that fails in drawing may well be sound; what holds it keeps its bytes.
inline bool IsDrawingFault(TMetafileFault fault) {
  return fault != TMetafileFault::NotAMetafile && fault != TMetafileFault::NoPixels &&
         fault != TMetafileFault::TooLarge;
}

// The user's words for a reason, in Chinese.
const char* MetafileFaultText(TMetafileFault fault);

// A metafile not drawn, with its reason; what() is the reason's text.
class EMetafileError : public EPictureError {
 public:
  explicit EMetafileError(TMetafileFault fault);
  TMetafileFault Fault() const { return fault_; }

 private:
  TMetafileFault fault_;
};

// Throws EMetafileError for the reason.
[[noreturn]] void RefuseMetafile(TMetafileFault fault);

// A placeable metafile's box is in units of its own inch; it is as many pixels as it covers
// on a screen of this many pixels per inch, the inch that a box without one is taken in.
inline constexpr int kScreenPixelsPerInch = 96;

struct TMetafileHeader {
  bool Enhanced = false;  // else a placeable Windows metafile
  // The picture's pixels: an enhanced metafile's bounds in device pixels, a placeable one's
  // box at kScreenPixelsPerInch.
  int Width = 0;
  int Height = 0;
  // Placeable only: the box's inch (kScreenPixelsPerInch when it states none) and extent in
  // its own units.
  int Inch = kScreenPixelsPerInch;
  int BoxWidth = 0;
  int BoxHeight = 0;
};

// The header of an enhanced or placeable Windows metafile; nothing for other data.
std::optional<TMetafileHeader> ReadMetafileHeader(const uint8_t* data, size_t size);

// Little-endian fields of metafile records.
inline uint32_t MetafileU32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline int32_t MetafileI32(const uint8_t* p) { return static_cast<int32_t>(MetafileU32(p)); }
inline uint16_t MetafileU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline int16_t MetafileI16(const uint8_t* p) { return static_cast<int16_t>(MetafileU16(p)); }

}  // namespace platform
