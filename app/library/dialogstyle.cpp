#include "library/dialogstyle.h"

#include <QApplication>
#include <QPushButton>
#include <algorithm>

#include "platform/buttonsize.h"

namespace app {

int PrepareLibraryDialog(QWidget* dialog, const QString& caption) {
  dialog->setWindowTitle(caption);
  dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
  dialog->setFont(QApplication::font("QMenu"));
  return dialog->logicalDpiX();
}

void SizeButton(QPushButton* button, int pixelsPerInch, int maxWidth) {
  const QSize size = platform::ButtonSize(button->sizeHint(), pixelsPerInch);
  button->resize(std::max(1, std::min(size.width(), maxWidth)), size.height());
}

}  // namespace app
