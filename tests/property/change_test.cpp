// The change handler: each tag writes its property of the current element through the
// control table, then does its follow-up, re-places the handles and marks the document.

#include <QLabel>
#include <QtTest>
#include <functional>

#include "propertyfixture.h"

using seal::TSeal;
using namespace seal;

namespace {

using TCheck = std::function<bool(const TSeal&)>;
// What the user does: types a text, sets a check box, picks an item.
using TInput = std::variant<const char*, bool, int>;

void Do(PropertyFixture& f, int tag, const TInput& input) {
  if (const auto* text = std::get_if<const char*>(&input)) f.Type(tag, QString::fromUtf8(*text));
  if (const auto* on = std::get_if<bool>(&input)) f.SetCheck(tag, *on);
  if (const auto* item = std::get_if<int>(&input)) f.Pick(tag, *item);
}

template <class R, class V>
TCheck Is(R (TSeal::*get)() const, V expected) {
  return [=](const TSeal& s) { return (s.*get)() == expected; };
}
TCheck Both(TCheck a, TCheck b) {
  return [=](const TSeal& s) { return a(s) && b(s); };
}

std::string G(const char* utf8) { return platform::Gbk(utf8); }

struct ChangeCase {
  const char* name;
  int element;                          // template tag
  std::function<void(TSeal&)> prepare;  // before the window loads it
  int text;                             // the selector's item the user picks first
  int tag;
  TInput input;
  TCheck expect;
};

std::unique_ptr<PropertyFixture> Open(int element, const std::function<void(TSeal&)>& prepare = nullptr) {
  auto e = TemplateSeal(element);
  if (prepare) prepare(*e);
  return std::make_unique<PropertyFixture>(std::move(e));
}

}  // namespace

class ChangeTest : public QObject {
  Q_OBJECT

