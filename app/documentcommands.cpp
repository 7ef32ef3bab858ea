#include "documentcommands.h"

#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>

#include "childform.h"
#include "commandguard.h"
#include "document_file.h"
#include "kivdrawpanel.h"
#include "mainform.h"
#include "selectframe.h"

namespace app {

TMsgButton ShowMessage(QWidget* parent, const TMessageSpec& message, const QString& argument) {
  QString text = QString::fromUtf8(message.Text);
  if (text.contains(QLatin1String("%1"))) text = text.arg(argument);
  return ShowMessage(parent, message.Kind, text, message.Buttons);
}

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

namespace {

constexpr int kFirstReadableVersion = 5;
constexpr int kCurrentVersion = 8;

}  // namespace

QString TfrmMain::DocumentFolder() const { return FAppPath + QString::fromUtf8(app::kDocumentFolder); }

// A closed window leaves the document area's list at once, though it is freed later.
std::vector<TfrmChild*> TfrmMain::DocumentWindows(QMdiArea::WindowOrder order) const {
  std::vector<TfrmChild*> windows;
  for (QMdiSubWindow* w : ClientWindow->subWindowList(order))
    if (auto* child = qobject_cast<TfrmChild*>(w)) windows.push_back(child);
  return windows;
}

void TfrmMain::BindDocumentCommands() {
  struct TBinding {
    const char* action;
    void (TfrmMain::*command)();
  };
  static constexpr TBinding kBindings[] = {
      {"actFileNew", &TfrmMain::actFileNewExecute},     {"actFileOpen", &TfrmMain::actFileOpenExecute},
      {"actFileSave", &TfrmMain::actFileSaveExecute},   {"actFileSaveAs", &TfrmMain::actFileSaveAsExecute},
      {"actFileExit", &TfrmMain::actFileExitExecute},   {"actEditCopy", &TfrmMain::actEditCopyExecute},
      {"actEditPaste", &TfrmMain::actEditPasteExecute}, {"WindowsCloseAll", &TfrmMain::WindowsCloseAllExecute},
  };
  for (const TBinding& b : kBindings)
    app::BindAction(Action(QString::fromUtf8(b.action)), this, [this, command = b.command] { (this->*command)(); });
}

// The zoom is read before the new window, becoming active, shows its own in the box.
void TfrmMain::actFileNewExecute() {
  const uint16_t zoom = ZoomBoxValue();
  TfrmChild* window = CreateDocumentWindow(app::NewDocumentCaption(int(DocumentWindows().size())));
  window->SetPageFromPrinter(window->KivDrawPanel1);
  window->ApplyZoom(zoom);
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
    float stamp = 0.0f;
    window->ReadFileStamp(stamp, fileName);
    const int version = formats::FileVersion(stamp);
    if (version < kFirstReadableVersion) {
      window->close();
      app::ShowMessage(this, app::kOldDocumentMessage, QString::number(version));
      return;
    }
    if (version < kCurrentVersion)
      window->LoadLegacyDocument(fileName, PopupMenu1, ProgressBar1, Panel2);
    else
      window->LoadDocument(fileName, PopupMenu1, ProgressBar1, Panel2);
    window->ApplyZoom(zoom);
  } catch (const std::exception&) {
    app::ShowMessage(this, app::kOpenFailedMessage, QFileInfo(fileName).fileName());
    // Nothing of a failed read reached the window, so it has nothing to ask.
    window->FModified = false;
    window->close();
  }
}

void TfrmMain::actFileSaveExecute() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  if (app::IsNeverSaved(window->windowTitle())) {
    actFileSaveAsExecute();
    return;
  }
  window->SaveDocument(window->windowTitle(), ProgressBar1, Panel2);
  MarkSaved(window);
}

// The dialog only chooses the name; the questions about the file are asked once the name
// has its extension, so that the file they ask about is the file written. A No goes back
// to the dialog.
void TfrmMain::actFileSaveAsExecute() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  QString name = window->windowTitle();
  for (;;) {
    name = Services().SaveFileName(this, DocumentFolder(), QString::fromUtf8(app::kDocumentFilter), name);
    if (name.isEmpty()) return;
    name = app::WithDocumentExtension(name);
    const app::TMessageSpec& question = QFileInfo::exists(name) ? app::kOverwriteQuestion : app::kCreateQuestion;
    if (app::ShowMessage(this, question, name) == app::mbYes) break;
  }
  window->SaveDocument(name, ProgressBar1, Panel2);
  MarkSaved(window);
}

void TfrmMain::MarkSaved(TfrmChild* window) {
  window->FModified = false;
  KivStatusBar1->SetPanelText(2, QString::fromUtf8(app::kSavedState));
}

void TfrmMain::actEditCopyExecute() {
  TfrmChild* window = ActiveChild();
  if (!window) return;
  window->CopySelection(window->FSelection, *FClipStream);
}

void TfrmMain::actEditPasteExecute() {
  TfrmChild* window = ActiveChild();
  if (!window || FClipStream->empty()) return;
  window->FreeGrabHandles();
  window->FSelection.clear();
  window->PasteSeals(*FClipStream, PopupMenu1);
  if (window->FSelection.size() == 1) {
    window->FreeSelectFrame();
    window->FCurrentSeal = window->FSelection.front();
    window->NewGrabHandles(window->FCurrentSeal);
  } else if (window->FSelection.size() > 1) {
    if (window->CreateSelectFrame())
      window->HookSelectFrame();
    else
      window->FSelectFrame->raise();
    window->PlaceSelectFrame(window->SelectionBounds());
  }
  window->FModified = true;
  ShowFileState(true, int(window->FSeals.size()));
}

void TfrmMain::actFileExitExecute() { close(); }

// From the last window of the stacking order to the first, each window in front while it
// is asked, so that a save it asks for saves that window; a refusal keeps it and goes on.
void TfrmMain::WindowsCloseAllExecute() {
  const std::vector<TfrmChild*> windows = DocumentWindows(QMdiArea::StackingOrder);
  for (TfrmChild* window : windows) {
    ClientWindow->setActiveSubWindow(window);
    window->close();
  }
}

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
