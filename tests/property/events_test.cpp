// The controls' change events as the window's loader relies on them: the program raises
// a check box's click and a text's change, never a combo box's.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "propertyfixture.h"

using namespace property;

namespace {

struct Counter {
  int n = 0;
  TChangeEvent Handler() {
    return [this] { ++n; };
  }
};

}  // namespace

class EventsTest : public QObject {
  Q_OBJECT

 private slots:
  void CheckBoxClickOnEveryStateChange() {
    QCheckBox box;
    Counter c;
    OnClick(&box, c.Handler());
    box.setChecked(true);
    QCOMPARE(c.n, 1);
    box.setChecked(true);
    QCOMPARE(c.n, 1);
    box.click();
    QCOMPARE(c.n, 2);
    QVERIFY(!box.isChecked());
  }

  void ComboBoxChangeOnlyForTheUser() {
    QComboBox box;
    MakeTypedList(&box);
    box.addItems({QStringLiteral("第一文字"), QStringLiteral("第二文字")});
    Counter c;
    OnChange(&box, c.Handler());
    box.setCurrentIndex(1);
    box.setEditText(QStringLiteral("xyz"));
    box.setCurrentText(QStringLiteral("第一文字"));
    QCOMPARE(c.n, 0);
    emit box.activated(1);
    QCOMPARE(c.n, 1);
    box.lineEdit()->selectAll();
    KeyClicks(box.lineEdit(), QStringLiteral("ab"));
    QCOMPARE(c.n, 3);
    // Typed text stays as typed: nothing completed, nothing added.
    QCOMPARE(box.currentText(), QStringLiteral("ab"));
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    QCOMPARE(box.count(), 2);
  }

  // The item a combo box's text names.
  void ItemIndexOfTheText() {
    QComboBox box;
    MakeTypedList(&box);
    box.addItems({QStringLiteral("矩形"), QStringLiteral("圆角矩形")});
    box.setCurrentIndex(1);
    QCOMPARE(ItemIndex(&box), 1);
    box.setEditText(QStringLiteral("矩形"));
    QCOMPARE(ItemIndex(&box), 0);
    box.setEditText(QStringLiteral("矩"));
    QCOMPARE(ItemIndex(&box), -1);
    box.setCurrentIndex(-1);
    QCOMPARE(ItemIndex(&box), -1);
  }

  void TextChangeOnEveryChange() {
    QLineEdit edit;
    TPropertyMemo memo;
    Counter e, m;
    OnChange(&edit, e.Handler());
    OnChange(&memo, m.Handler());
    edit.setText(QStringLiteral("13572468"));
    edit.setText(QStringLiteral("13572468"));
    QTest::keyClick(&edit, Qt::Key_9);
    QCOMPARE(e.n, 2);
    SetMemoText(&memo, QStringLiteral("公司"));
    SetMemoText(&memo, QStringLiteral("公司"));
    QCOMPARE(m.n, 1);
    memo.moveCursor(QTextCursor::End);
    KeyClicks(&memo, QStringLiteral("章"));
    QCOMPARE(m.n, 2);
  }

  // Enter puts no line break into the memo; Ctrl+Enter does.
  void MemoEnter() {
    TPropertyMemo memo;
    memo.setPlainText(QStringLiteral("ab"));
    memo.moveCursor(QTextCursor::End);
    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClick(&memo, Qt::Key_Enter);
    QCOMPARE(memo.toPlainText(), QStringLiteral("ab"));
    QTest::keyClick(&memo, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(memo.toPlainText(), QStringLiteral("ab\n"));
    QVERIFY(memo.tabChangesFocus());
  }
};

QTEST_MAIN(EventsTest)
#include "events_test.moc"