 private slots:
  // Every tag: what the user does, the property it writes and how it is converted.
  void EveryTagWritesItsProperty() {
    const auto codeOff = [](TSeal& s) { s.SetCodeOn(false); };
    const auto ringOnThird = [](TSeal& s) { s.SetIsEllipse2(true); };
    const auto thinSecond = [](TSeal& s) { s.SetTextWeight1(100); };
    const std::vector<ChangeCase> cases{
        // Page A.
        {"centre x", kRoundOfficialSeal, nullptr, 0, 1, "30.5", Is(&TSeal::RealCenterX, 30.5f)},
        {"centre y", kRoundOfficialSeal, nullptr, 0, 2, "-20", Is(&TSeal::RealCenterY, -20.0f)},
        {"pen width", kRoundOfficialSeal, nullptr, 0, 3, "0.8", Is(&TSeal::PenWidth, 0.8f)},
        {"width", kRoundOfficialSeal, nullptr, 0, 4, "40", Is(&TSeal::RealWidth, 40.0f)},
        {"height", kRoundOfficialSeal, nullptr, 0, 5, "38", Is(&TSeal::RealHeight, 38.0f)},
        {"frame shape", kRectNameSeal, nullptr, 0, 6, 3, Is(&TSeal::NameSealFrameType, ftEllipse)},
        {"frame shape typed", kRectNameSeal, nullptr, 0, 6, "切角矩形", Is(&TSeal::NameSealFrameType, ftDiamond)},
        {"arc closed to a pie", kArcTool, nullptr, 0, 7, false, Is(&TSeal::TopOrDown, false)},
        {"corner size", kRoundRectNameSeal, nullptr, 0, 67, "2", Is(&TSeal::RealSR, 2.0f)},
        {"slanted line angle", kSlantedLineTool, nullptr, 0, 67, "30", Is(&TSeal::TextAngle, 300)},
        {"arc start angle", kArcTool, nullptr, 0, 8, "90", Is(&TSeal::TextAngle, 900)},
        {"second border width", kRoundOfficialSeal, nullptr, 0, 8, "90", Is(&TSeal::PenWidth1, 90.0f)},
        {"arc end angle", kArcTool, nullptr, 0, 9, "150", Is(&TSeal::CodeAngle, 1500)},
        {"border gap", kRoundOfficialSeal, nullptr, 0, 9, "-1.5", Is(&TSeal::OutInDelta, -1.5f)},
        {"centre line width", kRoundOfficialSeal, nullptr, 0, 10, "0.3", Is(&TSeal::PenWidth4, 0.3f)},
        {"band width", kRoundOfficialSeal, nullptr, 0, 11, "25", Is(&TSeal::CLWidth, 25.0f)},
        {"band height", kRoundOfficialSeal, nullptr, 0, 12, "7", Is(&TSeal::CLHeight, 7.0f)},
        {"line gap", kRoundOfficialSeal, nullptr, 0, 13, "4", Is(&TSeal::LineABW, 4.0f)},
        {"band offset x", kRoundOfficialSeal, nullptr, 0, 14, "-3", Is(&TSeal::CLineCenterX, -3.0f)},
        {"band offset y", kRoundOfficialSeal, nullptr, 0, 15, "2.25", Is(&TSeal::CLineCenterY, 2.25f)},
        // Page B.
        {"third border width", kRoundOfficialSeal, nullptr, 0, 16, "0.5", Is(&TSeal::PenWidth2, 0.5f)},
        {"third border gap", kRoundOfficialSeal, nullptr, 0, 17, "-5", Is(&TSeal::InDelta, -5.0f)},
        {"star outline", kRoundOfficialSeal, nullptr, 0, 18, "0.35", Is(&TSeal::PenWidth3, 0.35f)},
        {"emblem width", kRoundOfficialSeal, nullptr, 0, 19, "15", Is(&TSeal::ImageWidth, 15.0f)},
        {"star element width", kStarTool, nullptr, 0, 19, "15", Is(&TSeal::RealWidth, 15.0f)},
        {"emblem height", kRoundOfficialSeal, nullptr, 0, 20, "13", Is(&TSeal::ImageHeight, 13.0f)},
        {"picture element height", kPictureTool, nullptr, 0, 20, "25", Is(&TSeal::RealHeight, 25.0f)},
        {"emblem offset x", kRoundOfficialSeal, nullptr, 0, 21, "-1", Is(&TSeal::ImageCenterX, -1.0f)},
        {"emblem offset y", kRoundOfficialSeal, nullptr, 0, 22, "1", Is(&TSeal::ImageCenterY, 1.0f)},
        {"picture follows the pen", kPictureTool, nullptr, 0, 23, false, Is(&TSeal::PicClrChange, false)},
        {"picture white clear", kPictureTool, nullptr, 0, 24, false, Is(&TSeal::PicTransParnt, false)},
        {"cut line width", kRoundOfficialSeal, nullptr, 0, 25, "0.1", Is(&TSeal::LineWidth, 0.1f)},
        {"cut lines", kRoundOfficialSeal, nullptr, 0, 26, "12", Is(&TSeal::LineCount, 12)},
        {"cut line arc", kRoundOfficialSeal, nullptr, 0, 27, "45", Is(&TSeal::LineAngle, 450)},
        {"straight cut lines", kRoundOfficialSeal, nullptr, 0, 28, true, Is(&TSeal::LineType, true)},
        {"cut past the outer edge", kRoundOfficialSeal, nullptr, 0, 29, false, Is(&TSeal::OutSide, false)},
        {"cut past the inner edge", kRoundOfficialSeal, nullptr, 0, 30, false, Is(&TSeal::InSide, false)},
        // Page C, each on the text the selector names.
        {"third face", kRoundOfficialSeal, nullptr, 2, 32, "黑体",
         Is(&TSeal::TextFontName2, FaceName("黑体"))},
        {"second text", kRoundOfficialSeal, nullptr, 1, 33, "中国印章", Is(&TSeal::Text1, G("中国印章"))},
        {"first text", kRoundOfficialSeal, nullptr, 0, 33, "公司", Is(&TSeal::Text, G("公司"))},
        {"fourth ring width", kRoundOfficialSeal, nullptr, 3, 34, "30", Is(&TSeal::TextsWidth3, 30.0f)},
        {"block width", kBlockTextTool, nullptr, 0, 34, "30", Is(&TSeal::RealWidth, 30.0f)},
        {"first ring height", kRoundOfficialSeal, nullptr, 0, 35, "36", Is(&TSeal::TextsHeight, 36.0f)},
        {"arc text height", kArcTextTool, nullptr, 0, 35, "20", Is(&TSeal::RealHeight, 20.0f)},
        {"second glyph width", kRoundOfficialSeal, nullptr, 1, 36, "5", Is(&TSeal::TextWidth1, 5.0f)},
        {"first glyph height", kRoundOfficialSeal, nullptr, 0, 37, "8", Is(&TSeal::TextHeight, 8.0f)},
        {"third offset x", kRoundOfficialSeal, nullptr, 2, 38, "-2.5", Is(&TSeal::TextCenterX2, -2.5f)},
        {"first offset y", kRoundOfficialSeal, nullptr, 0, 39, "1.5", Is(&TSeal::TextCenterY, 1.5f)},
        {"second lines", kRoundOfficialSeal, nullptr, 1, 40, "2", Is(&TSeal::RowColCount1, 2)},
        {"third ring span", kRoundOfficialSeal, ringOnThird, 2, 41, "45", Is(&TSeal::TextAngle2, 450)},
        {"arc text span", kArcTextTool, nullptr, 0, 41, "45", Is(&TSeal::TextAngle, 450)},
        {"first strokes", kRoundOfficialSeal, nullptr, 0, 42, "50", Is(&TSeal::TextPenWidth, 50)},
        {"fourth hollow", kRoundOfficialSeal, nullptr, 3, 43, true, Is(&TSeal::Blank3, true)},
        {"first italic", kRoundOfficialSeal, nullptr, 0, 44, true, Is(&TSeal::Italic, true)},
        {"second thin strokes", kRoundOfficialSeal, nullptr, 1, 68, true, Is(&TSeal::TextWeight1, 100)},
        {"second bold strokes", kRoundOfficialSeal, thinSecond, 1, 68, false, Is(&TSeal::TextWeight1, 700)},
        {"second in columns", kRoundOfficialSeal, nullptr, 1, 45, false, Is(&TSeal::RowCol1, false)},
        {"third right to left", kRoundOfficialSeal, nullptr, 2, 46, false, Is(&TSeal::LeftRight2, false)},
        {"fourth on a ring", kRoundOfficialSeal, nullptr, 3, 47, true, Is(&TSeal::IsEllipse3, true)},
        {"first at the bottom", kRoundOfficialSeal, nullptr, 0, 48, false, Is(&TSeal::TopOrDown, false)},
        // Page D.
        {"code face", kRoundOfficialSeal, nullptr, 0, 49, "楷体", Is(&TSeal::CodeFontName, FaceName("楷体"))},
        {"code", kRoundOfficialSeal, nullptr, 0, 50, "A123", Is(&TSeal::Code, std::string("A123"))},
        {"code glyph width", kRoundOfficialSeal, nullptr, 0, 51, "1.2", Is(&TSeal::CodeWidth, 1.2f)},
        {"code glyph height", kRoundOfficialSeal, nullptr, 0, 52, "1.6", Is(&TSeal::CodeHeight, 1.6f)},
        {"code length", kRectNameSeal, nullptr, 0, 53, "20", Is(&TSeal::CodeLength, 20.0f)},
        {"code distance", kRoundOfficialSeal, codeOff, 0, 54, "1.5", Is(&TSeal::CodeToFrame, 1.5f)},
        {"code span", kRoundOfficialSeal, nullptr, 0, 55, "30", Is(&TSeal::CodeAngle, 300)},
        {"code strokes", kRoundOfficialSeal, nullptr, 0, 56, "20", Is(&TSeal::CodePenWidth, 20)},
        {"hollow code", kRoundOfficialSeal, nullptr, 0, 57, true, Is(&TSeal::CBlank, true)},
        {"italic code", kRoundOfficialSeal, nullptr, 0, 58, true, Is(&TSeal::CItalic, true)},
        {"code off the frame", kRoundOfficialSeal, nullptr, 0, 59, false, Is(&TSeal::CodeOn, false)},
        {"code on top", kRoundOfficialSeal, nullptr, 0, 60, true, Is(&TSeal::CodeTopOrDown, true)},
        {"table frame", kTableTool, nullptr, 0, 61, "0.5", Is(&TSeal::PenWidth, 0.5f)},
        {"table rules", kTableTool, nullptr, 0, 62, "0.2", Is(&TSeal::PenWidth1, 0.2f)},
        {"table width", kTableTool, nullptr, 0, 63, "50", Is(&TSeal::RealWidth, 50.0f)},
        {"table height", kTableTool, nullptr, 0, 64, "20", Is(&TSeal::RealHeight, 20.0f)},
        // "Rows" sets what a table draws as its columns, "columns" its rows.
        {"table rows box", kTableTool, nullptr, 0, 65, "5",
         Both(Is(&TSeal::RowColCount, 5), Is(&TSeal::RowColCount1, 3))},
        {"table columns box", kTableTool, nullptr, 0, 66, "6",
         Both(Is(&TSeal::RowColCount1, 6), Is(&TSeal::RowColCount, 4))},
    };
    for (const ChangeCase& c : cases) {
      auto f = Open(c.element, c.prepare);
      if (c.text) f->Pick(31, c.text);
      QVERIFY2(f->Enabled(c.tag), c.name);
      f->host.Reset();
      Do(*f, c.tag, c.input);
      QVERIFY2(c.expect(*f->element), c.name);
      QVERIFY2(f->host.changes > 0, c.name);
      QVERIFY2(f->host.fileState == kModifiedState, c.name);
    }
  }

