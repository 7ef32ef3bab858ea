#pragma once
// The host's status panel with its caption while a file is written or read, a side panel
// is filled or a print job is made; hidden again however the operation ends. Its progress
// goes to the host's progress bar.

#include <QLabel>
#include <QProgressBar>
#include <QString>

#include "formats/document_file.h"

namespace app {

inline constexpr const char* kSavingCaption = "正在保存：";
inline constexpr const char* kLoadingCaption = "正在载入：";

class TFileActivity {
 public:
  TFileActivity(QLabel* panel, QProgressBar* bar, const char* caption) : FPanel(panel), FBar(bar) {
    FPanel->setText(QString::fromUtf8(caption));
    FPanel->show();
    FPanel->repaint();
  }
  ~TFileActivity() { FPanel->hide(); }
  TFileActivity(const TFileActivity&) = delete;
  TFileActivity& operator=(const TFileActivity&) = delete;

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
