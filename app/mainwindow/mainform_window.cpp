// The Window menu: arranging the document windows, the list of open ones and closing them
// all.

#include <QMdiSubWindow>
#include <QMenu>

#include "document/childform.h"
#include "mainwindow/cascade.h"
#include "mainwindow/mainform.h"
#include "services/commandguard.h"

std::span<const TfrmMain::TCommand> TfrmMain::WindowCommands() {
  static constexpr TCommand kCommands[] = {
      {"WindowCascade1", &TfrmMain::WindowCascadeExecute},
      {"WindowTileHorizontal1", &TfrmMain::WindowTileHorizontalExecute},
      {"WindowTileVertical1", &TfrmMain::WindowTileVerticalExecute},
      {"WindowArrange1", &TfrmMain::WindowArrangeExecute},
      {"WindowMinimizeAll1", &TfrmMain::WindowMinimizeAllExecute},
      {"WindowsCloseAll", &TfrmMain::WindowsCloseAllExecute},
  };
  return kCommands;
}

void TfrmMain::BindWindowCommands() {
  Bind(WindowCommands());
  connect(ClientWindow, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* active) {
    UpdateWindowActions();
    // The last document went: nothing it showed in the status bar holds any more.
    if (!active && DocumentWindows().empty()) ShowNoDocumentStatus();
    emit ActiveDocumentChanged(qobject_cast<TfrmChild*>(active));
  });
  connect(WindowMenu, &QMenu::aboutToShow, this, [this] {
    app::RunGuarded(this, [this] {
      UpdateWindowActions();
      FillWindowList();
    });
  });
  UpdateWindowActions();
}

void TfrmMain::UpdateWindowActions() {
  const bool any = !ClientWindow->subWindowList().isEmpty();
  for (const char* name :
       {"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1", "WindowArrange1", "WindowMinimizeAll1",
        "WindowsCloseAll"})
    Action(QLatin1String(name))->setEnabled(any);
}

void TfrmMain::FillWindowList() {
  for (QAction* a : FWindowListActions) {
    WindowMenu->removeAction(a);
    a->deleteLater();
  }
  FWindowListActions.clear();
  const QList<QMdiSubWindow*> windows = ClientWindow->subWindowList();
  if (windows.isEmpty()) return;
  FWindowListActions.push_back(WindowMenu->addSeparator());
  int n = 1;
  for (QMdiSubWindow* w : windows) {
    QAction* a = WindowMenu->addAction(QStringLiteral("&%1 %2").arg(n++).arg(w->windowTitle()));
    // Only the active window carries a mark; a checkable item would show an empty box.
    const bool active = w == ClientWindow->activeSubWindow();
    a->setCheckable(active);
    a->setChecked(active);
    connect(a, &QAction::triggered, this, [this, w] { ClientWindow->setActiveSubWindow(w); });
    FWindowListActions.push_back(a);
  }
}

// Back to front, so that the front window lies deepest, every caption above it in sight.
void TfrmMain::WindowCascadeExecute() {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* w : ClientWindow->subWindowList(QMdiArea::StackingOrder))
    if (!w->isMinimized()) windows.append(w);
  if (windows.isEmpty()) return;
  const QRect area = DocumentArea();
  const int step = app::CascadeStep(*windows.front());
  const QSize size = app::CascadeSize(area.size(), step, int(windows.size()));
  for (int i = 0; i < int(windows.size()); ++i) {
    windows[i]->showNormal();
    windows[i]->setGeometry(QRect(area.topLeft() + app::CascadePlace(area.size(), size, step, i), size));
  }
}

void TfrmMain::WindowTileHorizontalExecute() { TileWindows(Qt::Vertical); }

void TfrmMain::WindowTileVerticalExecute() { TileWindows(Qt::Horizontal); }

void TfrmMain::WindowArrangeExecute() { ArrangeIcons(); }

void TfrmMain::WindowMinimizeAllExecute() {
  for (QMdiSubWindow* w : ClientWindow->subWindowList()) w->showMinimized();
}

// Vertical stacks the windows one above the other, each as wide as the area; Horizontal
// sets them side by side.
void TfrmMain::TileWindows(Qt::Orientation orientation) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* w : ClientWindow->subWindowList())
    if (!w->isMinimized()) windows.append(w);
  if (windows.isEmpty()) return;
  const QRect area = DocumentArea();
  const int n = int(windows.size());
  for (int i = 0; i < n; ++i) {
    windows[i]->showNormal();
    if (orientation == Qt::Vertical) {
      const int top = area.height() * i / n;
      windows[i]->setGeometry(area.left(), area.top() + top, area.width(), area.height() * (i + 1) / n - top);
    } else {
      const int left = area.width() * i / n;
      windows[i]->setGeometry(area.left() + left, area.top(), area.width() * (i + 1) / n - left, area.height());
    }
  }
}

void TfrmMain::ArrangeIcons() {
  const QRect area = ClientWindow->viewport()->rect();
  int x = 0;
  int y = area.height();
  for (QMdiSubWindow* w : ClientWindow->subWindowList()) {
    if (!w->isMinimized()) continue;
    if (x > 0 && x + w->width() > area.width()) {
      x = 0;
      y -= w->height();
    }
    w->move(x, y - w->height());
    x += w->width();
  }
}

// From the last window of the stacking order to the first, each window in front while it
// is asked, so that a save it asks for saves that window; a refusal keeps it and goes on.
void TfrmMain::WindowsCloseAllExecute() {
  const std::vector<TfrmChild*> windows = DocumentWindows(QMdiArea::StackingOrder);
  for (TfrmChild* window : windows) {
    ClientWindow->setActiveSubWindow(window);
    window->close();
  }
}
