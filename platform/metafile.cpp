// Metafile pictures, drawn as the platform plays them onto a fresh bitmap: an enhanced
// metafile through libemf2svg, a placeable Windows metafile through libwmf's SVG device,
// and the SVG by Qt SVG onto a white bitmap of the picture's own size, without
// antialiasing, so that the result recolours and turns transparent like any bitmap.

#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdint>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/numeric.h"
#include "platform/picture.h"

#include <emf2svg.h>
// libwmf defines its integer types as macros (U16, U32, ...), which Qt's headers use as
// names; it comes last and takes them away again.
#include <libwmf/api.h>
#include <libwmf/svg.h>
#undef U32
#undef S32
#undef U16
#undef S16
#undef U8
#undef U16_2_S16

namespace platform {

namespace {

constexpr uint32_t kEmfHeaderRecord = 1;
constexpr uint32_t kEmfEofRecord = 14;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr size_t kEmfHeaderSize = 88;
constexpr size_t kEmfRecordHead = 8;  // type, size
constexpr uint32_t kEmfExtTextOutA = 83;
constexpr uint32_t kEmfExtTextOutW = 84;
constexpr uint32_t kEmfSmallTextOut = 108;
constexpr uint32_t kGlyphIndexOption = 0x10;
constexpr uint32_t kEmfSkippedRecord = 0;  // no record has this type

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
constexpr TBitmapPlace kWmfBitmaps[] = {
    {0x0940, 22}, {0x0B41, 26},  // DIBBitBlt, DIBStretchBlt: without a bitmap when they are
                                 // (function >> 8) + 3 words long
    {0x0F43, 28}, {0x0D33, 24},  // StretchDIB, SetDIBToDev
    {0x0142, 10},                // DIBCreatePatternBrush
};

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr size_t kPlaceableHeaderSize = 22;
constexpr size_t kPlaceableInchAt = 14;
constexpr size_t kWmfHeaderSize = 18;
constexpr size_t kWmfSizeAt = 6;           // in the header: the file's size in 16-bit words
constexpr size_t kWmfLargestRecordAt = 12;  // and its largest record's
constexpr size_t kWmfRecordHead = 6;        // size in 16-bit words, function
constexpr uint16_t kWmfEofFunction = 0;
// A placeable metafile's box is in units of its own inch; it is as many pixels as it
// covers on a screen of 96 pixels per inch, the inch that a box without one is taken in.
constexpr int kScreenPixelsPerInch = 96;
// libwmf's device units are points.
constexpr double kPointsPerInch = 72;

// libwmf's memory: room for its fonts and tables, and two 32-bit bitmaps of the largest
// size a picture may have.
constexpr size_t kWmfBudgetBase = 64u << 20;
constexpr size_t kWmfBudgetPerPixel = 2 * 4;

// The decoders read a record's fixed fields before they check them against the record's
// size; zeros behind the copy they are given keep such reads inside our memory.
constexpr size_t kDecoderPadding = 64;

uint32_t Read32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
int32_t ReadInt32(const uint8_t* p) { return static_cast<int32_t>(Read32(p)); }
uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
int16_t ReadInt16(const uint8_t* p) { return static_cast<int16_t>(Read16(p)); }

bool IsEnhanced(const uint8_t* data, size_t size) {
  return size >= kEmfHeaderSize && Read32(data) == kEmfHeaderRecord && Read32(data + 40) == kEmfSignature;
}
bool IsPlaceable(const uint8_t* data, size_t size) {
  return size >= kPlaceableHeaderSize && Read32(data) == kPlaceableKey;
}

int PlaceableInch(const uint8_t* data) {
  const int inch = Read16(data + kPlaceableInchAt);
  return inch > 0 ? inch : kScreenPixelsPerInch;
}

// The placeable box's extent, from (left, top) at `at` to (right, bottom) at `at + 4`.
int BoxExtent(const uint8_t* data, size_t at) { return std::max(0, ReadInt16(data + at + 4) - ReadInt16(data + at)); }

// Bounds from a hostile file can span more than an int; the extent is taken in 64 bits and
// held to the int range.
int BoundsExtent(int32_t from, int32_t to) {
  return static_cast<int>(std::clamp<int64_t>(int64_t(to) - from + 1, 0, INT32_MAX));
}

void Write32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Write16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

// libemf2svg turns text stored as glyph numbers back into characters through fontconfig and
// then shuts fontconfig down (FcFini), under the application that still holds its fonts:
// fontconfig aborts the program. Such text is left out; its record becomes one of a type
// the converter skips. Where the option lies: ExtTextOutA and W at 52, SmallTextOut at 20.
void LeaveOutGlyphNumberText(uint8_t* record, uint32_t type, uint32_t length) {
  const size_t options = type == kEmfExtTextOutA || type == kEmfExtTextOutW ? 52 : type == kEmfSmallTextOut ? 20 : 0;
  if (options != 0 && length >= options + 4 && (Read32(record + options) & kGlyphIndexOption))
    Write32(record, kEmfSkippedRecord);
}

// The converters set aside a bitmap's pixels by its header alone: its header must lie in
// the bytes given for it, its size within the caps, and the bits of an uncompressed one
// must be there for every row.
void CheckBitmap(const uint8_t* header, uint64_t headerBytes, uint64_t bitsBytes, long long maxPixels) {
  constexpr uint32_t kCoreHeader = 12, kInfoHeader = 40;
  if (headerBytes < kCoreHeader) throw EPictureError("the metafile has a damaged bitmap");
  const uint32_t headerSize = Read32(header);
  int64_t width = 0, height = 0;
  int bits = 0;
  uint32_t compression = 0;
  if (headerSize == kCoreHeader) {
    width = Read16(header + 4);
    height = Read16(header + 6);
    bits = Read16(header + 10);
  } else {
    if (headerSize < kInfoHeader || headerSize > headerBytes) throw EPictureError("the metafile has a damaged bitmap");
    width = std::abs(int64_t(ReadInt32(header + 4)));
    height = std::abs(int64_t(ReadInt32(header + 8)));
    bits = Read16(header + 14);
    compression = Read32(header + 16);
  }
  if (!WithinPictureCaps(width, height, maxPixels))
    throw EPictureError("the metafile holds a bitmap that is too large or has no pixels");
  // They also set aside the colours an info header counts, 4 bytes each, which must follow
  // it in its bytes.
  const uint64_t colours = headerSize == kCoreHeader ? 0 : Read32(header + 32);
  if (colours * 4 > headerBytes - headerSize) throw EPictureError("the metafile has a damaged bitmap");
  const bool uncompressed = compression == 0 || compression == 3;  // rows of pixels, or of bit fields
  if (uncompressed && (bits == 0 || (width * bits + 31) / 32 * 4 * height > int64_t(bitsBytes)))
    throw EPictureError("the metafile has a bitmap without all of its bits");
}

void CheckEmfBitmaps(const uint8_t* record, uint32_t type, uint32_t length, long long maxPixels) {
  for (const TBitmapPlace& place : kEmfBitmaps) {
    if (place.type != type) continue;
    if (length < place.at + 16) throw EPictureError("the metafile has a damaged record");
    const uint64_t headerAt = Read32(record + place.at), headerBytes = Read32(record + place.at + 4);
    const uint64_t bitsAt = Read32(record + place.at + 8), bitsBytes = Read32(record + place.at + 12);
    if (headerBytes == 0) continue;  // a raster operation without a source
    if (headerAt + headerBytes > length || bitsAt + bitsBytes > length)
      throw EPictureError("the metafile has a damaged bitmap");
    CheckBitmap(record + headerAt, headerBytes, bitsBytes, maxPixels);
  }
}

// Checks that every record lies inside the data, the header first and only there, up to
// the end record, and readies the converter's copy on the way.
void PrepareEmfRecords(uint8_t* data, size_t size, long long maxPixels) {
  for (size_t at = 0;; ) {
    if (size - at < kEmfRecordHead) throw EPictureError("the metafile ends before its end record");
    const uint32_t type = Read32(data + at), length = Read32(data + at + 4);
    const bool first = at == 0;
    if (length < kEmfRecordHead || length > size - at || (type == kEmfHeaderRecord) != first ||
        (first && length < kEmfHeaderSize))
      throw EPictureError("the metafile has a damaged record");
    if (type == kEmfEofRecord) return;
    CheckEmfBitmaps(data + at, type, length, maxPixels);
    LeaveOutGlyphNumberText(data + at, type, length);
    at += length;
  }
}

// Checks that every record lies inside the data up to the end record, and gives the
// converter's copy a header it can trust: libwmf scales by the inch (a box without one gets
// the inch it is taken in) and sets aside room by the header's own size and largest record,
// which a hostile file sets to gigabytes; the copy states what the walk measured.
void CheckWmfBitmap(const uint8_t* record, uint16_t function, uint32_t words, long long maxPixels) {
  for (const TBitmapPlace& place : kWmfBitmaps) {
    if (place.type != function) continue;
    const bool blitWithoutBitmap = (function == 0x0940 || function == 0x0B41) && words == uint32_t(function >> 8) + 3;
    if (blitWithoutBitmap) return;
    const uint64_t bytes = uint64_t(words) * 2;
    if (bytes < place.at + 4) throw EPictureError("the metafile has a damaged bitmap");
    const uint64_t rest = bytes - place.at;
    CheckBitmap(record + place.at, rest, rest - std::min<uint64_t>(rest, Read32(record + place.at)), maxPixels);
  }
}

void PrepareWmfRecords(uint8_t* data, size_t size, long long maxPixels) {
  if (size < kPlaceableHeaderSize + kWmfHeaderSize) throw EPictureError("the metafile ends before its end record");
  uint8_t* header = data + kPlaceableHeaderSize;
  const uint16_t type = Read16(header), headerWords = Read16(header + 2);
  if ((type != 1 && type != 2) || headerWords != kWmfHeaderSize / 2)
    throw EPictureError("the metafile has a damaged header");
  uint32_t largest = 0;
  size_t at = kPlaceableHeaderSize + kWmfHeaderSize;
  for (bool end = false; !end;) {
    if (size - at < kWmfRecordHead) throw EPictureError("the metafile ends before its end record");
    const uint32_t words = Read32(data + at);
    if (words < kWmfRecordHead / 2 || words > (size - at) / 2) throw EPictureError("the metafile has a damaged record");
    largest = std::max(largest, words);
    const uint16_t function = Read16(data + at + 4);
    CheckWmfBitmap(data + at, function, words, maxPixels);
    end = function == kWmfEofFunction;
    at += size_t(words) * 2;
  }
  Write16(data + kPlaceableInchAt, static_cast<uint16_t>(PlaceableInch(data)));
  Write32(header + kWmfSizeAt, static_cast<uint32_t>((at - kPlaceableHeaderSize) / 2));
  Write32(header + kWmfLargestRecordAt, largest);
}

std::vector<uint8_t> PaddedCopy(const uint8_t* data, size_t size) {
  std::vector<uint8_t> copy(data, data + size);
  copy.resize(size + kDecoderPadding, 0);
  return copy;
}

QByteArray EnhancedToSvg(const uint8_t* data, size_t size, long long maxPixels) {
  std::vector<uint8_t> copy = PaddedCopy(data, size);
  PrepareEmfRecords(copy.data(), size, maxPixels);
  generatorOptions options{};
  options.svgDelimiter = true;
  char* out = nullptr;
  size_t length = 0;
  const int ok = emf2svg(reinterpret_cast<char*>(copy.data()), size, &out, &length, &options);
  const std::unique_ptr<char, decltype(&std::free)> owned(out, &std::free);
  if (!ok || !out) throw EPictureError("the metafile cannot be read");
  return QByteArray(out, static_cast<qsizetype>(length));
}

// libwmf sets aside memory by what a file claims in places no walk of ours reaches. Its
// allocations draw on a budget, past which they fail and libwmf gives the file up.
class TWmfBudget {
 public:
  explicit TWmfBudget(size_t bytes) : left_(bytes) {}

