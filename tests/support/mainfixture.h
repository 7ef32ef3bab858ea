#pragma once
// A shown main window on a fake desktop whose default printer the test chooses, whose
// message boxes answer from a script and record which window asked, and whose file dialogs
// answer from a script and record what they were offered; with helpers that open documents
// and arm tools.

#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QtTest>
#include <memory>
#include <optional>

#include "controls/kivcontrols.h"
#include "document/childform.h"
#include "fakedesktop.h"
#include "mainwindow/mainform.h"
#include "pages.h"
#include "parts.h"

struct MainFixture {
  FakeDesktop desk;
  std::optional<app::TPrinterCaps> caps = A4Printer();
  std::unique_ptr<TfrmMain> main;
  // The desktop's records under the names the command tests use.
  std::vector<FakeDesktop::Message>& asked = desk.messages;
  std::deque<app::TMsgButton>& answers = desk.answers;
  std::deque<QString>& chosen = desk.chosen;
  QStringList& offered = desk.offered;
  int& openDialogs = desk.openDialogs;

  MainFixture() {
    app::Services().DefaultPrinterCaps = [this] { return caps; };
    desk.countWindows = [this] { return WindowCount(); };
    main = std::make_unique<TfrmMain>();
    main->resize(1024, 768);
    main->show();
    if (!QTest::qWaitForWindowExposed(main.get())) qWarning("main window not exposed");
    asked.clear();
  }
  ~MainFixture() { main.reset(); }

  QString Path(const char* name) const { return desk.Path(name); }
  int WindowCount() const { return main ? int(main->DocumentWindows().size()) : 0; }
  TfrmChild* NewDocument() {
    main->Action(QStringLiteral("actFileNew"))->trigger();
    return main->ActiveChild();
  }
  QStringList Captions() const {
    QStringList c;
    for (TfrmChild* w : main->DocumentWindows()) c.append(w->windowTitle());
    return c;
  }
  // Frees the windows that closed, and reports whether anything of a document is left.
  int LeftOverWindows() const {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return int(main->findChildren<TfrmChild*>().size());
  }
  QAction* Tool(const char* name) const { return main->Action(QString::fromUtf8(name)); }
  // The menu of that name is about to show, as when the user opens it.
  void OpenMenu(const char* name) const { emit Part<QMenu>(main.get(), name)->aboutToShow(); }
  void Arm(const char* name) { Tool(name)->trigger(); }
  // An element drawn with the tool by a click on the page, then given exactly these bounds.
  seal::TSeal* Draw(TfrmChild* w, const char* tool, const QRect& bounds) {
    Arm(tool);
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, bounds.center().x(), bounds.center().y());
    seal::TSeal* s = nullptr;
    w->EditCurrentSeal([&](seal::TSeal& made) {
      made.SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
      s = &made;
    });
    return s;
  }
  QString Panel(int i) const { return Part<TKivStatusBar>(main.get(), "KivStatusBar1")->PanelText(i); }
};
