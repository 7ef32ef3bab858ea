// Start-up: the splash window's announced steps and the main window it leaves.
#include <QtTest>

#include "fakedesktop.h"
#include "mainwindow/mainform.h"
#include "mainwindow/splash.h"
#include "parts.h"
#include "startup/startup.h"

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void SplashAnnouncesSixSteps() {
    FakeDesktop desk;
    QStringList texts;
    QList<int> pauses;
    desk.pause = [&](int ms) {
      QVERIFY(SplashForm != nullptr);
      QVERIFY(SplashForm->isVisible());
      texts.append(Part<QLabel>(SplashForm, "Label3")->text());
      pauses.append(ms);
    };
    std::unique_ptr<TfrmMain> main = StartProgram();
    QCOMPARE(texts, QStringList({"Brelvonix 正在检测显示器……", "Brelvonix 正在查找打印机……",
                                 "Brelvonix 正在创建剪贴板……", "Brelvonix 正在设置壁纸……",
                                 "Brelvonix 正在搜索字体……", "Brelvonix 正在完成初始化……"}));
    QCOMPARE(pauses, QList<int>({150, 150, 150, 150, 150, 150}));
    QVERIFY(SplashForm == nullptr);
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Brelvonix"));
    QVERIFY(!main->isVisible());
    QVERIFY(!main->TerminateRequested());
    QVERIFY(desk.messages.empty());
    QVERIFY(main->ClipStream().empty());
    QVERIFY(Part<TMdiClient>(main.get(), "ClientWindow")->Wallpaper() != nullptr);
    QVERIFY(main->ProgramFolder().isEmpty());
    main.reset();
    for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!qobject_cast<TfrmMain*>(w));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
