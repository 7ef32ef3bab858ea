#pragma once
// A status panel with its caption and progress bar shown while a long operation runs (a file
// written or read, a print job made), and hidden again however the operation ends.

#include <QLabel>
#include <QProgressBar>

#include "formats/document_file.h"

namespace app {

class TActivityPanel {
 public:
  TActivityPanel(QLabel* panel, QProgressBar* bar, const char* caption) : FPanel(panel), FBar(bar) {
    FPanel->setText(QString::fromUtf8(caption));
    FPanel->show();
    FPanel->repaint();
  }
  ~TActivityPanel() { FPanel->hide(); }
  TActivityPanel(const TActivityPanel&) = delete;
  TActivityPanel& operator=(const TActivityPanel&) = delete;

  formats::TProgress Progress() const {
    return [bar = FBar](int position, int maximum) {
      bar->setMaximum(maximum);
      bar->setValue(position);
    };
  }

 private:
  QLabel* FPanel;
  QProgressBar* FBar;
};

}  // namespace app
