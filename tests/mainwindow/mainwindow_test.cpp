#include <QMdiSubWindow>
#include <QMenuBar>
#include <QWidgetAction>
#include <QtTest>

#include "services/addresses.h"
#include "platform/cursors.h"
#include "fakedesktop.h"
#include "mainwindow/mainform.h"
#include "parts.h"
#include "services/resources.h"
#include "mainwindow/splash.h"

namespace {

QStringList MenuItems(const QMenu* menu) {
  QStringList items;
  for (const QAction* a : menu->actions()) items.append(a->isSeparator() ? QStringLiteral("-") : a->text());
  return items;
}

QStringList Split(const char* items) { return QString::fromUtf8(items).split(QLatin1Char(';')); }

class RecordingMain : public TfrmMain {
 public:
  QStringList opened;
  void OpenDocument(const QString& path) override { opened.append(path); }
};

class StubbornWindow : public QWidget {
 protected:
  void closeEvent(QCloseEvent* e) override { e->ignore(); }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:

  void SplashWindow() {
    FakeDesktop desk;
    TSplashForm splash;
    QCOMPARE(splash.objectName(), QStringLiteral("SplashForm"));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(Part<QLabel>(&splash, "Label3")->pos(), QPoint(65, 180));
    QCOMPARE(Part<QLabel>(&splash, "Label3")->font().pixelSize(), 13);
    QCOMPARE(Part<QLabel>(&splash, "Label3")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QVERIFY(splash.width() >= 1 && splash.height() >= 1);
    SplashForm = &splash;
    SplashStatus(150, QStringLiteral("测试"));
    SplashForm = nullptr;
    QCOMPARE(Part<QLabel>(&splash, "Label3")->text(), QStringLiteral("Brelvonix 正在测试"));
    // Without a splash window the pause still happens.
    int paused = 0;
    desk.pause = [&](int ms) { paused += ms; };
    SplashStatus(150, QStringLiteral("x"));
    QCOMPARE(paused, 150);
  }

  void NoPrinterAdviceAndStartGoesOn() {
    FakeDesktop desk;
    desk.printers.clear();
    TfrmMain main;
    QCOMPARE(desk.messages.size(), size_t(1));
    QCOMPARE(desk.messages[0].kind, app::TMsgKind::Information);
    QCOMPARE(desk.messages[0].text, kNoPrinterAdvice);
    QCOMPARE(desk.messages[0].buttons, app::TMsgButtons(app::mbOK));
    QVERIFY(!main.TerminateRequested());
    QCOMPARE(Part<QComboBox>(&main, "DispComboBox")->count(), 24);
  }

  void ZoomBox() {
    FakeDesktop desk;
    TfrmMain main;
    QStringList expected;
    for (int p = 25; p <= 600; p += 25) expected.append(QString::number(p) + "%");
    QStringList items;
    for (int i = 0; i < Part<QComboBox>(&main, "DispComboBox")->count(); ++i)
      items.append(Part<QComboBox>(&main, "DispComboBox")->itemText(i));
    QCOMPARE(items, expected);
    QCOMPARE(Part<QComboBox>(&main, "DispComboBox")->currentIndex(), 3);
    QCOMPARE(Part<QComboBox>(&main, "DispComboBox")->currentText(), QStringLiteral("100%"));
    QVERIFY(Part<QComboBox>(&main, "DispComboBox")->isEditable());
    QCOMPARE(Part<QComboBox>(&main, "DispComboBox")->palette().color(QPalette::Text), QColor(0, 48, 128));
  }

  void FontBox() {
    FakeDesktop desk;
    {
      TfrmMain main;
      QStringList items;
      for (int i = 0; i < Part<QComboBox>(&main, "FontComboBox")->count(); ++i)
        items.append(Part<QComboBox>(&main, "FontComboBox")->itemText(i));
      QCOMPARE(items, QStringList({"宋体", "楷体", "黑体"}));
      QCOMPARE(Part<QComboBox>(&main, "FontComboBox")->currentText(), QStringLiteral("宋体"));
      QVERIFY(Part<QCheckBox>(&main, "CheckBox4")->isChecked());
    }
    app::Services().ScreenFontNames = [] { return QStringList{"Arial", "黑体"}; };
    TfrmMain main;
    QCOMPARE(Part<QComboBox>(&main, "FontComboBox")->count(), 1);
    QCOMPARE(Part<QComboBox>(&main, "FontComboBox")->currentIndex(), -1);
  }

  void KeepChineseFontsTable() {
    QComboBox box;
    box.addItems({"Arial", "宋体", "AR PL UMing CN", "Ｍｉｎｇ", "Song 宋", "", "Ω"});
    KeepChineseFonts(&box);
    QStringList items;
    for (int i = 0; i < box.count(); ++i) items.append(box.itemText(i));
    QCOMPARE(items, QStringList({"宋体", "Ｍｉｎｇ", "Song 宋", "Ω"}));
  }

  void Menus() {
    FakeDesktop desk;
    TfrmMain main;
    const std::vector<std::pair<QString, QStringList>> expected = {
        {"文件(&F)", Split("新建(&N);打开…(&O);关闭(&Z);-;保存(&S);另存为…;-;预览(&V);打印(&P);-;退出(&Q)")},
        {"编辑(&E)", Split("剪切(&X);复制(&C);粘贴(&V);-;删除;清除(&R);-;送到顶层(&B);送到底层(&S);改变图符(&P);"
                           "对准中心(&T);细节查看…;-;导出为图象…")},
        {"印章库(&Y)", Split("加入印章库;编辑印章库")},
        {"查看(&V)", Split("隐藏绘图工具(&D);隐藏属性窗口(&P);隐藏工具栏(&T);隐藏状态栏(&S);隐藏网格(&G);-;"
                           "放大显示(&I);正常显示(&N);缩小显示(&U)")},
        {"工具(&T)", Split("下一个字体;锁定印章位置(&L);锁定页面(&P);-;页面使用双缓冲")},
        {"窗口(&W)", Split("叠放窗口(&C);平排窗口(&H);竖排窗口(&T);-;重排窗口(&A);最小化(&M);全部关闭(&S)")},
        {"帮助(&H)", Split("关于…(&A);更换壁纸(&W);致信作者(&M);登陆作者的主页;使用帮助(&H)")},
    };
    const QList<QAction*> bar = main.menuBar()->actions();
    QCOMPARE(bar.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
      QCOMPARE(bar[qsizetype(i)]->text(), expected[i].first);
      QCOMPARE(MenuItems(bar[qsizetype(i)]->menu()), expected[i].second);
    }
    QCOMPARE(Part<QMenu>(&main, "WindowMenu"), bar[5]->menu());
  }

  void Shortcuts_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("new") << "actFileNew" << QKeySequence(Qt::CTRL | Qt::Key_N);
    QTest::newRow("open") << "actFileOpen" << QKeySequence(Qt::CTRL | Qt::Key_O);
    QTest::newRow("save") << "actFileSave" << QKeySequence(Qt::CTRL | Qt::Key_S);
    QTest::newRow("print") << "actFilePrint" << QKeySequence(Qt::CTRL | Qt::Key_P);
    QTest::newRow("exit") << "actFileExit" << QKeySequence(Qt::CTRL | Qt::Key_Q);
    QTest::newRow("cut") << "actEditCut" << QKeySequence(Qt::CTRL | Qt::Key_X);
    QTest::newRow("copy") << "actEditCopy" << QKeySequence(Qt::CTRL | Qt::Key_C);
    QTest::newRow("paste") << "actEditPaste" << QKeySequence(Qt::CTRL | Qt::Key_V);
    QTest::newRow("delete") << "actEditDel" << QKeySequence(Qt::Key_Delete);
    QTest::newRow("clear") << "actEditClear" << QKeySequence(Qt::CTRL | Qt::Key_Delete);
    QTest::newRow("zoom in") << "actViewZoomIn" << QKeySequence(Qt::Key_PageUp);
    QTest::newRow("zoom normal") << "actViewZoomNormal" << QKeySequence(Qt::Key_End);
    QTest::newRow("zoom out") << "actViewZoomOut" << QKeySequence(Qt::Key_PageDown);
    QTest::newRow("save as: none") << "actFileSaveAs" << QKeySequence();
  }
  void Shortcuts() {
    QFETCH(QString, action);
    QFETCH(QKeySequence, keys);
    FakeDesktop desk;
    TfrmMain main;
    QVERIFY(main.Action(action));
    QCOMPARE(main.Action(action)->shortcut(), keys);
  }

