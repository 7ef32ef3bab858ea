// The print window over a document on the fake host: the elements on its page and back, the
// fitting zoom, the zoom modes by mouse presses, the hand and pan drags, the status bar, the
// printer set-up and the preview-only view.

#include <QLabel>
#include <QScreen>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <map>
#include <memory>

#include "controls/kivcontrols.h"
#include "controls/kivdrawpanel.h"
#include "docfixture.h"
#include "document/selectframe.h"
#include "platform/numeric.h"
#include "print/print.h"
#include "printers.h"
#include "services/resources.h"

namespace {

// A document window of three round seals on the fixture's A4 page (printable 200 x 287 mm),
// and the print window over it, shown.
struct PrintFixture {
  DocFixture doc;
  TfrmChild* w = nullptr;
  std::vector<seal::TSeal*> seals;
  std::unique_ptr<TfrmPrint> form;

  explicit PrintFixture(int documentZoom = 100) {
    w = doc.NewDocument();
    for (const auto& [x, y] : {std::pair{40.f, 40.f}, std::pair{100.f, 120.f}, std::pair{160.f, 250.f}})
      seals.push_back(AddSeal(w, x, y));
    w->ApplyZoom(uint16_t(documentZoom));
  }
  TfrmPrint* Open(bool previewOnly = false) {
    form = std::make_unique<TfrmPrint>(nullptr, *w, previewOnly);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qWarning("print window not exposed");
    return form.get();
  }
  TKivDrawPanel* Page() const { return Part<TKivDrawPanel>(form.get(), "PreviewPanel1"); }
  // A press and release on the preview page, away from every seal.
  void Click(Qt::MouseButton button, QPoint at = {2, 2}) const { QTest::mouseClick(Page(), button, {}, at); }
  void Press(Qt::MouseButton button, QPoint at = {2, 2}) const { QTest::mousePress(Page(), button, {}, at); }
};

// Every element's geometry, to compare before and after.
std::vector<QRect> Bounds(const std::vector<seal::TSeal*>& seals) {
  std::vector<QRect> r;
  for (const seal::TSeal* s : seals) r.push_back(QRect(s->Left(), s->Top(), s->Width(), s->Height()));
  return r;
}

int StackIndex(const QWidget* w) { return int(w->parentWidget()->children().indexOf(const_cast<QWidget*>(w))); }

}  // namespace

class PrintWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    app::RegisterProgramCursors();
    const QByteArray expected = qgetenv("PRINT_TEST_PPI");
    if (!expected.isEmpty())
      QCOMPARE(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX()), expected.toInt());
  }

  void ANewDocumentsPageIsThePrintersSheet() {
    DocFixture doc;
    TestPrinter printer(600, {20, 10, 5, 7});
    printer.Install();
    const TKivDrawPanel* page = PageOf(doc.NewDocument());
    // 4958 x 7017 pixels at 600 dots per inch, printable 185 x 280 mm, shown centred.
    QCOMPARE(double(page->PageWidth()), double(4958 * 25.4L / 600));
    QCOMPARE(double(page->PageHeight()), double(7017 * 25.4L / 600));
    QCOMPARE(double(page->LeftMargin()), double((4958 * 25.4L / 600 - 185) / 2));
    QCOMPARE(double(page->TopMargin()), double((7017 * 25.4L / 600 - 280) / 2));
  }

  void TheSealsLieOnThePreviewPageAtTheFittingZoom() {
    PrintFixture f;
    TfrmPrint* form = f.Open();
    const TKivDrawPanel* page = f.Page();
    QCOMPARE(form->windowTitle(), QStringLiteral("Brelvonix 打印管理..."));
    for (const seal::TSeal* s : f.seals) {
      QCOMPARE(s->parentWidget(), page);
      QVERIFY(!s->isEnabled());
      QVERIFY(s->isVisible());
    }
    QCOMPARE(double(page->PageWidth()), 210.0);
    QCOMPARE(double(page->PageHeight()), 297.0);
    QCOMPARE(double(page->LeftMargin()), 5.0);
    QCOMPARE(double(page->BottomMargin()), 5.0);
    // The page and the elements share the screen's resolution, whatever it is: a seal of
    // 42 mm takes as many pixels as 42 mm of the page.
    QCOMPARE(page->PixelsPerInch(), form->logicalDpiX());
    QVERIFY(std::abs(f.seals[0]->Width() - platform::Round(42 * page->Scale())) <= 1);
    QCOMPARE(double(form->ScreenPixelsPerMm()), double(form->logicalDpiX() / 25.4L));
    const int fit = app::CalcFitZoom(Part<QScrollArea>(form, "ScrollBox1")->maximumViewportSize(), 210, 297,
                                     form->ScreenPixelsPerMm());
    QCOMPARE(form->CalcFitZoom(), fit);
    QCOMPARE(page->Zoom(), fit);
    for (const seal::TSeal* s : f.seals) QCOMPARE(s->Zoom(), fit);
    QVERIFY(page->isVisible());
    QCOMPARE(form->PreviewCursor(), app::kDefaultCursorSlot);
    QCOMPARE(form->PrintSettings().Copies, 1);
    QVERIFY(!form->PrintSettings().Accepted);
  }

  // The commands as the menus and the tool bar offer them: menu, menu entry, tool button
  // caption (in tool-bar order), shortcut and hint.
  void TheCommandsInTheMenusAndOnTheToolBar() {
    struct Row {
      const char* action;
      const char* menu;
      const char* entry;
      const char* caption;
      QKeySequence shortcut;
      const char* hint;
      bool mode;  // a zoom mode, checked while it lasts
    } const rows[] = {
        {"ActZoomIn", "显示(&V)", "连续放大(&I)", "放 大", QKeySequence(Qt::Key_PageUp), "连续放大", true},
        {"ActZoomOut", "显示(&V)", "连续缩小(&U)", "缩 小", QKeySequence(Qt::Key_PageDown), "连续缩小", true},
        {"ActZoomFit", "显示(&V)", "自适页面(&F)", "全 部", QKeySequence(Qt::Key_End), "自适页面", false},
        {"FSetupAct", "文件(&F)", "设置(&S)", "设 置", QKeySequence(Qt::CTRL | Qt::Key_S), "设置打印机", false},
        {"FPrintAct", "文件(&F)", "打印(&P)", "打 印", QKeySequence(Qt::CTRL | Qt::Key_P), "打印", false},
        {"FExitAct", "文件(&F)", "退出(&X)", "退 出", QKeySequence(Qt::CTRL | Qt::Key_Q), "退出", false},
    };
    PrintFixture f;
    TfrmPrint* form = f.Open();
    const QList<QAction*> tools = Part<QToolBar>(form, "ToolBar1")->actions();
    QCOMPARE(tools.size(), qsizetype(std::size(rows)));
    const QList<QAction*> menus = Part<QMenuBar>(form, "MainMenu1")->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->text(), QStringLiteral("文件(&F)"));
    QCOMPARE(menus[1]->text(), QStringLiteral("显示(&V)"));
    std::map<QString, QStringList> entries;
    for (const Row& row : rows) entries[QString::fromUtf8(row.menu)].append(QString::fromUtf8(row.entry));
    for (QAction* menu : menus) {
      QStringList shown;
      for (const QAction* entry : menu->menu()->actions()) shown.append(entry->text());
      QCOMPARE(shown, entries[menu->text()]);
    }
    for (size_t i = 0; i < std::size(rows); ++i) {
      const Row& row = rows[i];
      QAction* action = form->findChild<QAction*>(QString::fromUtf8(row.action));
      QVERIFY2(action, row.action);
      QCOMPARE(tools[qsizetype(i)], action);
      const auto* button = qobject_cast<QToolButton*>(Part<QToolBar>(form, "ToolBar1")->widgetForAction(action));
      QCOMPARE(button->text(), QString::fromUtf8(row.caption));
      QCOMPARE(action->shortcut(), row.shortcut);
      QCOMPARE(action->toolTip(), QString::fromUtf8(row.hint));
      QCOMPARE(action->statusTip(), QString::fromUtf8(row.hint));
      QCOMPARE(action->isCheckable(), row.mode);
    }
    // The zoom keys work in the window: each mode by its key, the fit leaves it.
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QAction* zoomIn = form->findChild<QAction*>(QStringLiteral("ActZoomIn"));
    QAction* zoomOut = form->findChild<QAction*>(QStringLiteral("ActZoomOut"));
    QTest::keyClick(form, Qt::Key_PageUp);
    QVERIFY(zoomIn->isChecked());
    QTest::keyClick(form, Qt::Key_PageDown);
    QVERIFY(zoomOut->isChecked() && !zoomIn->isChecked());
    QTest::keyClick(form, Qt::Key_End);
    QVERIFY(!zoomOut->isChecked() && !zoomIn->isChecked());
  }

  void TheStatusBarShowsThePrintableAreaAndTheZoom() {
    PrintFixture f;
    TfrmPrint* form = f.Open();
    form->SetPreviewZoom(75);
    const TKivStatusBar* bar = Part<TKivStatusBar>(form, "KivStatusBar1");
    QCOMPARE(bar->PanelText(0), QStringLiteral(" 当前纸张可打印区域[宽x高]：200mm x 287mm "));
    QCOMPARE(bar->PanelText(1), QStringLiteral("当前缩放比例：75% "));
    for (int i = 0; i < 2; ++i)
      QCOMPARE(bar->PanelWidth(i), bar->Panel(i)->fontMetrics().horizontalAdvance(bar->PanelText(i)) + 16);
    QVERIFY(!Part<QLabel>(form, "Panel1")->isVisible());
  }

  void PressesFollowTheZoomModes_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("zoomAfter");
    QTest::addColumn<QString>("modeAfter");
    QTest::newRow("out at 30") << "out" << 30 << true << 20 << "out";
    QTest::newRow("out at 25 turns in") << "out" << 25 << true << 25 << "in";
    QTest::newRow("in at 100") << "in" << 100 << true << 110 << "in";
    QTest::newRow("in at 600 turns out") << "in" << 600 << true << 600 << "out";
    QTest::newRow("right press leaves in") << "in" << 100 << false << 100 << "none";
    QTest::newRow("right press leaves out") << "out" << 100 << false << 100 << "none";
  }
  void PressesFollowTheZoomModes() {
    QFETCH(QString, mode);
    QFETCH(int, zoom);
    QFETCH(bool, left);
    QFETCH(int, zoomAfter);
    QFETCH(QString, modeAfter);
    PrintFixture f;
    TfrmPrint* form = f.Open();
    form->SetPreviewZoom(zoom);
    (mode == "in" ? Part<QAction>(form, "ActZoomIn") : Part<QAction>(form, "ActZoomOut"))->trigger();
    QCOMPARE(form->PreviewCursor(), mode == "in" ? app::kZoomInCursorSlot : app::kZoomOutCursorSlot);
    f.Press(left ? Qt::LeftButton : Qt::RightButton);
    QCOMPARE(f.Page()->Zoom(), zoomAfter);
    for (const seal::TSeal* s : f.seals) QCOMPARE(s->Zoom(), zoomAfter);
    QCOMPARE(Part<QAction>(form, "ActZoomIn")->isChecked(), modeAfter == "in");
    QCOMPARE(Part<QAction>(form, "ActZoomOut")->isChecked(), modeAfter == "out");
    if (modeAfter == "in") QVERIFY(HasSlotCursor(f.Page(), app::kZoomInCursorSlot));
    if (modeAfter == "out") QVERIFY(HasSlotCursor(f.Page(), app::kZoomOutCursorSlot));
    if (modeAfter == "none") QVERIFY(form->PreviewCursor() != app::kZoomInCursorSlot &&
                                     form->PreviewCursor() != app::kZoomOutCursorSlot);
  }

  void TheModeButtonsToggleAndTheFitLeavesTheMode() {
    PrintFixture f;
    TfrmPrint* form = f.Open();
    const int fit = f.Page()->Zoom();
    Part<QAction>(form, "ActZoomIn")->trigger();
    QVERIFY(Part<QAction>(form, "ActZoomIn")->isChecked());
    Part<QAction>(form, "ActZoomOut")->trigger();
    QVERIFY(!Part<QAction>(form, "ActZoomIn")->isChecked());
    QVERIFY(Part<QAction>(form, "ActZoomOut")->isChecked());
    QCOMPARE(form->PreviewCursor(), app::kZoomOutCursorSlot);
    Part<QAction>(form, "ActZoomOut")->trigger();
    QCOMPARE(form->PreviewCursor(), app::kDefaultCursorSlot);
    QVERIFY(!HasSlotCursor(f.Page(), app::kZoomOutCursorSlot));
    Part<QAction>(form, "ActZoomIn")->trigger();
    f.Click(Qt::LeftButton);
    f.Click(Qt::LeftButton);
    QCOMPARE(f.Page()->Zoom(), fit + 20);
    Part<QAction>(form, "ActZoomFit")->trigger();
    QCOMPARE(f.Page()->Zoom(), fit);
    QVERIFY(!Part<QAction>(form, "ActZoomIn")->isChecked());
    QCOMPARE(form->PreviewCursor(), app::kDefaultCursorSlot);
  }

  void ARightPressShowsTheHandOnlyOverAPageLargerThanTheView() {
    PrintFixture f;
    TfrmPrint* form = f.Open();
    f.Press(Qt::RightButton);
    QCOMPARE(form->PreviewCursor(), app::kDefaultCursorSlot);
    form->SetPreviewZoom(300);
    f.Press(Qt::RightButton);
    QCOMPARE(form->PreviewCursor(), app::kHandCursorSlot);
    QVERIFY(HasSlotCursor(f.Page(), app::kHandCursorSlot));
    Part<QAction>(form, "ActZoomFit")->trigger();
    f.Press(Qt::RightButton);
    QCOMPARE(form->PreviewCursor(), app::kDefaultCursorSlot);
    QVERIFY(HasSlotCursor(f.Page(), app::kDefaultCursorSlot));
  }

  // The drag runs in screen coordinates, while the page moves under the pointer.
  void AHandDragScrollsThePage() {
    PrintFixture f;
    TfrmPrint* form = f.Open();
    form->SetPreviewZoom(300);
    f.Press(Qt::RightButton);
    QCOMPARE(form->PreviewCursor(), app::kHandCursorSlot);
    QScrollBar* h = Part<QScrollArea>(form, "ScrollBox1")->horizontalScrollBar();
    QScrollBar* v = Part<QScrollArea>(form, "ScrollBox1")->verticalScrollBar();
    h->setValue(300);
    v->setValue(400);
    const QPoint start = f.Page()->mapToGlobal(QPoint(400, 600));
    const auto at = [&](QPoint screen) { return f.Page()->mapFromGlobal(screen); };
    QTest::mousePress(f.Page(), Qt::LeftButton, {}, at(start));
    QVERIFY(form->Panning());
    QTest::mouseMove(f.Page(), at(start - QPoint(40, 30)));
    QCOMPARE(h->value(), 340);
    QCOMPARE(v->value(), 430);
    QTest::mouseRelease(f.Page(), Qt::LeftButton, {}, at(start - QPoint(50, 10)));
    QCOMPARE(h->value(), 350);
    QCOMPARE(v->value(), 410);
    QVERIFY(!form->Panning());
    QTest::mouseMove(f.Page(), at(start - QPoint(100, 100)));
    QCOMPARE(h->value(), 350);
    QCOMPARE(f.Page()->Zoom(), 300);
  }

  void SetUpTakesThePrintersSheetForBothPagesAndMarksTheDocument() {
    PrintFixture f;
    TestPrinter printer(600, {5, 5, 5, 5});
    printer.Install();
    const std::vector<QRect> before = Bounds(f.seals);
    TfrmPrint* form = f.Open();
    f.doc.desk.setupPrinter = [](QPrinter& p) {
      p.setPageSize(QPageSize(QPageSize::A5));
      p.setPageOrientation(QPageLayout::Landscape);
      p.setPageMargins({12, 8, 12, 8}, QPageLayout::Millimeter);
      return true;
    };
    Part<QAction>(form, "FSetupAct")->trigger();
    QCOMPARE(f.doc.desk.printerSetups, 1);
    for (const TKivDrawPanel* page : std::initializer_list<const TKivDrawPanel*>{f.Page(), PageOf(f.w)}) {
      // Qt's paper sizes are whole points: A5 is 595 x 420 points, 209.9 x 148.2 mm.
      QVERIFY(std::abs(double(page->PageWidth()) - 210) < 0.2);
      QVERIFY(std::abs(double(page->PageHeight()) - 148) < 0.2);
      QVERIFY(std::abs(double(page->LeftMargin()) - 12) < 0.1);
      QCOMPARE(page->RightMargin(), page->LeftMargin());
      QVERIFY(std::abs(double(page->TopMargin()) - 8) < 0.1);
      QCOMPARE(page->BottomMargin(), page->TopMargin());
    }
    QVERIFY(f.w->Modified());
    QCOMPARE(f.doc.Panel(int(app::TStatusPanel::FileState)), QStringLiteral("文件状态：已修改"));
    // The document keeps its zoom; the preview fits the new sheet.
    QCOMPARE(PageOf(f.w)->Zoom(), 100);
    QCOMPARE(f.Page()->Zoom(), form->CalcFitZoom());
    for (const seal::TSeal* s : f.seals) QCOMPARE(s->Zoom(), f.Page()->Zoom());
    QVERIFY(Part<TKivStatusBar>(form, "KivStatusBar1")
                ->PanelText(0)
                .startsWith(QStringLiteral(" 当前纸张可打印区域[宽x高]：186mm x 132mm")));
    form->close();
    QCOMPARE(Bounds(f.seals), before);
  }

  void ACancelledSetUpChangesNothing() {
    PrintFixture f;
    TestPrinter printer;
    printer.Install();
    TfrmPrint* form = f.Open();
    const int zoom = f.Page()->Zoom();
    Part<QAction>(form, "FSetupAct")->trigger();
    QCOMPARE(f.doc.desk.printerSetups, 1);
    QVERIFY(!f.w->Modified());
    QCOMPARE(f.Page()->Zoom(), zoom);
    QVERIFY(f.doc.desk.messages.empty());
  }

  void WithoutAPrinterSetUpSaysSoAndTheSheetIsA4() {
    PrintFixture f;
    f.doc.desk.printers.clear();
    TfrmPrint* form = f.Open();
    const QString shown = Part<TKivStatusBar>(form, "KivStatusBar1")->PanelText(0);
    Part<QAction>(form, "FSetupAct")->trigger();
    QCOMPARE(f.doc.desk.printerSetups, 0);
    QCOMPARE(int(f.doc.desk.messages.size()), 1);
    QCOMPARE(f.doc.desk.messages[0].text, QStringLiteral("您的计算机没有安装\n打印机，不能设置！"));
    QCOMPARE(int(f.doc.desk.messages[0].kind), int(app::TMsgKind::Information));
    QCOMPARE(f.doc.desk.messages[0].buttons, app::TMsgButtons(app::mbOK));
    QVERIFY(!f.w->Modified());
    const app::TPrintPageGeometry sheet = form->GetPrinterPageGeometry();
    QCOMPARE(double(sheet.PageWidth), 210.0);
    QCOMPARE(double(sheet.PageHeight), 297.0);
    QCOMPARE(double(sheet.LeftMargin), 6.0);
    QCOMPARE(double(sheet.TopMargin), 6.0);
    QCOMPARE(Part<TKivStatusBar>(form, "KivStatusBar1")->PanelText(0), shown);
  }

  void WithAPrinterTheSheetIsWrittenToTheStatusBar() {
    PrintFixture f;
    TestPrinter printer(600, {20, 10, 5, 7});
    printer.Install();
    TfrmPrint* form = f.Open();
    const app::TPrintPageGeometry sheet = form->GetPrinterPageGeometry();
    QVERIFY(std::abs(double(sheet.PageWidth) - 210) < 0.2);
    // The page shows the printable area centred: (210 - 185) / 2 and (297 - 280) / 2.
    QVERIFY(std::abs(double(sheet.LeftMargin) - 12.5) < 0.1);
    QVERIFY(std::abs(double(sheet.TopMargin) - 8.5) < 0.1);
    QCOMPARE(Part<TKivStatusBar>(form, "KivStatusBar1")->PanelText(0),
             QStringLiteral("当前纸张打印区域大小[宽x高]：185mm x 280 mm"));
  }

  void ClosingGivesTheSealsBackWithTheFrameOnTop() {
    PrintFixture f(150);
    f.w->SetSelection({f.seals[0], f.seals[2]});
    QVERIFY(f.w->SelectFrame());
    const std::vector<QRect> before = Bounds(f.seals);
    TfrmPrint* form = f.Open();
    form->SetPreviewZoom(40);
    QVERIFY(f.seals[0]->parentWidget() != PageOf(f.w));
    Part<QAction>(form, "FExitAct")->trigger();
    QVERIFY(!form->isVisible());
    for (const seal::TSeal* s : f.seals) {
      QCOMPARE(s->parentWidget(), PageOf(f.w));
      QCOMPARE(s->Zoom(), 150);
      QVERIFY(s->isEnabled());
      QVERIFY(s->isVisible());
      QVERIFY(StackIndex(f.w->SelectFrame()) > StackIndex(s));
    }
    QCOMPARE(Bounds(f.seals), before);
    // In their order, which is the drawing order.
    QVERIFY(StackIndex(f.seals[0]) < StackIndex(f.seals[1]) && StackIndex(f.seals[1]) < StackIndex(f.seals[2]));
    // A window freed without closing gives them back too.
    f.Open();
    f.form.reset();
    for (const seal::TSeal* s : f.seals) QCOMPARE(s->parentWidget(), PageOf(f.w));
  }

  void APrintManagerClickClosesNothing() {
    PrintFixture f;
    TfrmPrint* form = f.Open();
    f.Click(Qt::LeftButton);
    QTest::mouseClick(Part<QScrollArea>(form, "ScrollBox1")->viewport(), Qt::LeftButton, {}, QPoint(1, 1));
    QVERIFY(form->isVisible());
    Part<QAction>(form, "CloseForm")->trigger();
    QVERIFY(form->isVisible());
  }

  void PreviewOnlyIsBorderlessAndHasNothingToPrintFrom() {
    PrintFixture f;
    TfrmPrint* form = f.Open(true);
    QVERIFY(form->PreviewOnly());
    QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!Part<QWidget>(form, "CoolBar1")->isVisible());
    QVERIFY(!Part<TKivStatusBar>(form, "KivStatusBar1")->isVisible());
    QVERIFY(!Part<QMenuBar>(form, "MainMenu1")->isVisible());
    QVERIFY(!Part<QAction>(form, "FPrintAct")->isEnabled());
    QVERIFY(!Part<QAction>(form, "FSetupAct")->isEnabled());
    QVERIFY(Part<QAction>(form, "ActZoomFit")->isEnabled());
    QCOMPARE(Part<TKivFlatPanel>(form, "KivFlatPanel1")->ColorA(), platform::clBlack);
  }

  void PreviewOnlyClosesOnAnyClick_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("button");
    QTest::newRow("left on the page") << "page" << int(Qt::LeftButton);
    QTest::newRow("right on the page") << "page" << int(Qt::RightButton);
    QTest::newRow("left on a seal") << "seal" << int(Qt::LeftButton);
    QTest::newRow("middle on a seal") << "seal" << int(Qt::MiddleButton);
    QTest::newRow("left around the page") << "around" << int(Qt::LeftButton);
  }
  void PreviewOnlyClosesOnAnyClick() {
    QFETCH(QString, where);
    QFETCH(int, button);
    PrintFixture f;
    TfrmPrint* form = f.Open(true);
    if (where == "page") f.Click(Qt::MouseButton(button));
    if (where == "around")
      QTest::mouseClick(Part<QScrollArea>(form, "ScrollBox1")->viewport(), Qt::MouseButton(button), {}, QPoint(1, 1));
    if (where == "seal") {
      // Through the window, as the pointer would: the element under it is disabled.
      const QPoint centre = f.seals[1]->mapTo(form, f.seals[1]->rect().center());
      QCOMPARE(form->childAt(centre), f.seals[1]);
      QTest::mouseClick(form->windowHandle(), Qt::MouseButton(button), {}, centre);
    }
    QVERIFY(!form->isVisible());
    QCOMPARE(f.seals[1]->parentWidget(), PageOf(f.w));
  }
};

QTEST_MAIN(PrintWindowTest)
#include "window_test.moc"