  static void* Allocate(void* context, size_t size) { return Reallocate(context, nullptr, size); }
  static void* Reallocate(void* context, void* block, size_t size) {
    auto* budget = static_cast<TWmfBudget*>(context);
    const size_t old = block ? SizeOf(block) : 0;
    if (size > old && size - old > budget->left_) return nullptr;
    auto* raw = static_cast<unsigned char*>(std::realloc(block ? Head(block) : nullptr, kHead + size));
    if (!raw) return nullptr;
    budget->left_ = budget->left_ + old - size;
    std::memcpy(raw, &size, sizeof size);
    return raw + kHead;
  }
  static void Free(void* context, void* block) {
    if (!block) return;
    static_cast<TWmfBudget*>(context)->left_ += SizeOf(block);
    std::free(Head(block));
  }

 private:
  // Each block carries its size in front, kept aligned for whatever libwmf stores.
  static constexpr size_t kHead = alignof(std::max_align_t);
  static unsigned char* Head(void* block) { return static_cast<unsigned char*>(block) - kHead; }
  static size_t SizeOf(void* block) {
    size_t size;
    std::memcpy(&size, Head(block), sizeof size);
    return size;
  }
  size_t left_;
};

class TWmfSession {
 public:
  explicit TWmfSession(long long maxPixels) : budget_(kWmfBudgetBase + size_t(maxPixels) * kWmfBudgetPerPixel) {
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    options.context = &budget_;
    options.malloc = TWmfBudget::Allocate;
    options.realloc = TWmfBudget::Reallocate;
    options.free = TWmfBudget::Free;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_ALLOC | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api_, flags, &options) != wmf_E_None || !api_)
      throw EPictureError("the Windows metafile reader cannot start (are its fonts installed?)");
  }
  ~TWmfSession() {
    if (api_) wmf_api_destroy(api_);
  }
  TWmfSession(const TWmfSession&) = delete;
  TWmfSession& operator=(const TWmfSession&) = delete;
  wmfAPI* Api() const { return api_; }

