#include "picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

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

QImage DecodeJpeg(const uint8_t*, size_t) { throw EPictureError("JPEG decoding is not available"); }
QImage DecodeGif(const uint8_t*, size_t) { throw EPictureError("GIF decoding is not available"); }

void TPicture::LoadFromFile(const std::string&) { throw EPictureError("not available"); }
void TPicture::LoadFromBytes(TGraphicKind, std::vector<uint8_t>) { throw EPictureError("not available"); }

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
