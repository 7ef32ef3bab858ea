#include <QEnterEvent>

#include "services/addresses.h"
#include "mainfixture.h"
#include "tools/drawtools.h"
#include "tools/frmdrawtools.h"
#include "services/resources.h"
#include "startup/startup.h"

namespace {

struct ButtonRow {
  int button;  // ToolButton1 to ToolButton24
  int toolBar;
  const char* tool;
  int toolTag;  // 0: a command, a plain button
  const char* templ;
  int templTag;
};

const ButtonRow kButtons[] = {
    {1, 1, "actDrawHorzLine", 1, "actDrawGZh", 17},
    {2, 1, "actDrawVertLine", 2, "actDrawYCW", 18},
    {3, 1, "actDrawAnyLine", 3, "actDrawYZLA", 19},
    {4, 1, "actDrawArc", 4, "actDrawYZLB", 20},
    {5, 2, "actDrawEllipseFrame", 5, "actDrawEllipse", 21},
    {6, 2, "actDrawRect", 6, "actDrawFPZYZ", 22},
    {7, 2, "actDrawRoundRect", 7, "actDrawTYZLA", 23},
    {8, 2, "actDrawDiamond", 8, "actDrawTYZLB", 24},
    {9, 2, "actDrawTriangle", 9, "actDrawFCW", 25},
    {10, 2, "actDrawRhombFrame", 10, "actDrawZZS", 26},
    {11, 3, "actDrawHorzText", 11, "actDrawFZLA", 27},
    {12, 3, "actDrawEllipseText", 12, "actDrawFZLB", 28},
    {13, 3, "actDrawAnyText", 13, "actDrawRhomb", 29},
    {14, 3, "actDrawFiveStar", 14, "actDrawSJ", 30},
    {15, 3, "actDrawCell", 15, "actDraw22MZ", 31},
    {16, 3, "actDrawImage", 16, "actDraw3ZFZ", 32},
    {17, 4, "actScrollPage", 42, "actDraw3ZFZA", 33},
    {18, 4, "actPageZoomIn", 43, "actDraw2ZFZ", 34},
    {19, 4, "actPageZoomOut", 44, "actDraw3ZFZB", 35},
    {20, 4, "actPageZoom", 0, "actDraw3ZFZC", 36},
    {21, 4, "actBringToFront", 0, "actDraw2ZFZA", 37},
    {22, 4, "actSendToBack", 0, "actDraw3ZBMZ", 38},
    {23, 4, "actSameCenter", 0, "actDraw2ZBMZ", 39},
    {24, 4, "actChangePicture", 0, "actDraw4ZBMZ", 40},
};

// A shown main window with its palette, as start-up leaves them.
struct PaletteFixture : MainFixture {
  TFrmDrawTools* palette;
  explicit PaletteFixture(int pixelsPerInch = 96) {
    palette = main->CreateDrawTools(pixelsPerInch);
    palette->show();
    if (!QTest::qWaitForWindowExposed(palette)) qWarning("palette not exposed");
  }
  QToolButton* Button(int n) const { return Part<TPaletteButton>(palette, QStringLiteral("ToolButton%1").arg(n)); }
  void Switch() { QTest::mouseClick(Part<TPaletteButton>(palette, "ToolButton25"), Qt::LeftButton); }
};

bool SamePicture(const QPixmap& a, const QPixmap& b) { return a.toImage() == b.toImage(); }

void CheckSet(PaletteFixture& f, bool templates) {
  QCOMPARE(f.palette->ShowsTemplates(), templates);
  QCOMPARE(Part<TPaletteButton>(f.palette, "ToolButton25")->isChecked(), templates);
  for (const ButtonRow& row : kButtons) {
    const QByteArray where = QByteArray::number(row.button) + (templates ? " templates" : " tools");
    QToolButton* b = f.Button(row.button);
    const char* name = templates ? row.templ : row.tool;
    const int tag = templates ? row.templTag : row.toolTag;
    QVERIFY2(b->defaultAction() == f.Tool(name), where);
    QVERIFY2(app::ToolTag(b->defaultAction()) == tag, where);
    // Tools are check-style buttons, commands plain ones.
    QVERIFY2(b->isCheckable() == (tag != 0), where);
    // A button keeps no action of the other set, which it would offer as a pop-up menu.
    QVERIFY2(b->actions().size() == 1, where);
    QVERIFY2(b->toolTip() == b->defaultAction()->toolTip(), where);
    QVERIFY2(b->icon().pixmap(24, 24).size() == QSize(24, 24), where);
  }
}

QImage Picture(const QIcon& icon) { return icon.pixmap(24, 24).toImage(); }

// What a plain tool button like this one, showing that image, paints under the mouse.
QImage PaintedUnderTheMouse(const QToolButton* like, const QIcon& image) {
  QToolButton plain(like->parentWidget());
  plain.hide();
  plain.setAutoRaise(like->autoRaise());
  plain.setToolButtonStyle(like->toolButtonStyle());
  plain.setIconSize(like->iconSize());
  plain.setCheckable(like->isCheckable());
  plain.setChecked(like->isChecked());
  plain.setIcon(image);
  plain.resize(like->size());
  plain.setAttribute(Qt::WA_UnderMouse, true);
  return plain.grab().toImage();
}

}  // namespace

