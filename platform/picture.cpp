#include "platform/picture.h"

#include <gif_lib.h>

#include "platform/jpegerrors.h"
#include "platform/metafileworker.h"
#include "platform/regularfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <memory>

namespace platform {

bool GraphicKindFromCode(int code, TGraphicKind* kind) {
  if (code < 0 || code > 4) return false;
  *kind = static_cast<TGraphicKind>(code);
  return true;
}

QImage DecodeWithQt(const uint8_t* data, size_t size, const char* format, long long maxPixels) {
  QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  const QSize claimed = reader.size();
  if (claimed.isValid() && !claimed.isEmpty() && !WithinPictureCaps(claimed.width(), claimed.height(), maxPixels))
    throw EPictureTooLarge("图象太大");
  QImage image = reader.read();
  if (image.isNull()) {
    const std::string kind = format ? QByteArray(format).toUpper().toStdString() + " " : std::string();
    throw EPictureError(kind + "图象已损坏，无法读取");
  }
  return image;
}

bool WithinPictureCaps(long long width, long long height, long long maxPixels) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= std::min(maxPixels, kMaxPicturePixels);
}

namespace {

// A progressive file can carry any number of scans, each a full pass over the coefficients;
// a hostile one would keep the decoder busy for minutes.
constexpr int kMaxJpegScans = 100;

struct JpegDecoder {
  jpeg_decompress_struct cinfo;
  JpegErrorManager err;
  jpeg_progress_mgr progress;
  QImage image;
  std::vector<uint8_t> cmykRow;
  long long maxPixels;
  bool tooLarge = false;
};

void JpegProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxJpegScans) JpegFail(cinfo, "JPEG 图象的扫描次数太多");
}

// Runs libjpeg between setjmp and the jump back. Every object it touches lives in *s, so
// nothing with a destructor is skipped by the jump and no local is left indeterminate.
bool RunJpegDecoder(JpegDecoder* s, const uint8_t* data, size_t size) {
  if (setjmp(s->err.jump)) return false;
  jpeg_create_decompress(&s->cinfo);
  s->cinfo.mem->max_memory_to_use = 1024L * 1024L * 1024L;
  s->cinfo.progress = &s->progress;
  jpeg_mem_src(&s->cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&s->cinfo, TRUE);
  const long long width = s->cinfo.image_width, height = s->cinfo.image_height;
  if (!WithinPictureCaps(width, height, s->maxPixels)) {
    s->tooLarge = true;
    JpegFail(reinterpret_cast<j_common_ptr>(&s->cinfo), "JPEG 图象太大");
  }
  const bool cmyk = s->cinfo.jpeg_color_space == JCS_CMYK || s->cinfo.jpeg_color_space == JCS_YCCK;
  s->cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_start_decompress(&s->cinfo);
  s->image = QImage(static_cast<int>(s->cinfo.output_width), static_cast<int>(s->cinfo.output_height),
                    QImage::Format_RGB32);
  if (s->image.isNull()) JpegFail(reinterpret_cast<j_common_ptr>(&s->cinfo), "内存不足，无法读取 JPEG 图象");
  if (cmyk) s->cmykRow.resize(size_t(s->cinfo.output_width) * 4);
  while (s->cinfo.output_scanline < s->cinfo.output_height) {
    uint8_t* line = s->image.scanLine(static_cast<int>(s->cinfo.output_scanline));
    JSAMPROW row = cmyk ? s->cmykRow.data() : line;
    jpeg_read_scanlines(&s->cinfo, &row, 1);
    if (!cmyk) continue;
    // Adobe writes CMYK inverted, which is how nearly every CMYK JPEG in use is stored.
    auto* out = reinterpret_cast<QRgb*>(line);
    for (JDIMENSION x = 0; x < s->cinfo.output_width; ++x) {
      const uint8_t* p = &s->cmykRow[size_t(x) * 4];
      out[x] = qRgb(p[0] * p[3] / 255, p[1] * p[3] / 255, p[2] * p[3] / 255);
    }
  }
  jpeg_finish_decompress(&s->cinfo);
  return true;
}

}  // namespace

QImage DecodeJpeg(const uint8_t* data, size_t size, long long maxPixels) {
  if (size == 0) throw EPictureError("JPEG 图象是空的");
  auto s = std::make_unique<JpegDecoder>();
  s->cinfo.err = JpegErrors(s->err);
  s->progress.progress_monitor = JpegProgress;
  s->maxPixels = maxPixels;
  const bool ok = RunJpegDecoder(s.get(), data, size);
  jpeg_destroy_decompress(&s->cinfo);
  if (!ok && s->tooLarge) throw EPictureTooLarge(s->err.message);
  if (!ok) throw EPictureError(s->err.message[0] ? s->err.message : "JPEG 图象已损坏，无法读取");
  return std::move(s->image);
}

