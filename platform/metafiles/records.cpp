#include "platform/metafiles/records.h"

#include <algorithm>
#include <cstdlib>

namespace platform::metafiles {

namespace {

void Write32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Write16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
uint32_t ReadBig32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
uint16_t ReadBig16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

// The bitmaps of one metafile draw on one allowance of pixels.
class TEmbeddedPixels {
 public:
  explicit TEmbeddedPixels(long long maxPixels) : left_(std::min(maxPixels, kMaxEmbeddedPixels)) {}
  void Take(int64_t width, int64_t height) {
    if (!WithinPictureCaps(width, height) || width * height > left_) RefuseMetafile(TMetafileFault::BitmapTooLarge);
    left_ -= width * height;
  }

 private:
  long long left_;
};

// The size a PNG or JPEG stream states for itself, which is what its decoder allocates,
// whatever the bitmap header around it says.
bool PngSize(const uint8_t* p, uint64_t n, int64_t* width, int64_t* height) {
  static constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  constexpr size_t kIhdrEnd = 8 + 8 + 8;
  if (n < kIhdrEnd || !std::equal(std::begin(kSignature), std::end(kSignature), p)) return false;
  if (p[12] != 'I' || p[13] != 'H' || p[14] != 'D' || p[15] != 'R') return false;
  *width = ReadBig32(p + 16);
  *height = ReadBig32(p + 20);
  return true;
}

bool JpegSize(const uint8_t* p, uint64_t n, int64_t* width, int64_t* height) {
  if (n < 4 || p[0] != 0xFF || p[1] != 0xD8) return false;
  for (uint64_t at = 2; at + 4 <= n;) {
    if (p[at] != 0xFF) return false;
    const uint8_t marker = p[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const uint16_t length = ReadBig16(p + at + 2);
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 7 || at + 2 + length > n) return false;
      *height = ReadBig16(p + at + 5);
      *width = ReadBig16(p + at + 7);
      return true;
    }
    if (length < 2) return false;
    at += 2 + uint64_t(length);
  }
  return false;
}

// The converters set aside a bitmap's pixels by its header alone: its header must lie in
// the bytes given for it, its size within the allowance, and the bits of an uncompressed one
// must be there for every row.
void CheckBitmap(const uint8_t* header, uint64_t headerBytes, const uint8_t* bits, uint64_t bitsBytes,
                 TEmbeddedPixels& pixels) {
  constexpr uint32_t kCoreHeader = 12, kInfoHeader = 40;
  constexpr uint32_t kRgb = 0, kBitFields = 3, kJpeg = 4, kPng = 5;
  if (headerBytes < kCoreHeader) RefuseMetafile(TMetafileFault::DamagedBitmap);
  const uint32_t headerSize = MetafileU32(header);
  int64_t width = 0, height = 0;
  int bitCount = 0;
  uint32_t compression = kRgb;
  if (headerSize == kCoreHeader) {
    width = MetafileU16(header + 4);
    height = MetafileU16(header + 6);
    bitCount = MetafileU16(header + 10);
  } else {
    if (headerSize < kInfoHeader || headerSize > headerBytes) RefuseMetafile(TMetafileFault::DamagedBitmap);
    width = std::abs(int64_t(MetafileI32(header + 4)));
    height = std::abs(int64_t(MetafileI32(header + 8)));
    bitCount = MetafileU16(header + 14);
    compression = MetafileU32(header + 16);
  }
  if (width == 0 || height == 0) RefuseMetafile(TMetafileFault::DamagedBitmap);
  pixels.Take(width, height);
  // They also set aside the colours an info header counts, 4 bytes each, which must follow
  // it in its bytes.
  const uint64_t colours = headerSize == kCoreHeader ? 0 : MetafileU32(header + 32);
  if (colours * 4 > headerBytes - headerSize) RefuseMetafile(TMetafileFault::DamagedBitmap);
  if (compression == kRgb || compression == kBitFields) {
    if (bitCount == 0 || (width * bitCount + 31) / 32 * 4 * height > int64_t(bitsBytes))
      RefuseMetafile(TMetafileFault::DamagedBitmap);
  } else if (compression == kJpeg || compression == kPng) {
    int64_t w = 0, h = 0;
    if (!(compression == kPng ? PngSize(bits, bitsBytes, &w, &h) : JpegSize(bits, bitsBytes, &w, &h)))
      RefuseMetafile(TMetafileFault::DamagedBitmap);
    pixels.Take(w, h);
  }
}

constexpr uint32_t kEmfHeaderRecord = 1;
constexpr uint32_t kEmfEofRecord = 14;
constexpr size_t kEmfHeaderSize = 88;
constexpr size_t kEmfRecordHead = 8;  // type, size
constexpr uint32_t kEmfSaveDC = 33;
constexpr uint32_t kEmfRestoreDC = 34;
constexpr uint32_t kEmfExtTextOutA = 83;
constexpr uint32_t kEmfExtTextOutW = 84;
constexpr uint32_t kEmfSmallTextOut = 108;
constexpr uint32_t kGlyphIndexOption = 0x10;
constexpr uint32_t kEmfSkippedRecord = 0;  // no record has this type

// What each record type holds before its variable part, and the items it counts: the
// record must be at least fixed + count × itemBytes (+ count2 × item2Bytes) long, the counts
// being 32-bit fields at countAt and count2At. The types not listed are checked for their
// head alone.
struct TEmfLayout {
  uint32_t type;
  uint32_t fixed;
  uint32_t countAt = 0;
  uint32_t itemBytes = 0;
  uint32_t count2At = 0;
  uint32_t item2Bytes = 0;
};
constexpr TEmfLayout kEmfLayouts[] = {
    {2, 28, 24, 8},  {3, 28, 24, 8},  {4, 28, 24, 8},  {5, 28, 24, 8},  {6, 28, 24, 8},  // poly figures
    {7, 32, 24, 4, 28, 8},  {8, 32, 24, 4, 28, 8},                                      // poly-polygons
    {9, 16},   {10, 16},  {11, 16},  {12, 16},  {13, 16},  {14, 20},  {15, 20},         // extents, origins
    {16, 12},  {17, 12},  {18, 12},  {19, 12},  {20, 12},  {21, 12},  {22, 12},  {23, 32},  // modes
    {24, 12},  {25, 12},  {26, 16},  {27, 16},  {29, 24},  {30, 24},  {31, 24},  {32, 24},
    {34, 12},  {35, 32},  {36, 36},  {37, 12},  {38, 28},  {39, 24},  {40, 12},         // states, objects
    {41, 28},  {42, 24},  {43, 24},  {44, 32},  {45, 40},  {46, 40},  {47, 40},         // figures
    {48, 12},  {49, 16},  {50, 20, 16, 4},  {51, 16},  {53, 24},  {54, 16},  {55, 40},  // palettes, lines
    {56, 28, 24, 9},  {57, 12},  {58, 12},  {62, 24},  {63, 24},  {64, 24},  {67, 12},  // paths
    {70, 12, 8, 1},  {71, 32, 24, 1},  {72, 40, 24, 1},  {73, 28, 24, 1},  {74, 28, 24, 1},  // regions
    {75, 16, 8, 1},
    {76, 100}, {77, 108}, {78, 128}, {79, 140}, {80, 76},  {81, 80},                    // bitmaps
    {82, 104}, {83, 76},  {84, 76},                                                      // font, text
    {85, 28, 24, 4},  {86, 28, 24, 4},  {87, 28, 24, 4},  {88, 28, 24, 4},  {89, 28, 24, 4},  // 16-bit polys
    {90, 32, 24, 4, 28, 4},  {91, 32, 24, 4, 28, 4},  {92, 28, 24, 5},
    {93, 32},  {94, 32},  {95, 52, 48, 4},  {96, 40, 36, 40},  {97, 40, 36, 40},        // brushes, pens, text
    {98, 12},  {100, 12}, {101, 12}, {108, 36}, {114, 108}, {115, 12}, {116, 108},
    {118, 36, 24, 16, 28, 8},  {120, 16},                                               // gradients
};

bool HoldsItsLayout(const uint8_t* record, uint32_t type, uint32_t length) {
  for (const TEmfLayout& l : kEmfLayouts) {
    if (l.type != type) continue;
    if (length < l.fixed) return false;
    uint64_t need = l.fixed;
    if (l.itemBytes) need += uint64_t(MetafileU32(record + l.countAt)) * l.itemBytes;
    if (l.item2Bytes) need += uint64_t(MetafileU32(record + l.count2At)) * l.item2Bytes;
    return need <= length;
  }
  return true;
}

// Text records: the characters, and the spacing when the record has one, lie inside.
bool HoldsItsText(const uint8_t* record, uint32_t type, uint32_t length) {
  constexpr uint32_t kNoRect = 0x100, kSmallChars = 0x200, kVerticalSpacing = 0x2000;
  if (type == kEmfExtTextOutA || type == kEmfExtTextOutW) {
    const uint64_t chars = MetafileU32(record + 44), textAt = MetafileU32(record + 48);
    const uint32_t options = MetafileU32(record + 52);
    const uint64_t spacingAt = MetafileU32(record + 72);
    const uint64_t charBytes = type == kEmfExtTextOutW ? 2 : 1;
    if (chars > 0 && textAt + chars * charBytes > length) return false;
    const uint64_t spacing = chars * 4 * (options & kVerticalSpacing ? 2 : 1);
    return spacingAt == 0 || chars == 0 || spacingAt + spacing <= length;
  }
  if (type == kEmfSmallTextOut) {
    const uint64_t chars = MetafileU32(record + 16);
    const uint32_t options = MetafileU32(record + 20);
    return 36 + (options & kNoRect ? 0 : 16) + chars * (options & kSmallChars ? 1 : 2) <= length;
  }
  return true;
}

// libemf2svg turns text stored as glyph numbers back into characters through fontconfig and
// then shuts fontconfig down (FcFini) under the fonts Qt still holds: fontconfig aborts the
// process. Such text is left out; its record becomes one of a type the converter skips.
// Where the option lies: ExtTextOutA and W at 52, SmallTextOut at 20.
void LeaveOutGlyphNumberText(uint8_t* record, uint32_t type) {
  const size_t options = type == kEmfExtTextOutA || type == kEmfExtTextOutW ? 52 : type == kEmfSmallTextOut ? 20 : 0;
  if (options != 0 && (MetafileU32(record + options) & kGlyphIndexOption)) Write32(record, kEmfSkippedRecord);
}

// Records that carry bitmaps, and where: an enhanced record holds the offset and size of
// the bitmap's header and then of its bits, as four 32-bit fields at `at`; a Windows record
// holds the bitmap, header, colours and bits in one, from `at` to its end.
struct TBitmapPlace {
  uint32_t type;
  size_t at;
};
constexpr TBitmapPlace kEmfBitmaps[] = {
    {76, 84},  {77, 84},  {78, 84},  {78, 112},  // BitBlt, StretchBlt, MaskBlt and its mask
    {79, 96},  {79, 124},                        // PlgBlt and its mask
    {80, 48},  {81, 48},                         // SetDIBitsToDevice, StretchDIBits
    {114, 84}, {116, 84},                        // AlphaBlend, TransparentBlt
    {93, 16},  {94, 16},                         // CreateMonoBrush, CreateDIBPatternBrushPt
};

void CheckEmfBitmaps(const uint8_t* record, uint32_t type, uint32_t length, TEmbeddedPixels& pixels) {
  for (const TBitmapPlace& place : kEmfBitmaps) {
    if (place.type != type) continue;
    if (length < place.at + 16) RefuseMetafile(TMetafileFault::Damaged);
    const uint64_t headerAt = MetafileU32(record + place.at), headerBytes = MetafileU32(record + place.at + 4);
    const uint64_t bitsAt = MetafileU32(record + place.at + 8), bitsBytes = MetafileU32(record + place.at + 12);
    if (headerBytes == 0) continue;  // a raster operation without a source
    if (headerAt + headerBytes > length || bitsAt + bitsBytes > length) RefuseMetafile(TMetafileFault::DamagedBitmap);
    CheckBitmap(record + headerAt, headerBytes, record + bitsAt, bitsBytes, pixels);
  }
}

// Saved states open at once: a restore goes back to the state it names, relative when
// negative.
class TSavedStates {
 public:
  void Save() {
    if (++open_ > kMaxSavedStates) RefuseMetafile(TMetafileFault::TooDeep);
  }
  void Restore(int32_t which) {
    if (which < 0)
      open_ = static_cast<uint32_t>(std::max<int64_t>(0, int64_t(open_) + which));
    else
      open_ = std::min<uint32_t>(open_, static_cast<uint32_t>(which));
  }

