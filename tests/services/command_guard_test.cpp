// Commands run inside the guard: their failures are shown, never passed on.
#include <QAction>
#include <QtTest>

#include "fakedesktop.h"
#include "services/commandguard.h"

class CommandGuardTest : public QObject {
  Q_OBJECT

 private slots:
  void CommandGuardShowsErrors() {
    FakeDesktop desk;
    QWidget parent;
    app::RunGuarded(&parent, [] { throw std::runtime_error("文件损坏"); });
    QCOMPARE(desk.messages.size(), size_t(1));
    QCOMPARE(desk.messages[0].kind, app::TMsgKind::Error);
    QCOMPARE(desk.messages[0].text, QStringLiteral("文件损坏"));
    QAction action;
    app::BindAction(&action, &parent, [] { throw 42; });
    action.trigger();
    QCOMPARE(desk.messages.size(), size_t(2));
    QCOMPARE(desk.messages[1].kind, app::TMsgKind::Error);
    bool ran = false;
    app::RunGuarded(&parent, [&] { ran = true; });
    QVERIFY(ran);
    QCOMPARE(desk.messages.size(), size_t(2));
  }
};

QTEST_MAIN(CommandGuardTest)
#include "command_guard_test.moc"
