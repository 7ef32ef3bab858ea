// Print and preview: the print window over the active document, as the print manager or as
// a preview only, with the main window hidden while it runs.

#include "document/childform.h"
#include "document/paintlock.h"
#include "mainwindow/mainform.h"
#include "print/print.h"
#include "services/services.h"

namespace {

constexpr const char* kOnlyPreviewAdvice =
    "您的计算机没有安装打印机，这里您只能预览一下\n本软件的打印管理功能，确实要打印的话，建议您\n"
    "安装分辨率在600 dpi以上的激光打印机!";

constexpr uint8_t kPrintManagerMode = 0;
constexpr uint8_t kPreviewOnlyMode = 1;

}  // namespace

std::span<const TfrmMain::TCommand> TfrmMain::PrintCommands() {
  static constexpr TCommand kCommands[] = {
      {"actFilePreView", &TfrmMain::actFilePreViewExecute},
      {"actFilePrint", &TfrmMain::actFilePrintExecute},
  };
  return kCommands;
}

void TfrmMain::BindPrintCommands() { Bind(PrintCommands()); }

void TfrmMain::actFilePrintExecute() { ShowPrintForm(kPrintManagerMode); }

void TfrmMain::actFilePreViewExecute() { ShowPrintForm(kPreviewOnlyMode); }

void TfrmMain::ShowPrintForm(uint8_t mode) {
  TfrmChild* document = ActiveChild();
  if (!document) return;
  if (app::Services().PrinterNames().isEmpty())
    app::ShowMessage(this, app::TMsgKind::Information, QString::fromUtf8(kOnlyPreviewAdvice), app::mbOK);
  FPrintMode = mode;
  const app::TPaintLock lock(this);
  // Shown again however the print window ends, after it has given the elements back.
  class TShownAgain {
   public:
    explicit TShownAgain(QWidget* w) : FWindow(w) {}
    ~TShownAgain() { FWindow->show(); }
    TShownAgain(const TShownAgain&) = delete;
    TShownAgain& operator=(const TShownAgain&) = delete;

   private:
    QWidget* FWindow;
  } shownAgain(this);
  hide();
  TfrmPrint form(this, *document, FPrintMode == kPreviewOnlyMode);
  form.exec();
}
