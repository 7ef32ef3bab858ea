#include "controls/kivspinedit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QToolButton>
#include <QValidator>
#include <algorithm>
#include <cmath>

#include "platform/numeric.h"

namespace {
// The largest value, either way, that a box with decimals holds: what its six characters
// write without an exponent. An exponent taking a length further would carry the element
// past what its geometry in pixels can hold.
constexpr double kLargestFloat = 999999;
// The digits of a whole-number box that takes any number: as many as always read.
constexpr int kUnboundedDigits = 9;

int Digits(const QString& text) {
  return int(std::count_if(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }));
}

int DigitsOf(double value) { return int(QString::number(std::trunc(std::fabs(value)), 'f', 0).size()); }
}  // namespace

// Refuses what the user types when it cannot be the start of a number of the box's kind or
// would make the text longer than the box takes. The program's own text always passes.
class TSpinTextValidator : public QValidator {
 public:
  explicit TSpinTextValidator(TKivSpinEdit* edit) : QValidator(edit), FEdit(edit) {}

  State validate(QString& input, int&) const override {
    if (FEdit->FProgramText) return Acceptable;
    const int limit = FEdit->FTextLimit;
    if (limit > 0 && input.size() > limit && input.size() > FEdit->FLastText.size()) return Invalid;
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]*$"));
    static const QRegularExpression real(QStringLiteral("^[+-]?[0-9]*\\.?[0-9]*([eE][+-]?[0-9]*)?$"));
    const QRegularExpression& pattern = FEdit->FValueType == TValueType::vtFloat ? real : integer;
    if (!pattern.match(input).hasMatch()) return Invalid;
    // A whole number takes no more digits than the ends of its range have: one digit more
    // would only ever read as a number out of range, and past what the box can read.
    if (FEdit->FValueType == TValueType::vtInteger && input.size() > FEdit->FLastText.size() &&
        Digits(input) > FEdit->IntegerDigits())
      return Invalid;
    // A number beyond what the box holds is refused as it is typed, rather than reaching
    // the element as a length no page can hold, or as infinity. (A whole number too long
    // to read reads as the minimum.)
    if (FEdit->FValueType == TValueType::vtFloat) {
      bool ok = false;
      const double value = input.toDouble(&ok);
      if (std::isinf(value) || (ok && std::fabs(value) > kLargestFloat)) return Invalid;
    }
    return Acceptable;
  }

 private:
  TKivSpinEdit* FEdit;
};

namespace {

QToolButton* ArrowButton(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setCursor(Qt::ArrowCursor);
  return button;
}

}  // namespace

TKivSpinEdit::TKivSpinEdit(QWidget* parent)
    : QLineEdit(parent), FUp(ArrowButton(this, Qt::UpArrow)), FDown(ArrowButton(this, Qt::DownArrow)) {
  // Connected first, so that every other listener already sees the new text as the last.
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
    FLastText = text;
    emit Change();
  });
  connect(this, &QLineEdit::inputRejected, this, [] { QApplication::beep(); });
  setValidator(new TSpinTextValidator(this));
  const auto arrow = [this](void (TKivSpinEdit::*step)()) {
    return [this, step] {
      if (!hasFocus()) setFocus(Qt::MouseFocusReason);
      (this->*step)();
    };
  };
  connect(FUp, &QToolButton::clicked, this, arrow(&TKivSpinEdit::StepUp));
  connect(FDown, &QToolButton::clicked, this, arrow(&TKivSpinEdit::StepDown));
  SetValue(0);
}

void TKivSpinEdit::SetValueType(TValueType value) {
  if (value == FValueType) return;
  const double shown = Value();
  FValueType = value;
  SetValue(shown);
}

double TKivSpinEdit::Value() const {
  bool ok = false;
  if (FValueType == TValueType::vtFloat) {
    const double v = text().toDouble(&ok);
    return ok && std::isfinite(v) ? Held(v) : FMinValue;
  }
  const int v = text().toInt(&ok);
  return ok ? v : std::trunc(FMinValue);
}

int TKivSpinEdit::IntegerDigits() const {
  if (FMaxValue == FMinValue) return kUnboundedDigits;
  return std::min(kUnboundedDigits, std::max(DigitsOf(FMinValue), DigitsOf(FMaxValue)));
}

double TKivSpinEdit::Held(double value) const {
  if (std::isnan(value)) return FMinValue;
  if (FValueType == TValueType::vtInteger) return value;
  return std::clamp(value, -kLargestFloat, kLargestFloat);
}

double TKivSpinEdit::CheckValue(double value) const {
  value = Held(value);
  if (FMaxValue == FMinValue) return value;
  return std::min(std::max(value, FMinValue), FMaxValue);
}

QString TKivSpinEdit::Format(double value) const {
  if (FValueType == TValueType::vtInteger) return QString::number(platform::Round(value));
  const QString text = QString::number(value, 'f', 2);
  return text == QLatin1String("-0.00") ? QStringLiteral("0.00") : text;
}

void TKivSpinEdit::SetValue(double value) {
  const bool was = FProgramText;
  FProgramText = true;
  struct TRestore {
    bool& flag;
    bool value;
    ~TRestore() { flag = value; }
  } restore{FProgramText, was};
  setText(Format(CheckValue(value)));
}

void TKivSpinEdit::StepUp() { SetValue(Value() + FIncrement); }

void TKivSpinEdit::StepDown() { SetValue(Value() - FIncrement); }

void TKivSpinEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // The window losing activation or a pop-up opening is no leaving of the box.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  // Left, the box shows the value it stands for: clamped into the range, and for text
  // that is no number, the minimum that it was read as.
  const double value = Value();
  if (text() != Format(CheckValue(value))) SetValue(value);
}

void TKivSpinEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    event->key() == Qt::Key_Up ? StepUp() : StepDown();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TKivSpinEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  PlaceButtons();
}

void TKivSpinEdit::PlaceButtons() {
  const int inner = std::max(2, height() - 2);
  const int w = std::max(10, height() * 3 / 4);
  const int x = width() - w - 1;
  FUp->setGeometry(x, 1, w, inner / 2);
  FDown->setGeometry(x, 1 + inner / 2, w, inner - inner / 2);
  setTextMargins(0, 0, w, 0);
}