 private:
  uint32_t open_ = 0;
};

void CountRecord(uint32_t& records) {
  if (++records > kMaxRecords) RefuseMetafile(TMetafileFault::TooManyRecords);
}

constexpr size_t kPlaceableHeaderSize = 22;
constexpr size_t kPlaceableInchAt = 14;
constexpr size_t kWmfHeaderSize = 18;
constexpr size_t kWmfSizeAt = 6;            // in the header: the file's size in 16-bit words
constexpr size_t kWmfLargestRecordAt = 12;  // and its largest record's
constexpr size_t kWmfRecordHead = 6;        // size in 16-bit words, function
constexpr uint16_t kWmfEofFunction = 0;
constexpr uint16_t kWmfSaveDC = 0x001E;
constexpr uint16_t kWmfRestoreDC = 0x0127;

constexpr TBitmapPlace kWmfBitmaps[] = {
    {0x0940, 22}, {0x0B41, 26},  // DIBBitBlt, DIBStretchBlt: without a bitmap when they are
                                 // (function >> 8) + 3 words long
    {0x0F43, 28}, {0x0D33, 24},  // StretchDIB, SetDIBToDev
    {0x0142, 10},                // DIBCreatePatternBrush
};

void CheckWmfBitmap(const uint8_t* record, uint16_t function, uint32_t words, TEmbeddedPixels& pixels) {
  for (const TBitmapPlace& place : kWmfBitmaps) {
    if (place.type != function) continue;
    const bool blitWithoutBitmap = (function == 0x0940 || function == 0x0B41) && words == uint32_t(function >> 8) + 3;
    if (blitWithoutBitmap) return;
    const uint64_t bytes = uint64_t(words) * 2;
    if (bytes < place.at + 4) RefuseMetafile(TMetafileFault::DamagedBitmap);
    const uint64_t rest = bytes - place.at;
    const uint64_t headerBytes = std::min<uint64_t>(rest, MetafileU32(record + place.at));
    CheckBitmap(record + place.at, rest, record + place.at + headerBytes, rest - headerBytes, pixels);
  }
}

// The Windows records whose fixed part libwmf reads before it looks at the record's size,
// in 16-bit words after the head, with the 16-bit count at `countAt` (a parameter's place)
// of items of `itemWords` each.
struct TWmfLayout {
  uint16_t function;
  uint32_t fixedWords;
  uint32_t countAt = 0;
  uint32_t itemWords = 0;
};
constexpr TWmfLayout kWmfLayouts[] = {
    {0x0521, 3, 0, 0},  // TextOut: count, then the characters (checked below), y, x
    {0x0A32, 4},        // ExtTextOut: y, x, count, options (then its box and characters, below)
    {0x02FB, 9},        // CreateFontIndirect: the font's fixed fields before its face
    {0x0324, 1, 0, 2},  // Polygon: count, then the points
    {0x0325, 1, 0, 2},  // Polyline
    {0x0538, 1, 0, 1},  // PolyPolygon: count of polygons, their point counts (and points, below)
};

bool HoldsItsLayout(const uint8_t* record, uint16_t function, uint32_t words) {
  const uint32_t params = words - kWmfRecordHead / 2;
  const uint8_t* param = record + kWmfRecordHead;
  for (const TWmfLayout& l : kWmfLayouts) {
    if (l.function != function) continue;
    if (params < l.fixedWords) return false;
    const uint64_t count = l.itemWords ? MetafileU16(param + 2 * l.countAt) : 0;
    uint64_t need = l.fixedWords + count * l.itemWords;
    if (need > params) return false;
    if (function == 0x0521) need += (uint64_t(MetafileU16(param)) + 1) / 2;  // the characters
    if (function == 0x0A32) {
      constexpr uint16_t kOpaque = 2, kClipped = 4;
      need += (MetafileU16(param + 6) & (kOpaque | kClipped) ? 4 : 0) + (uint64_t(MetafileU16(param + 4)) + 1) / 2;
    }
    if (function == 0x0538)
      for (uint64_t i = 0; i < count; ++i) need += 2 * uint64_t(MetafileU16(param + 2 + 2 * i));
    return need <= params;
  }
  return true;
}

}  // namespace

