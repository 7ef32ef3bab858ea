// Loading: the masks enable what the element's kind uses, the captions follow arcs and
// slanted elements, and the controls are filled through their ordinary value path, so
// that what they show comes back into the element.

#include <QGroupBox>
#include <QLabel>
#include <QtTest>

#include "propertyfixture.h"

using namespace seal;

namespace {

QString Two(float v) { return QString::number(double(v), 'f', 2); }

// The tags whose controls are enabled, and the same for their labels.
std::vector<int> EnabledTags(TfrmProprty* w) {
  std::vector<int> tags;
  for (int tag = 1; tag <= 68; ++tag)
    if (w->Control(tag)->isEnabled()) tags.push_back(tag);
  return tags;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> v;
  for (int t = first; t <= last; ++t) v.push_back(t);
  return v;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  std::sort(all.begin(), all.end());
  return all;
}

}  // namespace

class LoadTest : public QObject {
  Q_OBJECT

 private slots:
  // The round official seal (star, code on the frame): its 50-mask and, for its first
  // text on the ring, its page C mask, on the controls and their labels.
  void RoundSealEnablesWhatItUses() {
    PropertyFixture f(TemplateSeal(kRoundOfficialSeal));
    const std::vector<int> expected =
        Join({Range(1, 5), Range(8, 22), Range(25, 31), {49, 50, 51, 52}, Range(55, 60),
              // page C: ring text, no lines, rows or direction
              Range(32, 39), {41, 42, 43, 44, 68, 47, 48}});
    QCOMPARE(EnabledTags(f.window), expected);
    for (int tag = 1; tag <= 68; ++tag)
      if (QLabel* label = f.window->LabelOf(tag)) QCOMPARE(label->isEnabled(), f.Enabled(tag));
  }

  // Filled through the controls: every enabled one shows its property.
  void ShowsTheElement() {
    auto e = TemplateSeal(kRoundOfficialSeal);
    e->SetRealWidth(40);
    e->SetRealCenterX(55.5f);
    e->SetLineAngle(2400);
    e->SetCodeFontName(FaceName("楷体"));
    e->SetCode("A12");
    e->SetCodeOn(false);
    PropertyFixture f(std::move(e));
    QCOMPARE(f.Spin(1)->text(), QStringLiteral("55.50"));
    QCOMPARE(f.Spin(4)->text(), QStringLiteral("40.00"));
    QCOMPARE(f.Spin(27)->text(), QStringLiteral("240"));
    QCOMPARE(f.Spin(54)->text(), Two(f.element->CodeToFrame()));
    QCOMPARE(f.Combo(49)->currentText(), QStringLiteral("楷体"));
    QCOMPARE(Part<QLineEdit>(f.window, "Edit1")->text(), QStringLiteral("A12"));
    QCOMPARE(Part<property::TPropertyMemo>(f.window, "Memo1")->toPlainText(), Gbk(f.element->Text()));
    QVERIFY(f.Check(59)->isEnabled() && !f.Check(59)->isChecked());
    QVERIFY(f.Check(47)->isChecked());
    QCOMPARE(f.Combo(32)->currentText(), QStringLiteral("宋体"));
  }

  // A length with more than two decimals comes back rounded and marks the document; a
  // second load of the unchanged element marks nothing.
  void LengthsComeBackRounded() {
    auto e = TemplateSeal(kRoundOfficialSeal);
    e->SetRealWidth(12.3456f);
    PropertyFixture f(std::move(e));
    QCOMPARE(f.Spin(4)->text(), QStringLiteral("12.35"));
    QCOMPARE(f.element->RealWidth(), 12.35f);
    QVERIFY(f.host.changes > 0);
    QCOMPARE(f.host.fileState, kModifiedState);

    auto e2 = TemplateSeal(kRoundOfficialSeal);
    e2->SetRealCenterX(50);
    e2->SetRealCenterY(60.25f);
    PropertyFixture g(std::move(e2));
    g.host.Reset();
    g.Reload();
    QCOMPARE(g.host.changes, 0);
    QVERIFY(g.host.fileState.isEmpty());
  }