class PaletteTest : public QObject {
  Q_OBJECT

 private slots:
  void ButtonTables() {
    PaletteFixture f;
    for (const ButtonRow& row : kButtons) {
      QToolButton* b = f.Button(row.button);
      const QByteArray where = QByteArray::number(row.button);
      QVERIFY2(b->objectName() == QStringLiteral("ToolButton%1").arg(row.button), where);
      QVERIFY2(b->parentWidget() == Part<QWidget>(f.palette, QStringLiteral("ToolBar%1").arg(row.toolBar)), where);
      QVERIFY2(b->width() == 26, where);
      QVERIFY2(b->autoRaise(), where);
    }
    // Two buttons to a row: odd buttons on the left, even ones beside them.
    QCOMPARE(f.Button(1)->geometry(), QRect(0, 0, 26, 26));
    QCOMPARE(f.Button(2)->geometry(), QRect(26, 0, 26, 26));
    QCOMPARE(f.Button(24)->geometry(), QRect(26, 78, 26, 26));
    // Every tool, template and command of the palette has a picture of its own.
    std::vector<QImage> pictures;
    for (const ButtonRow& row : kButtons)
      for (const char* name : {row.tool, row.templ}) {
        const QImage picture = Picture(f.Tool(name)->icon());
        QVERIFY2(!picture.isNull(), name);
        QVERIFY2(std::find(pictures.begin(), pictures.end(), picture) == pictures.end(), name);
        pictures.push_back(picture);
      }
    CheckSet(f, false);
    f.Switch();
    CheckSet(f, true);
    f.Switch();
    CheckSet(f, false);
  }

  void MarginsFollowThePixelsPerInch_data() {
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("margin");
    QTest::newRow("96") << 96 << 3;
    QTest::newRow("120") << 120 << 3;
    QTest::newRow("144") << 144 << 4;
    QTest::newRow("192") << 192 << 6;
  }
  void MarginsFollowThePixelsPerInch() {
    QFETCH(int, ppi);
    QFETCH(int, margin);
    PaletteFixture f(ppi);
    TFrmDrawTools* p = f.palette;
    QCOMPARE(p->PixelsPerInch(), ppi);
    QCOMPARE(Part<TImageEx>(p, "ImageEx1")->geometry(), QRect(0, 0, 52 + 2 * margin, 23));
    QCOMPARE(Part<QWidget>(p, "Panel1")->geometry().topLeft(), QPoint(margin, 23 + margin));
    QCOMPARE(Part<QWidget>(p, "Panel1")->width(), 52);
    QCOMPARE(p->width(), 52 + 2 * margin);
    // Rows of 26 pixels: 2, 3, 3 and 4 rows, then the swatch bar (32 + 2 × 2) and the switch.
    const int tops[] = {0, 52, 130, 208, 312, 348};
    for (int i = 0; i < 6; ++i) QCOMPARE(Part<QWidget>(p, QStringLiteral("ToolBar%1").arg(i + 1))->y(), tops[i]);
    QCOMPARE(Part<QWidget>(p, "Panel2")->geometry(), QRect(2, 2, 48, 32));
    QCOMPARE(Part<QLabel>(p, "Image4")->geometry(), QRect(0, 0, 6, 32));
    QCOMPARE(Part<TShape>(p, "Shape1")->geometry(), QRect(6 + 2 * margin, 0, 48 - 6 - 2 * margin, 32));
    QCOMPARE(Part<TPaletteButton>(p, "ToolButton25")->geometry(), QRect(0, 0, 52, 24));
    QCOMPARE(Part<QWidget>(p, "Panel1")->height(), 348 + 24 + 1);
    QCOMPARE(p->height(), 23 + margin + 373);
  }

