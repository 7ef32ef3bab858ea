// Picture export, in the Edit menu and the seal pop-up menu: the selection of the active
// document as a picture file or on the system clipboard.

#include "document/childform.h"
#include "export/pictureexport.h"
#include "mainwindow/mainform.h"

std::span<const TfrmMain::TCommand> TfrmMain::ExportCommands() {
  static constexpr TCommand kCommands[] = {
      {"actEditSealSaveToImage", &TfrmMain::actEditSealSaveToImageExecute},
  };
  return kCommands;
}

void TfrmMain::BindExportCommands() { Bind(ExportCommands()); }

void TfrmMain::actEditSealSaveToImageExecute() {
  if (TfrmChild* window = ActiveChild()) app::ExportSelection(*window, this, FAppPath);
}
