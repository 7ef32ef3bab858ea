#include "services/dialogs_binding.h"

#include <QString>

#include "platform/library.h"
#include "services/services.h"

namespace app {

bool CallDialogsLibrary(const TDialogExport& dialog, const std::function<void(void* function)>& call) {
  const platform::TLibrary library(Services().DialogsLibraryPath().toStdString());
  if (!library.Loaded()) throw DLLLoadError(dialog.MissingLibraryMessage);
  void* function = library.Symbol(dialog.Name);
  if (!function) return false;
  call(function);
  return true;
}

void ShowAboutBox(QWidget* mainWindow) {
  CallDialogsLibrary(kAboutBoxExport, [&](void* f) { reinterpret_cast<merulin::TShowAboutBox>(f)(mainWindow); });
}

void ShowHelpViewer(QWidget* mainWindow) {
  CallDialogsLibrary(kHelpExport, [&](void* f) { reinterpret_cast<merulin::TShowHelp>(f)(mainWindow); });
}

merulin::TPrintSettings AskPrintSettings(QWidget* printWindow, const merulin::TPrintSettings& last) {
  merulin::TPrintSettings answer{};
  const bool called = CallDialogsLibrary(kPrintSetupExport, [&](void* f) {
    reinterpret_cast<merulin::TShowPrintSetupBox>(f)(&answer, printWindow, last.TrueColor, last.Mirror, last.Copies);
  });
  if (!called) throw DLLLoadError(kDamagedLibraryMessage);
  return answer;
}

merulin::TExportSettings AskExportSettings(QWidget* documentWindow) {
  merulin::TExportSettings answer{};
  CallDialogsLibrary(kExportOptionsExport,
                     [&](void* f) { reinterpret_cast<merulin::TShowExportToImage>(f)(&answer, documentWindow); });
  return answer;
}

}  // namespace app
