#include "picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>

namespace platform {

bool GraphicKindFromCode(int code, TGraphicKind* kind) {
  if (code < 0 || code > 4) return false;
  *kind = static_cast<TGraphicKind>(code);
  return true;
}

QImage DecodeWithQt(const uint8_t* data, size_t size, const char* format) {
  QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  QImage image = reader.read();
  if (image.isNull()) throw EPictureError("the picture cannot be read: " + reader.errorString().toStdString());
  return image;
}

bool MetafileSize(const std::vector<uint8_t>& bytes, int* width, int* height) {
  // Enhanced metafile: EMR_HEADER (type 1) with the bounds rectangle in device units at 8..23.
  // Placeable metafile: key 0x9AC6CDD7, bounding box at 6..13 in logical units.
  auto i32 = [&](size_t at) {
    return static_cast<int32_t>(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
                                uint32_t(bytes[at + 3]) << 24);
  };
  auto i16 = [&](size_t at) { return static_cast<int16_t>(bytes[at] | bytes[at + 1] << 8); };
  if (bytes.size() >= 88 && i32(0) == 1 && i32(40) == 0x464D4520) {
    *width = std::max(0, i32(16) - i32(8) + 1);
    *height = std::max(0, i32(20) - i32(12) + 1);
    return true;
  }
  if (bytes.size() >= 22 && static_cast<uint32_t>(i32(0)) == 0x9AC6CDD7u) {
    *width = std::max(0, i16(10) - i16(6));
    *height = std::max(0, i16(12) - i16(8));
    return true;
  }
  return false;
}

QImage DecodeJpeg(const uint8_t*, size_t) { throw EPictureError("JPEG decoding is not available"); }
QImage DecodeGif(const uint8_t*, size_t) { throw EPictureError("GIF decoding is not available"); }

namespace {

bool KindFromExtension(const std::string& path, TGraphicKind* kind) {
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

QImage Decode(TGraphicKind kind, const std::vector<uint8_t>& bytes) {
  switch (kind) {
    case TGraphicKind::Bitmap:
      return DecodeWithQt(bytes.data(), bytes.size(), "bmp");
    case TGraphicKind::Icon:
      return DecodeWithQt(bytes.data(), bytes.size(), "ico");
    case TGraphicKind::Jpeg:
      return DecodeJpeg(bytes.data(), bytes.size());
    case TGraphicKind::Gif:
      return DecodeGif(bytes.data(), bytes.size());
    case TGraphicKind::Metafile:
      break;
  }
  return QImage();
}

}  // namespace

void TPicture::LoadFromFile(const std::string& utf8Path) {
  TGraphicKind kind;
  if (!KindFromExtension(utf8Path, &kind)) throw EPictureError("unknown picture file extension");
  QFile file(QString::fromUtf8(utf8Path));
  if (!file.open(QIODevice::ReadOnly)) throw EPictureError("the picture file cannot be opened");
  const QByteArray data = file.readAll();
  LoadFromBytes(kind, std::vector<uint8_t>(data.begin(), data.end()));
}

void TPicture::LoadFromBytes(TGraphicKind kind, std::vector<uint8_t> bytes) {
  if (bytes.empty()) throw EPictureError("the picture is empty");
  QImage image = Decode(kind, bytes);
  int width = image.width(), height = image.height();
  if (kind == TGraphicKind::Metafile && !MetafileSize(bytes, &width, &height))
    throw EPictureError("the metafile cannot be read");
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

void TPicture::Clear() {
  hasGraphic_ = false;
  width_ = height_ = 0;
  image_ = QImage();
  bytes_.clear();
  Changed();
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}

}  // namespace platform
