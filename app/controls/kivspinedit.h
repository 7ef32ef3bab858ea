#pragma once
// A numeric text box with up and down arrows, for whole numbers or for values shown with
// two decimals. Unlike a stock spin box it holds whatever number the user types, in range
// or not, and says so on every change of its text: the box reads its text as it stands,
// and only a value the program sets, or the box being left, brings it into its range and
// into the form of its kind.

#include <QLineEdit>
#include <cstdint>

class QToolButton;

enum class TValueType : uint8_t { vtInteger, vtFloat };

class TKivSpinEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TKivSpinEdit(QWidget* parent = nullptr);

  TValueType ValueType() const { return FValueType; }
  // Shows the current value again in the form of the new kind.
  void SetValueType(TValueType value);
  double Increment() const { return FIncrement; }
  void SetIncrement(double value) { FIncrement = value; }
  // The range clamps only when its ends differ: a box from 0 to 0 takes any value.
  double MinValue() const { return FMinValue; }
  void SetMinValue(double value) { FMinValue = value; }
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double value) { FMaxValue = value; }
  // How many characters the user may type, 0 for any number. Text the program sets is
  // never cut.
  int TextLimit() const { return FTextLimit; }
  void SetTextLimit(int value) { FTextLimit = value; }

  // The number the text stands for, not clamped to the range. Text that is no number of the
  // box's kind reads as the minimum, truncated to a whole number in a whole-number box.
  double Value() const;
  // Clamped into the range and shown: a whole number, or fixed with two decimals.
  void SetValue(double value);
  // The value brought into the range, when the range clamps; a box with decimals holds
  // nothing past 999999, either way.
  double CheckValue(double value) const;

  // What the arrows do: one increment up or down from the value of the text.
  void StepUp();
  void StepDown();

  QToolButton* UpButton() const { return FUp; }
  QToolButton* DownButton() const { return FDown; }

 signals:
  // Every change of the text, whoever made it.
  void Change();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class TSpinTextValidator;
  QString Format(double value) const;
  // How many digits a whole number typed into the box may have.
  int IntegerDigits() const;
  // The value within what the box holds; not a number is the minimum.
  double Held(double value) const;
  void PlaceButtons();

  TValueType FValueType = TValueType::vtInteger;
  double FIncrement = 1;
  double FMinValue = 0;
  double FMaxValue = 0;
  int FTextLimit = 0;
  // The text before the edit being validated, and whether the program is setting it.
  QString FLastText;
  bool FProgramText = false;
  QToolButton* FUp;
  QToolButton* FDown;
};
