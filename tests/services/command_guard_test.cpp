// Commands run inside the guard: their failures are shown, never passed on.
#include <QAction>
#include <QtTest>

#include "fakedesktop.h"
#include "platform/stream.h"
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

  // The program's internal texts reach no message box: a file the format cannot read, a
  // lack of memory and any other English text come out in the user's words.
  void InternalTextsBecomeTheUsersWords() {
    FakeDesktop desk;
    QWidget parent;
    app::RunGuarded(&parent, [] { throw platform::EFormatError("bad library seal count"); });
    app::RunGuarded(&parent, [] { throw std::bad_alloc(); });
    app::RunGuarded(&parent, [] { throw std::invalid_argument("a library file of no seals"); });
    QCOMPARE(desk.messages.size(), size_t(3));
    QCOMPARE(desk.messages[0].text, QStringLiteral("文件不完整或者已损坏，无法读取。"));
    QCOMPARE(desk.messages[1].text, QStringLiteral("内存不足，无法完成操作。"));
    QCOMPARE(desk.messages[2].text, QStringLiteral("程序内部错误，无法完成操作。"));
  }
};

QTEST_MAIN(CommandGuardTest)
#include "command_guard_test.moc"
