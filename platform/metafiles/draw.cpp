#include "platform/metafiles/draw.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/metafile.h"
#include "platform/metafiles/records.h"

#include <emf2svg.h>
// libwmf defines its integer types as macros (U16, U32, ...), which Qt's headers use as
// names; it comes last and takes them away again.
#include <libwmf/api.h>
#include <libwmf/font.h>
#include <libwmf/svg.h>
#undef U32
#undef S32
#undef U16
#undef S16
#undef U8
#undef U16_2_S16

namespace platform::metafiles {

namespace {

// libwmf's memory: room for its tables, and two 32-bit bitmaps of the largest size a
// picture may have.
constexpr size_t kWmfBudgetBase = 64u << 20;
constexpr size_t kWmfBudgetPerPixel = 2 * 4;
// libwmf's device units are points.
constexpr double kPointsPerInch = 72;
// The flags of every libwmf interface made here: its errors and debugging silent, the
// non-fatal errors of a file passed over.
constexpr unsigned long kWmfFlags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
// libwmf's flag (wmfdefs.h, not installed) of an interface made by wmf_api_create, which
// its SVG device asks for; a picture's interface is made without the fonts that
// wmf_api_create would load for it, and borrows those of the drawer.
constexpr unsigned long kWmfStandardInterface = 1UL << 31;

// The decoders read a record's fixed fields before they check them against the record's
// size; zeros behind the copy they are given keep such reads inside our memory.
constexpr size_t kDecoderPadding = 64;

std::vector<uint8_t> PaddedCopy(const uint8_t* data, size_t size) {
  std::vector<uint8_t> copy(data, data + size);
  copy.resize(size + kDecoderPadding, 0);
  return copy;
}

// libemf2svg scales by the bounds' extent less one, which for a picture one pixel wide or
// high is nothing: every coordinate becomes NaN and the picture white. Its copy gets bounds
// one pixel larger that way, which draws the same pixel; a NaN or an infinity that comes out
// anyway refuses the picture rather than pass it off as white.
void WidenOnePixelBounds(uint8_t* header) {
  constexpr size_t kLeft = 8, kTop = 12, kRight = 16, kBottom = 20;
  for (const auto& [from, to] : {std::pair{kLeft, kRight}, std::pair{kTop, kBottom}}) {
    const int32_t start = MetafileI32(header + from);
    if (MetafileI32(header + to) == start && start < INT32_MAX) {
      const uint32_t wider = uint32_t(start) + 1;
      for (int i = 0; i < 4; ++i) header[to + size_t(i)] = uint8_t(wider >> (8 * i));
    }
  }
}

// Only the attributes that hold numbers (coordinates, lengths, transforms, a style's
// widths) are looked at: a bitmap's base64 data may hold "inf" anywhere.
bool HasNonFiniteNumbers(const char* svg, size_t length) {
  static const QRegularExpression nonFinite(QStringLiteral(
      "(?<![\\w:-])(x|y|x1|y1|x2|y2|cx|cy|r|rx|ry|width|height|d|points|transform|viewBox|font-size|"
      "stroke-width|stroke-dasharray|fill-opacity|style)\\s*=\\s*\"[^\"]*(?<![A-Za-z])-?(nan|inf)(?![A-Za-z])"));
  return nonFinite.match(QString::fromUtf8(svg, qsizetype(length))).hasMatch();
}

QByteArray EnhancedToSvg(const uint8_t* data, size_t size, long long maxPixels) {
  std::vector<uint8_t> copy = PaddedCopy(data, size);
  const size_t records = PrepareEmfRecords(copy.data(), size, maxPixels);
  WidenOnePixelBounds(copy.data());
  generatorOptions options{};
  options.svgDelimiter = true;
  char* out = nullptr;
  size_t length = 0;
  const int ok = emf2svg(reinterpret_cast<char*>(copy.data()), records, &out, &length, &options);
  const std::unique_ptr<char, decltype(&std::free)> owned(out, &std::free);
  if (!ok || !out || HasNonFiniteNumbers(out, length)) RefuseMetafile(TMetafileFault::Unreadable);
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

// libwmf's SVG device places a bitmap in its box and then once more through a transform to
// that box, which moves it out of the picture: the transform goes.
QByteArray MendWmfSvg(QString svg) {
  static const QRegularExpression transformOfImage(QStringLiteral("(<image\\b[^>]*?)\\s+transform=\"[^\"]*\""));
  svg.replace(transformOfImage, QStringLiteral("\\1"));
  return svg.toUtf8();
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

// Both converters write one SVG unit per picture pixel from the picture's top-left corner;
// the picture is drawn into the size wanted.
void DrawSvg(const QByteArray& svg, const TMetafileHeader& header, int width, int height,
             const std::function<uint8_t*()>& canvas) {
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) RefuseMetafile(TMetafileFault::Unreadable);
  renderer.setViewBox(QRectF(0, 0, header.Width, header.Height));
  QImage image(canvas(), width, height, qsizetype(width) * 4, QImage::Format_RGB32);
  if (image.isNull()) RefuseMetafile(TMetafileFault::OutOfMemory);
  image.fill(0xFFFFFFFFu);
  TAliasedSurface surface(&image);
  QPainter painter(&surface);
  renderer.render(&painter, QRectF(0, 0, width, height));
  painter.end();
}

}  // namespace

// libwmf loads its fonts for each interface it makes: it reads its font maps and opens the
// face of every font a file names with FreeType, which costs a millisecond and more per
// picture. The drawer makes one interface with fonts and keeps it; each picture's interface
// is made without fonts and maps its fonts through this one, whose faces stay open.
class TMetafileDrawer::TWmfFonts {
 public:
  TWmfFonts() {
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    if (wmf_api_create(&fonts_, kWmfFlags, &options) != wmf_E_None || !fonts_)
      RefuseMetafile(TMetafileFault::Unreadable);
    borrowed_.map = &Map;
    borrowed_.stringwidth = &wmf_ipa_font_stringwidth;
    borrowed_.user_data = this;
  }
  ~TWmfFonts() { wmf_api_destroy(fonts_); }
  TWmfFonts(const TWmfFonts&) = delete;
  TWmfFonts& operator=(const TWmfFonts&) = delete;

