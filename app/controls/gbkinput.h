#pragma once
// Text boxes whose text becomes GBK bytes in an element. A character without a GBK form
// could only be stored as "?", and a control character would cut a name short at its zero
// or draw as nothing, so such characters are refused where they come in, typed, composed or
// pasted, and every refusal names them so that the user can be told why.

#include <QPlainTextEdit>
#include <QValidator>
#include <functional>

class QLineEdit;

// The characters of text that a text box refuses, each once, in the order they first come:
// those GBK cannot hold and the control characters, but for the line breaks of a box that
// holds lines.
QString RefusedCharacters(const QString& text, bool holdsLines = false);
// What the user is told when a text box refused these characters.
QString RefusedInputMessage(const QString& characters);

// Refuses an edit whose text holds a character the box refuses; the line edit keeps the
// text it had.
class TGbkValidator : public QValidator {
  Q_OBJECT

 public:
  explicit TGbkValidator(QObject* parent = nullptr) : QValidator(parent) {}
  State validate(QString& input, int& pos) const override;
  // The characters of the last refused text that the box refuses.
  QString Refused() const { return FRefused; }

 private:
  mutable QString FRefused;
};

using TRefusedCharacters = std::function<void(const QString& characters)>;

// The line edit (also a combo box's) takes GBK text without control characters only;
// refused hears of every refusal.
void AcceptGbkOnly(QLineEdit* edit, TRefusedCharacters refused);

// A multi-line text box that takes GBK text without control characters only, line breaks
// being its lines.
class TGbkPlainTextEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TGbkPlainTextEdit(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}

 signals:
  // Text with these characters was refused.
  void Refused(const QString& characters);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // True, having said so, when text holds a character the box refuses.
  bool Refuse(const QString& text);
};