  // E1: the frame shape decides the corner size, the line and code angles and the code
  // length; their labels follow.
  void FrameShapeRule() {
    struct Shape {
      int item;
      bool corner, lineAngle, codeAngle, codeLength;
    };
    const std::vector<Shape> shapes{{3, false, true, true, false},
                                    {1, true, false, false, true},
                                    {2, true, false, false, true},
                                    {0, false, false, false, true}};
    auto f = Open(kRectNameSeal);
    for (const Shape& s : shapes) {
      f->Pick(6, s.item);
      QCOMPARE(int(f->element->NameSealFrameType()), s.item);
      QCOMPARE(f->Enabled(67), s.corner);
      QCOMPARE(f->window->LabelOf(67)->isEnabled(), s.corner);
      QCOMPARE(f->Enabled(27), s.lineAngle);
      QCOMPARE(f->Enabled(55), s.codeAngle);
      QCOMPARE(f->Enabled(53), s.codeLength);
      QCOMPARE(f->window->LabelOf(53)->isEnabled(), s.codeLength);
    }
  }

  // E4: a text on a ring takes its span and side, a text in a block its lines, rows and
  // direction.
  void RingRule() {
    auto f = Open(kRoundOfficialSeal);
    f->Pick(31, 1);
    QVERIFY(!f->Enabled(41));
    f->SetCheck(47, true);
    QVERIFY(f->element->IsEllipse1());
    for (const int tag : {41, 48}) QVERIFY(f->Enabled(tag));
    for (const int tag : {40, 45, 46}) QVERIFY(!f->Enabled(tag));
    QVERIFY(!f->window->LabelOf(40)->isEnabled());
    f->SetCheck(47, false);
    QVERIFY(!f->element->IsEllipse1());
    for (const int tag : {41, 48}) QVERIFY(!f->Enabled(tag));
    for (const int tag : {40, 45, 46}) QVERIFY(f->Enabled(tag));
  }