namespace {

struct GifSource {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int n) {
  auto* src = static_cast<GifSource*>(gif->UserData);
  const size_t count = std::min(static_cast<size_t>(std::max(n, 0)), src->size - src->pos);
  std::memcpy(out, src->data + src->pos, count);
  src->pos += count;
  return static_cast<int>(count);
}

class GifReader {
 public:
  GifReader(const uint8_t* data, size_t size) : source_{data, size, 0} {
    int error = 0;
    gif_ = DGifOpen(&source_, ReadGifBytes, &error);
    if (!gif_) Fail(error);
  }
  ~GifReader() {
    int error = 0;
    DGifCloseFile(gif_, &error);
  }
  GifReader(const GifReader&) = delete;
  GifReader& operator=(const GifReader&) = delete;

  QImage FirstFrame(long long maxPixels) {
    if (!WithinPictureCaps(gif_->SWidth, gif_->SHeight, maxPixels))
    {
      if (gif_->SWidth > 0 && gif_->SHeight > 0) throw EPictureTooLarge("GIF 图象太大");
      throw EPictureError("GIF 图象没有像素");
    }
    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
      GifRecordType type;
      Check(DGifGetRecordType(gif_, &type));
      if (type == TERMINATE_RECORD_TYPE) throw EPictureError("GIF 图象中没有图片");
      if (type == EXTENSION_RECORD_TYPE) {
        int code = 0;
        GifByteType* block = nullptr;
        Check(DGifGetExtension(gif_, &code, &block));
        GraphicsControlBlock gcb;
        if (code == GRAPHICS_EXT_FUNC_CODE && block &&
            DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK)
          transparent = gcb.TransparentColor;
        while (block) Check(DGifGetExtensionNext(gif_, &block));
      } else if (type == IMAGE_DESC_RECORD_TYPE) {
        Check(DGifGetImageDesc(gif_));
        return ReadFrame(transparent);
      }
    }
  }

 private:
  // giflib's texts are English; which of its errors it was is no help to the user.
  [[noreturn]] static void Fail(int) { throw EPictureError("GIF 图象已损坏，无法读取"); }
  void Check(int result) {
    if (result == GIF_ERROR) Fail(gif_->Error);
  }

  QImage ReadFrame(int transparent) {
    const GifImageDesc& desc = gif_->Image;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif_->SColorMap;
    if (!map || map->ColorCount <= 0) throw EPictureError("GIF 图象没有颜色表");
    if (desc.Width <= 0 || desc.Height <= 0) throw EPictureError("GIF 图象的画面没有像素");
    const int colours = map->ColorCount;
    std::vector<QRgb> palette(colours);
    for (int i = 0; i < colours; ++i)
      palette[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
    const bool hasTransparent = transparent >= 0 && transparent < colours;
    if (hasTransparent) palette[transparent] = qRgba(0, 0, 0, 0);

    const int screenW = gif_->SWidth, screenH = gif_->SHeight;
    const bool covers = desc.Left <= 0 && desc.Top <= 0 && desc.Left + desc.Width >= screenW &&
                        desc.Top + desc.Height >= screenH;
    QImage image(screenW, screenH, hasTransparent || !covers ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) throw EPictureError("内存不足，无法读取 GIF 图象");
    image.fill(0u);

    // Rows arrive in the order of the four interlace passes when the frame is interlaced.
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(desc.Height));
    if (desc.Interlace) {
      static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < desc.Height; y += step[pass]) rows.push_back(y);
    } else {
      for (int y = 0; y < desc.Height; ++y) rows.push_back(y);
    }
    std::vector<GifPixelType> line(static_cast<size_t>(desc.Width));
    const int x0 = std::max(0, desc.Left), x1 = std::min(screenW, desc.Left + desc.Width);
    for (int row : rows) {
      Check(DGifGetLine(gif_, line.data(), desc.Width));
      const int y = desc.Top + row;
      for (int i = 0; i < desc.Width; ++i)
        if (line[i] >= colours) throw EPictureError("GIF 图象使用了颜色表以外的颜色");
      if (y < 0 || y >= screenH) continue;
      auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = x0; x < x1; ++x) out[x] = palette[line[x - desc.Left]];
    }
    return image;
  }

  GifSource source_;
  GifFileType* gif_ = nullptr;
};

}  // namespace

QImage DecodeGif(const uint8_t* data, size_t size, long long maxPixels) {
  if (size == 0) throw EPictureError("GIF 图象是空的");
  GifReader reader(data, size);
  return reader.FirstFrame(maxPixels);
}

bool GraphicKindFromPath(const std::string& path, TGraphicKind* kind) {
  const auto dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  const QString ext = QString::fromUtf8(path.substr(dot + 1)).toLower();
  static const struct {
    const char* ext;
    TGraphicKind kind;
  } table[] = {{"bmp", TGraphicKind::Bitmap}, {"jpg", TGraphicKind::Jpeg},  {"jpeg", TGraphicKind::Jpeg},
               {"wmf", TGraphicKind::Metafile}, {"emf", TGraphicKind::Metafile}, {"ico", TGraphicKind::Icon},
               {"gif", TGraphicKind::Gif}};
  for (const auto& row : table)
    if (ext == QLatin1String(row.ext)) {
      *kind = row.kind;
      return true;
    }
  return false;
}

