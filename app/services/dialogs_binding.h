#pragma once
// The program's side of the dialogs library. Every command that needs one of its dialogs
// goes through CallDialogsLibrary: the library at Services().DialogsLibraryPath() is loaded
// for that one call, its export looked up by name and called, and the library unloaded
// again on every path.

#include <exception>
#include <functional>
#include <string>

#include "dialogs/merulin.h"

class QWidget;

namespace app {

// The dialogs library cannot be loaded (or, for the print options, lacks their export).
// Commands let it through: the guarded command runner shows its message in the error box.
class DLLLoadError : public std::exception {
 public:
  explicit DLLLoadError(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// One dialog of the library as the program's commands reach it.
struct TDialogExport {
  const char* Name;                   // the export's name in the library
  const char* MissingLibraryMessage;  // DLLLoadError's message when the library cannot be loaded
};

inline constexpr TDialogExport kAboutBoxExport{merulin::kShowAboutBox, "该资源已缺失！"};
inline constexpr TDialogExport kHelpExport{merulin::kShowHelp, "帮助资源缺失！"};
inline constexpr TDialogExport kPrintSetupExport{merulin::kShowPrintSetupBox, "DLL文件错误！"};
inline constexpr TDialogExport kExportOptionsExport{merulin::kShowExportToImage, "文件缺失！"};

// The print options' message when the library has no such export.
inline constexpr const char* kDamagedLibraryMessage = "文件损坏，请重新安装该程序！";

// Loads the library, finds the dialog's export and gives its address to call, then unloads
// the library, also when call throws. Throws DLLLoadError with the dialog's message when
// the library cannot be loaded; returns false, calling nothing, when it lacks the export.
bool CallDialogsLibrary(const TDialogExport& dialog, const std::function<void(void* function)>& call);

// The four dialogs, each modal to the window given.
// About box and help viewer of the main window; nothing when the library lacks them.
void ShowAboutBox(QWidget* mainWindow);
void ShowHelpViewer(QWidget* mainWindow);
// The print options preset with the print window's last answer; the record returned is
// the dialog's whole answer, accepted or not. A library without the export raises
// DLLLoadError with kDamagedLibraryMessage.
merulin::TPrintSettings AskPrintSettings(QWidget* printWindow, const merulin::TPrintSettings& last);
// The export options of a document window; all zero (not accepted) when cancelled or when
// the library lacks the export.
merulin::TExportSettings AskExportSettings(QWidget* documentWindow);

}  // namespace app
