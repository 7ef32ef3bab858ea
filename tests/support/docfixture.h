#pragma once
// Document windows on the fake host, in a shown document area of their own, on a fake
// desktop whose default printer the test chooses: no main window takes part.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>
#include <optional>

#include "document/childform.h"
#include "fakedesktop.h"
#include "fakehost.h"
#include "mainwindow/mainactions.h"
#include "pages.h"

struct DocFixture {
  FakeDesktop desk;
  std::optional<app::TPrinterCaps> caps = A4Printer();
  FakeHost host;
  QMdiArea area;

  DocFixture() {
    app::Services().DefaultPrinterCaps = [this] { return caps; };
    host.folder = desk.dir.path() + QLatin1Char('/');
    area.resize(1024, 768);
    area.show();
    if (!QTest::qWaitForWindowExposed(&area)) qWarning("document area not exposed");
  }
  ~DocFixture() {
    for (QMdiSubWindow* w : area.subWindowList()) delete w;
  }

  // A new document as the new-document command makes one: three quarters of the area,
  // active, its page from the printer at 100 %, the host following what it announces.
  TfrmChild* NewDocument() {
    auto* w = new TfrmChild(host);
    host.Follow(w);
    w->setWindowTitle(QStringLiteral("文件%1.dyz").arg(area.subWindowList().size() + 1));
    area.addSubWindow(w);
    const QSize size = area.viewport()->size();
    w->resize(size.width() * 3 / 4, size.height() * 3 / 4);
    w->show();
    area.setActiveSubWindow(w);
    w->SetPageFromPrinter();
    w->ApplyZoom(100);
    return w;
  }
  TfrmChild* Active() const { return qobject_cast<TfrmChild*>(area.activeSubWindow()); }
  // Arms the tool action of that name, as its command does, on the active document.
  void Arm(const char* name) {
    for (const app::TActionSpec& row : app::ToolActions())
      if (QLatin1String(row.name) == QLatin1String(name)) return host.Arm(row.tag, Active());
    QFAIL(name);
  }
  QString Panel(int i) const { return host.panels[i]; }
};
