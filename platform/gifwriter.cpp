#include "platform/gifwriter.h"

#include <gif_lib.h>

#include <QFile>

#include "platform/picture.h"

namespace platform {

namespace {

int WriteToVector(GifFileType* gif, const GifByteType* data, int n) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + n);
  return n;
}

// giflib's own texts are English; what they mean for the user, by its error number.
[[noreturn]] void Fail(int error) {
  switch (error) {
    case E_GIF_ERR_NOT_ENOUGH_MEM: throw EPictureError("内存不足，无法写入 GIF 图象");
    case E_GIF_ERR_WRITE_FAILED:
    case E_GIF_ERR_CLOSE_FAILED: throw EPictureError("GIF 图象无法写入");
    case E_GIF_ERR_DISK_IS_FULL: throw EPictureError("磁盘已满，GIF 图象无法写入");
    default: throw EPictureError("GIF 图象无法写入（错误号 " + std::to_string(error) + "）");
  }
}

}  // namespace

std::vector<uint8_t> EncodeGif(const QImage& image) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0)
    throw EPictureError("空白图象不能保存为 GIF 图象");
  if (image.width() > kMaxGifSide || image.height() > kMaxGifSide) throw EPictureError("图象太大，不能保存为 GIF 图象");
  TQuantizedImage quantized = QuantizeImage(image);

  std::vector<GifColorType> table(size_t(kPaletteSize), GifColorType{0, 0, 0});
  for (size_t i = 0; i < quantized.Palette.size(); ++i) {
    const QRgb c = quantized.Palette[i];
    table[i] = GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
  }

  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
  if (!gif) Fail(error);
  ColorMapObject* map = GifMakeMapObject(kPaletteSize, table.data());
  auto closeAndFail = [&](int code) {
    GifFreeMapObject(map);
    int ignored = 0;
    EGifCloseFile(gif, &ignored);
    Fail(code);
  };
  if (!map) closeAndFail(E_GIF_ERR_NOT_ENOUGH_MEM);
  const int width = image.width(), height = image.height();
  if (EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_ERROR ||
      EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR)
    closeAndFail(gif->Error);
  // giflib masks each line in place to the code size, which leaves 8-bit indices as they are.
  GifPixelType* pixels = quantized.Indices.data();
  for (int y = 0; y < height; ++y)
    if (EGifPutLine(gif, pixels + size_t(y) * size_t(width), width) == GIF_ERROR) closeAndFail(gif->Error);
  GifFreeMapObject(map);
  if (EGifCloseFile(gif, &error) == GIF_ERROR) Fail(error);
  return out;
}

void SaveGifFile(const QImage& image, const std::string& utf8Path) {
  const std::vector<uint8_t> bytes = EncodeGif(image);
  QFile file(QString::fromUtf8(utf8Path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size()) ||
      !file.flush())
    throw EPictureError("GIF 文件无法写入");
}

}  // namespace platform