 private:
  TWmfBudget budget_;
  wmfAPI* api_ = nullptr;
};

// libwmf's SVG device places a bitmap in its box and then once more through a transform to
// that box, which moves it out of the picture: the transform goes.
QByteArray MendWmfSvg(QString svg) {
  static const QRegularExpression transformOfImage(QStringLiteral("(<image\\b[^>]*?)\\s+transform=\"[^\"]*\""));
  svg.replace(transformOfImage, QStringLiteral("\\1"));
  return svg.toUtf8();
}

QByteArray PlaceableToSvg(const uint8_t* data, size_t size, int width, int height, long long maxPixels) {
  std::vector<uint8_t> copy = PaddedCopy(data, size);
  PrepareWmfRecords(copy.data(), size, maxPixels);
  const int inch = PlaceableInch(data);

  TWmfSession session(maxPixels);
  wmfAPI* api = session.Api();
  wmfD_Rect drawn;
  if (wmf_mem_open(api, copy.data(), static_cast<long>(size)) != wmf_E_None || wmf_scan(api, 0, &drawn) != wmf_E_None)
    throw EPictureError("the metafile cannot be read");
  wmf_svg_t* device = WMF_SVG_GetData(api);
  device->out = wmf_stream_create(api, nullptr);
  if (!device->out) throw EPictureError("out of memory for the metafile");
  // The whole box, not only what the records cover, maps onto the picture; libwmf puts the
  // window origin at the box's top-left corner.
  device->bbox.TL = {0, 0};
  device->bbox.BR = {float(BoxExtent(data, 6) * kPointsPerInch / inch), float(BoxExtent(data, 8) * kPointsPerInch / inch)};
  device->width = static_cast<unsigned>(width);
  device->height = static_cast<unsigned>(height);
  device->Description = nullptr;
  device->flags |= WMF_SVG_INLINE_IMAGES;  // never image files of its own beside the picture
  const wmf_error_t played = wmf_play(api, 0, &drawn);
  char* text = nullptr;
  unsigned long length = 0;
  wmf_stream_destroy(api, device->out, &text, &length);
  device->out = nullptr;
  if (played != wmf_E_None || !text) throw EPictureError("the metafile cannot be read");
  return MendWmfSvg(QString::fromUtf8(text, static_cast<qsizetype>(length)));
}

