#include <QLocale>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>
#include <cmath>
#include <limits>

#include "controls/kivspinedit.h"

namespace {

// A box of the kind and range the property window uses.
struct Box {
  TKivSpinEdit edit;
  QSignalSpy changes{&edit, &TKivSpinEdit::Change};

  Box(TValueType type, double min, double max, int limit = 0) {
    edit.SetValueType(type);
    edit.SetIncrement(type == TValueType::vtFloat ? 0.01 : 1);
    edit.SetMinValue(min);
    edit.SetMaxValue(max);
    edit.SetTextLimit(limit);
    changes.clear();
  }
  // Types text into an emptied box, as the user would.
  void Type(const QString& text) {
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
  }
  void Leave(Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(&edit, &out);
  }
};

constexpr auto kFloat = TValueType::vtFloat;
constexpr auto kInteger = TValueType::vtInteger;

}  // namespace

class SpinEditTest : public QObject {
  Q_OBJECT

 private slots:
  // Reading never clamps; what is no number reads as the minimum, truncated in a
  // whole-number box.
  void ValueOfTypedText_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::newRow("above the maximum") << int(kFloat) << 0.0 << 999.0 << "1500" << 1500.0;
    QTest::newRow("below the minimum") << int(kFloat) << -100.0 << 999.0 << "-250" << -250.0;
    QTest::newRow("two decimals") << int(kFloat) << 0.0 << 999.0 << "12.34" << 12.34;
    QTest::newRow("empty float") << int(kFloat) << 0.0 << 999.0 << "" << 0.0;
    QTest::newRow("a sign alone") << int(kFloat) << -100.0 << 999.0 << "-" << -100.0;
    QTest::newRow("a point alone") << int(kFloat) << -100.0 << 999.0 << "." << -100.0;
    QTest::newRow("a bare exponent") << int(kFloat) << 0.0 << 999.0 << "1e" << 0.0;
    QTest::newRow("an exponent") << int(kFloat) << 0.0 << 0.0 << "1e2" << 100.0;
    QTest::newRow("empty integer") << int(kInteger) << 1.0 << 255.0 << "" << 1.0;
    QTest::newRow("fractional minimum truncated") << int(kInteger) << 1.7 << 255.0 << "+" << 1.0;
    QTest::newRow("integer above the maximum") << int(kInteger) << 0.0 << 360.0 << "450" << 450.0;
    QTest::newRow("integer of nine digits") << int(kInteger) << 0.0 << 0.0 << "999999999" << 999999999.0;
  }
  void ValueOfTypedText() {
    QFETCH(int, type);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(QString, typed);
    QFETCH(double, value);
    Box box(TValueType(type), min, max);
    box.Type(typed);
    QCOMPARE(box.edit.text(), typed);
    QCOMPARE(box.edit.Value(), value);
  }

  // Every edit of the text raises the change, the program's too, and only a real change.
  void ChangeOnEveryTextChange() {
    Box box(kFloat, 0, 999);
    box.Type(QString());
    box.changes.clear();
    QTest::keyClicks(&box.edit, QStringLiteral("15"));
    QCOMPARE(box.changes.count(), 2);
    box.changes.clear();
    box.edit.SetValue(12.5);
    QCOMPARE(box.edit.text(), QStringLiteral("12.50"));
    QCOMPARE(box.changes.count(), 1);
    box.edit.SetValue(12.5);
    QCOMPARE(box.changes.count(), 1);
  }

  // A value set by the program is clamped before it is shown, when the ends differ.
  void SetValueClampsAndFormats_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("above") << int(kFloat) << 0.0 << 999.0 << 1500.0 << "999.00";
    QTest::newRow("below") << int(kFloat) << -100.0 << 999.0 << -250.0 << "-100.00";
    QTest::newRow("unbounded") << int(kFloat) << 0.0 << 0.0 << 1500.0 << "1500.00";
    QTest::newRow("unbounded negative") << int(kFloat) << 0.0 << 0.0 << -3.5 << "-3.50";
    QTest::newRow("rounded to two decimals") << int(kFloat) << 0.0 << 999.0 << double(12.3456f) << "12.35";
    QTest::newRow("single-precision tenth") << int(kFloat) << 0.0 << 999.0 << double(0.08f) << "0.08";
    QTest::newRow("no negative zero") << int(kFloat) << -100.0 << 999.0 << -0.001 << "0.00";
    QTest::newRow("whole half to even down") << int(kInteger) << 0.0 << 360.0 << 12.5 << "12";
    QTest::newRow("whole half to even up") << int(kInteger) << 0.0 << 360.0 << 13.5 << "14";
    QTest::newRow("whole clamped") << int(kInteger) << 1.0 << 255.0 << 0.0 << "1";
  }
  void SetValueClampsAndFormats() {
    QFETCH(int, type);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, value);
    QFETCH(QString, shown);
    Box box(TValueType(type), min, max, 6);
    box.edit.SetValue(value);
    QCOMPARE(box.edit.text(), shown);
  }

  // Leaving the box shows an out-of-range value clamped, which is a change; the window
  // losing activation is no leaving.
  void LeavingClamps() {
    Box box(kFloat, 0, 999, 6);
    box.Type(QStringLiteral("1500"));
    box.changes.clear();
    box.Leave(Qt::ActiveWindowFocusReason);
    QCOMPARE(box.edit.text(), QStringLiteral("1500"));
    box.Leave(Qt::PopupFocusReason);
    QCOMPARE(box.changes.count(), 0);
    box.Leave();
    QCOMPARE(box.edit.text(), QStringLiteral("999.00"));
    QCOMPARE(box.edit.Value(), 999.0);
    QCOMPARE(box.changes.count(), 1);
    box.Leave();
    QCOMPARE(box.changes.count(), 1);

    // Text that is no number reads as the minimum, which the box then shows; a number in
    // range shows in the form of the box's kind.
    for (const char* typed : {"-", "999e", ""}) {
      box.Type(QString::fromLatin1(typed));
      box.changes.clear();
      box.Leave();
      QCOMPARE(box.edit.text(), QStringLiteral("0.00"));
      QCOMPARE(box.changes.count(), 1);
    }
    box.Type(QStringLiteral("12.5"));
    box.Leave();
    QCOMPARE(box.edit.text(), QStringLiteral("12.50"));
    Box whole(kInteger, 1, 255);
    whole.Type(QStringLiteral("+"));
    whole.Leave();
    QCOMPARE(whole.edit.text(), QStringLiteral("1"));
  }

  // A whole-number box takes as many digits as the longer end of its range has, one that
  // takes any number as many as always read; the sign is no digit.
  void WholeNumbersTakeTheDigitsOfTheirRange_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<double>("value");
    QTest::newRow("0 .. 255") << 0.0 << 255.0 << "2147483648" << "214" << 214.0;
    QTest::newRow("above the maximum in its digits") << 0.0 << 255.0 << "999" << "999" << 999.0;
    QTest::newRow("0 .. 10000") << 0.0 << 10000.0 << "123456" << "12345" << 12345.0;
    QTest::newRow("negative end") << -100.0 << 50.0 << "-12345" << "-123" << -123.0;
    QTest::newRow("unbounded") << 0.0 << 0.0 << "999999999999999999999999999999" << "999999999" << 999999999.0;
  }
  void WholeNumbersTakeTheDigitsOfTheirRange() {
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(double, value);
    Box box(kInteger, min, max);
    box.Type(typed);
    QCOMPARE(box.edit.text(), kept);
    QCOMPARE(box.edit.Value(), value);
  }

  // The arrows step from the value of the text and raise the change once, only when the
  // shown text changed.
  void ArrowsStep_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("changes");
    QTest::newRow("float up") << int(kFloat) << 1.0 << true << "1.01" << 1;
    QTest::newRow("float down") << int(kFloat) << 1.0 << false << "0.99" << 1;
    QTest::newRow("float at the maximum") << int(kFloat) << 999.0 << true << "999.00" << 0;
    QTest::newRow("float at the minimum") << int(kFloat) << 0.0 << false << "0.00" << 0;
    QTest::newRow("integer up") << int(kInteger) << 45.0 << true << "46" << 1;
    QTest::newRow("integer down") << int(kInteger) << 45.0 << false << "44" << 1;
  }
  void ArrowsStep() {
    QFETCH(int, type);
    QFETCH(double, start);
    QFETCH(bool, up);
    QFETCH(QString, shown);
    QFETCH(int, changes);
    Box box(TValueType(type), 0, 999);
    box.edit.SetValue(start);
    box.changes.clear();
    QToolButton* arrow = up ? box.edit.UpButton() : box.edit.DownButton();
    QTest::mouseClick(arrow, Qt::LeftButton);
    QCOMPARE(box.edit.text(), shown);
    QCOMPARE(box.changes.count(), changes);
    // The arrow keys do what the arrows do.
    box.edit.SetValue(start);
    box.changes.clear();
    QTest::keyClick(&box.edit, up ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(box.edit.text(), shown);
    QCOMPARE(box.changes.count(), changes);
  }

  void ArrowFromUnreadableTextStepsFromTheMinimum() {
    Box box(kFloat, -100, 999);
    box.Type(QStringLiteral("-"));
    QTest::mouseClick(box.edit.UpButton(), Qt::LeftButton);
    QCOMPARE(box.edit.text(), QStringLiteral("-99.99"));
  }

  // Only characters that can make a number of the box's kind are taken, and no more of
  // them than the limit; the program's own text is never cut.
  void TypedCharacters_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("letters refused") << int(kFloat) << 6 << "1a2b" << "12";
    QTest::newRow("comma refused") << int(kFloat) << 6 << "1,5" << "15";
    QTest::newRow("second point refused") << int(kFloat) << 6 << "1.2.3" << "1.23";
    QTest::newRow("sign only in front") << int(kFloat) << 6 << "-1-2" << "-12";
    QTest::newRow("six characters") << int(kFloat) << 6 << "1234567" << "123456";
    QTest::newRow("point refused in a whole box") << int(kInteger) << 0 << "1.5" << "15";
    QTest::newRow("whole box without limit") << int(kInteger) << 0 << "12345678" << "12345678";
    QTest::newRow("whole box of six") << int(kInteger) << 6 << "12345678" << "123456";
  }
  void TypedCharacters() {
    QFETCH(int, type);
    QFETCH(int, limit);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Box box(TValueType(type), 0, 0, limit);
    box.Type(typed);
    QCOMPARE(box.edit.text(), kept);
  }

  // A box with decimals holds no number past what its six characters write without an
  // exponent: the character that would take it there is refused, whatever the range; a
  // value the program sets past it shows as the largest the box holds.
  void NumbersPastWhatTheBoxHoldsAreRefused_data() {
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("bounded") << 999.0 << "999e99" << "999e";
    QTest::newRow("unbounded") << 0.0 << "9e99" << "9e";
    QTest::newRow("the largest held") << 0.0 << "9.9e5" << "9.9e5";
    QTest::newRow("negative") << 0.0 << "-9e5" << "-9e5";
    QTest::newRow("just past it") << 0.0 << "1e6" << "1e";
  }
  void NumbersPastWhatTheBoxHoldsAreRefused() {
    QFETCH(double, max);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Box box(kFloat, 0, max, 6);
    box.Type(typed);
    QCOMPARE(box.edit.text(), kept);
    QVERIFY(std::fabs(box.edit.Value()) <= 999999);
  }
  void ProgramValuesPastWhatTheBoxHoldsAreHeld() {
    Box box(kFloat, 0, 0);
    box.edit.SetValue(std::numeric_limits<double>::infinity());
    QCOMPARE(box.edit.text(), QStringLiteral("999999.00"));
    box.edit.SetValue(-1e300);
    QCOMPARE(box.edit.Value(), -999999.0);
    box.edit.SetValue(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(box.edit.text(), QStringLiteral("0.00"));
  }

  void ProgramTextIsNotCut() {
    Box box(kFloat, -100, 999, 6);
    box.edit.SetValue(-100);
    QCOMPARE(box.edit.text(), QStringLiteral("-100.00"));
    // A character more is refused, one less is taken.
    box.edit.end(false);
    QTest::keyClick(&box.edit, Qt::Key_1);
    QCOMPARE(box.edit.text(), QStringLiteral("-100.00"));
    QTest::keyClick(&box.edit, Qt::Key_Backspace);
    QCOMPARE(box.edit.text(), QStringLiteral("-100.0"));
  }

  // Switching the kind at run time shows the value again in the new form.
  void KindSwitch() {
    Box box(kFloat, 0, 999);
    box.edit.SetValue(12.75);
    box.edit.SetValueType(kInteger);
    QCOMPARE(box.edit.text(), QStringLiteral("13"));
    box.edit.SetValueType(kFloat);
    QCOMPARE(box.edit.text(), QStringLiteral("13.00"));
    QCOMPARE(box.changes.count(), 3);
  }

  // The decimal point whatever the user's locale.
  void DecimalPointInAnyLocale() {
    const QLocale was;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Box box(kFloat, 0, 999, 6);
    box.edit.SetValue(1.5);
    QCOMPARE(box.edit.text(), QStringLiteral("1.50"));
    box.Type(QStringLiteral("2,5"));
    QCOMPARE(box.edit.text(), QStringLiteral("25"));
    box.Type(QStringLiteral("2.5"));
    QCOMPARE(box.edit.Value(), 2.5);
    QLocale::setDefault(was);
  }
};

QTEST_MAIN(SpinEditTest)
#include "spinedit_test.moc"