  // The code distance only while the code is off the frame.
  void CodeDistanceRule() {
    auto f = Open(kRoundOfficialSeal);
    QVERIFY(!f->Enabled(54));
    f->SetCheck(59, false);
    QVERIFY(f->Enabled(54));
    QVERIFY(f->window->LabelOf(54)->isEnabled());
    f->SetCheck(59, true);
    QVERIFY(!f->Enabled(54));
  }

  // Boxes shown again after a write, each from the property it writes.
  void FollowUps() {
    {  // A slanted line's width and height move its angle, and its angle its bounds.
      auto f = Open(kSlantedLineTool);
      f->Type(67, QStringLiteral("30"));
      QCOMPARE(f->element->TextAngle(), 300);
      QCOMPARE(f->Spin(4)->text(), QString::number(double(f->element->RealWidth()), 'f', 2));
      QCOMPARE(f->Spin(5)->text(), QString::number(double(f->element->RealHeight()), 'f', 2));
      f->Type(4, QStringLiteral("10"));
      QCOMPARE(f->Spin(67)->text(), QString::number(f->element->TextAngle() / 10));
    }
    {  // E2 and E3 on a slanted text: its size moves its angle.
      auto f = Open(kSlantedTextTool);
      // 20 by 40 mm slant at 63.4 degrees, shown and applied back in whole degrees; the
      // box typed in keeps what was typed.
      f->Type(34, QStringLiteral("20"));
      QCOMPARE(f->Spin(41)->text(), QStringLiteral("63"));
      QCOMPARE(f->element->TextAngle(), 630);
      QCOMPARE(f->Spin(34)->text(), QStringLiteral("20"));
      f->Type(41, QStringLiteral("30"));
      QCOMPARE(f->Spin(34)->text(), QString::number(double(f->element->RealWidth()), 'f', 2));
      QCOMPARE(f->Spin(35)->text(), QString::number(double(f->element->RealHeight()), 'f', 2));
    }
    {  // A one-row block: its height is its glyph height, both ways.
      auto f = Open(kBlockTextTool);
      f->Type(35, QStringLiteral("8"));
      QCOMPARE(f->element->TextHeight(), 8.0f);
      QCOMPARE(f->Spin(37)->text(), QStringLiteral("8.00"));
      f->Type(37, QStringLiteral("9"));
      QCOMPARE(f->Spin(35)->text(), QStringLiteral("9.00"));
      // Two lines grow the block; its height is shown again.
      f->Type(40, QStringLiteral("2"));
      QCOMPARE(f->Spin(35)->text(), QString::number(double(f->element->RealHeight()), 'f', 2));
      // Turned to columns, both sizes are shown again.
      f->SetCheck(45, false);
      QCOMPARE(f->Spin(34)->text(), QString::number(double(f->element->RealWidth()), 'f', 2));
      QCOMPARE(f->Spin(35)->text(), QString::number(double(f->element->RealHeight()), 'f', 2));
    }
    {  // A one-column block: its width is its glyph width, both ways.
      auto f = Open(kBlockTextTool, [](TSeal& s) { s.SetRowCol(false); });
      f->Type(34, QStringLiteral("7"));
      QCOMPARE(f->Spin(36)->text(), QStringLiteral("7.00"));
      f->Type(36, QStringLiteral("6"));
      QCOMPARE(f->element->RealWidth(), 6.0f);
      QCOMPARE(f->Spin(34)->text(), QStringLiteral("6.00"));
    }
  }