  // Gives a picture's interface the fonts.
  void Lend(wmfAPI* api) {
    api->font_data = &borrowed_;
    api->fonts = noFonts_;
  }

 private:
  // A font of the picture gets the face libwmf's own mapping chooses, looked up once for
  // each face name, slant and weight; its record of the face lives in the picture's memory.
  static void Map(wmfAPI* api, wmfFont* font) {
    if (!font) return;
    if (!font->user_data) {
      font->user_data = wmf_malloc(api, sizeof(wmfIPAFont));
      if (api->err != wmf_E_None) return;
    }
    auto* fonts = static_cast<TWmfFonts*>(static_cast<wmfFontData*>(api->font_data)->user_data);
    const wmfIPAFont face = fonts->Face(*font);
    *static_cast<wmfIPAFont*>(font->user_data) = face;
    if (!face.ft_face) api->err = wmf_E_BadFile;
  }

  wmfIPAFont Face(const wmfFont& font) {
    const auto key = std::make_tuple(std::string(font.lfFaceName ? font.lfFaceName : ""), font.lfItalic == 1,
                                     font.lfWeight > 550);
    const auto known = faces_.find(key);
    if (known != faces_.end()) return known->second;
    wmfFont probe = font;
    wmfIPAFont face{};
    probe.user_data = &face;
    wmf_ipa_font_map(fonts_, &probe);
    fonts_->err = wmf_E_None;
    faces_.emplace(key, face);
    return face;
  }

