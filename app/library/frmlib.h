#pragma once
// The name dialog of "save to library": one text box for the design's name, and the save
// and cancel buttons.

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmLib : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmLib(QWidget* owner);

  // The name in the text box.
  QString DesignName() const;
  void SetDesignName(const QString& name);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* Label1;
  QLineEdit* Edit1;
  QFrame* Bevel1;
  // "存入(&S)...": accepts; "取  消(&C)": rejects, as Esc and the close box do.
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
};
