#include "export/pictureexport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>
#include <stdexcept>
#include <vector>

#include "document/childform.h"
#include "formats/bitmap_filters.h"
#include "formats/whole_file.h"
#include "platform/canvas.h"
#include "platform/numeric.h"
#include "seal/seal.h"
#include "services/commandguard.h"
#include "services/datafolders.h"
#include "services/folderfiles.h"
#include "services/savename.h"
#include "services/services.h"

namespace app {

namespace {

// %1: the file, or the clipboard, with the reason on the next line.
constexpr const char* kExportFailed = "图象导出失败：%1";

void PutOnClipboard(const platform::TBitmap& bitmap, const TExportFormat& format, const std::vector<uint8_t>& bytes) {
  auto* data = new QMimeData;
  // As a picture, every program can paste it; as the format's bytes, those that know it
  // get it exactly as the file would hold it.
  data->setImageData(bitmap.Image());
  data->setData(QString::fromUtf8(format.MimeType),
                QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace

void ExportSelection(TfrmChild& document, QWidget* owner, const QString& programFolder) {
  // A copy: the dialogs run event loops of their own, and the export keeps to the seals
  // that were selected when it was asked for.
  const std::vector<const seal::TSeal*> selection(document.Selection().begin(), document.Selection().end());
  if (selection.empty()) return;
  ExportPicture(selection, AskExportSettings(&document), owner, programFolder);
}

void ExportPicture(std::span<const seal::TSeal* const> selection, const merulin::TExportSettings& settings, QWidget* owner,
                   const QString& programFolder) {
  const seal::TBoundsMm bounds = seal::GetSelectionBoundsMm(selection);
  if (!bounds.Any || !settings.Accepted) return;
  const TExportFormat& format = ExportFormatOf(settings.Format);
  const bool toClipboard = settings.ToClipboard && format.MimeType;
  const long double pixelsPerMm = merulin::PixelsPerMmOf(settings);
  // A resolution that makes no picture is said before a file is asked for.
  if (const QString refusal = ResolutionRefusal(pixelsPerMm); !refusal.isEmpty()) {
    ShowMessage(owner, TMsgKind::Warning, refusal, mbOK);
    return;
  }
  QString fileName;
  if (!toClipboard) {
    fileName = AskExportFileName(owner, programFolder, format);
    if (fileName.isEmpty()) return;
  }
  const TExportSize size = ExportBitmapSize(bounds, pixelsPerMm);
  if (const QString refusal = ExportRefusal(pixelsPerMm, size, format); !refusal.isEmpty()) {
    ShowMessage(owner, TMsgKind::Warning, refusal, mbOK);
    return;
  }
  const platform::TBitmap bitmap = DrawExportBitmap(selection, bounds, pixelsPerMm, size, settings.Mirror, owner);
  try {
    SaveGraphicAs(fileName, format, bitmap, pixelsPerMm, toClipboard);
  } catch (const std::exception& e) {
    const QString where = toClipboard ? QStringLiteral("剪贴板") : fileName;
    throw std::runtime_error(
        QString::fromUtf8(kExportFailed).arg(where + QLatin1Char('\n') + UserMessage(e)).toStdString());
  }
}

QString AskExportFileName(QWidget* owner, const QString& programFolder, const TExportFormat& format) {
  const QString folder = DataFolder(programFolder, kExportFolder);
  const QString filter = QString::fromUtf8(format.Filter);
  return ChooseSaveName(
      owner,
      [&](const QString& offered) { return Services().SavePictureFileName(owner, folder, filter, offered); },
      [&](const QString& chosen) { return WithExportExtension(chosen, format); }, QString());
}

platform::TBitmap DrawExportBitmap(std::span<const seal::TSeal* const> seals, const seal::TBoundsMm& bounds,
                                   long double pixelsPerMm, TExportSize size, bool mirror, QWidget* scratchOwner) {
  platform::TBitmap bitmap(int(size.Width), int(size.Height));
  {
    platform::TPainterCanvas canvas(&bitmap.Image());
    seal::DrawSealsAtScale(canvas, seals, bounds, pixelsPerMm, kExportMargin, scratchOwner);
  }
  if (mirror) formats::MirrorBitmap(bitmap);
  bitmap.SetTransparent(true);
  return bitmap;
}

void SaveGraphicAs(const QString& fileName, const TExportFormat& format, const platform::TBitmap& bitmap,
                   long double pixelsPerMm, bool toClipboard) {
  const std::vector<uint8_t> bytes = format.Encode(bitmap, pixelsPerMm);
  if (toClipboard && format.MimeType)
    PutOnClipboard(bitmap, format, bytes);
  else
    formats::SaveFileAtomically(fileName, bytes);
}

}  // namespace app
