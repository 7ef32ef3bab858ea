#include "document/fileactivity.h"

#include <QLabel>
#include <QProgressBar>

namespace app {

void TActivityWidgets::BeginActivity(const QString& caption) {
  FPanel->setText(caption);
  FPanel->show();
  FPanel->repaint();
}

void TActivityWidgets::ShowProgress(int position, int maximum) {
  FBar->setMaximum(maximum);
  FBar->setValue(position);
}

void TActivityWidgets::EndActivity() { FPanel->hide(); }

}  // namespace app