  void ToolWindowUnderTheCoolBar() {
    PaletteFixture f;
    const Qt::WindowFlags flags = f.palette->windowFlags();
    QVERIFY((flags & Qt::WindowType_Mask) == Qt::Tool);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint)));
    QTRY_COMPARE(f.palette->pos(), Part<QWidget>(f.main.get(), "CoolBar1")
                                       ->mapToGlobal(QPoint(0, Part<QWidget>(f.main.get(), "CoolBar1")->height())));
    QCOMPARE(f.palette->parentWidget(), f.main.get());
  }

  void ArmedTemplateSurvivesTheSwitch() {
    PaletteFixture f;
    TfrmChild* w = f.NewDocument();
    f.Switch();
    QTest::mouseClick(f.Button(1), Qt::LeftButton);
    QVERIFY(f.main->CurrentDrawAction() == f.Tool("actDrawGZh"));
    QVERIFY(f.Button(1)->isChecked());
    f.Switch();
    QVERIFY(!f.Button(1)->isChecked());
    QVERIFY(f.main->CurrentDrawAction() == f.Tool("actDrawGZh"));
    QTest::mouseClick(PageOf(w), Qt::LeftButton, {}, QPoint(200, 200));
    QCOMPARE(w->Seals().size(), size_t(1));
    QCOMPARE(w->Seals()[0]->SealType(), seal::stEllipse);
    QVERIFY(w->Seals()[0]->HaveImage() && w->Seals()[0]->ImageIsStar());
    QVERIFY(f.main->CurrentDrawAction() == nullptr);
  }

  void ArmedToolShowsPressedInEitherSet() {
    PaletteFixture f;
    f.NewDocument();
    QTest::mouseClick(f.Button(18), Qt::LeftButton);
    QVERIFY(f.main->CurrentDrawAction() == f.Tool("actPageZoomIn"));
    QVERIFY(f.Button(18)->isChecked());
    f.Switch();
    for (int n = 1; n <= 24; ++n) QVERIFY(!f.Button(n)->isChecked());
    f.Switch();
    QVERIFY(f.Button(18)->isChecked());
    // Pressing it again disarms it.
    QTest::mouseClick(f.Button(18), Qt::LeftButton);
    QVERIFY(f.main->CurrentDrawAction() == nullptr);
    QVERIFY(!f.Button(18)->isChecked());
  }

  void SwatchHoldsTheCurrentColour() {
    PaletteFixture f;
    QCOMPARE(Part<TShape>(f.palette, "Shape1")->BrushColor(), platform::clRed);
    QCOMPARE(f.main->CurrentColor(), platform::clRed);
    f.main->SetCurrentColor(0x00A000);
    QCOMPARE(Part<TShape>(f.palette, "Shape1")->BrushColor(), platform::TColor(0x00A000));
    Part<TShape>(f.palette, "Shape1")->SetBrushColor(0x123456);
    QCOMPARE(f.main->CurrentColor(), platform::TColor(0x123456));
    const QImage shown = Part<TShape>(f.palette, "Shape1")->grab().toImage();
    QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), platform::ToQColor(0x123456));
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::black));
    // A new element takes the swatch's colour.
    TfrmChild* w = f.NewDocument();
    f.Arm("actDrawRect");
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 100, 100);
    QCOMPARE(w->Seals().size(), size_t(1));
    QCOMPARE(w->Seals()[0]->PenColor(), platform::TColor(0x123456));
  }

  void MainWindowWithoutPaletteKeepsTheColour() {
    MainFixture f;
    f.main->SetCurrentColor(0x445566);
    QCOMPARE(f.main->CurrentColor(), platform::TColor(0x445566));
    // The palette starts red and holds the colour from then on; freeing it leaves the main
    // window with a colour of its own again.
    auto* palette = f.main->CreateDrawTools(96);
    QCOMPARE(f.main->CurrentColor(), platform::clRed);
    delete palette;
    QVERIFY(Part<TFrmDrawTools>(f.main.get(), "FrmDrawTools") == nullptr);
    QCOMPARE(f.main->CurrentColor(), platform::TColor(0x445566));
  }

  void AnyButtonOnTheSwatchRunsTheColourCommand() {
    PaletteFixture f;
    // Without a document the colour command does nothing.
    QTest::mousePress(Part<TShape>(f.palette, "Shape1"), Qt::LeftButton);
    QCOMPARE(Part<TShape>(f.palette, "Shape1")->BrushColor(), platform::clRed);
    QAction* setColor = f.main->Action(QStringLiteral("actEditSetColor"));
    QVERIFY(setColor);
    int runs = 0;
    connect(setColor, &QAction::triggered, [&runs] { ++runs; });
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
      QTest::mousePress(Part<TShape>(f.palette, "Shape1"), button);
      QTest::mouseRelease(Part<TShape>(f.palette, "Shape1"), button);
    }
    QCOMPARE(runs, 3);
  }

  void LogoLightsUpAndOpensTheHomePage() {
    PaletteFixture f;
    TImageEx* logo = Part<TImageEx>(f.palette, "ImageEx1");
    QVERIFY(SamePicture(logo->pixmap(), app::PaletteBitmap(QStringLiteral("T2"))));
    QVERIFY(SamePicture(Part<QLabel>(f.palette, "Image4")->pixmap(), app::PaletteBitmap(QStringLiteral("C1"))));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), logo->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(logo, &enter);
    QVERIFY(SamePicture(logo->pixmap(), app::PaletteBitmap(QStringLiteral("T1"))));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(logo, &leave);
    QVERIFY(SamePicture(logo->pixmap(), app::PaletteBitmap(QStringLiteral("T2"))));
    QCOMPARE(logo->toolTip(), QStringLiteral("访问作者主页\r\n查看产品信息"));
    QCOMPARE(logo->cursor().shape(), Qt::PointingHandCursor);
    f.desk.urls.clear();
    // The click runs the main window's home-page command.
    int runs = 0;
    connect(f.Tool("actGoHomePage"), &QAction::triggered, [&runs] { ++runs; });
    QTest::mouseClick(logo, Qt::LeftButton, {}, logo->rect().center());
    QCOMPARE(runs, 1);
    QCOMPARE(f.desk.urls, QStringList{QString::fromUtf8(app::kHomePageAddress)});
    // A right click is no click.
    QTest::mouseClick(logo, Qt::RightButton, {}, logo->rect().center());
    QCOMPARE(f.desk.urls.size(), 1);
  }

  // Under the mouse the tool set shows its hot images; the templates have none.
  void HotImagesOnlyWithTheToolSet() {
    PaletteFixture f;
    const auto check = [&f](bool templates) {
      for (const ButtonRow& row : kButtons) {
        TPaletteButton* b = Part<TPaletteButton>(f.palette, QStringLiteral("ToolButton%1").arg(row.button));
        const QByteArray where = QByteArray::number(row.button) + (templates ? " templates" : " tools");
        QVERIFY2(b->HasHotImages() == !templates, where);
        const QImage shown = Picture(b->HotImage());
        const QImage own = Picture(b->defaultAction()->icon());
        if (templates) {
          QVERIFY2(shown == own, where);
        } else {
          QVERIFY2(shown == Picture(app::HotToolImage(QString::fromUtf8(row.tool))), where);
          QVERIFY2(shown != own, where);
        }
      }
    };
    check(false);
    // Under the mouse a tool button paints its tool's hot image, a template button its own
    // image: as a plain button of that image under the mouse paints.
    TPaletteButton* line = Part<TPaletteButton>(f.palette, QStringLiteral("ToolButton%1").arg(1));
    line->setAttribute(Qt::WA_UnderMouse, true);
    QCOMPARE(line->grab().toImage(), PaintedUnderTheMouse(line, app::HotToolImage(QStringLiteral("actDrawHorzLine"))));
    QVERIFY(line->grab().toImage() != PaintedUnderTheMouse(line, line->icon()));
    f.Switch();
    check(true);
    QCOMPARE(line->grab().toImage(), PaintedUnderTheMouse(line, line->icon()));
    line->setAttribute(Qt::WA_UnderMouse, false);
    f.Switch();
    check(false);
    // The switch button has a hot image of its own in either state.
    QVERIFY(Part<TPaletteButton>(f.palette, "ToolButton25")->HasHotImages());
    QVERIFY(Picture(Part<TPaletteButton>(f.palette, "ToolButton25")->HotImage()) !=
            Picture(Part<TPaletteButton>(f.palette, "ToolButton25")->icon()));
  }

  void Bitmaps() {
    struct Row {
      const char* name;
      QSize size;
    };
    for (const Row& row : {Row{"T1", {60, 23}}, Row{"T2", {60, 23}}, Row{"C1", {6, 32}}}) {
      const QPixmap p = app::PaletteBitmap(QString::fromUtf8(row.name));
      QCOMPARE(p.size(), row.size);
      QVERIFY(!p.hasAlphaChannel());
    }
    QVERIFY(!SamePicture(app::PaletteBitmap(QStringLiteral("T1")), app::PaletteBitmap(QStringLiteral("T2"))));
    QVERIFY(app::PaletteBitmap(QStringLiteral("T3")).isNull());
  }

  void StartUpCreatesThePaletteAndTheFirstShowShowsIt() {
    FakeDesktop desk;
    std::unique_ptr<TfrmMain> main = StartProgram();
    TFrmDrawTools* palette = Part<TFrmDrawTools>(main.get(), "FrmDrawTools");
    QVERIFY(palette != nullptr);
    QVERIFY(!palette->isVisible());
    QVERIFY(!palette->ShowsTemplates());
    main->resize(1024, 768);
    main->show();
    QVERIFY(palette->isVisible());
    QTRY_COMPARE(
        palette->pos(),
        Part<QWidget>(main.get(), "CoolBar1")->mapToGlobal(QPoint(0, Part<QWidget>(main.get(), "CoolBar1")->height())));
    main.reset();
  }
};

QTEST_MAIN(PaletteTest)
#include "palette_test.moc"
