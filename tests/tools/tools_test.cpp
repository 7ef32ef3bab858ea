#include <QActionGroup>
#include <QComboBox>

#include "document/tooltags.h"
#include "mainfixture.h"
#include "tools/drawtools.h"

using seal::TSeal;

namespace {

struct ToolRow {
  int tag;
  const char* action;
  const char* caption;  // nullptr: the action's own name
  const char* hint;     // the tooltip; nullptr: none
  int cursorSlot;
};

// Slots: 2 Hand, 4 ZoomIn, 5 ZoomOut, 6 DrawCharSet.
const ToolRow kTools[] = {
    {1, "actDrawHorzLine", nullptr, "水平线", 6},
    {2, "actDrawVertLine", nullptr, "竖直线", 6},
    {3, "actDrawAnyLine", nullptr, "任意直线", 6},
    {4, "actDrawArc", nullptr, "弧线或扇形", 6},
    {5, "actDrawEllipseFrame", nullptr, "圆或椭圆", 6},
    {6, "actDrawRect", nullptr, "矩形", 6},
    {7, "actDrawRoundRect", nullptr, "圆角矩形", 6},
    {8, "actDrawDiamond", nullptr, "切角矩形", 6},
    {9, "actDrawTriangle", nullptr, "三角形", 6},
    {10, "actDrawRhombFrame", nullptr, "菱形", 6},
    {11, "actDrawHorzText", nullptr, "水平文字", 6},
    {12, "actDrawEllipseText", nullptr, "环排文字", 6},
    {13, "actDrawAnyText", nullptr, "任意角度文字", 6},
    {14, "actDrawFiveStar", nullptr, "矢量五星", 6},
    {15, "actDrawCell", nullptr, "表格", 6},
    {16, "actDrawImage", nullptr, "从文件装载图象", 6},
    {17, "actDrawGZh", "圆公章(&A)", "圆公章", 6},
    {18, "actDrawYCW", "圆财务专用章", "圆财务专用章", 6},
    {19, "actDrawYZLA", "圆转轮印章(一)", "圆转轮印章(1)", 6},
    {20, "actDrawYZLB", "圆转轮印章(二)", "圆转轮印章(2)", 6},
    {21, "actDrawEllipse", "椭圆印章", "椭圆印章", 6},
    {22, "actDrawFPZYZ", "发票专用章", "发票专用章", 6},
    {23, "actDrawTYZLA", "椭圆转轮(一)", "椭圆转轮印章(1)", 6},
    {24, "actDrawTYZLB", "椭圆转轮(二)", "椭圆转轮印章(2)", 6},
    {25, "actDrawFCW", "方财务专用章", "方财务专用章", 6},
    {26, "actDrawZZS", "增值税条章", "增值税章", 6},
    {27, "actDrawFZLA", "方转轮印(一)", "方转轮印章(1)", 6},
    {28, "actDrawFZLB", "方转轮印(二)", "方转轮印章(2)", 6},
    {29, "actDrawRhomb", "菱形印章", "菱形印章", 6},
    {30, "actDrawSJ", "三角印章", "三角印章", 6},
    {31, "actDraw22MZ", "四字名章", "四字方章", 6},
    {32, "actDraw3ZFZ", "左一右二方章", "左一右二方章", 6},
    {33, "actDraw3ZFZA", "左二右一方章", "左二右一方章", 6},
    {34, "actDraw2ZFZ", "横排两字方章", "横排两字方章", 6},
    {35, "actDraw3ZFZB", "上一下二方章", "上一下二方章", 6},
    {36, "actDraw3ZFZC", "上二下一方章", "上二下一方章", 6},
    {37, "actDraw2ZFZA", "竖排两字方章", "竖排两字方章", 6},
    {38, "actDraw3ZBMZ", "三字扁名章", "三字扁章", 6},
    {39, "actDraw2ZBMZ", "两字扁名章", "两字扁章", 6},
    {40, "actDraw4ZBMZ", "四字扁名章", "四字扁章", 6},
    {41, "actDrawAPicture", nullptr, nullptr, 6},
    {42, "actScrollPage", nullptr, "抓移浏览", 2},
    {43, "actPageZoomIn", nullptr, "连续放大", 4},
    {44, "actPageZoomOut", nullptr, "连续缩小", 5},
};

}  // namespace

class ToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void ToolTable() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    QCOMPARE(std::size(kTools), size_t(44));
    for (const ToolRow& row : kTools) {
      const QByteArray where(row.action);
      QAction* a = f.Tool(row.action);
      QVERIFY2(a, where);
      QVERIFY2(a->data().toInt() == row.tag, where);
      QVERIFY2(a->isCheckable() && !a->isChecked(), where);
      QVERIFY2(a->actionGroup() && a->actionGroup()->isExclusive(), where);
      QVERIFY2(a->text() == QString::fromUtf8(row.caption ? row.caption : row.action), where);
      QVERIFY2(a->toolTip() == (row.hint ? QString::fromUtf8(row.hint) : a->text()), where);
      QVERIFY2(app::ToolCursorSlot(row.tag) == row.cursorSlot, where);
      a->trigger();
      QVERIFY2(f.main->CurrentDrawAction() == a && a->isChecked(), where);
      QVERIFY2(HasSlotCursor(PageOf(w), row.cursorSlot), where);
      QVERIFY2(w->CurrentToolTag(false) == row.tag, where);
      a->trigger();
      QVERIFY2(f.main->CurrentDrawAction() == nullptr && !a->isChecked(), where);
      QVERIFY2(HasSlotCursor(PageOf(w), 0), where);
    }
    QCOMPARE(app::ToolCursorSlot(0), 0);
    // The palette commands among the tools are no tools.
    for (const char* name : {"actPageZoom", "actBringToFront", "actSendToBack", "actSameCenter", "actChangePicture"}) {
      QCOMPARE(app::ToolTag(f.Tool(name)), 0);
      QVERIFY(!f.Tool(name)->isCheckable());
    }
  }

  void NothingArmedAtStart() {
    MainFixture f;
    QVERIFY(f.main->CurrentDrawAction() == nullptr);
  }

  void ArmingAnotherToolDisarmsTheFirst() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    f.Tool("actDrawArc")->trigger();
    QVERIFY(f.main->CurrentDrawAction() == f.Tool("actDrawArc"));
    f.Tool("actDrawRect")->trigger();
    QVERIFY(f.main->CurrentDrawAction() == f.Tool("actDrawRect"));
    QVERIFY(!f.Tool("actDrawArc")->isChecked());
    QVERIFY(f.Tool("actDrawRect")->isChecked());
    QVERIFY(HasSlotCursor(PageOf(w), 6));
    // The armed tool's command again disarms it.
    f.Tool("actDrawRect")->trigger();
    QVERIFY(f.main->CurrentDrawAction() == nullptr);
    QVERIFY(!f.Tool("actDrawRect")->isChecked());
    QVERIFY(HasSlotCursor(PageOf(w), 0));
  }

  void WithoutADocumentNothingChanges() {
    MainFixture f;
    for (const char* name : {"actDrawGZh", "actScrollPage", "actDrawAPicture"}) {
      f.Tool(name)->trigger();
      QVERIFY(f.main->CurrentDrawAction() == nullptr);
      QVERIFY(!f.Tool(name)->isChecked());
    }
    // A tool armed before the last document closed stays armed but its command does nothing.
    TfrmChild* w = f.NewDocument();
    f.Tool("actDrawCell")->trigger();
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.main->ActiveChild() == nullptr);
    f.Tool("actDrawCell")->trigger();
    QVERIFY(f.main->CurrentDrawAction() == f.Tool("actDrawCell"));
    QVERIFY(f.Tool("actDrawCell")->isChecked());
  }

  void TemplateMakesOneElementPerArming() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    f.Tool("actDrawFCW")->trigger();
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 200, 200);
    w->DrawPanel1MouseUp(seal::mbLeft, 0, 200, 200);
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 500, 500);
    QCOMPARE(Glass(w), std::vector<QRect>{QRect(500, 500, 0, 0)});
    w->DrawPanel1MouseUp(seal::mbLeft, 0, 500, 500);
    QCOMPARE(w->Seals().size(), size_t(1));
    QCOMPARE(w->Seals()[0]->SealType(), seal::stRect);
  }

  void ZoomInStaysArmed() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    f.Tool("actPageZoomIn")->trigger();
    for (int i = 0; i < 5; ++i) {
      w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 10, 10);
      w->DrawPanel1MouseUp(seal::mbLeft, 0, 10, 10);
    }
    QCOMPARE(PageOf(w)->Zoom(), 150);
    QVERIFY(f.main->CurrentDrawAction() == f.Tool("actPageZoomIn"));
  }

  void NewElementsSetTheSealOptionBoxes() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    f.Tool("actDrawFiveStar")->trigger();
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 100, 100);
    QCOMPARE(Part<QCheckBox>(f.main.get(), "CheckBox1")->text(), QStringLiteral("空心"));
    QVERIFY(Part<QCheckBox>(f.main.get(), "CheckBox1")->isChecked());
    QVERIFY(!Part<QCheckBox>(f.main.get(), "CheckBox2")->isChecked() &&
            !Part<QCheckBox>(f.main.get(), "CheckBox3")->isChecked());
    f.Tool("actDrawGZh")->trigger();
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 400, 400);
    QCOMPARE(Part<QCheckBox>(f.main.get(), "CheckBox1")->text(), QStringLiteral("阳章"));
    QVERIFY(Part<QCheckBox>(f.main.get(), "CheckBox2")->isChecked() &&
            Part<QCheckBox>(f.main.get(), "CheckBox3")->isChecked());
  }

  void SwitchingWindowsKeepsTheArmedTool() {
    MainFixture f;
    TfrmChild* a = f.NewDocument();
    TfrmChild* b = f.NewDocument();
    f.Tool("actDrawSJ")->trigger();
    Part<TMdiClient>(f.main.get(), "ClientWindow")->setActiveSubWindow(a);
    QVERIFY(f.main->CurrentDrawAction() == f.Tool("actDrawSJ"));
    QVERIFY(HasSlotCursor(PageOf(a), 6));
    QVERIFY(HasSlotCursor(PageOf(b), 0));
  }

  void ToolClickMakesSelectsAndDisarms() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    w->resize(900, 600);
    f.Arm("actDrawHorzLine");
    QVERIFY(HasSlotCursor(PageOf(w), 6));
    QWindow* window = f.main->windowHandle();
    const QPoint at = PageOf(w)->mapTo(f.main.get(), QPoint(300, 200));
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
    QCOMPARE(w->Seals().size(), size_t(1));
    const TSeal* s = w->Seals()[0];
    QCOMPARE(s->SealType(), seal::stHorzLine);
    QVERIFY(std::abs(2 * s->Left() + s->Width() - 600) <= 2 && std::abs(2 * s->Top() + s->Height() - 400) <= 2);
    QVERIFY(std::ranges::equal(w->Selection(), std::vector<const TSeal*>{s}));
    QCOMPARE(w->CurrentSeal(), s);
    QVERIFY(w->GrabHandles() && w->GrabHandles()->Shown());
    QVERIFY(w->Modified());
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：1"));
    QVERIFY(f.main->CurrentDrawAction() == nullptr);
    QVERIFY(!f.Tool("actDrawHorzLine")->isChecked());
    QVERIFY(HasSlotCursor(PageOf(w), 0));
    // The next press on empty page starts a band.
    const QPoint empty = PageOf(w)->mapTo(f.main.get(), QPoint(500, 400));
    QTest::mousePress(window, Qt::LeftButton, {}, empty);
    QCOMPARE(Glass(w), std::vector<QRect>{QRect(500, 400, 0, 0)});
    QVERIFY(!w->GrabHandles() && w->Selection().empty());
    QTest::mouseRelease(window, Qt::LeftButton, {}, empty);
    QVERIFY(Glass(w).empty());
    QCOMPARE(w->Seals().size(), size_t(1));
  }

  void ZoomToolsStopAtTheirLimits() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = f.Draw(w, "actDrawFiveStar", QRect(100, 100, 80, 40));
    w->ApplyZoom(595);
    f.Arm("actPageZoomIn");
    QVERIFY(HasSlotCursor(PageOf(w), 4));
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 10, 10);
    QCOMPARE(PageOf(w)->Zoom(), 605);
    QCOMPARE(s->Zoom(), 605);
    QCOMPARE(Part<QComboBox>(f.main.get(), "DispComboBox")->currentText(), QStringLiteral("605%"));
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 10, 10);
    QCOMPARE(PageOf(w)->Zoom(), 605);
    QVERIFY(f.main->CurrentDrawAction() == f.Tool("actPageZoomIn"));
    QCOMPARE(w->GrabHandles()->Handle(2)->AnchorPoint(), QPoint(s->Left(), s->Top()));

    w->ApplyZoom(30);
    f.Arm("actPageZoomOut");
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 10, 10);
    QCOMPARE(PageOf(w)->Zoom(), 20);
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 10, 10);
    QCOMPARE(PageOf(w)->Zoom(), 20);
    QCOMPARE(Part<QComboBox>(f.main.get(), "DispComboBox")->currentText(), QStringLiteral("20%"));
    // A right press disarms the staying tools.
    w->DrawPanel1MouseDown(seal::mbRight, seal::ssRight, 10, 10);
    QVERIFY(f.main->CurrentDrawAction() == nullptr);
    QVERIFY(HasSlotCursor(PageOf(w), 0));
  }

  void RightPressReleasesOneShotToolsForGood() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    for (const char* tool : {"actDrawGZh", "actDrawAPicture"}) {
      f.Arm(tool);
      QVERIFY(f.main->CurrentDrawAction() == f.Tool(tool));
      w->DrawPanel1MouseDown(seal::mbRight, seal::ssRight, 10, 10);
      QVERIFY(f.main->CurrentDrawAction() == nullptr);
      QVERIFY(!f.Tool(tool)->isChecked());
      QVERIFY(w->Seals().empty());
    }
    // A middle press releases a tool too and makes nothing.
    f.Arm("actDrawRect");
    w->DrawPanel1MouseDown(seal::mbMiddle, 0, 10, 10);
    QVERIFY(f.main->CurrentDrawAction() == nullptr);
    QVERIFY(w->Seals().empty());
  }
};

QTEST_MAIN(ToolsTest)
#include "tools_test.moc"