  // An angle held in tenths comes back in whole degrees, where the load changed the box.
  void TenthsComeBackWhole() {
    auto e = TemplateSeal(kRoundOfficialSeal);
    e->SetLineAngle(455);
    e->SetCodeAngle(455);
    e->SetTextAngle(2455);
    PropertyFixture f(std::move(e));
    QCOMPARE(f.element->LineAngle(), 450);
    QCOMPARE(f.element->CodeAngle(), 450);
    QCOMPARE(f.element->TextAngle(), 2450);
    // A box that already shows the degrees raises nothing: the tenths stay.
    f.element->SetLineAngle(457);
    f.host.Reset();
    f.Reload();
    QCOMPARE(f.element->LineAngle(), 457);
    QCOMPARE(f.host.changes, 0);
  }

  // An arc relabels the angle boxes and shows whole degrees; any other element restores
  // the captions and the float boxes.
  void ArcRelabelling() {
    auto arc = TemplateSeal(kArcTool);
    PropertyFixture f(std::move(arc));
    TfrmProprty* w = f.window;
    QCOMPARE(f.Check(7)->text(), QStringLiteral("弧线闭合成扇形"));
    QCOMPARE(GroupBox(w, 3)->title(), QStringLiteral("弧线角度[dg.]"));
    QCOMPARE(w->LabelOf(8)->text(), QStringLiteral("起始角度："));
    QCOMPARE(w->LabelOf(9)->text(), QStringLiteral("终止角度："));
    QCOMPARE(f.Spin(8)->ValueType(), TValueType::vtInteger);
    QCOMPARE(f.Spin(8)->Increment(), 1.0);
    QCOMPARE(f.Spin(8)->text(), QStringLiteral("30"));
    QCOMPARE(f.Spin(9)->text(), QStringLiteral("150"));
    QVERIFY(f.Check(7)->isEnabled());

    auto round = TemplateSeal(kRoundOfficialSeal);
    f.host.seal = round.get();
    f.Reload();
    QCOMPARE(f.Check(7)->text(), QStringLiteral("三角形顶点在上"));
    QCOMPARE(GroupBox(w, 3)->title(), QStringLiteral("主边框衬线[mm]"));
    QCOMPARE(w->LabelOf(8)->text(), QStringLiteral("线    宽："));
    QCOMPARE(w->LabelOf(9)->text(), QStringLiteral("间    距："));
    QCOMPARE(f.Spin(8)->ValueType(), TValueType::vtFloat);
    QCOMPARE(f.Spin(8)->Increment(), 0.01);
    QCOMPARE(f.Spin(8)->text(), QStringLiteral("0.00"));
    QCOMPARE(f.Spin(9)->text(), Two(round->OutInDelta()));
    f.host.seal = f.element.get();
  }

  // The slanted line's angle box, the slanted text's angle caption.
  void SlantedRelabelling() {
    PropertyFixture f(TemplateSeal(kSlantedLineTool));
    QCOMPARE(f.window->LabelOf(67)->text(), QStringLiteral("直线倾角："));
    QCOMPARE(f.Spin(67)->ValueType(), TValueType::vtInteger);
    QCOMPARE(f.Spin(67)->text(), QStringLiteral("45"));
    QCOMPARE(EnabledTags(f.window), (std::vector<int>{1, 2, 3, 4, 5, 67}));
    auto text = TemplateSeal(kSlantedTextTool);
    f.host.seal = text.get();
    f.Reload();
    QCOMPARE(f.window->LabelOf(41)->text(), QStringLiteral("倾    角："));
    QCOMPARE(f.window->LabelOf(67)->text(), QStringLiteral("切角尺寸："));
    QCOMPARE(f.Spin(67)->ValueType(), TValueType::vtFloat);
    auto round = TemplateSeal(kRoundOfficialSeal);
    f.host.seal = round.get();
    f.Reload();
    QCOMPARE(f.window->LabelOf(41)->text(), QStringLiteral("环排角度："));
    f.host.seal = f.element.get();
  }

