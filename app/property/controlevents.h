#pragma once
// The change events of the property window's controls, mapped once from Qt's signals onto
// the rules the window's loader relies on: a check box raises its click whenever its state
// changes, by the user or by the program; a combo box raises its change only for the user,
// picking an item or typing, never when the program sets its item or text; a memo, an edit
// and a spin box raise theirs at every change of their text, whoever made it.

#include <QPlainTextEdit>
#include <functional>

#include "controls/gbkinput.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class TKivSpinEdit;

namespace property {

using TChangeEvent = std::function<void()>;

void OnClick(QCheckBox* box, TChangeEvent handler);
void OnChange(QComboBox* box, TChangeEvent handler);
void OnChange(QPlainTextEdit* memo, TChangeEvent handler);
void OnChange(QLineEdit* edit, TChangeEvent handler);
void OnChange(TKivSpinEdit* box, TChangeEvent handler);

// Makes a combo box take typed text as the user typed it: no completion, nothing added
// to its items.
void MakeTypedList(QComboBox* box);
// The item its text names: the current item while the text is that item's, otherwise the
// first item with exactly that text, -1 when none has it.
int ItemIndex(const QComboBox* box);
// Sets a memo's text; the change is raised only when the text differs.
void SetMemoText(QPlainTextEdit* memo, const QString& text);

// A memo in which Enter inserts no line break (Ctrl+Enter still does) and Tab moves on;
// it takes GBK text only.
class TPropertyMemo : public TGbkPlainTextEdit {
  Q_OBJECT

 public:
  explicit TPropertyMemo(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace property
