#pragma once
// The print window: the active document's page as it will be printed. As the print
// manager it is a sizeable window with a menu, a tool bar down its right side and a status
// bar, from which the user zooms, sets up the printer and prints; as a preview only it is a
// borderless view of the whole screen that any click closes. While it is open the document's
// elements lie on its own page, and it gives them back when it closes.

#include <QDialog>
#include <QPoint>
#include <functional>

#include "services/dialogs_binding.h"
#include "document/pagecentring.h"
#include "document/printerpage.h"
#include "print/previewzoom.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenuBar;
class QProgressBar;
class QScrollArea;
class QToolBar;
class TfrmChild;
class TKivDrawPanel;
class TKivFlatPanel;
class TKivStatusBar;

class TfrmPrint : public QDialog {
  Q_OBJECT

 public:
  // The window for document, owned by owner; the elements move onto its page at once.
  TfrmPrint(QWidget* owner, TfrmChild& document, bool previewOnly);
  ~TfrmPrint() override;

  // What the window keeps, for reading: the last answer of the print options, passed in
  // again as the next one's presets; whether a pan drag runs; the screen's pixels per
  // millimetre; whether it is the preview only; the screen cursor slot the preview page
  // shows.
  const merulin::TPrintSettings& PrintSettings() const { return FPrintSettings; }
  bool Panning() const { return FPanning; }
  long double ScreenPixelsPerMm() const { return FScreenPixelsPerMm; }
  bool PreviewOnly() const { return FPreviewOnly; }
  int PreviewCursor() const { return FCursorSlot; }

  // The mouse on the preview page, in its own pixels.
  void PreviewPanel1MouseDown(Qt::MouseButton button, int x, int y);
  void PreviewPanel1MouseMove(int x, int y);
  void PreviewPanel1MouseUp(Qt::MouseButton button, int x, int y);

  // The preview page: the printer's sheet (writing its printable area to the status bar),
  // the fitting zoom of the view, a zoom for the page and its elements, the cursor outside
  // the zoom modes, and the printer's sheet given to both pages.
  app::TPrintPageGeometry GetPrinterPageGeometry();
  int CalcFitZoom() const;
  void SetPreviewZoom(int zoom);
  void UpdatePreviewCursor();
  void ApplyPrinterPage();
  void FormResize();

  // Printing: false, after saying so, when no printer is installed; the direct and the
  // mirrored pass.
  bool CheckPrinterInstalled();
  void PrintDocument();
  void PrintDocumentMirrored();

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The action handlers. The zoom-mode pair toggles its mode, as a press of its button
  // does; the fit leaves any mode.
  void ActZoomInExecute();
  void ActZoomOutExecute();
  void ActZoomFitExecute();
  void FSetupActExecute();
  void FPrintActExecute();
  void FExitActExecute();
  void CloseFormExecute();

  void CreateActions();
  void CreateLayout();
  void FormCreate();
  void FormShow();
  // The page at the zoom that fits the view, kept fitted as the view changes until another
  // zoom is chosen.
  void FitPage();
  void FormClose();
  void MoveSealsToPreview();
  // The page's cursor follows a zoom-mode action that was toggled.
  void ZoomInToggled();
  void ZoomOutToggled();
  // The mode the page's cursor stands for, and a change of it through the mode actions.
  app::TZoomMode ZoomModeOf() const;
  void SwitchZoomMode(app::TZoomMode from, app::TZoomMode to);
  void SetPreviewCursor(int slot);
  void SetStatus(int panel, const QString& text);
  // The printable area of the preview page and its zoom.
  void ShowPageStatus();
  void RunPrintJob(bool mirrored);
  void RunGuarded(const std::function<void()>& handler);

  TfrmChild& FDocument;
  QScrollArea* ScrollBox1;
  QWidget* Sheet;
  TKivFlatPanel* KivFlatPanel1;
  TKivDrawPanel* PreviewPanel1;
  TKivStatusBar* KivStatusBar1;
  QLabel* Panel1;
  QProgressBar* ProgressBar1;
  QWidget* CoolBar1;
  QToolBar* ToolBar1;
  QMenuBar* MainMenu1;
  QAction* ActZoomIn;
  QAction* ActZoomOut;
  QAction* ActZoomFit;
  QAction* FSetupAct;
  QAction* FPrintAct;
  QAction* FExitAct;
  QAction* CloseForm;
  merulin::TPrintSettings FPrintSettings{};
  QPoint FPanStart;
  bool FPanning = false;
  long double FScreenPixelsPerMm;
  bool FPreviewOnly;
  QActionGroup* FZoomModes;
  int FCursorSlot = 0;
  bool FSealsLent = false;
  bool FFitted = false;
  app::TPageCentring FCentring;
};
