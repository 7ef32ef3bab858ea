// The File menu: new, open, close, save, save as and exit, with the names, questions and
// messages of the document commands.

#include <QFileInfo>
#include <QMdiSubWindow>

#include "document/childform.h"
#include "formats/document_file.h"
#include "mainwindow/mainform.h"
#include "mainwindow/mainform_file.h"
#include "services/datafolders.h"
#include "services/folderfiles.h"
#include "services/savename.h"

namespace app {

QString NewDocumentCaption(int windowCount) {
  return QStringLiteral("文件") + QString::number(windowCount + 1) + QString::fromUtf8(kDocumentExtension);
}

bool IsNeverSaved(const QString& caption) { return caption.startsWith(QStringLiteral("文件")); }

// The extension is everything from the last dot of the name itself, so a dotted folder
// gives none, and a name ending in a dot has one.
QString WithDocumentExtension(const QString& name) {
  if (QFileInfo(name).fileName().contains(QLatin1Char('.'))) return name;
  return name + QString::fromUtf8(kDocumentExtension);
}

}  // namespace app

using app::Services;

QString TfrmMain::DocumentFolder() const { return app::DataFolder(FAppPath, app::kDocumentFolder); }

// A closed window leaves the document area's list at once, though it is freed later.
std::vector<TfrmChild*> TfrmMain::DocumentWindows(QMdiArea::WindowOrder order) const {
  std::vector<TfrmChild*> windows;
  for (QMdiSubWindow* w : ClientWindow->subWindowList(order))
    if (auto* child = qobject_cast<TfrmChild*>(w)) windows.push_back(child);
  return windows;
}

std::span<const TfrmMain::TCommand> TfrmMain::FileCommands() {
  static constexpr TCommand kCommands[] = {
      {"actFileNew", &TfrmMain::actFileNewExecute},       {"actFileOpen", &TfrmMain::actFileOpenExecute},
      {"WindowClose1", &TfrmMain::WindowCloseExecute},    {"actFileSave", &TfrmMain::actFileSaveExecute},
      {"actFileSaveAs", &TfrmMain::actFileSaveAsExecute}, {"actFileExit", &TfrmMain::actFileExitExecute},
  };
  return kCommands;
}

void TfrmMain::BindFileCommands() { Bind(FileCommands()); }

// The zoom is read before the new window, becoming active, shows its own in the box.
void TfrmMain::actFileNewExecute() {
  const uint16_t zoom = ZoomBoxValue();
  TfrmChild* window = CreateDocumentWindow(app::NewDocumentCaption(int(DocumentWindows().size())));
  window->SetPageFromPrinter();
  window->ApplyZoom(zoom);
  ShowPropertyWindow();
}

void TfrmMain::actFileOpenExecute() {
  const QString path = Services().OpenFileName(this, DocumentFolder(), QString::fromUtf8(app::kDocumentFilter));
  if (path.isEmpty()) return;
  for (TfrmChild* window : DocumentWindows()) {
    if (window->windowTitle() == path) {
      ClientWindow->setActiveSubWindow(window);
      app::ShowMessage(this, app::kAlreadyOpenMessage);
      return;
    }
  }
  OpenDocument(path);
}

void TfrmMain::OpenDocument(const QString& fileName) {
  if (!QFileInfo::exists(fileName)) {
    app::ShowMessage(this, app::kFileMissingMessage);
    return;
  }
  const uint16_t zoom = ZoomBoxValue();
  TfrmChild* window = CreateDocumentWindow(fileName);
  try {
    window->LoadDocument(fileName);
    window->ApplyZoom(zoom);
    ShowPropertyWindow();
  } catch (const formats::EOldDocument& e) {
    window->close();
    app::ShowMessage(this, app::kOldDocumentMessage, QString::number(e.Version()));
  } catch (const std::exception&) {
    app::ShowMessage(this, app::kOpenFailedMessage, QFileInfo(fileName).fileName());
    // Nothing of a failed read reached the window, so it has nothing to ask.
    window->ForgetChanges();
    window->close();
  }
}

void TfrmMain::WindowCloseExecute() { ClientWindow->closeActiveSubWindow(); }

void TfrmMain::actFileSaveExecute() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  if (app::IsNeverSaved(window->windowTitle())) {
    actFileSaveAsExecute();
    return;
  }
  window->SaveDocument(window->windowTitle());
  window->MarkSaved();
}

void TfrmMain::actFileSaveAsExecute() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  const QString name = app::ChooseSaveName(
      this,
      [this](const QString& offered) {
        return Services().SaveFileName(this, DocumentFolder(), QString::fromUtf8(app::kDocumentFilter), offered);
      },
      app::WithDocumentExtension, window->windowTitle());
  if (name.isEmpty()) return;
  window->SaveDocument(name);
  window->MarkSaved();
}

void TfrmMain::actFileExitExecute() { close(); }

// Every window is asked, the front one first, before any closes; the first refusal keeps
// them all and the program.
bool TfrmMain::DocumentsMayClose() {
  std::vector<TfrmChild*> windows = DocumentWindows(QMdiArea::StackingOrder);
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    ClientWindow->setActiveSubWindow(*it);
    if (!(*it)->FormCloseQuery()) return false;
  }
  return true;
}
