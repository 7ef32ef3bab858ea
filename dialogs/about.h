#pragma once
// The about box: the program's logo and title pictures, its version and a contact link.
// Borderless and white; any click closes it, a click on the link first asks the desktop to
// write a mail to the author.

#include <QDialog>

class QFrame;
class QLabel;

namespace merulin {

class TAboutBox : public QDialog {
 public:
  explicit TAboutBox(QWidget* owner);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace merulin
