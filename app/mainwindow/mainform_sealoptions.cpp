// The tool bar's options of the current element: positive or negative (hollow or filled for
// a star), the star emblem, any emblem and the face of all its texts; the next-font command
// and the palette's show and hide command.

#include <QCompleter>
#include <QLineEdit>

#include "controls/gbkinput.h"
#include "document/childform.h"
#include "document/sealtemplates.h"
#include "mainwindow/mainform.h"
#include "seal/seal.h"
#include "seal/seal_kinds.h"
#include "services/commandguard.h"

namespace {

const seal::TSeal* CurrentSealOf(const TfrmChild* window) { return window ? window->CurrentSeal() : nullptr; }

}  // namespace

std::span<const TfrmMain::TCommand> TfrmMain::SealOptionCommands() {
  static constexpr TCommand kCommands[] = {
      {"actToolsNextFont", &TfrmMain::actToolsNextFontExecute},
      {"actViewOpenDrawTools", &TfrmMain::actViewOpenDrawToolsExecute},
  };
  return kCommands;
}

void TfrmMain::BindSealOptionCommands() {
  Bind(SealOptionCommands());
  // The boxes act on the user's clicks only: the check marks that follow an element are no
  // change of it.
  const std::pair<QCheckBox*, void (TfrmMain::*)()> boxes[] = {
      {CheckBox1, &TfrmMain::CheckBox1Click},
      {CheckBox2, &TfrmMain::CheckBox2Click},
      {CheckBox3, &TfrmMain::CheckBox3Click},
  };
  for (const auto& [box, click] : boxes)
    connect(box, &QCheckBox::clicked, this, [this, click] { app::RunGuarded(this, [this, click] { (this->*click)(); }); });
  // A face typed or picked applies at once; the program filling or stepping the list does
  // not. Completions are offered in a list rather than written into the box, so that the
  // box shows the face the element has.
  const auto change = [this] { app::RunGuarded(this, [this] { FontComboBoxChange(); }); };
  connect(FontComboBox, &QComboBox::textActivated, this, change);
  connect(FontComboBox->lineEdit(), &QLineEdit::textEdited, this, change);
  AcceptGbkOnly(FontComboBox->lineEdit(), [this](const QString& characters) { ShowInputHint(characters); });
  FontComboBox->setInsertPolicy(QComboBox::NoInsert);
  if (QCompleter* completer = FontComboBox->completer()) completer->setCompletionMode(QCompleter::PopupCompletion);
}

void TfrmMain::CheckBox1Click() {
  TfrmChild* window = ActiveChild();
  const seal::TSeal* element = CurrentSealOf(window);
  if (!element || !seal::TakesBrushOption(element->SealType())) return;
  const platform::TBrushStyle style = CheckBox1->isChecked() ? platform::bsClear : platform::bsSolid;
  window->EditCurrentSeal([style](seal::TSeal& edited) { edited.SetBrushStyle(style); });
}

void TfrmMain::CheckBox2Click() {
  SetEmblemOption(CheckBox2, &seal::TSeal::SetImageIsStar, CheckBox3, &seal::TSeal::HaveImage);
}

void TfrmMain::CheckBox3Click() {
  SetEmblemOption(CheckBox3, &seal::TSeal::SetHaveImage, CheckBox2, &seal::TSeal::ImageIsStar);
}

// The two emblem flags hang together (the star is an emblem, no emblem is no star): the other
// box shows what setting this one left of its flag.
void TfrmMain::SetEmblemOption(QCheckBox* box, void (seal::TSeal::*set)(bool), QCheckBox* other,
                               bool (seal::TSeal::*shown)() const) {
  TfrmChild* window = ActiveChild();
  const seal::TSeal* element = CurrentSealOf(window);
  if (!element || !seal::TakesPicture(element->SealType())) return;
  const bool checked = box->isChecked();
  window->EditCurrentSeal([set, checked](seal::TSeal& edited) { (edited.*set)(checked); });
  other->setChecked((element->*shown)());
}

// A face is no change of the document.
void TfrmMain::FontComboBoxChange() {
  if (TfrmChild* window = ActiveChild()) window->SetCurrentFaces(app::FaceNameFromText(FontComboBox->currentText()));
}

void TfrmMain::actToolsNextFontExecute() {
  const int count = FontComboBox->count();
  if (count == 0) return;
  const int index = FontComboBox->currentIndex();
  FontComboBox->setCurrentIndex(index < count - 1 ? index + 1 : 0);
  FontComboBoxChange();
}

void TfrmMain::actViewOpenDrawToolsExecute() {
  if (!FrmDrawTools) return;
  FrmDrawTools->setVisible(FrmDrawTools->isHidden());
  ShowToggleCaption("actViewOpenDrawTools", !FrmDrawTools->isHidden());
}
