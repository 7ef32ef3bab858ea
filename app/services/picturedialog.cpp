#include "services/picturedialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <algorithm>

namespace app {

namespace {

constexpr int kPreviewSide = 200;

// The picture at path shrunk to fit the preview, nothing for a file that is no picture Qt
// reads. Large pictures are decoded at the preview's size where the format allows it.
QPixmap PreviewOf(const QString& path) {
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
  preview->setObjectName(QStringLiteral("Preview"));
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
  if (dialog.exec() != QDialog::Accepted) return QString();
  return dialog.selectedFiles().value(0);
}

}  // namespace

QString SavePictureDialog(QWidget* parent, const QString& start, const QString& filter) {
  return PictureDialog(parent, start, filter, QFileDialog::AcceptSave);
}

QString OpenPictureDialog(QWidget* parent, const QString& start, const QString& filter) {
  return PictureDialog(parent, start, filter, QFileDialog::AcceptOpen);
}

}  // namespace app