// Qt SVG turns antialiasing on for whatever it draws. This engine passes everything on to
// a painter on the bitmap except the render hints, so the metafile draws with the hard
// edges of the platform's own playback.
class TAliasedEngine : public QPaintEngine {
 public:
  explicit TAliasedEngine(QImage* image) : QPaintEngine(QPaintEngine::AllFeatures), image_(image) {}

  bool begin(QPaintDevice*) override { return painter_.begin(image_); }
  bool end() override { return painter_.end(); }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& state) override {
    const DirtyFlags dirty = state.state();
    if (dirty & DirtyTransform) painter_.setTransform(state.transform());
    if (dirty & DirtyPen) painter_.setPen(state.pen());
    if (dirty & DirtyBrush) painter_.setBrush(state.brush());
    if (dirty & DirtyBrushOrigin) painter_.setBrushOrigin(state.brushOrigin());
    if (dirty & DirtyFont) painter_.setFont(state.font());
    if (dirty & DirtyBackground) painter_.setBackground(state.backgroundBrush());
    if (dirty & DirtyBackgroundMode) painter_.setBackgroundMode(state.backgroundMode());
    if (dirty & DirtyClipPath) painter_.setClipPath(state.clipPath(), state.clipOperation());
    if (dirty & DirtyClipRegion) painter_.setClipRegion(state.clipRegion(), state.clipOperation());
    if (dirty & DirtyClipEnabled) painter_.setClipping(state.isClipEnabled());
    if (dirty & DirtyCompositionMode) painter_.setCompositionMode(state.compositionMode());
    if (dirty & DirtyOpacity) painter_.setOpacity(state.opacity());
  }

  void drawPath(const QPainterPath& path) override { painter_.drawPath(path); }
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    if (mode == PolylineMode)
      painter_.drawPolyline(points, count);
    else
      painter_.drawPolygon(points, count, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
  }
  void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override {
    painter_.drawPixmap(target, pixmap, source);
  }
  void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                 Qt::ImageConversionFlags flags) override {
    painter_.drawImage(target, image, source, flags);
  }

 private:
  QImage* image_;
  QPainter painter_;
};

