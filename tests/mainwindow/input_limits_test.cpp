// What the boxes of the property window take from the user: numbers only as large as the
// element's fields hold.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>
#include <cmath>

#include "controls/kivcontrols.h"
#include "controls/kivspinedit.h"
#include "mainfixture.h"
#include "property/proprty.h"

using seal::TSeal;

namespace {

template <class T>
T* PartOf(QWidget* window, const QString& name) {
  T* part = window->findChild<T*>(name);
  if (!part) qFatal("no part %s", qPrintable(name));
  return part;
}

// A click on a page button of the property window.
void Page(int n) {
  auto* button = PartOf<TKivButton>(frmProprty, QStringLiteral("KivButton%1").arg(n));
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(4, 4));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(4, 4));
}

// The user types, one character at a time, at the end of what the control holds.
void Type(QWidget* control, const QString& text) {
  for (const char32_t c : text.toUcs4()) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
    QCoreApplication::sendEvent(control, &press);
  }
}

// The user selects everything and types over it.
void TypeOver(QWidget* control, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
  if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) memo->selectAll();
  Type(control, text);
}

void Leave(QWidget* control) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(control, &out);
}

}  // namespace

class InputLimitsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { delete frmProprty; }

  // Numbers typed past what a single-precision field holds never reach the element: the
  // character that would take them there is refused, in bounded and unbounded boxes.
  void NumberBoxesKeepWhatTheElementCanHold() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = AddSeal(w, 60, 60);
    w->SetSelection({s});
    Page(1);
    auto* width = PartOf<TKivSpinEdit>(frmProprty, QStringLiteral("RxSpinEdit4"));
    TypeOver(width, QStringLiteral("999e99"));
    QCOMPARE(width->text(), QStringLiteral("999e9"));
    QVERIFY(std::isfinite(s->RealWidth()));
    QCOMPARE(s->RealWidth(), 999e9f);
    Leave(width);
    QCOMPARE(width->text(), QStringLiteral("999.00"));
    QCOMPARE(s->RealWidth(), 999.0f);
    QCOMPARE(s->Width(), platform::Round(999 * static_cast<long double>(w->FPixelsPerMm)));

    // The centre line's offset takes any value the field holds, and no more.
    auto* offset = PartOf<TKivSpinEdit>(frmProprty, QStringLiteral("RxSpinEdit12"));
    TypeOver(offset, QStringLiteral("-9e99"));
    QCOMPARE(offset->text(), QStringLiteral("-9e9"));
    QCOMPARE(s->CLineCenterX(), -9e9f);
    TypeOver(offset, QStringLiteral("3.4e38"));
    QCOMPARE(s->CLineCenterX(), 3.4e38f);
    Type(offset, QStringLiteral("9"));
    QCOMPARE(offset->text(), QStringLiteral("3.4e38"));
    Leave(offset);
    QVERIFY(std::isfinite(s->CLineCenterX()));
  }
};

QTEST_MAIN(InputLimitsTest)
#include "input_limits_test.moc"
