#pragma once
// The export options: resolution in dots per inch, picture format, mirrored or not, and
// the system clipboard instead of a file. Its export button closes it with result 1 when
// the resolution is a whole number above zero; otherwise it says so and stays open.

#include <QDialog>
#include <optional>

#include "dialogs/merulin.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace merulin {

class TComboBoxEx;
class TUpDown;

class TfrmExportToImage : public QDialog {
 public:
  explicit TfrmExportToImage(QWidget* owner);

  // The accepted options, or none when the resolution typed is no whole number of dots per
  // inch above zero. TIFF never goes to the clipboard.
  std::optional<TExportSettings> Settings() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Export();

  QLabel* Label3;
  QLabel* Label1;
  QLineEdit* Edit1;
  TUpDown* UpDown1;
  QLabel* Label2;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  TComboBoxEx* ComboBoxEx1;
  QLabel* Label4;
  QPushButton* Button1;
  QPushButton* Button2;
};

}  // namespace merulin
