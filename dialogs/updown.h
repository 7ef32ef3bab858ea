#pragma once
// The spinner of a numeric text box (its buddy): two arrow buttons, and the Up and Down keys
// in the box, step the number within Min..Max and show it in the box. The box still takes
// any typed text: whenever the position is asked for, a whole number in range in the box
// becomes the position; any other text leaves the last position.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace merulin {

class TUpDown : public QWidget {
 public:
  TUpDown(QLineEdit* buddy, int min, int max, QWidget* parent);

  int Position();
  // Clamped into Min..Max and shown in the buddy.
  void SetPosition(int value);
  // The spinner is a sixth of an inch wide.
  static int WidthAt(int pixelsPerInch) { return pixelsPerInch / 6; }
  // Stands right of the buddy at its height.
  void FollowBuddy(int pixelsPerInch);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Step(int delta);

  QLineEdit* buddy_;
  int min_;
  int max_;
  int position_;
  QToolButton* up_;
  QToolButton* down_;
};

// The whole number a text box holds (surrounding blanks allowed, no separators); false for
// any other text.
bool ReadInteger(const QString& text, int* value);

}  // namespace merulin
