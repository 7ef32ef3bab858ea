// The View menu and the Help menu's links on the shown main window: the show and hide
// commands and their captions, the zoom commands and the zoom box, the Chinese-only font
// list, the wallpaper, the mail and home-page links.
#include <QAbstractItemView>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>

#include "mainfixture.h"
#include "mainwindow/mainform_view.h"
#include "property/proprty.h"
#include "services/addresses.h"
#include "services/picturefiles.h"

using seal::TSeal;

namespace {

void Trigger(MainFixture& f, const char* name) { f.main->Action(QString::fromUtf8(name))->trigger(); }
QString Caption(MainFixture& f, const char* name) { return f.main->Action(QString::fromUtf8(name))->text(); }

// The View menu opens as the user opens it, and closes again.
void OpenViewMenu(MainFixture& f) {
  QMenu* view = f.main->menuBar()->findChild<QMenu*>(QStringLiteral("View"));
  QVERIFY(view);
  view->popup(f.main->mapToGlobal(QPoint(10, 10)));
  view->hide();
}

int Zoom(TfrmChild* w) { return PageOf(w)->Zoom(); }

// The zoom box's edit field, where the user types.
QLineEdit* ZoomEdit(MainFixture& f) { return Part<QComboBox>(f.main.get(), "DispComboBox")->lineEdit(); }

void TypeIntoZoomBox(MainFixture& f, const QString& text) {
  QLineEdit* edit = ZoomEdit(f);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items.append(box->itemText(i));
  return items;
}

}  // namespace

class ViewCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void DesignCaptionsHoldUntilTheFirstSwitch() {
    MainFixture f;
    QCOMPARE(Caption(f, "actViewOpenDrawTools"), QStringLiteral("隐藏绘图工具(&D)"));
    QCOMPARE(Caption(f, "actViewOpenOrClosefrmProp"), QStringLiteral("隐藏属性窗口(&P)"));
    QCOMPARE(Caption(f, "actViewOpenOrCloseToolBar"), QStringLiteral("隐藏工具栏(&T)"));
    QCOMPARE(Caption(f, "actViewOpenOrCloseStatusBar"), QStringLiteral("隐藏状态栏(&S)"));
    QCOMPARE(Caption(f, "actViewOpenOrCloseGrid"), QStringLiteral("隐藏网格(&G)"));
    QCOMPARE(f.main->Action(QStringLiteral("actViewZoomIn"))->shortcut(), QKeySequence(Qt::Key_PageUp));
    QCOMPARE(f.main->Action(QStringLiteral("actViewZoomNormal"))->shortcut(), QKeySequence(Qt::Key_End));
    QCOMPARE(f.main->Action(QStringLiteral("actViewZoomOut"))->shortcut(), QKeySequence(Qt::Key_PageDown));
  }

  // The tool bar and status bar commands rename themselves at once.
  void BarsToggleAndRenameAtOnce_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("hidden");
    QTest::newRow("tool bar") << "actViewOpenOrCloseToolBar"
                              << "CoolBar1" << QStringLiteral("隐藏工具栏") << QStringLiteral("显示工具栏");
    QTest::newRow("status bar") << "actViewOpenOrCloseStatusBar"
                                << "KivStatusBar1" << QStringLiteral("隐藏状态栏") << QStringLiteral("显示状态栏");
  }
  void BarsToggleAndRenameAtOnce() {
    QFETCH(QString, action);
    QFETCH(QString, bar);
    QFETCH(QString, shown);
    QFETCH(QString, hidden);
    MainFixture f;
    QWidget* w = f.main->findChild<QWidget*>(bar);
    QVERIFY(w && w->isVisible());
    const QByteArray name = action.toUtf8();
    Trigger(f, name.constData());
    QVERIFY(!w->isVisible());
    QCOMPARE(Caption(f, name.constData()), hidden);
    Trigger(f, name.constData());
    QVERIFY(w->isVisible());
    QCOMPARE(Caption(f, name.constData()), shown);
    // The View menu leaves them as they are.
    Trigger(f, name.constData());
    OpenViewMenu(f);
    QCOMPARE(Caption(f, name.constData()), hidden);
  }

  // The grid and property window captions follow only when the View menu opens.
  void GridAndPropertyCaptionsFollowAsTheMenuOpens() {
    MainFixture f;
    OpenViewMenu(f);
    QCOMPARE(Caption(f, "actViewOpenOrCloseGrid"), QStringLiteral("隐藏网格(&G)"));  // no document
    QCOMPARE(Caption(f, "actViewOpenOrClosefrmProp"), QStringLiteral("开启属性窗口"));
    TfrmChild* w = f.NewDocument();
    QVERIFY(PageOf(w)->Grid());
    QCOMPARE(Caption(f, "actViewOpenOrClosefrmProp"), QStringLiteral("开启属性窗口"));
    OpenViewMenu(f);
    QCOMPARE(Caption(f, "actViewOpenOrClosefrmProp"), QStringLiteral("关闭属性窗口"));
    Trigger(f, "actViewOpenOrCloseGrid");
    QVERIFY(!PageOf(w)->Grid());
    QCOMPARE(Caption(f, "actViewOpenOrCloseGrid"), QStringLiteral("隐藏网格(&G)"));
    OpenViewMenu(f);
    QCOMPARE(Caption(f, "actViewOpenOrCloseGrid"), QStringLiteral("显示网格(&G)"));
    QVERIFY(!w->Modified());
    // Each document has a grid of its own; the caption follows the active one.
    TfrmChild* other = f.NewDocument();
    OpenViewMenu(f);
    QCOMPARE(Caption(f, "actViewOpenOrCloseGrid"), QStringLiteral("隐藏网格(&G)"));
    Trigger(f, "actViewOpenOrCloseGrid");
    QVERIFY(!PageOf(other)->Grid());
    Trigger(f, "actViewOpenOrCloseGrid");
    QVERIFY(PageOf(other)->Grid());
    QVERIFY(!PageOf(w)->Grid());
  }

  void ZoomCommandsStepAndStop_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("steps");  // how many change the zoom before it stops
    QTest::addColumn<int>("last");
    QTest::newRow("in from 100") << 100 << "actViewZoomIn" << 50 << 600;
    QTest::newRow("in from 25") << 25 << "actViewZoomIn" << 58 << 605;
    QTest::newRow("in at 600") << 600 << "actViewZoomIn" << 0 << 600;
    QTest::newRow("out from 50") << 50 << "actViewZoomOut" << 3 << 20;
    QTest::newRow("out from 600") << 600 << "actViewZoomOut" << 58 << 20;
    QTest::newRow("out at 25") << 25 << "actViewZoomOut" << 0 << 25;
    QTest::newRow("normal from 605") << 605 << "actViewZoomNormal" << 1 << 100;
    QTest::newRow("normal at 100") << 100 << "actViewZoomNormal" << 0 << 100;
    QTest::newRow("palette's normal from 20") << 20 << "actPageZoom" << 1 << 100;
  }
  void ZoomCommandsStepAndStop() {
    QFETCH(int, start);
    QFETCH(QString, command);
    QFETCH(int, steps);
    QFETCH(int, last);
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = AddSeal(w, 50, 50);
    w->ApplyZoom(uint16_t(start));
    const QByteArray name = command.toUtf8();
    int previous = start;
    for (int i = 0; i < steps; ++i) {
      Trigger(f, name.constData());
      QVERIFY(Zoom(w) != previous);
      if (command != QLatin1String("actViewZoomNormal") && command != QLatin1String("actPageZoom"))
        QCOMPARE(std::abs(Zoom(w) - previous), 10);
      previous = Zoom(w);
      QCOMPARE(Part<QComboBox>(f.main.get(), "DispComboBox")->currentText(),
               QString::number(previous) + QLatin1Char('%'));
    }
    QCOMPARE(Zoom(w), last);
    QCOMPARE(s->Zoom(), last);
    // Once stopped, nothing changes, not even the box's text.
    Part<QComboBox>(f.main.get(), "DispComboBox")->setEditText(QStringLiteral("xyz"));
    Trigger(f, name.constData());
    QCOMPARE(Zoom(w), last);
    QCOMPARE(Part<QComboBox>(f.main.get(), "DispComboBox")->currentText(), QStringLiteral("xyz"));
    QVERIFY(!w->Modified());
  }

  void WithoutADocumentTheViewCommandsDoNothing() {
    MainFixture f;
    Part<QComboBox>(f.main.get(), "DispComboBox")->setEditText(QStringLiteral("77%"));
    for (const char* name : {"actViewZoomIn", "actViewZoomNormal", "actViewZoomOut", "actPageZoom",
                             "actViewOpenOrCloseGrid", "actViewZoomAll"})
      Trigger(f, name);
    TypeIntoZoomBox(f, QStringLiteral("abc"));
    QTest::keyClick(ZoomEdit(f), Qt::Key_Return);
    emit Part<QComboBox>(f.main.get(), "DispComboBox")->activated(2);
    QVERIFY(f.asked.empty());
    QCOMPARE(Part<QComboBox>(f.main.get(), "DispComboBox")->currentText(), QStringLiteral("abc"));
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：无文件"));
  }

  void ZoomBoxAppliesWhatIsPickedOrTyped() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    QComboBox* box = Part<QComboBox>(f.main.get(), "DispComboBox");
    // Picking "50%" from the list.
    box->setCurrentIndex(1);
    QCOMPARE(box->currentText(), QStringLiteral("50%"));
    emit box->activated(1);
    QCOMPARE(Zoom(w), 50);
    // Typing 150: nothing while the digits come, 150 on Enter.
    TypeIntoZoomBox(f, QStringLiteral("150"));
    QCOMPARE(Zoom(w), 50);
    QTest::keyClick(ZoomEdit(f), Qt::Key_Return);
    QCOMPARE(Zoom(w), 150);
    QCOMPARE(box->currentText(), QStringLiteral("150%"));
    QCOMPARE(box->count(), 24);  // Enter adds no item
    // Typed with its "%", and applied on leaving the box.
    TypeIntoZoomBox(f, QStringLiteral("80%"));
    Part<QComboBox>(f.main.get(), "FontComboBox")->setFocus();
    QTRY_COMPARE(Zoom(w), 80);
    QVERIFY(f.asked.empty());
    QVERIFY(!w->Modified());
  }

  void ZoomBoxRefusesWhatNoCommandReaches_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("letters") << "abc";
    QTest::newRow("too large") << "5000";
    QTest::newRow("below the commands' least") << "19%";
    QTest::newRow("above their most") << "606";
    QTest::newRow("a fraction") << "12.5%";
    QTest::newRow("a percent sign alone") << "%";
  }
  void ZoomBoxRefusesWhatNoCommandReaches() {
    QFETCH(QString, typed);
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    w->ApplyZoom(75);
    TypeIntoZoomBox(f, typed);
    QTest::keyClick(ZoomEdit(f), Qt::Key_Return);
    QCOMPARE(Zoom(w), 75);
    QCOMPARE(Part<QComboBox>(f.main.get(), "DispComboBox")->currentText(), QStringLiteral("75%"));
    QCOMPARE(f.asked.size(), size_t(1));
    QCOMPARE(f.asked[0].kind, app::TMsgKind::Warning);
    QVERIFY(f.asked[0].text.contains(typed));
    QVERIFY(f.asked[0].text.contains(QStringLiteral("20% 到 605%")));
  }

  void ZoomTextRule() {
    struct Row {
      const char* text;
      int zoom;  // 0: none
    };
    for (const Row& r : {Row{"20", 20}, Row{"605%", 605}, Row{" 150% ", 150}, Row{"100", 100}, Row{"150%%", 0},
                         Row{"", 0}, Row{"-50", 0}, Row{"1e2", 0}, Row{"65536", 0}, Row{"50 %", 50}}) {
      const std::optional<uint16_t> z = app::ZoomFromText(QString::fromUtf8(r.text));
      QVERIFY2(z.value_or(0) == r.zoom, r.text);
    }
  }

  void ChineseOnlyFontList() {
    MainFixture f;
    QComboBox* fonts = Part<QComboBox>(f.main.get(), "FontComboBox");
    QCheckBox* only = Part<QCheckBox>(f.main.get(), "CheckBox4");
    const QStringList chinese{QStringLiteral("宋体"), QStringLiteral("楷体"), QStringLiteral("黑体")};
    QStringList all = app::Services().ScreenFontNames();
    all.sort();
    QVERIFY(only->isChecked());
    QCOMPARE(Items(fonts), chinese);
    QCOMPARE(only->toolTip(), QStringLiteral("显示所有字体"));
    QTest::mouseClick(only, Qt::LeftButton, {}, QPoint(4, only->height() / 2));
    QVERIFY(!only->isChecked());
    QCOMPARE(Items(fonts), all);
    QCOMPARE(only->toolTip(), QStringLiteral("仅显示中文字体"));
    QCOMPARE(only->statusTip(), QStringLiteral("仅显示中文字体"));
    QCOMPARE(fonts->currentText(), QStringLiteral("宋体"));
    // A face that the filter leaves out stays in the box.
    fonts->setCurrentIndex(fonts->findText(QStringLiteral("DejaVu Sans")));
    QTest::mouseClick(only, Qt::LeftButton, {}, QPoint(4, only->height() / 2));
    QCOMPARE(Items(fonts), chinese);
    QCOMPARE(only->toolTip(), QStringLiteral("显示所有字体"));
    QCOMPARE(fonts->currentText(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(f.main->FontBoxText(), QStringLiteral("DejaVu Sans"));
  }

  // The font list drops down as wide as its longest name, whatever the box's width: no
  // name shows cut short, with the Chinese-only filter on or off.
  void TheFontListIsAsWideAsItsLongestName() {
    MainFixture f;
    app::Services().ScreenFontNames = [] {
      return QStringList{QStringLiteral("宋体"), QStringLiteral("WenQuanYi Zen Hei Sharp"),
                         QStringLiteral("AR PL UMing TW MBE"), QStringLiteral("方正小标宋简体（长名字体）")};
    };
    QComboBox* fonts = Part<QComboBox>(f.main.get(), "FontComboBox");
    QCheckBox* only = Part<QCheckBox>(f.main.get(), "CheckBox4");
    for (const bool chineseOnly : {false, true}) {
      only->click();
      QCOMPARE(only->isChecked(), chineseOnly);
      fonts->showPopup();
      const QAbstractItemView* list = fonts->view();
      QTRY_VERIFY(list->isVisible());
      for (int i = 0; i < fonts->count(); ++i) {
        const QRect item = list->visualRect(list->model()->index(i, 0));
        QVERIFY2(item.width() >= list->fontMetrics().horizontalAdvance(fonts->itemText(i)) + 4,
                 qPrintable(fonts->itemText(i)));
      }
      QVERIFY(list->width() > fonts->width());
      fonts->hidePopup();
    }
  }

  void WallpaperIsStoredOnlyWhenItsFileExists() {
    QString chosen;
    QSize size(37, 23);
    {
      MainFixture f;
      const platform::TBitmap* before = Part<TMdiClient>(f.main.get(), "ClientWindow")->Wallpaper();
      // Cancelled, and a file that is not there: nothing changes.
      Trigger(f, "actHelpChangeWallPaper");
      f.chosen = {f.Path("missing.bmp")};
      Trigger(f, "actHelpChangeWallPaper");
      QCOMPARE(Part<TMdiClient>(f.main.get(), "ClientWindow")->Wallpaper(), before);
      QCOMPARE(f.desk.Registry("SOFTWARE\\Taverlin\\Brelvonix\\UserInfo", "BackGround"), QString());
      QCOMPARE(f.openDialogs, 2);
      // The dialog is the picture dialog, in the program's folder, for the picture kinds.
      QCOMPARE(f.desk.pictureOpens.size(), size_t(2));
      QCOMPARE(f.desk.pictureOpens[0].folder, f.main->ProgramFolder());
      QCOMPARE(f.desk.pictureOpens[0].filter, QString::fromUtf8(app::kPictureFilter));

      chosen = f.Path("paper.bmp");
      QImage picture(size, QImage::Format_RGB32);
      picture.fill(QColor(10, 120, 200));
      QVERIFY(picture.save(chosen));
      f.chosen = {chosen};
      Trigger(f, "actHelpChangeWallPaper");
      const platform::TBitmap* paper = Part<TMdiClient>(f.main.get(), "ClientWindow")->Wallpaper();
      QVERIFY(paper != nullptr);
      QCOMPARE(QSize(paper->Width(), paper->Height()), size);
      QCOMPARE(f.desk.Registry("SOFTWARE\\Taverlin\\Brelvonix\\UserInfo", "BackGround"), chosen);
      QVERIFY(f.asked.empty());

      // A later start takes it from the settings.
      TfrmMain again;
      const platform::TBitmap* kept = Part<TMdiClient>(&again, "ClientWindow")->Wallpaper();
      QCOMPARE(QSize(kept->Width(), kept->Height()), size);
      QCOMPARE(kept->Pixel(5, 5), platform::FromQColor(QColor(10, 120, 200)));
    }
  }

  void MailAndHomePageOpenThroughTheShell() {
    MainFixture f;
    f.desk.urls.clear();
    Trigger(f, "actHelpMailme");
    Trigger(f, "actGoHomePage");
    QCOMPARE(f.desk.urls, QStringList({QString::fromUtf8(app::kMailAddress), QString::fromUtf8(app::kHomePageAddress)}));
    QVERIFY(QString::fromUtf8(app::kMailAddress).startsWith(QStringLiteral("Mailto:")));
    QCOMPARE(Caption(f, "actHelpChangeWallPaper"), QStringLiteral("更换壁纸(&W)"));
    QCOMPARE(Caption(f, "actHelpMailme"), QStringLiteral("致信作者(&M)"));
    QCOMPARE(Caption(f, "actGoHomePage"), QStringLiteral("登陆作者的主页"));
  }
};

QTEST_MAIN(ViewCommandsTest)
#include "view_commands_test.moc"
