#include "editcommands.h"

#include "picturefiles.h"
#include "settingskeys.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "childform.h"
#include "commandguard.h"
#include "platform/gbk.h"
#include "kivdrawpanel.h"
#include "mainform.h"
#include "paintlock.h"
#include "platform/picture.h"
#include "platform/registry.h"
#include "selectframe.h"
#include "services.h"

namespace app {

QString LockSealCaption(bool locked) {
  return locked ? QStringLiteral("解锁印章") : QStringLiteral("锁定印章位置");
}

QString LockPageCaption(bool locked) {
  return locked ? QStringLiteral("解锁页面") : QStringLiteral("锁定页面");
}

bool TakesPicture(seal::TSealType type) { return type < seal::stHorzLine || type == seal::stAnyImage; }

}  // namespace app

using app::Services;
using seal::TSeal;

namespace {

// The element's lock is the absence of its move handler: there is no flag to keep in step.
bool IsLocked(const TSeal* element) { return !element->OnMouseMove; }

}  // namespace

void TfrmMain::BindEditCommands() {
  struct TBinding {
    const char* action;
    void (TfrmMain::*command)();
  };
  static constexpr TBinding kBindings[] = {
      {"actEditDel", &TfrmMain::actEditDelExecute},
      {"actEditClear", &TfrmMain::actEditClearExecute},
      {"actEditCut", &TfrmMain::actEditCutExecute},
      {"actLockSeal", &TfrmMain::actLockSealExecute},
      {"actLockPage", &TfrmMain::actLockPageExecute},
      {"actBringToFront", &TfrmMain::actBringToFrontExecute},
      {"actEditBringToFront", &TfrmMain::actBringToFrontExecute},
      {"actSendToBack", &TfrmMain::actSendToBackExecute},
      {"actEditSendToBack", &TfrmMain::actSendToBackExecute},
      {"actSameCenter", &TfrmMain::actSameCenterExecute},
      {"actEditSetSameCenter", &TfrmMain::actSameCenterExecute},
      {"actChangePicture", &TfrmMain::actChangePictureExecute},
      {"actEditChangeImage", &TfrmMain::actChangePictureExecute},
      {"actPageDoubleBuffered", &TfrmMain::actPageDoubleBufferedExecute},
  };
  // The colour command is in no menu: the palette's swatch finds it by this name.
  auto* setColor = new QAction(this);
  setColor->setObjectName(QStringLiteral("actEditSetColor"));
  ActionList1.push_back(setColor);
  app::BindAction(setColor, this, [this] { actEditSetColorExecute(); });
  for (const TBinding& b : kBindings)
    app::BindAction(Action(QString::fromUtf8(b.action)), this, [this, command = b.command] { (this->*command)(); });
  if (auto* tools = menuBar()->findChild<QMenu*>(QStringLiteral("Tools")))
    connect(tools, &QMenu::aboutToShow, this, [this] { app::RunGuarded(this, [this] { ToolsClick(); }); });
}

void TfrmMain::actEditDelExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || window->FSelection.empty()) return;
  window->FreeGrabHandles();
  window->FreeSelectFrame();
  for (auto it = window->FSelection.rbegin(); it != window->FSelection.rend(); ++it) {
    std::erase(window->FSeals, *it);
    delete *it;
  }
  window->FSelection.clear();
  window->FModified = true;
  ShowFileState(true, int(window->FSeals.size()));
}

void TfrmMain::actEditClearExecute() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  window->FreeGrabHandles();
  window->FreeSelectFrame();
  window->FSelection.clear();
  while (!window->FSeals.empty()) {
    delete window->FSeals.back();
    window->FSeals.pop_back();
  }
  window->FModified = false;
  ShowFileState(false, 0);
}

void TfrmMain::actEditSetColorExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || window->FSelection.empty()) return;
  const std::optional<platform::TColor> colour = Services().ChooseColor(this);
  if (!colour) return;
  const app::TPaintLock lock(this);
  for (TSeal* element : window->FSelection) element->SetPenColor(*colour);
  CurrentColor = *colour;
  window->MarkModified();
}

