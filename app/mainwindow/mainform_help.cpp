// The Help menu: the About box and the help viewer of the dialogs library, the wallpaper
// behind the documents, and the mail and home-page links.

#include <QFileInfo>

#include "mainwindow/mainform.h"
#include "pandrel/pandrel.h"
#include "platform/registry.h"
#include "services/addresses.h"
#include "services/dialogs_binding.h"
#include "services/picturefiles.h"
#include "services/services.h"
#include "services/settingskeys.h"

using app::Services;

std::span<const TfrmMain::TCommand> TfrmMain::HelpCommands() {
  static constexpr TCommand kCommands[] = {
      {"actHelpAbout", &TfrmMain::actHelpAboutExecute},
      {"actHelpHelp", &TfrmMain::actHelpHelpExecute},
      {"actHelpChangeWallPaper", &TfrmMain::actHelpChangeWallPaperExecute},
      {"actHelpMailme", &TfrmMain::actHelpMailmeExecute},
      {"actGoHomePage", &TfrmMain::actGoHomePageExecute},
  };
  return kCommands;
}

void TfrmMain::BindHelpCommands() { Bind(HelpCommands()); }

void TfrmMain::actHelpAboutExecute() { app::ShowAboutBox(this); }

void TfrmMain::actHelpHelpExecute() { app::ShowHelpViewer(this); }

// A file that is not there changes nothing; one the picture library cannot read still gives
// a wallpaper, an empty one, and is kept for the next start as chosen.
void TfrmMain::actHelpChangeWallPaperExecute() {
  const QString path = Services().OpenPictureFileName(this, FAppPath, QString::fromUtf8(app::kPictureFilter));
  if (path.isEmpty() || !QFileInfo(path).isFile()) return;
  FWallpaper.reset(SetBkGnd(ClientWindow, path.toUtf8().constData()));
  ClientWindow->SetWallpaper(FWallpaper.get());
  platform::WriteRegString(platform::TRegRoot::LocalMachine, QString::fromUtf8(app::kUserInfoKey),
                           QString::fromUtf8(app::kBackGroundValue), path);
}

void TfrmMain::actHelpMailmeExecute() { Services().OpenUrl(QString::fromUtf8(app::kMailAddress)); }

void TfrmMain::actGoHomePageExecute() { Services().OpenUrl(QString::fromUtf8(app::kHomePageAddress)); }