  void PopupMenus() {
    FakeDesktop desk;
    TfrmMain main;
    QCOMPARE(
        MenuItems(Part<QMenu>(&main, "PopupMenu1")),
        Split("剪切(&X);复制(&C);粘贴(&V);-;删除;锁定印章位置(&L);对准中心(&T);-;细节查看…;导出为图象…;加入印章库"));
    QCOMPARE(MenuItems(Part<QMenu>(&main, "PopupMenu2")),
             Split("清除(&R);编辑印章库;-;保存(&S);打印(&P);关闭(&Z);-;退出(&Q)"));
    QCOMPARE(MenuItems(Part<QMenu>(&main, "PopupMenu3")), Split("插入模板印章;删除模板印章"));
  }

  void ToolBar() {
    FakeDesktop desk;
    TfrmMain main;
    QStringList items;
    for (QAction* a : Part<QToolBar>(&main, "ToolBar1")->actions()) {
      if (a->isSeparator())
        items.append("-");
      else if (auto* w = qobject_cast<QWidgetAction*>(a))
        items.append(w->defaultWidget()->objectName());
      else
        items.append(a->objectName());
    }
    QCOMPARE(items, Split("actFileNew;actFileOpen;actFileSave;actFilePreView;actFilePrint;-;actEditCut;actEditCopy;"
                          "actEditPaste;actEditDel;-;actViewZoomNormal;Panel4;-;actToolsNextFont;Panel3;Panel1"));
    // The panel selectors stand right of the tool bar, never behind its overflow button.
    QCOMPARE(Part<QWidget>(&main, "Panel6")->parentWidget(), Part<QWidget>(&main, "CoolBar1"));
    QCOMPARE(Part<QToolBar>(&main, "ToolBar1")->iconSize(), QSize(24, 24));
    QVERIFY(main.findChild<QWidget*>("ToolButton11"));
    QCOMPARE(Part<QCheckBox>(&main, "CheckBox1")->text(), QStringLiteral("阳章"));
    QCOMPARE(Part<QCheckBox>(&main, "CheckBox2")->text(), QStringLiteral("五星"));
    QCOMPARE(Part<QCheckBox>(&main, "CheckBox3")->text(), QStringLiteral("有图符"));
    QCOMPARE(Part<QCheckBox>(&main, "CheckBox4")->text(), QStringLiteral("仅中文"));
    for (QCheckBox* box : {Part<QCheckBox>(&main, "CheckBox1"), Part<QCheckBox>(&main, "CheckBox2"),
                           Part<QCheckBox>(&main, "CheckBox3"), Part<QCheckBox>(&main, "CheckBox4")})
      QVERIFY(box->isChecked());
    QCOMPARE(Part<TKivButton>(&main, "KivButton1")->Caption(), QStringLiteral("徽标集"));
    QCOMPARE(Part<TKivButton>(&main, "KivButton1")->Tag(), 1);
    QCOMPARE(Part<TKivButton>(&main, "KivButton2")->Caption(), QStringLiteral("印章库"));
    QCOMPARE(Part<TKivButton>(&main, "KivButton2")->Tag(), 2);
    QVERIFY(!Part<QScrollArea>(&main, "ScrollBox1")->isVisibleTo(&main));
    QVERIFY(!Part<QScrollArea>(&main, "ScrollBox2")->isVisibleTo(&main));
  }