size_t PrepareEmfRecords(uint8_t* data, size_t size, long long maxPixels) {
  TEmbeddedPixels pixels(maxPixels);
  TSavedStates states;
  uint32_t records = 0;
  for (size_t at = 0;;) {
    if (size - at < kEmfRecordHead) RefuseMetafile(TMetafileFault::Damaged);
    uint8_t* record = data + at;
    const uint32_t type = MetafileU32(record), length = MetafileU32(record + 4);
    const bool first = at == 0;
    if (length < kEmfRecordHead || length > size - at || (type == kEmfHeaderRecord) != first ||
        (first && length < kEmfHeaderSize))
      RefuseMetafile(TMetafileFault::Damaged);
    CountRecord(records);
    if (!HoldsItsLayout(record, type, length) || !HoldsItsText(record, type, length)) RefuseMetafile(TMetafileFault::Damaged);
    if (type == kEmfEofRecord) return at + length;
    if (type == kEmfSaveDC) states.Save();
    if (type == kEmfRestoreDC) states.Restore(MetafileI32(record + 8));
    CheckEmfBitmaps(record, type, length, pixels);
    LeaveOutGlyphNumberText(record, type);
    at += length;
  }
}

// libwmf scales by the inch (a box without one gets the inch it is taken in) and sets aside
// room by the header's own size and largest record, which a hostile file sets to gigabytes;
// the copy states what the walk measured.
size_t PrepareWmfRecords(uint8_t* data, size_t size, long long maxPixels) {
  if (size < kPlaceableHeaderSize + kWmfHeaderSize) RefuseMetafile(TMetafileFault::Damaged);
  uint8_t* header = data + kPlaceableHeaderSize;
  const uint16_t type = MetafileU16(header), headerWords = MetafileU16(header + 2);
  if ((type != 1 && type != 2) || headerWords != kWmfHeaderSize / 2) RefuseMetafile(TMetafileFault::Damaged);
  TEmbeddedPixels pixels(maxPixels);
  TSavedStates states;
  uint32_t records = 0, largest = 0;
  size_t at = kPlaceableHeaderSize + kWmfHeaderSize;
  for (bool end = false; !end;) {
    if (size - at < kWmfRecordHead) RefuseMetafile(TMetafileFault::Damaged);
    const uint8_t* record = data + at;
    const uint32_t words = MetafileU32(record);
    if (words < kWmfRecordHead / 2 || words > (size - at) / 2) RefuseMetafile(TMetafileFault::Damaged);
    CountRecord(records);
    largest = std::max(largest, words);
    const uint16_t function = MetafileU16(record + 4);
    if (!HoldsItsLayout(record, function, words)) RefuseMetafile(TMetafileFault::Damaged);
    if (function == kWmfSaveDC) states.Save();
    if (function == kWmfRestoreDC && words > kWmfRecordHead / 2) states.Restore(MetafileI16(record + 6));
    CheckWmfBitmap(record, function, words, pixels);
    end = function == kWmfEofFunction;
    // libwmf reads on behind an end record longer than its head: the copy's is no longer.
    if (end) Write32(data + at, kWmfRecordHead / 2);
    at += end ? kWmfRecordHead : size_t(words) * 2;
  }
  const uint16_t inch = MetafileU16(data + kPlaceableInchAt);
  Write16(data + kPlaceableInchAt, inch > 0 ? inch : uint16_t(kScreenPixelsPerInch));
  Write32(header + kWmfSizeAt, static_cast<uint32_t>((at - kPlaceableHeaderSize) / 2));
  Write32(header + kWmfLargestRecordAt, largest);
  return at;
}

}  // namespace platform::metafiles
