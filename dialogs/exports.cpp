// The four exported dialogs. Each call makes its form as a child of the caller's window,
// shows it modally, copies the answer out and destroys the form before returning, so
// nothing of the library outlives the call and the library can be unloaded right after.

#include <QApplication>
#include <QPointer>

#include "dialogs/about.h"
#include "dialogs/exporttoimage.h"
#include "dialogs/help.h"
#include "dialogs/merulin.h"
#include "dialogs/printsetup.h"

namespace {

// Creates the form, runs it modally and hands the result to answer. The form is deleted on
// every path; should the caller's window delete it first (and the form with it), there is
// no answer. Nothing thrown gets past here.
template <typename Form, typename Prepare, typename Answer>
void RunForm(void* appHandle, Prepare&& prepare, Answer&& answer) noexcept {
  try {
    // Widgets need the caller's widget application; without one there is no dialog.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    QPointer<Form> form = new Form(static_cast<QWidget*>(appHandle));
    struct Destroy {
      QPointer<Form>& form;
      ~Destroy() { delete form.data(); }
    } destroy{form};
    prepare(*form);
    const int result = form->exec();
    if (form) answer(*form, result);
  } catch (...) {
  }
}

void Nothing(QDialog&) {}
void NoAnswer(QDialog&, int) {}

}  // namespace

MERULIN_EXPORT void ShowAboutBox(void* AppHandle) noexcept { RunForm<merulin::TAboutBox>(AppHandle, Nothing, NoAnswer); }

MERULIN_EXPORT void Show_frmHelp(void* AppHandle) noexcept { RunForm<merulin::TfrmHelp>(AppHandle, Nothing, NoAnswer); }

MERULIN_EXPORT void ShowPrintSetupBox(merulin::TPrintSettings* Settings, void* AppHandle, bool TrueColor, bool Mirror,
                                      int32_t Copies) noexcept {
  if (!Settings) return;
  *Settings = merulin::kPrintCancelled;
  RunForm<merulin::TfrmPrintSetup>(
      AppHandle, [&](merulin::TfrmPrintSetup& form) { form.Preset(TrueColor, Mirror, Copies); },
      [&](const merulin::TfrmPrintSetup& form, int result) { *Settings = form.Settings(result); });
}

MERULIN_EXPORT void ShowExportToImage(merulin::TExportSettings* Settings, void* AppHandle) noexcept {
  if (!Settings) return;
  *Settings = merulin::TExportSettings{};
  RunForm<merulin::TfrmExportToImage>(AppHandle, Nothing, [&](const merulin::TfrmExportToImage& form, int result) {
    if (result != 1) return;
    if (const auto accepted = form.Settings()) *Settings = *accepted;
  });
}
