// The window: its captions, its layout as it applies it, its pages, roll-up and keys, and
// its life.

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QtTest>

#include "propertyfixture.h"

using property::TPage;

namespace {

QString LabelText(TfrmProprty* w, int n) { return NumberedLabel(w, n)->text(); }

int VisiblePage(TfrmProprty* w) {
  for (int i = 0; i < 4; ++i)
    if (!PagePanel(w, i + 1)->isHidden()) return i + 1;
  return 0;
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Every caption of the four pages, to the character.
  void Captions() {
    PropertyFixture f;
    TfrmProprty* w = f.window;
    QCOMPARE(w->windowTitle(), QStringLiteral("印章属性"));
    QCOMPARE(w->objectName(), QStringLiteral("frmProprty"));
    const QStringList groups{"中心定位[mm]", "主边框[mm]", "主边框衬线[mm]", "转轮框、中心线[mm]", "内边框[mm]",
                             "图符[mm]",     "纹线[mm]",   "印章文字[mm]",   "印章编码[mm]",       "表格[mm]"};
    for (int n = 1; n <= 10; ++n) QCOMPARE(GroupBox(w, n)->title(), groups[n - 1]);
    const QStringList labels{
        "横向定位：", "纵向定位：", "线    宽：", "宽    度：", "高    度：", "边框类型：", "线    宽：",
        "间    距：", "线    宽：", "宽    度：", "高    度：", "间    距：", "水平偏移：", "垂直偏移：",
        "线    宽：", "间    距：", "线    宽：", "宽    度：", "高    度：", "水平偏移：", "垂直偏移：",
        "线    宽：", "条    数：", "环排角度：", "文字：",     "字体：",     "宽    度：", "高    度：",
        "字    宽：", "字    高：", "水平偏移：", "垂直偏移：", "行 列 数：", "环排角度：", "笔画加粗：",
        "字体：",     "编码字宽：", "编码字高：", "编码长度：", "离主边框：", "环绕角度：", "笔画加粗：",
        "外框线宽：", "分割线宽：", "表格宽度：", "表格高度：", "表格行数：", "表格列数：", "切角尺寸："};
    QCOMPARE(labels.size(), 49);
    for (int n = 1; n <= 49; ++n) QCOMPARE(LabelText(w, n), labels[n - 1]);
    // Four blanks stand for two full-width characters.
    QCOMPARE(LabelText(w, 3).toUtf8(), QByteArray("线    宽："));
    const std::vector<std::pair<int, const char*>> checks{
        {7, "顶点在上"},      {23, "颜色跟随画笔"}, {24, "图象透明白色"},  {28, "直线/贝塞尔曲线"},
        {29, "纹线破边框外沿"}, {30, "纹线破边框内沿"}, {43, "空心轮廓字"},    {44, "斜体字"},
        {68, "细瘦文字笔画"}, {45, "横排 [竖排]"},  {46, "左排 [右排]"},   {47, "环排 [平排]"},
        {48, "弧顶在上 [下]"}, {57, "空心轮廓字"},   {58, "斜体字"},        {59, "编码在边框上"},
        {60, "编码在印章上部"}};
    QCOMPARE(int(checks.size()), 17);
    for (const auto& [tag, caption] : checks) QCOMPARE(f.Check(tag)->text(), QString::fromUtf8(caption));
    QCOMPARE(Part<QLabel>(w, "LabelThanks")->text(), QStringLiteral("感谢您使用本软件"));
    QCOMPARE(Part<QLabel>(w, "LabelThanks")->parentWidget(), GroupBox(w, 7));
    const QStringList frames{"矩形", "圆角矩形", "切角矩形", "圆[椭圆]形"};
    const QStringList texts{"第一文字", "第二文字", "第三文字", "第四文字"};
    for (int k = 0; k < 4; ++k) {
      QCOMPARE(f.Combo(6)->itemText(k), frames[k]);
      QCOMPARE(f.Combo(31)->itemText(k), texts[k]);
      QCOMPARE(PageButton(w, k + 1)->Caption(), QString(QChar(u'A' + k)));
      QCOMPARE(PageButton(w, k + 1)->Tag(), k + 1);
    }
    QCOMPARE(Part<QLineEdit>(w, "Edit1")->text(), QStringLiteral("13572468"));
    QCOMPARE(f.Spin(65)->text(), QStringLiteral("4"));
    QCOMPARE(f.Spin(66)->text(), QStringLiteral("3"));
  }

  // The controls sit on their pages and in their group boxes under their names.
  void Components() {
    PropertyFixture f;
    for (const property::TPropertyRow& row : property::PropertyRows()) {
      QWidget* c = f.window->Control(row.tag);
      QCOMPARE(c->objectName(), QString::fromUtf8(row.control));
      QCOMPARE(c->parentWidget(), GroupBox(f.window, row.group));
      QCOMPARE(c->parentWidget()->parentWidget(), PagePanel(f.window, int(row.page) + 1));
      if (QLabel* label = f.window->LabelOf(row.tag)) QCOMPARE(label->parentWidget(), c->parentWidget());
      QCOMPARE(f.window->findChild<QWidget*>(QString::fromUtf8(row.control)), c);
      if (TKivSpinEdit* box = f.Spin(row.tag)) {
        QCOMPARE(box->ValueType(), row.kind == property::TControlKind::IntegerBox ? TValueType::vtInteger
                                                                                 : TValueType::vtFloat);
        QCOMPARE(box->MinValue(), row.min);
        QCOMPARE(box->MaxValue(), row.max);
        QCOMPARE(box->TextLimit(), row.textLimit);
        QCOMPARE(box->Increment(), row.kind == property::TControlKind::IntegerBox ? 1.0 : 0.01);
      }
    }
    QCOMPARE(f.window->findChildren<TKivSpinEdit*>().size(), 45);
    QCOMPARE(f.window->findChildren<QComboBox*>().size(), 4);
    QCOMPARE(f.window->findChildren<QCheckBox*>().size(), 17);
    // The two face boxes list the screen's faces, sorted.
    QCOMPARE(f.Combo(32)->count(), 4);
    QCOMPARE(f.Combo(49)->itemText(0), QStringLiteral("AR PL UMing CN"));
  }

  // The layout from the window's own font at 96 and 120 dots per inch.
  void LayoutApplied_data() {
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("bar");
    QTest::addColumn<int>("m");
    QTest::addColumn<QSize>("button");
    QTest::newRow("96") << 96 << 20 << 4 << QSize(32, 16);
    QTest::newRow("120") << 120 << 24 << 5 << QSize(40, 20);
  }
  void LayoutApplied() {
    QFETCH(int, ppi);
    QFETCH(int, bar);
    QFETCH(int, m);
    QFETCH(QSize, button);
    PropertyFixture f(nullptr, ppi);
    TfrmProprty* w = f.window;
    const QFontMetrics metrics(w->font());
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("横向定位："));
    QCOMPARE(Part<TKivFlatPanel>(w, "KivFlatPanel1")->height(), bar);
    QCOMPARE(Part<TKivFlatPanel>(w, "KivFlatPanel1")->FrameWidth(), 1);
    QCOMPARE(PageButton(w, 1)->size(), button);
    QCOMPARE(PageButton(w, 1)->x(), 5);
    QCOMPARE(PageButton(w, 2)->x(), 5 + button.width() - button.height() / 2 - 1);
    QCOMPARE(NumberedLabel(w, 1)->x(), m);
    QCOMPARE(NumberedLabel(w, 1)->width(), labelWidth);
    QCOMPARE(f.Spin(1)->x(), m + labelWidth);
    QCOMPARE(f.Spin(66)->x(), m + labelWidth);
    QCOMPARE(GroupBox(w, 1)->width(), 2 * m + labelWidth + f.Spin(1)->width());
    QCOMPARE(GroupBox(w, 8)->width(), GroupBox(w, 1)->width());
    QCOMPARE(w->width(), GroupBox(w, 1)->width() + 2 * m);
    // Labels centred on their controls.
    QCOMPARE(NumberedLabel(w, 2)->y(), f.Spin(2)->y() + (f.Spin(2)->height() - metrics.height()) / 2);
    const int page = GroupBox(w, 4)->y() + GroupBox(w, 4)->height();
    QCOMPARE(w->height(), page + bar + m / 4 + 1);
    w->FormDeactivate();
    QCOMPARE(w->height(), bar);
    Press(PageButton(w, 3));
    QCOMPARE(w->height(), bar + page + m / 2 + 1);
  }