  void ToolActionsInListOrder() {
    FakeDesktop desk;
    TfrmMain main;
    const std::vector<QAction*>& tools = main.ToolActions();
    QCOMPARE(tools.size(), size_t(16 + 3 + 5 + 24 + 1));
    QCOMPARE(tools.front()->objectName(), QStringLiteral("actDrawHorzLine"));
    QCOMPARE(tools.front()->text(), QStringLiteral("actDrawHorzLine"));
    QCOMPARE(tools.back()->objectName(), QStringLiteral("actDrawAPicture"));
    QCOMPARE(tools.back()->data().toInt(), 41);
    QAction* gzh = main.Action("actDrawGZh");
    QCOMPARE(gzh->text(), QStringLiteral("圆公章(&A)"));
    QCOMPARE(gzh->data().toInt(), 17);
    QCOMPARE(main.Action("actDrawDiamond")->statusTip(), QStringLiteral("切角矩形"));
    QCOMPARE(main.Action("actPageZoom")->data().toInt(), 0);
    QVERIFY(!main.Action("actPageZoom")->isCheckable());
    QCOMPARE(main.Action("actHelpHelp")->toolTip(), QStringLiteral("使用帮助"));
    QCOMPARE(main.Action("actHelpHelp")->statusTip(), QStringLiteral("帮助使用"));
  }

