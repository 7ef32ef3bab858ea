#include "controls/gbkinput.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

#include "platform/gbk.h"

QValidator::State TGbkValidator::validate(QString& input, int&) const {
  const QString refused = platform::NonGbkCharacters(input);
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
  const QString refused = platform::NonGbkCharacters(text);
  if (refused.isEmpty()) return false;
  QApplication::beep();
  emit Refused(refused);
  return true;
}

void TGbkPlainTextEdit::keyPressEvent(QKeyEvent* event) {
  if (Refuse(event->text())) {
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