class TAliasedSurface : public QPaintDevice {
 public:
  explicit TAliasedSurface(QImage* image) : image_(image), engine_(image) {}
  QPaintEngine* paintEngine() const override { return &engine_; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth: return image_->width();
      case PdmHeight: return image_->height();
      case PdmWidthMM: return image_->widthMM();
      case PdmHeightMM: return image_->heightMM();
      case PdmNumColors: return image_->colorCount();
      case PdmDepth: return image_->depth();
      case PdmDpiX: return image_->logicalDpiX();
      case PdmDpiY: return image_->logicalDpiY();
      case PdmPhysicalDpiX: return image_->physicalDpiX();
      case PdmPhysicalDpiY: return image_->physicalDpiY();
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
  }

 private:
  QImage* image_;
  mutable TAliasedEngine engine_;
};

QImage DrawSvg(const QByteArray& svg, int width, int height) {
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) throw EPictureError("the metafile cannot be drawn");
  // Both converters write one SVG unit per picture pixel from the picture's top-left corner.
  const QRectF picture(0, 0, width, height);
  renderer.setViewBox(picture);
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) throw EPictureError("out of memory for the metafile");
  image.fill(0xFFFFFFFFu);
  TAliasedSurface surface(&image);
  QPainter painter(&surface);
  renderer.render(&painter, picture);
  painter.end();
  return image;
}

bool HeaderSize(const uint8_t* data, size_t size, int* width, int* height) {
  // Enhanced: the bounds rectangle of the header record, inclusive device units at 8..23.
  if (IsEnhanced(data, size)) {
    *width = BoundsExtent(ReadInt32(data + 8), ReadInt32(data + 16));
    *height = BoundsExtent(ReadInt32(data + 12), ReadInt32(data + 20));
    return true;
  }
  // Placeable: the box at 6..13 in units of the inch at 14.
  if (IsPlaceable(data, size)) {
    const int inch = PlaceableInch(data);
    *width = Round(static_cast<long double>(BoxExtent(data, 6)) * kScreenPixelsPerInch / inch);
    *height = Round(static_cast<long double>(BoxExtent(data, 8)) * kScreenPixelsPerInch / inch);
    return true;
  }
  return false;
}

}  // namespace

bool MetafileSize(const std::vector<uint8_t>& bytes, int* width, int* height) {
  return HeaderSize(bytes.data(), bytes.size(), width, height);
}

QImage DecodeMetafile(const uint8_t* data, size_t size, long long maxPixels) {
  int width = 0, height = 0;
  if (!HeaderSize(data, size, &width, &height))
    throw EPictureError("the picture is neither an enhanced nor a placeable Windows metafile");
  if (!WithinPictureCaps(width, height, maxPixels))
    throw EPictureError(width > 0 && height > 0 ? "the metafile is too large" : "the metafile has no pixels");
  // Text in a metafile needs the fonts of a running application.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    throw EPictureError("metafiles are drawn only inside the application");
  // Bitmaps inside are held to the same caps as the picture.
  const QByteArray svg = IsEnhanced(data, size) ? EnhancedToSvg(data, size, maxPixels)
                                                : PlaceableToSvg(data, size, width, height, maxPixels);
  return DrawSvg(svg, width, height);
}

}  // namespace platform
