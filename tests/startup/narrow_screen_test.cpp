// Start-up on a screen 640 pixels wide, both answers to the question it asks.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "fakedesktop.h"
#include "mainwindow/mainform.h"
#include "parts.h"
#include "startup/startup.h"

class NarrowScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void ScreenIs640Wide() { QCOMPARE(QGuiApplication::primaryScreen()->geometry().width(), 640); }

  void YesEndsTheProgramAfterStartUp() {
    FakeDesktop desk;
    desk.answer = app::mbYes;
    QFile file(desk.dir.filePath("a.dyz"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    desk.arguments = {file.fileName()};
    const int code = RunProgram(*static_cast<QApplication*>(QCoreApplication::instance()));
    QCOMPARE(code, 0);
    QCOMPARE(desk.messages.size(), size_t(1));
    QCOMPARE(desk.messages[0].kind, app::TMsgKind::Confirmation);
    QCOMPARE(desk.messages[0].text, kNarrowScreenQuestion);
    QCOMPARE(desk.messages[0].buttons, app::TMsgButtons(app::mbYes | app::mbNo));
    QVERIFY(desk.urls.isEmpty());
    QVERIFY(desk.Registry(kHomePageKey, "HomePage").isEmpty());
    for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!qobject_cast<TfrmMain*>(w));
    for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!w->isVisible());
  }

  void NoStartsNormally() {
    FakeDesktop desk;
    desk.answer = app::mbNo;
    std::unique_ptr<TfrmMain> main = StartProgram();
    QCOMPARE(desk.messages.size(), size_t(1));
    QCOMPARE(desk.messages[0].text, kNarrowScreenQuestion);
    QVERIFY(!main->TerminateRequested());
    // The remaining steps ran.
    QCOMPARE(Part<QComboBox>(main.get(), "DispComboBox")->count(), 24);
    QVERIFY(main->ClipStream().empty());
    main->show();
    QCOMPARE(desk.urls.size(), 1);
    QCOMPARE(Part<TKivStatusBar>(main.get(), "KivStatusBar1")->PanelText(2), QStringLiteral("文件状态：无文件"));
  }
};

int main(int argc, char** argv) {
  QTemporaryDir dir;
  const QString config = dir.filePath("screens.json");
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return 2;
  file.write(R"({"screens": [{"name": "narrow", "x": 0, "y": 0, "width": 640, "height": 480,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
  QApplication application(argc, argv);
  NarrowScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "narrow_screen_test.moc"