  // The selector writes nothing, shows page C for the text it names and still marks the
  // document; a text it does not name shows the first and writes no text.
  void TextSelector() {
    auto f = Open(kRoundOfficialSeal, [](TSeal& s) {
      s.SetText1(platform::Gbk("第二"));
      s.SetTextsWidth1(21);
    });
    QCOMPARE(Gbk(f->element->Text()), Part<property::TPropertyMemo>(f->window, "Memo1")->toPlainText());
    const int repaints = f->element->InvalidateCount();
    f->host.Reset();
    f->Pick(31, 1);
    QCOMPARE(Part<property::TPropertyMemo>(f->window, "Memo1")->toPlainText(), QStringLiteral("第二"));
    QCOMPARE(f->Spin(34)->text(), QStringLiteral("21.00"));
    QCOMPARE(f->element->InvalidateCount(), repaints);
    QCOMPARE(f->host.fileState, kModifiedState);
    QVERIFY(f->host.changes > 0);

    f->Type(31, QStringLiteral("xyz"));
    QCOMPARE(f->window->TextIndex(), -1);
    QCOMPARE(Part<property::TPropertyMemo>(f->window, "Memo1")->toPlainText(), Gbk(f->element->Text()));
    const std::array<std::string, 4> texts{f->element->Text(), f->element->Text1(), f->element->Text2(),
                                           f->element->Text3()};
    f->host.Reset();
    f->Type(33, QStringLiteral("abc"));
    QCOMPARE((std::array<std::string, 4>{f->element->Text(), f->element->Text1(), f->element->Text2(),
                                         f->element->Text3()}),
             texts);
    QCOMPARE(f->host.fileState, kModifiedState);
    // Typing an item's text names it.
    f->Type(31, QStringLiteral("第"));
    KeyClicks(f->Combo(31)->lineEdit(), QStringLiteral("四文字"));
    QCOMPARE(f->window->TextIndex(), 3);
    QCOMPARE(f->Spin(34)->text(), QString::number(double(f->element->TextsWidth3()), 'f', 2));
  }

  // With no current element (no document, no single selection, the element gone) the
  // handler writes nothing anywhere and the document stays unmarked.
  void NoCurrentSeal() {
    auto f = Open(kRoundOfficialSeal);
    f->host.Reset();
    f->host.seal = nullptr;
    f->Type(4, QStringLiteral("30"));
    f->SetCheck(59, false);
    QCOMPARE(f->element->RealWidth(), 42.0f);
    QVERIFY(f->element->CodeOn());
    QCOMPARE(f->host.changes, 0);
    QVERIFY(f->host.fileState.isEmpty());
  }