// With nothing selected the copy keeps the clipboard as it was and the delete does nothing.
void TfrmMain::actEditCutExecute() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  window->CopySelection(window->FSelection, *FClipStream);
  actEditDelExecute();
}

// No change to the document: neither lock is saved with it.
void TfrmMain::actLockSealExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || !window->FCurrentSeal) return;
  TSeal* element = window->FCurrentSeal;
  if (!IsLocked(element)) {
    element->OnMouseMove = nullptr;
    element->OnMouseUp = nullptr;
    return;
  }
  // Attaching all three again gives the same press handler the element already had.
  window->HookSealEvents(element);
}

void TfrmMain::actLockPageExecute() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  window->KivDrawPanel1->setEnabled(!window->KivDrawPanel1->isEnabled());
}

void TfrmMain::ToolsClick() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  if (window->FCurrentSeal)
    Action(QStringLiteral("actLockSeal"))->setText(app::LockSealCaption(IsLocked(window->FCurrentSeal)));
  Action(QStringLiteral("actLockPage"))->setText(app::LockPageCaption(!window->KivDrawPanel1->isEnabled()));
}

// The page list is also the drawing order, so the list and the stacking move together,
// and the handles go back over the element that now lies on top.
void TfrmMain::actBringToFrontExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || !window->FCurrentSeal) return;
  TSeal* element = window->FCurrentSeal;
  element->raise();
  std::erase(window->FSeals, element);
  window->FSeals.push_back(element);
  window->RaiseAdornments();
  window->MarkModified();
}

void TfrmMain::actSendToBackExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || !window->FCurrentSeal) return;
  TSeal* element = window->FCurrentSeal;
  element->lower();
  std::erase(window->FSeals, element);
  window->FSeals.insert(window->FSeals.begin(), element);
  window->RaiseAdornments();
  window->MarkModified();
}

// The centre is taken from the frame before anything moves; the frame encloses the
// selection with the same margin on every side, so its centre is the selection's.
void TfrmMain::actSameCenterExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || !window->FSelectFrame) return;
  const long double mmPerPixel =
      100.0L / (static_cast<long double>(window->KivDrawPanel1->Zoom()) * window->FPixelsPerMm);
  const TSelectFrame* frame = window->FSelectFrame;
  const float centreX = static_cast<float>((frame->x() + frame->width() / 2.0L) * mmPerPixel);
  const float centreY = static_cast<float>((frame->y() + frame->height() / 2.0L) * mmPerPixel);
  {
    const app::TPaintLock lock(this);
    for (TSeal* element : window->FSelection) {
      element->SetRealCenterX(centreX);
      element->SetRealCenterY(centreY);
    }
    window->PlaceSelectFrame(window->SelectionBounds());
  }
  window->MarkModified();
}

// The file is read before the element changes, so a picture that cannot be read leaves the
// element as it was instead of naming a file it does not show.
void TfrmMain::actChangePictureExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || !window->FCurrentSeal || !app::TakesPicture(window->FCurrentSeal->SealType())) return;
  platform::TPicture picture;
  const QString path = app::PickPictureFile(this, FAppPath, picture);
  if (path.isEmpty()) return;
  TSeal* element = window->FCurrentSeal;
  element->SetHaveImage(true);
  element->SetImageIsStar(false);
  element->SetImage(platform::UnicodeToGbk(path));
  element->SetPicture(&picture);
  CheckBox2->setChecked(element->ImageIsStar());
  CheckBox3->setChecked(element->HaveImage());
  window->MarkModified();
}

// The action has already taken its new checked state when this runs.
void TfrmMain::actPageDoubleBufferedExecute() {
  const bool on = actPageDoubleBuffered->isChecked();
  for (TfrmChild* window : DocumentWindows()) window->KivDrawPanel1->SetDoubleBuffered(on);
  platform::WriteRegInteger(platform::TRegRoot::LocalMachine, QString::fromUtf8(app::kConfigKey),
                            QString::fromUtf8(app::kPageDoubleBufferedValue), on ? 1 : 0);
}
