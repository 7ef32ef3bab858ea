#include "property/controlevents.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "controls/kivspinedit.h"

namespace property {

void OnClick(QCheckBox* box, TChangeEvent handler) {
  QObject::connect(box, &QCheckBox::toggled, box, [handler = std::move(handler)](bool) { handler(); });
}

void OnChange(QComboBox* box, TChangeEvent handler) {
  QObject::connect(box, &QComboBox::activated, box, [handler](int) { handler(); });
  if (QLineEdit* edit = box->lineEdit())
    QObject::connect(edit, &QLineEdit::textEdited, box, [handler](const QString&) { handler(); });
}

void OnChange(QPlainTextEdit* memo, TChangeEvent handler) {
  QObject::connect(memo, &QPlainTextEdit::textChanged, memo, std::move(handler));
}

void OnChange(QLineEdit* edit, TChangeEvent handler) {
  QObject::connect(edit, &QLineEdit::textChanged, edit, [handler = std::move(handler)](const QString&) { handler(); });
}

void OnChange(TKivSpinEdit* box, TChangeEvent handler) {
  QObject::connect(box, &TKivSpinEdit::Change, box, std::move(handler));
}

void MakeTypedList(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
}

int ItemIndex(const QComboBox* box) {
  const QString text = box->currentText();
  const int current = box->currentIndex();
  if (current >= 0 && box->itemText(current) == text) return current;
  return box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void SetMemoText(QPlainTextEdit* memo, const QString& text) {
  if (memo->toPlainText() != text) memo->setPlainText(text);
}

TPropertyMemo::TPropertyMemo(QWidget* parent) : TGbkPlainTextEdit(parent) { setTabChangesFocus(true); }

void TPropertyMemo::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && !(event->modifiers() & Qt::ControlModifier)) {
    event->ignore();
    return;
  }
  if (enter) {
    insertPlainText(QStringLiteral("\n"));
    return;
  }
  TGbkPlainTextEdit::keyPressEvent(event);
}

}  // namespace property
