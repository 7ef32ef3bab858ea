#pragma once
// The print options asked before each print: true colour, mirrored, number of copies.
// Borderless and white; its print button closes it with result 1, everything else
// (cancel button, Escape) counts as cancelled.

#include <QDialog>
#include <cstdint>

#include "dialogs/merulin.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace merulin {

class TUpDown;

// The answer of a cancelled dialog, whatever was preset.
inline constexpr TPrintSettings kPrintCancelled{true, true, false, 1};

class TfrmPrintSetup : public QDialog {
 public:
  explicit TfrmPrintSetup(QWidget* owner);

  // The caller's last answer; copies are kept within the spinner's 1..100.
  void Preset(bool trueColor, bool mirror, int32_t copies);
  // What the dialog answers when closed with that modal result: the options shown after
  // result 1, the cancelled answer (true colour, mirrored, one copy) after any other.
  TPrintSettings Settings(int modalResult) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* Label1;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QLabel* Label2;
  QLineEdit* Edit1;
  TUpDown* UpDown1;
  QPushButton* Button1;
  QPushButton* Button2;
};

}  // namespace merulin
