#include "export/exportformats.h"

#include <QFileInfo>
#include <cmath>
#include <iterator>

#include "formats/bmp_writer.h"
#include "formats/emf_writer.h"
#include "formats/tiff_writer.h"
#include "platform/gifwriter.h"
#include "platform/jpegwriter.h"

namespace app {

namespace {

std::vector<uint8_t> Bmp(const platform::TBitmap& bitmap, long double) { return formats::EncodeBmp(bitmap); }
std::vector<uint8_t> Emf(const platform::TBitmap& bitmap, long double pixelsPerMm) {
  return formats::EncodeEmf(bitmap, double(pixelsPerMm));
}
std::vector<uint8_t> Jpeg(const platform::TBitmap& bitmap, long double) { return platform::EncodeJpeg(bitmap.Image()); }
std::vector<uint8_t> Gif(const platform::TBitmap& bitmap, long double) { return platform::EncodeGif(bitmap.Image()); }
std::vector<uint8_t> Tiff(const platform::TBitmap& bitmap, long double) { return formats::EncodeTiff(bitmap); }

// BMP first: it stands for every number the table does not hold.
constexpr TExportFormat kFormats[] = {
    {0, ".bmp", "Windows位图(*.bmp)", "image/bmp", 0, Bmp},
    {1, ".emf", "Windows矢量图(*.emf)", "image/x-emf", 0, Emf},
    {2, ".jpg", "JPEG压缩影像(*.jpg)", "image/jpeg", platform::kMaxJpegSide, Jpeg},
    {3, ".gif", "CompuServe GIF(*.gif)", "image/gif", platform::kMaxGifSide, Gif},
    {4, ".tiff", "Tag影像(*.tiff)", nullptr, 0, Tiff},
};

// Far beyond every limit, and small enough that two of them add and multiply in 64 bits.
constexpr long double kSideCap = 1e9L;

int64_t Side(long double mm, long double pixelsPerMm) {
  long double pixels = std::nearbyintl(mm * pixelsPerMm);
  // Also catches what is no number, as an infinite resolution times no width gives.
  if (!(pixels < kSideCap)) pixels = kSideCap;
  return int64_t(pixels) + 2 * kExportMargin;
}

}  // namespace

const TExportFormat& ExportFormatOf(uint8_t code) {
  for (const TExportFormat& f : kFormats)
    if (f.Code == code) return f;
  return kFormats[0];
}

TExportSize ExportBitmapSize(const seal::TBoundsMm& bounds, long double pixelsPerMm) {
  return {Side(bounds.Right - bounds.Left, pixelsPerMm), Side(bounds.Bottom - bounds.Top, pixelsPerMm)};
}

QString ResolutionRefusal(long double pixelsPerMm) {
  return pixelsPerMm > 0 ? QString() : QStringLiteral("导出精度必须大于零！");
}

QString ExportRefusal(long double pixelsPerMm, TExportSize size, const TExportFormat& format) {
  if (const QString refusal = ResolutionRefusal(pixelsPerMm); !refusal.isEmpty()) return refusal;
  const bool tooMany = size.Width > kMaxExportPixels / size.Height;  // Width x Height > the limit
  const bool tooLong = format.MaxSide > 0 && (size.Width > format.MaxSide || size.Height > format.MaxSide);
  if (!tooMany && !tooLong) return QString();
  return QStringLiteral(
      "导出图象太大，系统无法处理！\n\n您可以这样来解决：\n\n  A、图象导出精度适当降低；\n\n  B、页面上选择面积适当减小；");
}

QString WithExportExtension(const QString& name, const TExportFormat& format) {
  const QString extension = QString::fromUtf8(format.Extension);
  const QString file = QFileInfo(name).fileName();
  const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
  if (dot >= 0 && file.mid(dot).toLower() == extension) return name;
  return (dot >= 0 ? name.left(name.size() - (file.size() - dot)) : name) + extension;
}

}  // namespace app
