// The Help menu: the About box and the help viewer of the dialogs library.

#include "mainwindow/mainform.h"
#include "services/dialogs_binding.h"

std::span<const TfrmMain::TCommand> TfrmMain::HelpCommands() {
  static constexpr TCommand kCommands[] = {
      {"actHelpAbout", &TfrmMain::actHelpAboutExecute},
      {"actHelpHelp", &TfrmMain::actHelpHelpExecute},
  };
  return kCommands;
}

void TfrmMain::BindHelpCommands() { Bind(HelpCommands()); }

void TfrmMain::actHelpAboutExecute() { app::ShowAboutBox(this); }

void TfrmMain::actHelpHelpExecute() { app::ShowHelpViewer(this); }