  void StatusPanels() {
    FakeDesktop desk;
    TfrmMain main;
    const QStringList texts = {" 水平坐标：", "垂直坐标：", "文件状态：", "已画图形：", app::kHomePageAddress,
                               "CAPS: OFF",   "NUM: OFF",   "SCRL: OFF"};
    const int widths[] = {115, 110, 105, 90, 0, 60, 55, 50};
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelCount(), 8);
    for (int i = 0; i < 8; ++i) {
      QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(i), texts[i]);
      QVERIFY(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelWidth(i) >= widths[i]);
    }
    QCOMPARE(Part<QLabel>(&main, "Panel2")->text(), QStringLiteral("正在载入："));
    QVERIFY(!Part<QLabel>(&main, "Panel2")->isVisibleTo(&main));
    QCOMPARE(Part<QProgressBar>(&main, "ProgressBar1")->parentWidget(), Part<QLabel>(&main, "Panel2"));

    main.ShowFileState(app::TFileState::Modified, 3);
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(2), QStringLiteral("文件状态：已修改"));
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(3), QStringLiteral("已画图形：3"));
    main.ShowFileState(app::TFileState::Unmodified, 0);
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(2), QStringLiteral("文件状态：未修改"));
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(3), QStringLiteral("已画图形：0"));
  }

  // Each panel shows its longest text whole in the bar's font, as QLabel lays text out
  // (inside the frame, after an indent of half an "x"), in the desktop's font and in a
  // larger one set later.
  void PanelsHoldTheirLongestText() {
    FakeDesktop desk;
    TfrmMain main;
    struct Case {
      int panel;
      const char* text;
      int designWidth;
    };
    const Case cases[] = {{0, " 水平坐标：9999.9mm", 115},
                          {1, "垂直坐标：9999.9mm", 110},
                          {2, "文件状态：已修改", 105},
                          {3, "已画图形：9999", 90}};
    QFont large = Part<TKivStatusBar>(&main, "KivStatusBar1")->font();
    large.setPixelSize(24);
    for (const QFont* font : {static_cast<const QFont*>(nullptr), static_cast<const QFont*>(&large)}) {
      if (font) Part<TKivStatusBar>(&main, "KivStatusBar1")->setFont(*font);
      for (const Case& c : cases) {
        const QLabel* panel = Part<TKivStatusBar>(&main, "KivStatusBar1")->Panel(c.panel);
        const QFontMetrics metrics(panel->font());
        const int needed = metrics.horizontalAdvance(QString::fromUtf8(c.text)) + metrics.horizontalAdvance('x') / 2;
        QVERIFY2(needed <= panel->contentsRect().width(), c.text);
        QVERIFY(panel->width() >= c.designWidth);
      }
    }
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->Panel(0)->font().pixelSize(), 24);
    QVERIFY(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelWidth(0) > 200);
  }

  void LockKeyPanelsFollowTheKeys() {
    FakeDesktop desk;
    TfrmMain main;
    desk.keys.Caps = true;
    main.ShowKeyStates();
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(5), QStringLiteral("CAPS: ON"));
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(6), QStringLiteral("NUM: OFF"));
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(7), QStringLiteral("SCRL: OFF"));
    desk.keys = {false, true, true};
    QTRY_COMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(6), QStringLiteral("NUM: ON"));
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(5), QStringLiteral("CAPS: OFF"));
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(7), QStringLiteral("SCRL: ON"));
  }

  void ArrangeBarsRounding_data() {
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("frameWidth");
    QTest::addColumn<int>("zoomWidth");
    QTest::addColumn<int>("panel2Width");
    QTest::newRow("96") << 96 << 1 << 48 << 336;
    QTest::newRow("150: 1.5 to even") << 150 << 2 << 75 << 525;
    QTest::newRow("250: 2.5 to even") << 250 << 2 << 125 << 875;
  }
  void ArrangeBarsRounding() {
    QFETCH(int, ppi);
    QFETCH(int, frameWidth);
    QFETCH(int, zoomWidth);
    QFETCH(int, panel2Width);
    FakeDesktop desk;
    TfrmMain main;
    main.resize(1200, 800);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.ArrangeBars(ppi);
    QCOMPARE(Part<TKivFlatPanel>(&main, "KivFlatPanel1")->FrameWidth(), frameWidth);
    // The zoom box may grow past the rule to show its text, never shrink below it.
    QVERIFY(Part<QComboBox>(&main, "DispComboBox")->width() >= zoomWidth);
    if (zoomWidth >= 75) QCOMPARE(Part<QComboBox>(&main, "DispComboBox")->width(), zoomWidth);
    QCOMPARE(Part<QComboBox>(&main, "DispComboBox")->x(), ppi / 24);
    QCOMPARE(Part<QLabel>(&main, "Panel2")->width(), panel2Width);
    QCOMPARE(Part<TKivButton>(&main, "KivButton1")->x(), 5 * frameWidth);
    QCOMPARE(Part<TKivButton>(&main, "KivButton2")->x(), Part<TKivButton>(&main, "KivButton1")->x() +
                                                             Part<TKivButton>(&main, "KivButton1")->width() -
                                                             Part<TKivButton>(&main, "KivButton1")->height() / 2);
    QCOMPARE(Part<TKivButton>(&main, "KivButton1")->height(),
             Part<TKivFlatPanel>(&main, "KivFlatPanel1")->height() * 3 / 4);
    int others = 0;
    for (int i = 0; i < 8; ++i)
      if (i != 4) others += Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelWidth(i);
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelWidth(4),
             Part<TKivStatusBar>(&main, "KivStatusBar1")->width() - others - ppi / 3);
  }

  // Every check box of the tool bar holds its mark and its whole caption, and the next
  // box's mark keeps clear of that caption: "阳章", "五星" and "有图符" never run together.
  void TheToolBarsCheckBoxesKeepClearOfEachOther() {
    FakeDesktop desk;
    TfrmMain main;
    main.resize(1200, 800);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    for (const int ppi : {96, 120, 150}) {
      main.ArrangeBars(ppi);
      const QCheckBox* boxes[] = {Part<QCheckBox>(&main, "CheckBox1"), Part<QCheckBox>(&main, "CheckBox2"),
                                  Part<QCheckBox>(&main, "CheckBox3")};
      const int gap = QFontMetrics(main.font()).horizontalAdvance(QStringLiteral("我")) / 4;
      for (const QCheckBox* box : boxes) QVERIFY(box->width() >= box->sizeHint().width());
      for (int i = 0; i < 2; ++i)
        QVERIFY2(boxes[i + 1]->x() >= boxes[i]->x() + boxes[i]->sizeHint().width() + gap,
                 qPrintable(boxes[i + 1]->text()));
      const QCheckBox* chinese = Part<QCheckBox>(&main, "CheckBox4");
      QVERIFY(chinese->width() >= chinese->sizeHint().width());
      QVERIFY(chinese->x() + chinese->width() <= Part<QWidget>(&main, "Panel3")->width());
    }
  }

  void ShownWindowLaysOutItsBars() {
    FakeDesktop desk;
    TfrmMain main;
    main.resize(1200, 800);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(2), QStringLiteral("文件状态：无文件"));
    QVERIFY(main.ProgramFolder().endsWith('/'));
    QCOMPARE(main.ProgramFolder(), desk.dir.path() + "/");
    const QRect tabs(Part<QWidget>(&main, "Panel6")->mapTo(&main, QPoint()), Part<QWidget>(&main, "Panel6")->size());
    QVERIFY(Part<QWidget>(&main, "Panel6")->isVisible());
    QVERIFY2(tabs.right() <= Part<QWidget>(&main, "CoolBar1")->mapTo(&main, QPoint()).x() +
                                 Part<QWidget>(&main, "CoolBar1")->width(),
             "the tab panel stays inside the tool bar's band");
    QVERIFY(Part<TKivButton>(&main, "KivButton2")->isVisible());
  }

  // A restored window narrows to what a 1024 x 768 screen holds from any width it had, and
  // both panel tabs stay in sight at every width, the tool bar giving way before them.
  void TheWindowNarrowsAndKeepsBothPanelTabs() {
    FakeDesktop desk;
    TfrmMain main;
    main.resize(1600, 1000);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    for (const int width : {1600, 1200, 1024, 900, 800, 1280}) {
      main.resize(width, 700);
      QTRY_COMPARE(main.width(), width);
      QVERIFY(main.minimumSizeHint().width() <= 1024);
      for (const char* name : {"KivButton1", "KivButton2"}) {
        const auto* tab = Part<TKivButton>(&main, name);
        QVERIFY2(tab->isVisible(), name);
        const QRect at(tab->mapTo(&main, QPoint(0, 0)), tab->size());
        QVERIFY2(main.rect().contains(at), qPrintable(QStringLiteral("%1 at %2").arg(name).arg(width)));
      }
    }
  }

  void CommandLineTable_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("document");
    QTest::newRow("none") << QStringList() << QString();
    QTest::newRow("one") << QStringList{"/d/a.dyz"} << "/d/a.dyz";
    QTest::newRow("one blank, split") << QStringList{"/d/my", "seal.dyz"} << "/d/my seal.dyz";
    QTest::newRow("two blanks: cut after the second piece") << QStringList{"/d/a", "b", "c.dyz"} << "/d/a b";
    QTest::newRow("extension: used alone") << QStringList{"/d/a.dyz", "b.dyz"} << "/d/a.dyz";
    QTest::newRow("no extension, alone") << QStringList{"/d/plain"} << "/d/plain";
    QTest::newRow("dot in a folder only") << QStringList{"/d.x/my", "seal.dyz"} << "/d.x/my seal.dyz";
  }
  void CommandLineTable() {
    QFETCH(QStringList, args);
    QFETCH(QString, document);
    QCOMPARE(CommandLineDocument(args), document);
  }

  void CommandLineOpensExistingFilesOnly() {
    FakeDesktop desk;
    const QString withBlank = desk.dir.filePath("my seal.dyz");
    QFile file(withBlank);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    struct Case {
      QStringList args;
      QStringList opened;
    };
    const Case cases[] = {
        {{desk.dir.filePath("my"), "seal.dyz"}, {withBlank}},
        {{withBlank, "more"}, {withBlank}},
        {{desk.dir.filePath("missing.dyz")}, {}},
        {{}, {}},
    };
    for (const Case& c : cases) {
      desk.arguments = c.args;
      desk.messages.clear();
      RecordingMain main;
      main.show();
      QCOMPARE(main.opened, c.opened);
      QVERIFY(desk.messages.empty());
    }
  }

  void FirstRunTable_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("opens");
    QTest::newRow("absent") << QString() << true;
    QTest::newRow("false") << "false" << true;
    QTest::newRow("true") << "true" << false;
    QTest::newRow("other") << "yes" << false;
  }
  void FirstRunTable() {
    QFETCH(QString, stored);
    QFETCH(bool, opens);
    FakeDesktop desk;
    if (!stored.isEmpty()) desk.SetRegistry(kHomePageKey, "HomePage", stored.toUtf8().constData());
    TfrmMain main;
    QVERIFY(desk.urls.isEmpty());
    main.show();
    QCOMPARE(desk.urls, opens ? QStringList{app::kHomePageAddress} : QStringList());
    QCOMPARE(desk.Registry(kHomePageKey, "HomePage"), opens ? QStringLiteral("true") : stored);
    // A second show, as after the print window closes, does nothing again.
    desk.SetRegistry(kHomePageKey, "HomePage", "false");
    Part<TKivStatusBar>(&main, "KivStatusBar1")->SetPanelText(2, "x");
    main.hide();
    main.show();
    QCOMPARE(desk.urls.size(), opens ? 1 : 0);
    QCOMPARE(Part<TKivStatusBar>(&main, "KivStatusBar1")->PanelText(2), QStringLiteral("x"));
  }

  void DoubleBufferingSetting_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("checked");
    QTest::newRow("absent") << QString() << false;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("non-zero") << "7" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("wrong type") << "on" << false;
  }
  void DoubleBufferingSetting() {
    QFETCH(QString, stored);
    QFETCH(bool, checked);
    FakeDesktop desk;
    if (!stored.isEmpty()) desk.SetRegistry(kConfigKey, "PageDoubleBuffered", stored.toUtf8().constData());
    TfrmMain main;
    QVERIFY(Part<QAction>(&main, "actPageDoubleBuffered")->isCheckable());
    QCOMPARE(Part<QAction>(&main, "actPageDoubleBuffered")->isChecked(), checked);
  }

  void SettingsRoundTrip() {
    FakeDesktop desk;
    platform::WriteRegInteger(platform::TRegRoot::LocalMachine, kConfigKey, "PageDoubleBuffered", 1);
    desk.SetRegistry("SOFTWARE\\Taverlin\\Brelvonix\\UserInfo", "BackGround", "/壁纸/一 二.png");
    {
      TfrmMain main;
      main.show();
      QVERIFY(Part<QAction>(&main, "actPageDoubleBuffered")->isChecked());
    }
    // Read back from the file by a fresh reader.
    QSettings file(platform::RegistryFile(), QSettings::IniFormat);
    QCOMPARE(file.value("SOFTWARE/Taverlin/Brelvonix/UserInfo/BackGround").toString(), QStringLiteral("/壁纸/一 二.png"));
    QCOMPARE(file.value("SOFTWARE/Taverlin/Brelvonix/BrelvonixHomePage/HomePage").toString(), QStringLiteral("true"));
    QCOMPARE(file.value(QStringLiteral("SOFTWARE/Taverlin/Brelvonix/系统配置/PageDoubleBuffered")).toString(),
             QStringLiteral("1"));
  }

  void CursorsRegistered() {
    FakeDesktop desk;
    TfrmMain main;
    for (int slot = 2; slot <= 6; ++slot) {
      QVERIFY(platform::HasScreenCursor(slot));
      QCOMPARE(platform::ScreenCursor(slot).shape(), Qt::BitmapCursor);
      QVERIFY(!platform::ScreenCursor(slot).pixmap().isNull());
    }
  }

  void UnknownCursorIsTheArrow() {
    QCOMPARE(app::ProgramCursor("NoSuchCursor").shape(), Qt::ArrowCursor);
    QCOMPARE(app::ProgramCursor("Hand").shape(), Qt::BitmapCursor);
    QVERIFY(!app::ToolImage("actFileNew").isNull());
    QVERIFY(app::ToolImage("actFileSaveAs").isNull());
  }

  void WindowActions() {
    FakeDesktop desk;
    TfrmMain main;
    main.resize(900, 700);
    main.show();
    const char* names[] = {"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1", "WindowArrange1",
                           "WindowMinimizeAll1"};
    for (const char* n : names) QVERIFY(!main.Action(n)->isEnabled());
    QMdiSubWindow* a = Part<TMdiClient>(&main, "ClientWindow")->addSubWindow(new QWidget);
    a->setWindowTitle("文件1.dyz");
    a->show();
    QMdiSubWindow* b = Part<TMdiClient>(&main, "ClientWindow")->addSubWindow(new QWidget);
    b->setWindowTitle("文件2.dyz");
    b->show();
    emit Part<QMenu>(&main, "WindowMenu")->aboutToShow();
    for (const char* n : names) QVERIFY(main.Action(n)->isEnabled());
    const QStringList items = MenuItems(Part<QMenu>(&main, "WindowMenu"));
    QCOMPARE(items.mid(items.size() - 3), QStringList({"-", "&1 文件1.dyz", "&2 文件2.dyz"}));
    // Only the active window's item carries a mark; the others show no empty box either.
    const QMdiSubWindow* front = Part<TMdiClient>(&main, "ClientWindow")->activeSubWindow();
    QVERIFY(front);
    const QList<QAction*> entries = Part<QMenu>(&main, "WindowMenu")->actions();
    for (QAction* entry : entries.mid(entries.size() - 2)) {
      const bool active = entry->text().endsWith(front->windowTitle());
      QCOMPARE(entry->isCheckable(), active);
      QCOMPARE(entry->isChecked(), active);
    }
    emit Part<QMenu>(&main, "WindowMenu")->aboutToShow();
    QCOMPARE(MenuItems(Part<QMenu>(&main, "WindowMenu")).size(), items.size());

    main.Action("WindowTileHorizontal1")->trigger();
    QCOMPARE(a->width(), Part<TMdiClient>(&main, "ClientWindow")->viewport()->width());
    QCOMPARE(a->y() + a->height(), b->y());
    main.Action("WindowTileVertical1")->trigger();
    QCOMPARE(a->height(), Part<TMdiClient>(&main, "ClientWindow")->viewport()->height());
    QCOMPARE(a->x() + a->width(), b->x());
    main.Action("WindowMinimizeAll1")->trigger();
    QVERIFY(a->isMinimized() && b->isMinimized());
  }

  void ClosingAsksEveryDocumentWindow() {
    FakeDesktop desk;
    TfrmMain main;
    main.show();
    QMdiSubWindow* w = Part<TMdiClient>(&main, "ClientWindow")->addSubWindow(new StubbornWindow);
    w->show();
    main.Action("actFileExit")->trigger();
    QVERIFY(main.isVisible());
    delete w;
    main.Action("actFileExit")->trigger();
    QVERIFY(!main.isVisible());
  }

  void MainWindowWallpaperFromLibrary() {
    FakeDesktop desk;
    TfrmMain main;
    QVERIFY(Part<TMdiClient>(&main, "ClientWindow")->Wallpaper() != nullptr);
    QCOMPARE(main.windowTitle(), QStringLiteral("Brelvonix 8"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
