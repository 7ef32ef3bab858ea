#include "services/picturedialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/componentname.h"
#include "platform/metafile.h"
#include "platform/metafileworker.h"
#include "platform/regularfile.h"
#include "services/filedialog.h"

namespace app {

namespace {

constexpr int kPreviewSide = 200;

bool IsMetafile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QLatin1String("emf") || suffix == QLatin1String("wmf");
}

// A metafile is drawn by the metafile worker, straight at the preview's size; nothing for
// one it does not draw.
QPixmap MetafilePreview(const QString& path) {
  try {
    const std::vector<uint8_t> bytes = platform::ReadRegularFile(path.toStdString(), platform::kMaxPictureFileBytes);
    const std::optional<platform::TMetafileHeader> header = platform::ReadMetafileHeader(bytes.data(), bytes.size());
    if (!header || header->Width <= 0 || header->Height <= 0) return {};
    QSize size(header->Width, header->Height);
    if (size.width() > kPreviewSide || size.height() > kPreviewSide)
      size = size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return QPixmap::fromImage(platform::TMetafileWorker::Instance().Draw(bytes.data(), bytes.size(), size.width(),
                                                                           size.height(), platform::kMaxPicturePixels));
  } catch (const std::runtime_error&) {
    return {};
  }
}

// The picture at path shrunk to fit the preview, nothing for a file that is no picture Qt
// reads. Large pictures are decoded at the preview's size where the format allows it.
QPixmap PreviewOf(const QString& path) {
  if (IsMetafile(path)) return MetafilePreview(path);
  QImageReader reader(path);
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > kPreviewSide || size.height() > kPreviewSide))
    reader.setScaledSize(size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio));
  const QImage image = reader.read();
  if (image.isNull()) return {};
  return QPixmap::fromImage(image.width() > kPreviewSide || image.height() > kPreviewSide
                                ? image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio)
                                : image);
}

QString PictureDialog(QWidget* parent, const QString& start, const QString& filter, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, QString(), start, filter);
  dialog.setAcceptMode(mode);
  if (mode == QFileDialog::AcceptOpen) dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
  auto* preview = new QLabel(&dialog);
  platform::Named(preview, "Preview");
  preview->setFixedSize(kPreviewSide, kPreviewSide);
  preview->setAlignment(Qt::AlignCenter);
  preview->setFrameShape(QFrame::StyledPanel);
  // Qt's own dialog lays itself out in a grid; the preview takes a column on its right, and
  // the dialog grows by that column rather than squeezing its folder box and file list.
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    grid->addWidget(preview, 0, grid->columnCount(), -1, 1);
    dialog.resize(dialog.width() + kPreviewSide + std::max(0, grid->horizontalSpacing()), dialog.height());
  }
  const auto show = [preview](const QString& path) {
    preview->setPixmap(QFileInfo(path).isFile() ? PreviewOf(path) : QPixmap());
  };
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview, show);
  // Opened again on a name the user turned down: that file is what the name would replace.
  show(start);
  return RunFileDialog(dialog);
}

}  // namespace

QString SavePictureDialog(QWidget* parent, const QString& start, const QString& filter) {
  return PictureDialog(parent, start, filter, QFileDialog::AcceptSave);
}

QString OpenPictureDialog(QWidget* parent, const QString& start, const QString& filter) {
  return PictureDialog(parent, start, filter, QFileDialog::AcceptOpen);
}

}  // namespace app