  // At the end of creation page A shows, no button is down, the window is open.
  void Created() {
    PropertyFixture f;
    QCOMPARE(VisiblePage(f.window), 1);
    for (int n = 1; n <= 4; ++n) QCOMPARE(PageButton(f.window, n)->BtnState(), TButtonState::bsUp);
    QCOMPARE(f.window->height(), f.window->Layout().createdHeight);
    QVERIFY(f.window->windowFlags() & Qt::Tool);
    QVERIFY(f.window->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(f.window->parentWidget(), &f.owner);
  }

  // A press shows the button's page and lifts the others; the release presses it down,
  // lays the buttons out again and opens the window out.
  void PageButtons() {
    PropertyFixture f(TemplateSeal(kRoundOfficialSeal));
    TfrmProprty* w = f.window;
    const std::array<TKivButton*, 4> b{PageButton(w, 1), PageButton(w, 2), PageButton(w, 3), PageButton(w, 4)};
    QTest::mousePress(b[2], Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(VisiblePage(w), 3);
    QCOMPARE(w->height(), w->Layout().createdHeight);
    QTest::mouseRelease(b[2], Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(b[2]->BtnState(), TButtonState::bsDown);
    QCOMPARE(w->height(), w->Layout().openHeight);
    const int h = b[0]->height();
    QCOMPARE(b[2]->width(), w->Layout().buttons[2].width() + h / 2);
    QCOMPARE(b[3]->x(), b[2]->x() + b[2]->width() - h / 2 - 1);

    Press(b[0]);
    QCOMPARE(VisiblePage(w), 1);
    QCOMPARE(b[0]->BtnState(), TButtonState::bsDown);
    QCOMPARE(b[2]->BtnState(), TButtonState::bsUp);
    QCOMPARE(b[1]->x(), b[0]->x() + b[0]->width() - h / 2 - 1);
    QCOMPARE(b[3]->x(), w->Layout().buttons[3].x() + h / 2);
    // A second press of the same button leaves it down.
    Press(b[0]);
    QCOMPARE(b[0]->BtnState(), TButtonState::bsDown);
    // Any mouse button chooses the page.
    Press(b[3], Qt::RightButton);
    QCOMPARE(VisiblePage(w), 4);
    QCOMPARE(b[3]->BtnState(), TButtonState::bsDown);
  }

  // Rolling up keeps only the bar, lifts the pressed button and keeps the page.
  void RollUp() {
    PropertyFixture f;
    TfrmProprty* w = f.window;
    Press(PageButton(w, 2));
    w->FormDeactivate();
    QCOMPARE(w->height(), w->Layout().barHeight);
    QCOMPARE(PageButton(w, 2)->BtnState(), TButtonState::bsUp);
    QCOMPARE(PageButton(w, 3)->x(), w->Layout().buttons[2].x());
    QCOMPARE(VisiblePage(w), 2);
    w->FormDeactivate();
    QCOMPARE(w->height(), w->Layout().barHeight);
  }

  // The window rolls up when another window of the program becomes active, not while the
  // focus moves inside it.
  void RollsUpOnActivatingTheMainWindow() {
    PropertyFixture f;
    TfrmProprty* w = f.window;
    f.owner.resize(400, 300);
    f.owner.show();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    f.Spin(1)->setFocus();
    f.Spin(2)->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(w->height(), w->Layout().createdHeight);
    // Its own pop-up list is no other window.
    f.Combo(31)->showPopup();
    QTest::qWait(20);
    f.Combo(31)->hidePopup();
    QTest::qWait(20);
    QCOMPARE(w->height(), w->Layout().createdHeight);
    f.owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.owner));
    QTRY_COMPARE(w->height(), w->Layout().barHeight);
  }

  // Only a page-button release reads the current element again; selecting another on
  // the page does not.
  void ReloadOnlyByARelease() {
    auto first = TemplateSeal(kRoundOfficialSeal);
    first->SetRealWidth(40);
    PropertyFixture f(std::move(first));
    QCOMPARE(f.Spin(4)->text(), QStringLiteral("40.00"));
    auto second = TemplateSeal(kRoundOfficialSeal);
    second->SetRealWidth(30);
    f.host.seal = second.get();
    f.window->FormDeactivate();
    QCOMPARE(f.Spin(4)->text(), QStringLiteral("40.00"));
    QTest::mousePress(PageButton(f.window, 1), Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(f.Spin(4)->text(), QStringLiteral("40.00"));
    QTest::mouseRelease(PageButton(f.window, 1), Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(f.Spin(4)->text(), QStringLiteral("30.00"));
    f.host.seal = nullptr;
  }

  // The close box frees the window and clears the one reference to it.
  void CloseFrees() {
    PropertyFixture f;
    frmProprty = f.window;
    QPointer<TfrmProprty> w = f.window;
    f.window->show();
    QVERIFY(f.window->close());
    QCOMPARE(frmProprty, nullptr);
    QTRY_VERIFY(w.isNull());
    f.window = nullptr;
    // Freed by its owner instead, it clears the reference as well.
    frmProprty = new TfrmProprty(&f.host, &f.owner);
    delete frmProprty;
    QCOMPARE(frmProprty, nullptr);
  }

  // Enter moves on to the next control that takes Tab, past disabled ones; the memo
  // takes no line break from it.
  void EnterMovesOn() {
    PropertyFixture f(TemplateSeal(kRoundOfficialSeal));
    TfrmProprty* w = f.window;
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    f.Spin(1)->setFocus();
    f.Type(1, QStringLiteral("25"));
    QCOMPARE(f.element->RealCenterX(), 25.0f);
    QTest::keyClick(f.Spin(1), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.Spin(2));
    // RxSpinEdit5 to RxSpinEdit45, past the disabled frame-type box.
    f.Spin(5)->setFocus();
    QTest::keyClick(f.Spin(5), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), f.Spin(8));
    Press(PageButton(w, 3));
    Part<property::TPropertyMemo>(w, "Memo1")->setFocus();
    const QString text = Part<property::TPropertyMemo>(w, "Memo1")->toPlainText();
    QTest::keyClick(Part<property::TPropertyMemo>(w, "Memo1"), Qt::Key_Return);
    QCOMPARE(Part<property::TPropertyMemo>(w, "Memo1")->toPlainText(), text);
    QCOMPARE(QApplication::focusWidget(), f.Spin(34));
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