  // A disabled control writes nothing.
  void DisabledControlWritesNothing() {
    auto f = Open(kRoundOfficialSeal);
    QVERIFY(!f->Enabled(53));
    f->host.Reset();
    f->Spin(53)->SetValue(25);
    QCOMPARE(f->element->CodeLength(), 16.0f);
    QCOMPARE(f->host.changes, 0);
  }

  // A frame shape typed that names no item stores nothing.
  void TypedFrameShapeOfNoItem() {
    auto f = Open(kRoundRectNameSeal);
    f->Type(6, QStringLiteral("xyz"));
    QCOMPARE(f->element->NameSealFrameType(), ftRoundRect);
    f->Type(6, QStringLiteral("圆[椭圆]形"));
    QCOMPARE(f->element->NameSealFrameType(), ftEllipse);
  }

  // A face name longer than the field is cut on a whole character before its zero.
  void LongFaceName() {
    auto f = Open(kRoundOfficialSeal);
    f->Type(32, QStringLiteral("字").repeated(40));
    const TFaceName face = f->element->TextFontName();
    QCOMPARE(face, FaceName(QStringLiteral("字").repeated(31).toUtf8().constData()));
    QCOMPARE(face[62], '\0');
    f->Type(49, QStringLiteral("x") + QStringLiteral("字").repeated(40));
    QCOMPARE(f->element->CodeFontName()[63], '\0');
    QCOMPARE(platform::GbkGlyphCount(f->element->CodeFontName().data()), size_t(32));
  }

  // Changes that would come back to the control that started them stop there.
  void CascadesEnd() {
    auto f = Open(kSlantedLineTool, [](TSeal& s) { s.SetTextAngle(455); });
    f->Type(4, QStringLiteral("33.33"));
    QCOMPARE(f->element->RealWidth(), 33.33f);
    QCOMPARE(f->Spin(67)->text(), QString::number(f->element->TextAngle() / 10));
    auto g = Open(kSlantedTextTool);
    QTest::mouseClick(g->Spin(41)->UpButton(), Qt::LeftButton);
    QCOMPARE(g->element->TextAngle(), 460);
  }

  // The box rules as the window applies them.
  void SpinBoxRules() {
    auto f = Open(kRoundOfficialSeal, [](TSeal& s) { s.SetRowColCount1(3); });
    f->Type(4, QStringLiteral("1500"));
    QCOMPARE(f->element->RealWidth(), 1500.0f);
    f->host.Reset();
    f->Leave(4);
    QCOMPARE(f->Spin(4)->text(), QStringLiteral("999.00"));
    QCOMPARE(f->element->RealWidth(), 999.0f);
    QCOMPARE(f->host.fileState, kModifiedState);
    // Unreadable text applies the minimum.
    f->Type(4, QStringLiteral("-"));
    QCOMPARE(f->element->RealWidth(), 0.0f);
    f->Type(2, QStringLiteral("-"));
    QCOMPARE(f->element->RealCenterY(), -100.0f);
    f->Pick(31, 1);
    f->Type(40, QString());
    QCOMPARE(f->element->RowColCount1(), 1);
    // Arrows.
    f->Spin(4)->SetValue(42);
    QTest::mouseClick(f->Spin(4)->UpButton(), Qt::LeftButton);
    QCOMPARE(f->element->RealWidth(), 42.01f);
    QTest::mouseClick(f->Spin(26)->UpButton(), Qt::LeftButton);
    QCOMPARE(f->element->LineCount(), 1);
    // Six characters at most.
    f->Type(4, QStringLiteral("1234567"));
    QCOMPARE(f->Spin(4)->text(), QStringLiteral("123456"));
    QCOMPARE(f->element->RealWidth(), 123456.0f);
    // Every keystroke applies what is shown so far.
    f->Type(3, QString());
    f->host.Reset();
    QTest::keyClick(f->Spin(3), Qt::Key_1);
    QCOMPARE(f->element->PenWidth(), 1.0f);
    QTest::keyClick(f->Spin(3), Qt::Key_Period);
    QTest::keyClick(f->Spin(3), Qt::Key_5);
    QCOMPARE(f->element->PenWidth(), 1.5f);
    QCOMPARE(f->host.changes, 3);
  }
};

QTEST_MAIN(ChangeTest)
#include "change_test.moc"