  // The three boxes that change kind are filled without raising their change: what they
  // show is not applied back, and their switch writes nothing into the element.
  void AngleBoxesSuspended() {
    auto round = TemplateSeal(kRoundOfficialSeal);
    round->SetPenWidth1(0.57f);
    PropertyFixture f(std::move(round));
    auto arc = TemplateSeal(kArcTool);
    arc->SetTextAngle(305);
    arc->SetCodeAngle(1507);
    f.host.seal = arc.get();
    f.Reload();
    QCOMPARE(f.Spin(8)->text(), QStringLiteral("30"));
    QCOMPARE(arc->TextAngle(), 305);
    QCOMPARE(f.Spin(9)->text(), QStringLiteral("150"));
    QCOMPARE(arc->CodeAngle(), 1507);

    // The corner box of a rounded frame turns into the slant of a line and back.
    auto frame = TemplateSeal(kRoundRectNameSeal);
    frame->SetRealSR(2.345f);
    f.host.seal = frame.get();
    f.Reload();
    QCOMPARE(f.Spin(67)->text(), QStringLiteral("2.35"));
    QCOMPARE(frame->RealSR(), 2.345f);
    auto line = TemplateSeal(kSlantedLineTool);
    const int slant = line->TextAngle();
    f.host.seal = line.get();
    f.Reload();
    QCOMPARE(f.Spin(67)->ValueType(), TValueType::vtInteger);
    QCOMPARE(f.Spin(67)->text(), QString::number(slant / 10));
    QCOMPARE(line->TextAngle(), slant);
    f.host.seal = frame.get();
    f.Reload();
    QCOMPARE(f.Spin(67)->ValueType(), TValueType::vtFloat);
    QCOMPARE(frame->RealSR(), 2.345f);
    f.host.seal = f.element.get();
  }

  // No element: every control of the four pages disabled, with its labels, values kept.
  void NoSeal() {
    PropertyFixture f(TemplateSeal(kRoundOfficialSeal));
    const QString width = f.Spin(4)->text();
    const QString text = Part<property::TPropertyMemo>(f.window, "Memo1")->toPlainText();
    f.host.seal = nullptr;
    f.Reload();
    QVERIFY(EnabledTags(f.window).empty());
    for (int n = 1; n <= 49; ++n) QVERIFY(!NumberedLabel(f.window, n)->isEnabled());
    QCOMPARE(f.Spin(4)->text(), width);
    QCOMPARE(Part<property::TPropertyMemo>(f.window, "Memo1")->toPlainText(), text);
    // Page buttons still switch pages.
    Press(PageButton(f.window, 4));
    QVERIFY(!PagePanel(f.window, 4)->isHidden());
    QVERIFY(EnabledTags(f.window).empty());
    // A window made without any element starts disabled.
    PropertyFixture none;
    QVERIFY(EnabledTags(none.window).empty());
  }

  // The code face is shown, and loading leaves the element's face bytes alone.
  void FaceNotChangedByLoading() {
    auto e = TemplateSeal(kRoundOfficialSeal);
    TFaceName face = FaceName("黑体");
    face[30] = 'Z';  // past the terminating zero
    e->SetCodeFontName(face);
    PropertyFixture f(std::move(e));
    QCOMPARE(f.Combo(49)->currentText(), QStringLiteral("黑体"));
    QCOMPARE(f.element->CodeFontName(), face);
  }

  // The second text of a three-character name seal: only its glyph size.
  void SecondTextOfAThreeCharacterSeal() {
    PropertyFixture f(TemplateSeal(kThreeCharNameSeal));
    f.Pick(31, 1);
    std::vector<int> pageC;
    for (const int tag : EnabledTags(f.window))
      if ((tag >= 32 && tag <= 48) || tag == 68) pageC.push_back(tag);
    QCOMPARE(pageC, (std::vector<int>{36, 37}));
    auto four = TemplateSeal(kRectNameSeal);
    f.host.seal = four.get();
    f.Reload();
    for (const int tag : property::TextMaskTags()) QVERIFY(!f.Enabled(tag));
    f.host.seal = f.element.get();
  }

  // A slanted text loaded while the selector stands on the second text: the selector is
  // disabled with all of page C, and it does not move by itself.
  void SelectorLockOut() {
    PropertyFixture f(TemplateSeal(kRoundOfficialSeal));
    f.Pick(31, 1);
    auto text = TemplateSeal(kSlantedTextTool);
    f.host.seal = text.get();
    f.Reload();
    QVERIFY(!f.Enabled(31));
    QCOMPARE(f.window->TextIndex(), 1);
    for (const int tag : property::TextMaskTags()) QVERIFY(!f.Enabled(tag));
    f.host.seal = f.element.get();
  }
};

QTEST_MAIN(LoadTest)
#include "load_test.moc"
