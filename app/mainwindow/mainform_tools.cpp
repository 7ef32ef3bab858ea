// The Tools menu: locking the current element or the page, and the page's double buffering.

#include "mainwindow/mainform_tools.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "document/childform.h"
#include "mainwindow/mainform.h"
#include "platform/registry.h"
#include "services/commandguard.h"
#include "services/settingskeys.h"

namespace app {

// The pop-up menu's item carries its accelerator; the Tools menu's does not.
QString LockSealCaption(bool locked, TCaptionPlace place) {
  const QString caption = locked ? QStringLiteral("解锁印章") : QStringLiteral("锁定印章位置");
  if (place == TCaptionPlace::ToolsMenu) return caption;
  return caption + (locked ? QStringLiteral("(&U)") : QStringLiteral("(&L)"));
}

QString LockPageCaption(bool locked) {
  return locked ? QStringLiteral("解锁页面") : QStringLiteral("锁定页面");
}

}  // namespace app

std::span<const TfrmMain::TCommand> TfrmMain::ToolsCommands() {
  static constexpr TCommand kCommands[] = {
      {"actLockSeal", &TfrmMain::actLockSealExecute},
      {"actLockPage", &TfrmMain::actLockPageExecute},
      {"actPageDoubleBuffered", &TfrmMain::actPageDoubleBufferedExecute},
  };
  return kCommands;
}

void TfrmMain::BindToolsCommands() {
  Bind(ToolsCommands());
  if (auto* tools = menuBar()->findChild<QMenu*>(QStringLiteral("Tools")))
    connect(tools, &QMenu::aboutToShow, this, [this] { app::RunGuarded(this, [this] { ToolsClick(); }); });
}

// No change to the document: neither lock is saved with it.
void TfrmMain::actLockSealExecute() {
  if (TfrmChild* window = ActiveChild()) window->ToggleCurrentSealLock();
}

void TfrmMain::actLockPageExecute() {
  if (TfrmChild* window = ActiveChild()) window->TogglePageLock();
}

void TfrmMain::ToolsClick() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  if (const seal::TSeal* element = window->CurrentSeal())
    Action(QStringLiteral("actLockSeal"))->setText(app::LockSealCaption(window->IsLocked(element), app::TCaptionPlace::ToolsMenu));
  Action(QStringLiteral("actLockPage"))->setText(app::LockPageCaption(window->PageLocked()));
}

// The action has already taken its new checked state when this runs.
void TfrmMain::actPageDoubleBufferedExecute() {
  const bool on = actPageDoubleBuffered->isChecked();
  for (TfrmChild* window : DocumentWindows()) window->SetDoubleBuffered(on);
  platform::WriteRegInteger(platform::TRegRoot::LocalMachine, QString::fromUtf8(app::kConfigKey),
                            QString::fromUtf8(app::kPageDoubleBufferedValue), on ? 1 : 0);
}