namespace {

QImage Decode(TGraphicKind kind, const std::vector<uint8_t>& bytes, long long maxPixels, TMetafileReadTime* read) {
  switch (kind) {
    case TGraphicKind::Bitmap:
      return DecodeWithQt(bytes.data(), bytes.size(), "bmp", maxPixels);
    case TGraphicKind::Icon:
      return DecodeWithQt(bytes.data(), bytes.size(), "ico", maxPixels);
    case TGraphicKind::Jpeg:
      return DecodeJpeg(bytes.data(), bytes.size(), maxPixels);
    case TGraphicKind::Gif:
      return DecodeGif(bytes.data(), bytes.size(), maxPixels);
    case TGraphicKind::Metafile:
      return DecodeMetafile(bytes.data(), bytes.size(), maxPixels, read);
  }
  return QImage();
}

}  // namespace

std::string PictureFileMessage(const std::string& utf8Path, const std::string& reason) {
  return "无法读取图象文件“" + QFileInfo(QString::fromUtf8(utf8Path)).fileName().toStdString() + "”：" + reason + "。";
}

TPictureBytes ReadPictureFile(const std::string& utf8Path, TGraphicKind* kind) {
  if (!GraphicKindFromPath(utf8Path, kind)) throw EPictureError(PictureFileMessage(utf8Path, "不是能读取的图象类型"));
  try {
    return std::make_shared<const std::vector<uint8_t>>(ReadRegularFile(utf8Path, kMaxPictureFileBytes));
  } catch (const EFileReadError& e) {
    throw EPictureError(PictureFileMessage(utf8Path, e.what()));
  }
}

void TPicture::LoadFromFile(const std::string& utf8Path) { LoadFromFile(utf8Path, kMaxPicturePixels); }

void TPicture::LoadFromFile(const std::string& utf8Path, long long maxPixels, TMetafileReadTime* read) {
  TGraphicKind kind;
  TPictureBytes bytes = ReadPictureFile(utf8Path, &kind);
  try {
    LoadFromBytes(kind, std::move(bytes), maxPixels, read);
  } catch (const EPictureTooLarge& e) {
    throw EPictureTooLarge(PictureFileMessage(utf8Path, e.what()));
  } catch (const EPictureError& e) {
    throw EPictureError(PictureFileMessage(utf8Path, e.what()));
  }
}

void TPicture::LoadFromBytes(TGraphicKind kind, std::vector<uint8_t> bytes) {
  LoadFromBytes(kind, std::move(bytes), kMaxPicturePixels);
}

void TPicture::LoadFromBytes(TGraphicKind kind, std::vector<uint8_t> bytes, long long maxPixels) {
  LoadFromBytes(kind, std::make_shared<const std::vector<uint8_t>>(std::move(bytes)), maxPixels);
}

void TPicture::LoadFromBytes(TGraphicKind kind, TPictureBytes bytes, long long maxPixels, TMetafileReadTime* read) {
  if (!bytes || bytes->empty()) throw EPictureError("图象是空的");
  QImage image = Decode(kind, *bytes, maxPixels, read);
  Take(kind, std::move(bytes), std::move(image), maxPixels);
}

void TPicture::LoadFromDrawing(TPictureBytes bytes, TMetafileDrawing& drawing, long long maxPixels) {
  QImage image = drawing.Take();
  Take(TGraphicKind::Metafile, std::move(bytes), std::move(image), maxPixels);
}

void TPicture::Take(TGraphicKind kind, TPictureBytes bytes, QImage image, long long maxPixels) {
  const int width = image.width(), height = image.height();
  // Every graphic is recoloured into a bitmap of its own size, so no kind may claim more
  // pixels than the decoders accept.
  if (!WithinPictureCaps(width, height, maxPixels)) throw EPictureTooLarge("图象太大");
  hasGraphic_ = true;
  kind_ = kind;
  width_ = width;
  height_ = height;
  image_ = std::move(image);
  bytes_ = std::move(bytes);
  Changed();
}

void TPicture::Assign(const TPicture& other) {
  hasGraphic_ = other.hasGraphic_;
  kind_ = other.kind_;
  width_ = other.width_;
  height_ = other.height_;
  image_ = other.image_;
  bytes_ = other.bytes_;
  Changed();
}

void TPicture::KeepUndrawn(TGraphicKind kind, TPictureBytes bytes) {
  hasGraphic_ = true;
  kind_ = kind;
  width_ = height_ = 0;
  image_ = QImage();
  bytes_ = std::move(bytes);
  Changed();
}

void TPicture::Clear() {
  hasGraphic_ = false;
  width_ = height_ = 0;
  image_ = QImage();
  bytes_.reset();
  Changed();
}

const std::vector<uint8_t>& TPicture::Bytes() const {
  static const std::vector<uint8_t> kNone;
  return bytes_ ? *bytes_ : kNone;
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}

}  // namespace platform
