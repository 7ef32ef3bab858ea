#pragma once
// A shown main window on a fake desktop whose default printer the test chooses, with a
// save command that the test scripts, and helpers to open document windows.

#include <QMdiSubWindow>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>

#include "childform.h"
#include "platform/cursors.h"
#include "drawtoolactions.h"
#include "fakedesktop.h"
#include "kivdrawpanel.h"
#include "mainform.h"
#include "mdiclient.h"
#include "platform/numeric.h"
#include "seal/seal.h"
#include "services.h"

class ScriptedMain : public TfrmMain {
 public:
  int saves = 0;
  std::function<void(TfrmChild*)> onSave;
  void actFileSaveExecute() override {
    ++saves;
    if (onSave) onSave(ActiveChild());
  }
};

// A sheet of 210 x 297 mm at 254 dots per inch (10 pixels per millimetre) with a printable
// area of 200 x 287 mm.
inline app::TPrinterCaps A4Printer() { return {254, 254, 2100, 2970, 200, 287}; }

struct DocFixture {
  FakeDesktop desk;
  std::optional<app::TPrinterCaps> caps = A4Printer();
  std::unique_ptr<ScriptedMain> main;

  DocFixture() {
    app::Services().DefaultPrinterCaps = [this] { return caps; };
    main = std::make_unique<ScriptedMain>();
    main->resize(1024, 768);
    main->show();
    if (!QTest::qWaitForWindowExposed(main.get())) qWarning("main window not exposed");
  }
  ~DocFixture() { main.reset(); }

  TfrmChild* NewDocument() {
    main->actFileNewExecute();
    return main->ActiveChild();
  }
  QAction* Tool(const char* name) const { return main->Action(QString::fromUtf8(name)); }
  void Arm(const char* name) { main->DrawTools->Execute(Tool(name)); }
  QString Panel(int i) const { return main->KivStatusBar1->PanelText(i); }
};

// Whether the widget shows the cursor of that screen slot.
inline bool HasSlotCursor(const QWidget* w, int slot) {
  if (slot == 0) return !w->testAttribute(Qt::WA_SetCursor);
  if (!w->testAttribute(Qt::WA_SetCursor)) return false;
  return w->cursor().pixmap().toImage() == platform::ScreenCursor(slot).pixmap().toImage() &&
         w->cursor().hotSpot() == platform::ScreenCursor(slot).hotSpot();
}

// Elements among the page's children (the element class has no meta-object of its own).
inline int SealsOn(const QWidget* page) {
  int n = 0;
  for (const QObject* c : page->children())
    if (dynamic_cast<const seal::TSeal*>(c)) ++n;
  return n;
}
