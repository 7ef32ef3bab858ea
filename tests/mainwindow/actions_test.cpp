// The action table against everything that names actions: the menus, the pop-up menus, the
// tool bar, the palette's two sets and the command tables of the menu files.
#include <QSet>
#include <QtTest>
#include <stdexcept>

#include "fakedesktop.h"
#include "mainwindow/mainactions.h"
#include "mainwindow/mainform.h"
#include "parts.h"
#include "tools/drawtools.h"
#include "tools/frmdrawtools.h"

class ActionsTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryNamedActionExists() {
    FakeDesktop desk;
    TfrmMain main;
    main.CreateDrawTools(96);
    QStringList names;
    for (const auto* menus : {&app::MainMenus(), &app::PopupMenus()})
      for (const app::TMenuSpec& menu : *menus)
        for (const char* item : menu.items)
          if (QLatin1String(item) != QLatin1String("-")) names.append(QString::fromUtf8(item));
    for (const char* item : app::ToolBarItems()) {
      const QString name = QString::fromUtf8(item);
      // The tool bar's panels are named among its actions.
      if (name != QLatin1String("-") &&
          !Part<QToolBar>(&main, "ToolBar1")->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly))
        names.append(name);
    }
    for (const TFrmDrawTools::TButtonSet* set : {&TFrmDrawTools::ToolSet(), &TFrmDrawTools::TemplateSet()})
      for (const char* item : *set) names.append(QString::fromUtf8(item));
    names.append(QString::fromUtf8(TFrmDrawTools::kSetColourAction));
    names.append(QString::fromUtf8(TFrmDrawTools::kHomePageAction));
    QSet<QString> bound;
    for (std::span<const TfrmMain::TCommand> table : TfrmMain::CommandTables())
      for (const TfrmMain::TCommand& c : table) {
        const QString name = QString::fromUtf8(c.action);
        // One command per action: a second binding would run it twice.
        QVERIFY2(!bound.contains(name), qPrintable(name));
        bound.insert(name);
        names.append(name);
      }
    QVERIFY(names.size() > 100);
    for (const QString& name : names) {
      QAction* action = nullptr;
      try {
        action = main.Action(name);
      } catch (const std::out_of_range&) {
      }
      QVERIFY2(action && action->objectName() == name, qPrintable(name));
    }
  }

  // No entry of a menu, the tool bar or the palette does nothing: each action is a command
  // of a menu file or a tool. The print, export and library commands come with their
  // windows.
  void EveryNamedActionDoesSomething() {
    FakeDesktop desk;
    TfrmMain main;
    QSet<QString> commands;
    for (std::span<const TfrmMain::TCommand> table : TfrmMain::CommandTables())
      for (const TfrmMain::TCommand& c : table) commands.insert(QString::fromUtf8(c.action));
    QStringList named;
    for (const auto* menus : {&app::MainMenus(), &app::PopupMenus()})
      for (const app::TMenuSpec& menu : *menus)
        for (const char* item : menu.items) named.append(QString::fromUtf8(item));
    for (const char* item : app::ToolBarItems()) named.append(QString::fromUtf8(item));
    for (const TFrmDrawTools::TButtonSet* set : {&TFrmDrawTools::ToolSet(), &TFrmDrawTools::TemplateSet()})
      for (const char* item : *set) named.append(QString::fromUtf8(item));
    for (const QString& name : named) {
      if (name == QLatin1String("-") ||
          Part<QToolBar>(&main, "ToolBar1")->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly))
        continue;
      QVERIFY2(commands.contains(name) || app::ToolTag(main.Action(name)) != 0, qPrintable(name));
    }
  }

  void UnknownNameFailsNamingIt() {
    FakeDesktop desk;
    TfrmMain main;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, main.Action(QStringLiteral("actNoSuchCommand")));
    try {
      main.Action(QStringLiteral("actNoSuchCommand"));
    } catch (const std::out_of_range& e) {
      QVERIFY(QString::fromUtf8(e.what()).contains(QStringLiteral("actNoSuchCommand")));
    }
  }
};

QTEST_MAIN(ActionsTest)
#include "actions_test.moc"
