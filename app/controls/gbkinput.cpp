#include "controls/gbkinput.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

#include "platform/gbk.h"

namespace {

bool IsControl(QChar c) { return c.category() == QChar::Other_Control; }

// A line feed, a carriage return, or the two together: one line break.
bool IsLineBreak(QChar c) { return c == QLatin1Char('\n') || c == QLatin1Char('\r'); }

}  // namespace

QString RefusedCharacters(const QString& text, bool holdsLines) {
  QString refused = platform::NonGbkCharacters(text);
  for (const QChar c : text)
    if (IsControl(c) && !(holdsLines && IsLineBreak(c)) && !refused.contains(c)) refused += c;
  return refused;
}

QString RefusedInputMessage(const QString& characters) {
  QString shown;
  bool control = false;
  for (const QChar c : characters) {
    if (IsControl(c))
      control = true;
    else
      shown += c;
  }
  if (!control) return QStringLiteral("不能输入“%1”：印章中只能使用GBK字符集中的字符。").arg(shown);
  if (shown.isEmpty()) return QStringLiteral("不能输入控制字符：印章中只能使用可以显示的字符。");
  return QStringLiteral("不能输入“%1”和控制字符：印章中只能使用可以显示的GBK字符。").arg(shown);
}

QValidator::State TGbkValidator::validate(QString& input, int&) const {
  const QString refused = RefusedCharacters(input);
  if (refused.isEmpty()) return Acceptable;
  FRefused = refused;
  return Invalid;
}

void AcceptGbkOnly(QLineEdit* edit, TRefusedCharacters refused) {
  auto* validator = new TGbkValidator(edit);
  edit->setValidator(validator);
  QObject::connect(edit, &QLineEdit::inputRejected, edit, [validator, refused = std::move(refused)] {
    QApplication::beep();
    refused(validator->Refused());
  });
}

bool TGbkPlainTextEdit::Refuse(const QString& text) {
  const QString refused = RefusedCharacters(text, true);
  if (refused.isEmpty()) return false;
  QApplication::beep();
  emit Refused(refused);
  return true;
}

void TGbkPlainTextEdit::keyPressEvent(QKeyEvent* event) {
  // The text of an editing key (Backspace, Tab, Enter) is a control character; the box
  // never puts such a key's text in, and the key does its work.
  const QString typed = event->text();
  const bool editingKey = !typed.isEmpty() && IsControl(typed.front());
  if (!editingKey && Refuse(typed)) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TGbkPlainTextEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!Refuse(event->commitString())) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  // The composition ends without putting anything in.
  QInputMethodEvent nothing;
  QPlainTextEdit::inputMethodEvent(&nothing);
  event->accept();
}

void TGbkPlainTextEdit::insertFromMimeData(const QMimeData* source) {
  if (source->hasText() && Refuse(source->text())) return;
  QPlainTextEdit::insertFromMimeData(source);
}
