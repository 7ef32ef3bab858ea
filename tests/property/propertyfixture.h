#pragma once
// The property window over a fake host that holds one element, and the user's ways of
// changing each kind of control.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "controls/kivspinedit.h"
#include "controls/kivcontrols.h"
#include "platform/gbk.h"
#include "property/controlevents.h"
#include "property/enablemasks.h"
#include "property/propertyhost.h"
#include "property/proprty.h"
#include "seal/seal.h"
#include "document/sealtemplates.h"
#include "parts.h"

// Stands for the main window and its active document.
struct FakePropertyHost : property::TPropertyHost {
  seal::TSeal* seal = nullptr;
  int changes = 0;
  QString fileState;
  QStringList fonts{QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("楷体"),
                    QStringLiteral("AR PL UMing CN")};

  const seal::TSeal* CurrentSeal() const override { return seal; }
  void EditCurrentSeal(const std::function<void(seal::TSeal&)>& change, const QString& text) override {
    if (!seal) return;
    change(*seal);
    ++changes;
    fileState = text;
  }
  QStringList ScreenFontNames() const override { return fonts; }
  void Reset() {
    changes = 0;
    fileState.clear();
  }
};

// The window's numbered parts by their component names: page button and page n (1 to 4),
// group box n (1 to 10), label n (1 to 49).
inline TKivButton* PageButton(const TfrmProprty* w, int n) {
  return Part<TKivButton>(w, QStringLiteral("KivButton%1").arg(n));
}
inline QWidget* PagePanel(const TfrmProprty* w, int n) { return Part<QWidget>(w, QStringLiteral("Panel%1").arg(n)); }
inline QGroupBox* GroupBox(const TfrmProprty* w, int n) {
  return Part<QGroupBox>(w, QStringLiteral("GroupBox%1").arg(n));
}
inline QLabel* NumberedLabel(const TfrmProprty* w, int n) { return Part<QLabel>(w, QStringLiteral("Label%1").arg(n)); }

// Key strokes for any text, one character each (the test library's own take ASCII only).
inline void KeyClicks(QWidget* w, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(w, &release);
  }
}

// A click on a page button: the press and the release.
inline void Press(TKivButton* button, Qt::MouseButton mouse = Qt::LeftButton) {
  QTest::mousePress(button, mouse, {}, QPoint(4, 4));
  QTest::mouseRelease(button, mouse, {}, QPoint(4, 4));
}

inline const QString kModifiedState = QStringLiteral("文件状态 ：已修改");

// An element as the drawing tool or template of that tag makes it (without a picture).
inline std::unique_ptr<seal::TSeal> TemplateSeal(int tag) {
  auto element = std::make_unique<seal::TSeal>();
  const app::TSealTemplate* row = app::SealTemplate(tag);
  element->SetSealType(row->kind);
  for (const app::TTemplateSetting& s : row->settings) s.ApplyTo(*element, nullptr);
  return element;
}

// Template tags of the elements the tests use.
enum TTemplate : int {
  kSlantedLineTool = 3,
  kArcTool = 4,
  kRectNameSeal = 6,
  kRoundRectNameSeal = 7,
  kTriangleSeal = 9,
  kBlockTextTool = 11,
  kArcTextTool = 12,
  kSlantedTextTool = 13,
  kStarTool = 14,
  kTableTool = 15,
  kPictureTool = 16,
  kRoundOfficialSeal = 17,
  kRectSeal = 25,
  kThreeCharNameSeal = 32,
};

struct PropertyFixture {
  QWidget owner;  // the main window
  FakePropertyHost host;
  std::unique_ptr<seal::TSeal> element;
  TfrmProprty* window = nullptr;

  explicit PropertyFixture(std::unique_ptr<seal::TSeal> e = nullptr, int pixelsPerInch = 96) : element(std::move(e)) {
    host.seal = element.get();
    window = new TfrmProprty(&host, &owner, pixelsPerInch);
  }
  ~PropertyFixture() {
    delete window;
    host.seal = nullptr;
  }

  TKivSpinEdit* Spin(int tag) const { return window->SpinEdit(tag); }
  QComboBox* Combo(int tag) const { return window->ComboBox(tag); }
  QCheckBox* Check(int tag) const { return window->CheckBox(tag); }

  // The user selects the whole text of a control and types over it; nothing typed
  // empties it.
  void Type(int tag, const QString& text) {
    QWidget* control = window->Control(tag);
    if (auto* combo = qobject_cast<QComboBox*>(control)) control = combo->lineEdit();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) memo->selectAll();
    if (text.isEmpty()) QTest::keyClick(control, Qt::Key_Delete);
    KeyClicks(control, text);
  }
  // The user picks an item of a combo box.
  void Pick(int tag, int item) {
    QComboBox* box = Combo(tag);
    box->setCurrentIndex(item);
    emit box->activated(item);
  }
  // The user sets or clears a check box.
  void SetCheck(int tag, bool checked) {
    if (Check(tag)->isChecked() != checked) Check(tag)->click();
  }
  // The user leaves a control for another.
  void Leave(int tag) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(window->Control(tag), &out);
  }
  // Loads the element again as a page-button release does.
  void Reload() { window->ShowSealProperties(host.seal); }
  bool Enabled(int tag) const { return window->Control(tag)->isEnabled(); }
};

inline QString Gbk(const std::string& bytes) { return platform::GbkToUnicode(bytes); }
