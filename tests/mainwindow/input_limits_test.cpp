// What the boxes of the property window and of the tool bar take from the user: text only
// in characters that the element's GBK fields can hold, any other refused as it is typed or
// pasted with a hint in the status bar; numbers only as large as the element's fields hold.
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>
#include <string_view>

#include "controls/kivcontrols.h"
#include "controls/kivspinedit.h"
#include "mainfixture.h"
#include "platform/gbk.h"
#include "property/proprty.h"

using seal::TSeal;

namespace {

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x98\x80");

// A click on a page button of the property window.
void Page(int n) {
  auto* button = Part<TKivButton>(frmProprty, QStringLiteral("KivButton%1").arg(n));
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

// The user pastes text at the end of what the control holds.
void Paste(QWidget* control, const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->end(false);
    edit->paste();
  }
  if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
    memo->moveCursor(QTextCursor::End);
    memo->paste();
  }
}

void Leave(QWidget* control) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(control, &out);
}

QString Hint(const QString& characters) {
  return QStringLiteral("不能输入“%1”：印章中只能使用GBK字符集中的字符。").arg(characters);
}

// The text boxes that feed an element: on a page of the property window, or on the main
// window's tool bar (page 0).
const struct {
  const char* name;
  int page;
  const char* control;
} kTextBoxes[] = {{"the text memo", 3, "Memo1"},
                  {"the face box of the texts", 3, "ComboBox3"},
                  {"the serial code", 4, "Edit1"},
                  {"the face box of the code", 4, "ComboBox4"},
                  {"the tool bar's face box", 0, "FontComboBox"}};

// A document whose selected element the text box of the control feeds.
struct TextBoxScene {
  MainFixture f;
  TSeal* s = nullptr;
  QWidget* box = nullptr;

  TextBoxScene(int page, const QString& control) {
    TfrmChild* w = f.NewDocument();
    s = AddSeal(w, 60, 60);
    w->SetSelection({s});
    QWidget* window = f.main.get();
    if (page) {
      Page(page);
      window = frmProprty;
    }
    box = Part<QWidget>(window, control);
    if (auto* combo = qobject_cast<QComboBox*>(box)) box = combo->lineEdit();
  }
  QString Shown() const {
    if (auto* memo = qobject_cast<QPlainTextEdit*>(box)) return memo->toPlainText();
    return static_cast<QLineEdit*>(box)->text();
  }
  // What the element holds of the text of the control's box.
  std::string Held(const QString& control) const {
    if (control == QLatin1String("Memo1")) return s->Text();
    if (control == QLatin1String("Edit1")) return s->Code();
    if (control == QLatin1String("ComboBox4")) return std::string(s->CodeFontName().data());
    return std::string(s->TextFontName().data());
  }
};

}  // namespace

class InputLimitsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { delete frmProprty; }

  // Each text box that feeds an element, typed into and pasted into.
  void TextBoxesRefuseWhatGbkCannotHold_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("control");
    for (const auto& box : kTextBoxes) QTest::newRow(box.name) << box.page << box.control;
  }
  void TextBoxesRefuseWhatGbkCannotHold() {
    QFETCH(int, page);
    QFETCH(QString, control);
    TextBoxScene scene(page, control);
    MainFixture& f = scene.f;
    TSeal* s = scene.s;
    QWidget* box = scene.box;
    const auto shown = [&scene] { return scene.Shown(); };

    TypeOver(box, QString::fromUtf8("李") + kEmoji + QString::fromUtf8("四"));
    QCOMPARE(shown(), QString::fromUtf8("李四"));
    QCOMPARE(f.Panel(4), Hint(kEmoji));
    if (control == QLatin1String("Memo1")) QCOMPARE(s->Text(), platform::Gbk("李四"));
    if (control == QLatin1String("Edit1")) QCOMPARE(s->Code(), platform::Gbk("李四"));
    if (control == QLatin1String("FontComboBox") || control == QLatin1String("ComboBox3"))
      QCOMPARE(std::string(s->TextFontName().data()), platform::Gbk("李四"));

    // A paste with one such character is refused whole; a paste without goes in.
    const QString thai = QString::fromUtf8("\xE0\xB8\x81");
    Paste(box, QString::fromUtf8("王") + thai + kEmoji);
    QCOMPARE(shown(), QString::fromUtf8("李四"));
    QCOMPARE(f.Panel(4), Hint(thai + kEmoji));
    Paste(box, QString::fromUtf8("王五"));
    QCOMPARE(shown(), QString::fromUtf8("李四王五"));
  }

  // Control characters are refused as the characters GBK cannot hold are, by every text
  // box, with a hint; only the memo, whose lines the element's text keeps, takes line breaks.
  void ControlCharactersAreRefusedButTheMemosLines_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("taken");
    const struct {
      const char* name;
      QString text;
      bool lineBreak;
    } pastes[] = {{"a zero", QStringLiteral("A") + QChar(0) + QStringLiteral("B"), false},
                  {"a tab", QStringLiteral("A\tB"), false},
                  {"an escape", QStringLiteral("A\x1b" "B"), false},
                  {"a line feed", QStringLiteral("A\nB"), true},
                  {"a carriage return and line feed", QStringLiteral("A\r\nB"), true}};
    for (const auto& box : kTextBoxes)
      for (const auto& paste : pastes)
        QTest::addRow("%s, %s", box.name, paste.name)
            << box.page << box.control << paste.text << (paste.lineBreak && std::string_view(box.control) == "Memo1");
  }
  void ControlCharactersAreRefusedButTheMemosLines() {
    QFETCH(int, page);
    QFETCH(QString, control);
    QFETCH(QString, pasted);
    QFETCH(bool, taken);
    TextBoxScene scene(page, control);
    TypeOver(scene.box, QString::fromUtf8("李四"));
    QCOMPARE(scene.Held(control), platform::Gbk("李四"));

    Paste(scene.box, pasted);
    if (taken) {
      QCOMPARE(scene.Shown(), QString::fromUtf8("李四A\nB"));
      QCOMPARE(scene.Held(control), platform::Gbk("李四") + "A\r\nB");
    } else {
      QCOMPARE(scene.Shown(), QString::fromUtf8("李四"));
      QCOMPARE(scene.Held(control), platform::Gbk("李四"));
      QVERIFY2(scene.f.Panel(4).contains(QStringLiteral("控制字符")), qPrintable(scene.f.Panel(4)));
    }
  }

  // Numbers past what a box holds never reach the element: the character that would take
  // them there is refused, in bounded and unbounded boxes; leaving a bounded box brings
  // what it kept into its range.
  void NumberBoxesKeepWhatTheElementCanHold() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = AddSeal(w, 60, 60);
    w->SetSelection({s});
    Page(1);
    auto* width = Part<TKivSpinEdit>(frmProprty, QStringLiteral("RxSpinEdit4"));
    TypeOver(width, QStringLiteral("999e99"));
    QCOMPARE(width->text(), QStringLiteral("999e"));
    TypeOver(width, QStringLiteral("9e5"));
    QCOMPARE(s->RealWidth(), 9e5f);
    Type(width, QStringLiteral("9"));
    QCOMPARE(width->text(), QStringLiteral("9e5"));
    Leave(width);
    QCOMPARE(width->text(), QStringLiteral("999.00"));
    QCOMPARE(s->RealWidth(), 999.0f);
    QCOMPARE(s->Width(), platform::Round(999 * static_cast<long double>(w->PixelsPerMm())));

    // The centre line's offset, a box without range, likewise.
    auto* offset = Part<TKivSpinEdit>(frmProprty, QStringLiteral("RxSpinEdit12"));
    TypeOver(offset, QStringLiteral("-9e99"));
    QCOMPARE(offset->text(), QStringLiteral("-9e"));
    TypeOver(offset, QStringLiteral("-9e5"));
    QCOMPARE(s->CLineCenterX(), -9e5f);
    Type(offset, QStringLiteral("9"));
    QCOMPARE(offset->text(), QStringLiteral("-9e5"));
    Leave(offset);
    QCOMPARE(s->CLineCenterX(), -9e5f);
  }
};

QTEST_MAIN(InputLimitsTest)
#include "input_limits_test.moc"
