// The Help menu's two dialogs as the running program reaches them: a missing dialogs library
// is reported in the error box with each command's own message, and a library without the
// dialogs makes the commands do nothing.
#include <QtTest>

#include "mainfixture.h"

class HelpCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void MissingLibraryIsReportedPerCommand() {
    MainFixture f;
    app::Services().DialogsLibraryPath = [&] { return f.desk.dir.filePath(QStringLiteral("libmerulin.so")); };
    const struct {
      const char* action;
      QString message;
    } rows[] = {
        {"actHelpAbout", QStringLiteral("该资源已缺失！")},
        {"actHelpHelp", QStringLiteral("帮助资源缺失！")},
    };
    for (const auto& row : rows) {
      f.asked.clear();
      f.main->Action(QString::fromUtf8(row.action))->trigger();
      QCOMPARE(f.asked.size(), size_t(1));
      QCOMPARE(f.asked[0].kind, app::TMsgKind::Error);
      QCOMPARE(f.asked[0].text, row.message);
    }
  }

  void LibraryWithoutTheDialogsDoesNothing() {
    MainFixture f;
    app::Services().DialogsLibraryPath = [] { return QStringLiteral(MERULIN_WITHOUT_EXPORTS); };
    f.main->Action(QStringLiteral("actHelpAbout"))->trigger();
    f.main->Action(QStringLiteral("actHelpHelp"))->trigger();
    QVERIFY(f.asked.empty());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }
};

QTEST_MAIN(HelpCommandsTest)
#include "help_commands_test.moc"
