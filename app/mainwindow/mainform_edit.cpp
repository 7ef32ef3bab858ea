// The Edit menu and the palette's commands of the same kind: the clipboard, deleting and
// clearing, colour, stacking, same centre and the element's picture, each one call on the
// active document window.

#include <QAction>

#include "document/childform.h"
#include "mainwindow/mainform.h"
#include "platform/componentname.h"
#include "platform/picture.h"
#include "seal/seal_kinds.h"
#include "services/commandguard.h"
#include "services/picturefiles.h"
#include "services/services.h"

using app::Services;

std::span<const TfrmMain::TCommand> TfrmMain::EditCommands() {
  static constexpr TCommand kCommands[] = {
      {"actEditCut", &TfrmMain::actEditCutExecute},
      {"actEditCopy", &TfrmMain::actEditCopyExecute},
      {"actEditPaste", &TfrmMain::actEditPasteExecute},
      {"actEditDel", &TfrmMain::actEditDelExecute},
      {"actEditClear", &TfrmMain::actEditClearExecute},
      {"actBringToFront", &TfrmMain::actBringToFrontExecute},
      {"actEditBringToFront", &TfrmMain::actBringToFrontExecute},
      {"actSendToBack", &TfrmMain::actSendToBackExecute},
      {"actEditSendToBack", &TfrmMain::actSendToBackExecute},
      {"actSameCenter", &TfrmMain::actSameCenterExecute},
      {"actEditSetSameCenter", &TfrmMain::actSameCenterExecute},
      {"actChangePicture", &TfrmMain::actChangePictureExecute},
      {"actEditChangeImage", &TfrmMain::actChangePictureExecute},
      {TFrmDrawTools::kSetColourAction, &TfrmMain::actEditSetColorExecute},
  };
  return kCommands;
}

void TfrmMain::BindEditCommands() {
  // The colour command is in no menu: the palette's swatch finds it by its name.
  auto* setColor = new QAction(this);
  platform::Named(setColor, TFrmDrawTools::kSetColourAction);
  ActionList1.push_back(setColor);
  Bind(EditCommands());
}

void TfrmMain::actEditCopyExecute() {
  if (TfrmChild* window = ActiveChild()) window->CopySelection(window->Selection(), *FClipStream);
}

void TfrmMain::actEditPasteExecute() {
  if (TfrmChild* window = ActiveChild()) window->PasteSeals(*FClipStream);
}

void TfrmMain::actEditDelExecute() {
  if (TfrmChild* window = ActiveChild()) window->DeleteSelection();
}

void TfrmMain::actEditClearExecute() {
  if (TfrmChild* window = ActiveChild()) window->Clear();
}

void TfrmMain::actEditSetColorExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || window->Selection().empty()) return;
  const std::optional<platform::TColor> colour = Services().ChooseColor(this);
  if (!colour) return;
  window->SetSelectionColour(*colour);
  SetCurrentColor(*colour);
}

// With nothing selected the copy keeps the clipboard as it was and the delete does nothing.
void TfrmMain::actEditCutExecute() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  window->CopySelection(window->Selection(), *FClipStream);
  window->DeleteSelection();
}

void TfrmMain::actBringToFrontExecute() {
  if (TfrmChild* window = ActiveChild()) window->BringToFront();
}

void TfrmMain::actSendToBackExecute() {
  if (TfrmChild* window = ActiveChild()) window->SendToBack();
}

void TfrmMain::actSameCenterExecute() {
  if (TfrmChild* window = ActiveChild()) window->SetSameCentre();
}

// The file is read before the element changes, so a picture that cannot be read leaves the
// element as it was instead of naming a file it does not show.
void TfrmMain::actChangePictureExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || !window->CurrentSeal() || !seal::TakesPicture(window->CurrentSeal()->SealType())) return;
  const QString path = app::AskPictureFile(this, FAppPath);
  if (path.isEmpty()) return;
  window->SetCurrentPicture(path);
  const seal::TSeal* element = window->CurrentSeal();
  CheckBox2->setChecked(element->ImageIsStar());
  CheckBox3->setChecked(element->HaveImage());
}
