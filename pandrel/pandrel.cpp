#include "pandrel/pandrel.h"

#include <QPainter>
#include <cstring>
#include <memory>

#include "pandrel/builtin_pictures.h"
#include "platform/regularfile.h"

namespace {

// A file of another kind, read as the picture kinds are (a regular file below their cap),
// for Qt's readers to make what they can of it.
QImage ReadWithQt(const char* path) {
  try {
    const std::vector<uint8_t> bytes = platform::ReadRegularFile(path, platform::kMaxPictureFileBytes);
    return platform::DecodeWithQt(bytes.data(), bytes.size(), nullptr);
  } catch (const std::runtime_error&) {
    return QImage();
  }
}

}  // namespace

platform::TBitmap* SetBkGnd(QWidget*, const char* path) {
  auto bitmap = std::make_unique<platform::TBitmap>();
  if (!path || !*path) return bitmap.release();
  QImage image;
  try {
    platform::TPicture picture;
    picture.LoadFromFile(path);
    image = picture.Image();
  } catch (const platform::EPictureError&) {
    // Not one of the picture kinds, or not readable as one: Qt's readers may still know it.
    image = ReadWithQt(path);
  }
  if (image.isNull()) return bitmap.release();
  // The wallpaper is an opaque surface; transparent parts of the picture show white.
  QImage opaque(image.size(), QImage::Format_RGB32);
  opaque.fill(Qt::white);
  QPainter painter(&opaque);
  painter.drawImage(0, 0, image);
  painter.end();
  *bitmap = platform::TBitmap(opaque);
  return bitmap.release();
}

void GetPictureCount(int& count) { count = pandrel::kEmblemCount; }

void LoadAPicture(platform::TPicture& gif, const char* name) {
  if (!name) return;
  for (size_t i = 0; i < pandrel::kBuiltinPictureCount; ++i) {
    const pandrel::TBuiltinPicture& picture = pandrel::kBuiltinPictures[i];
    if (std::strcmp(picture.name, name) == 0) {
      gif.LoadFromBytes(platform::TGraphicKind::Gif, std::vector<uint8_t>(picture.gif, picture.gif + picture.size));
      return;
    }
  }
}