  wmfAPI* fonts_ = nullptr;
  wmfFontData borrowed_{};
  char* noFonts_[1] = {nullptr};
  std::map<std::tuple<std::string, bool, bool>, wmfIPAFont> faces_;
};

namespace {

// A picture's libwmf interface, with the drawer's fonts and its memory on a budget.
class TWmfPicture {
 public:
  explicit TWmfPicture(long long maxPixels)
      : budget_(kWmfBudgetBase + size_t(maxPixels) * kWmfBudgetPerPixel) {
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    options.context = &budget_;
    options.malloc = TWmfBudget::Allocate;
    options.realloc = TWmfBudget::Reallocate;
    options.free = TWmfBudget::Free;
    if (wmf_lite_create(&api_, kWmfFlags | WMF_OPT_ALLOC | kWmfStandardInterface, &options) != wmf_E_None || !api_)
      RefuseMetafile(TMetafileFault::OutOfMemory);
  }
  ~TWmfPicture() {
    if (api_) wmf_lite_destroy(api_);
  }
  TWmfPicture(const TWmfPicture&) = delete;
  TWmfPicture& operator=(const TWmfPicture&) = delete;
  wmfAPI* Api() const { return api_; }

 private:
  TWmfBudget budget_;
  wmfAPI* api_ = nullptr;
};

}  // namespace

QByteArray TMetafileDrawer::PlaceableToSvg(const uint8_t* data, size_t size, const TMetafileHeader& header,
                                           long long maxPixels) {
  std::vector<uint8_t> copy = PaddedCopy(data, size);
  const size_t records = PrepareWmfRecords(copy.data(), size, maxPixels);
  const TWmfPicture picture(maxPixels);
  wmfAPI* api = picture.Api();
  wmfFonts_->Lend(api);
  wmfD_Rect drawn;
  if (wmf_mem_open(api, copy.data(), static_cast<long>(records)) != wmf_E_None || wmf_scan(api, 0, &drawn) != wmf_E_None)
    RefuseMetafile(TMetafileFault::Unreadable);
  wmf_svg_t* device = WMF_SVG_GetData(api);
  device->out = wmf_stream_create(api, nullptr);
  if (!device->out) RefuseMetafile(TMetafileFault::OutOfMemory);
  // The whole box, not only what the records cover, maps onto the picture; libwmf puts the
  // window origin at the box's top-left corner.
  device->bbox.TL = {0, 0};
  device->bbox.BR = {float(header.BoxWidth * kPointsPerInch / header.Inch),
                     float(header.BoxHeight * kPointsPerInch / header.Inch)};
  device->width = static_cast<unsigned>(header.Width);
  device->height = static_cast<unsigned>(header.Height);
  device->Description = nullptr;
  device->flags |= WMF_SVG_INLINE_IMAGES;  // never image files of its own beside the picture
  const wmf_error_t played = wmf_play(api, 0, &drawn);
  char* text = nullptr;
  unsigned long length = 0;
  wmf_stream_destroy(api, device->out, &text, &length);
  device->out = nullptr;
  if (played != wmf_E_None || !text) RefuseMetafile(TMetafileFault::Unreadable);
  return MendWmfSvg(QString::fromUtf8(text, static_cast<qsizetype>(length)));
}

// Qt reads its font database with the first text it draws: that happens here, before the
// first picture, as libwmf's fonts do.
TMetafileDrawer::TMetafileDrawer() : wmfFonts_(std::make_unique<TWmfFonts>()) {
  QImage image(16, 16, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.drawText(0, 12, QStringLiteral("印A"));
}

TMetafileDrawer::~TMetafileDrawer() = default;

void TMetafileDrawer::Draw(const uint8_t* data, size_t size, int width, int height, long long maxPixels,
                           const std::function<uint8_t*()>& canvas) {
  const std::optional<TMetafileHeader> header = ReadMetafileHeader(data, size);
  if (!header) RefuseMetafile(TMetafileFault::NotAMetafile);
  if (header->Width <= 0 || header->Height <= 0) RefuseMetafile(TMetafileFault::NoPixels);
  if (!WithinPictureCaps(header->Width, header->Height, maxPixels)) RefuseMetafile(TMetafileFault::TooLarge);
  if (width <= 0 || height <= 0 || width > header->Width || height > header->Height) RefuseMetafile(TMetafileFault::TooLarge);
  const QByteArray svg =
      header->Enhanced ? EnhancedToSvg(data, size, maxPixels) : PlaceableToSvg(data, size, *header, maxPixels);
  DrawSvg(svg, *header, width, height, canvas);
}

}  // namespace platform::metafiles
