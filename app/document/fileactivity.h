#pragma once
// A long operation shown while it runs: a file written or read, a side panel filled or a
// print job made. Its caption shows from its start and goes however it ends; its progress
// goes to the same display.

#include <QString>

#include "formats/document_file.h"

class QLabel;
class QProgressBar;

namespace app {

inline constexpr const char* kSavingCaption = "正在保存：";
inline constexpr const char* kLoadingCaption = "正在载入：";

// What shows a long operation: its caption while it runs and how far it has come.
class TActivityDisplay {
 public:
  virtual ~TActivityDisplay() = default;
  virtual void BeginActivity(const QString& caption) = 0;
  virtual void ShowProgress(int position, int maximum) = 0;
  virtual void EndActivity() = 0;
};

// A status panel that shows the caption and a progress bar.
class TActivityWidgets final : public TActivityDisplay {
 public:
  TActivityWidgets(QLabel* panel, QProgressBar* bar) : FPanel(panel), FBar(bar) {}
  void BeginActivity(const QString& caption) override;
  void ShowProgress(int position, int maximum) override;
  void EndActivity() override;

 private:
  QLabel* FPanel;
  QProgressBar* FBar;
};

class TFileActivity {
 public:
  TFileActivity(TActivityDisplay& display, const char* caption) : FDisplay(display) {
    FDisplay.BeginActivity(QString::fromUtf8(caption));
  }
  ~TFileActivity() { FDisplay.EndActivity(); }
  TFileActivity(const TFileActivity&) = delete;
  TFileActivity& operator=(const TFileActivity&) = delete;

  formats::TProgress Progress() const {
    return [display = &FDisplay](int position, int maximum) { display->ShowProgress(position, maximum); };
  }

 private:
  TActivityDisplay& FDisplay;
};

}  // namespace app
