#include "library/dialogstyle.h"

#include <QApplication>
#include <QPushButton>
#include <algorithm>

namespace app {

int PrepareLibraryDialog(QWidget* dialog, const QString& caption) {
  dialog->setWindowTitle(caption);
  dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
  dialog->setFont(QApplication::font("QMenu"));
  return dialog->logicalDpiX();
}

void SizeButton(QPushButton* button, int pixelsPerInch, int maxWidth) {
  const QSize hint = button->sizeHint();
  const int width = std::max(hint.width(), pixelsPerInch * 75 / 96);
  button->resize(std::max(1, std::min(width, maxWidth)), std::max(hint.height(), pixelsPerInch * 25 / 96));
}

}  // namespace app
