#pragma once
// The main window: the MDI frame with its menus, tool bar, status bar, side panels and
// wallpaper, built while the splash window announces each step. It is the host of its
// document windows, creates every other window and connects them: the commands of each
// menu live in a file of their own (mainform_file.cpp, mainform_edit.cpp, ...), each bound
// by its own Bind function, and each is one call on the active document window.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QScrollArea>
#include <QToolBar>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "controls/kivcontrols.h"
#include "controls/mdiclient.h"
#include "document/documenthost.h"
#include "platform/bitmap.h"
#include "platform/color.h"
#include "tools/frmdrawtools.h"

class TEmblemPanel;
class TLibraryPanel;
class TfrmChild;
namespace app {
class TDrawTools;
}
namespace property {
class TPropertyHost;
}
namespace seal {
class TSeal;
}

class TfrmMain : public QMainWindow, public app::TDocumentHost {
  Q_OBJECT

 public:
  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  // The action of that name from either list; throws std::out_of_range naming it when
  // there is none. Every command is run by triggering its action.
  QAction* Action(const QString& name) const;

  // A command of a menu, bound to the action of that name.
  struct TCommand {
    const char* action;
    void (TfrmMain::*command)();
  };
  // The command tables of the menu files, each bound by its own Bind function.
  static std::span<const TCommand> FileCommands();
  static std::span<const TCommand> EditCommands();
  static std::span<const TCommand> ToolsCommands();
  static std::span<const TCommand> WindowCommands();
  static std::span<const TCommand> HelpCommands();
  static std::span<const TCommand> LibraryCommands();
  static std::span<const TCommand> ExportCommands();
  static std::span<const TCommand> PrintCommands();
  static std::span<const TCommand> ViewCommands();
  static std::span<const TCommand> SealOptionCommands();
  static std::vector<std::span<const TCommand>> CommandTables();

  // ActionList2: the drawing tools, the templates and the palette's commands, in list order.
  const std::vector<QAction*>& ToolActions() const { return ActionList2; }
  // What the window keeps, for reading: the internal clipboard of seals; whether the emblem
  // panel and the library panel are filled (each at the first click of its tab); the mode
  // the print window was last opened in (0 the print manager, 1 the preview only).
  const std::vector<uint8_t>& ClipStream() const { return *FClipStream; }
  bool EmblemsLoaded() const { return FEmblemsLoaded; }
  bool LibraryLoaded() const { return FLibraryLoaded; }
  uint8_t PrintMode() const { return FPrintMode; }

  // The narrow-screen question was answered Yes: the program ends after start-up.
  bool TerminateRequested() const { return FTerminateRequested; }

  void ArrangeBars();
  // The layout rule for a window of pixelsPerInch.
  void ArrangeBars(int pixelsPerInch);
  void ShowKeyStates();
  // Opens the document at path in a new document window.
  virtual void OpenDocument(const QString& path);
  // The status panels of the file state and of the element count.
  void ShowFileState(app::TFileState state, int count);

  // The armed drawing tool's action, nullptr when none is armed.
  QAction* CurrentDrawAction() const;
  // The drawing-tools palette, over this window, under the cool bar; it is freed with
  // this window. pixelsPerInch 0 takes the screen's.
  TFrmDrawTools* CreateDrawTools(int pixelsPerInch = 0);
  // The seal option boxes of the tool bar follow the element that became the current one.
  void SyncSealOptions(const seal::TSeal* element);

  // The active document window, nullptr when none is open.
  TfrmChild* ActiveChild() const;
  // A new document window, the active one, with that caption.
  TfrmChild* CreateDocumentWindow(const QString& caption);
  // The open document windows, closing ones excluded.
  std::vector<TfrmChild*> DocumentWindows(QMdiArea::WindowOrder order = QMdiArea::CreationOrder) const;
  // The zoom box's percentage as a document's zoom; throws on text that is no number.
  uint16_t ZoomBoxValue() const;
  // Creates the property window under the tool bar beside the side panels and shows it,
  // unless it is open already.
  void ShowPropertyWindow();
  // A change of the active document's current element, made in the property window, whose
  // modified state the status bar shows in fileState's words.
  void EditCurrentSealInWords(const std::function<void(seal::TSeal&)>& change, const QString& fileState);
  // The print window over the active document, as the print manager (mode 0) or as a
  // preview only (1), modal, while this window is hidden.
  void ShowPrintForm(uint8_t mode);

  // The document windows' host.
  int ArmedTool() const override;
  void ReleaseTool() override;
  // The brush colour of the palette's swatch; a main window without a palette keeps it
  // itself, red at first.
  platform::TColor CurrentColor() const override;
  void SetCurrentColor(platform::TColor colour) override;
  QString FontBoxText() const override;
  bool LoadSelectedEmblem(platform::TPicture& picture) const override;
  QString ProgramFolder() const override;
  // The lock command's caption tells what choosing it does to the element.
  void PrepareSealPopupMenu(const seal::TSeal& element, bool locked) override;
  void ShowSealPopupMenu(QPoint globalPos) override;
  void ShowPagePopupMenu(QPoint globalPos) override;
  void ShowPointerPosition(const QString& horizontal, const QString& vertical) override;
  app::TActivityDisplay& FileActivity() override;
  // A panel of the status bar shows the text.
  void ShowStatus(app::TStatusPanel panel, const QString& text);
  // The save command, with that document in front.
  void SaveDocument(TfrmChild& document) override;

 signals:
  // Another document window, or none, is the active one.
  void ActiveDocumentChanged(TfrmChild* document);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void Bind(std::span<const TCommand> commands);
  void BindFileCommands();
  void BindEditCommands();
  void BindToolsCommands();
  void BindWindowCommands();
  void BindHelpCommands();
  void BindLibraryCommands();
  void BindExportCommands();
  void BindPrintCommands();
  // A new document window is connected to what follows it: the status panels and the zoom
  // box to what it announces, the tool bar's options and the property window to its
  // current element.
  void ConnectDocument(TfrmChild* window);
  // The zoom box shows the zoom, in percent.
  void ShowZoom(int zoom);
  // Text with these characters, which GBK cannot hold, was refused by a text box.
  void ShowInputHint(const QString& characters);
  // A message in the widest panel of the status bar, for long enough to be read.
  void ShowHint(const QString& message);
  // The pointer, file state and element count panels as at start-up, before any document.
  void ShowNoDocumentStatus();
  QString DocumentFolder() const;
  // Asks every document window, the front one first; false at the first refusal.
  bool DocumentsMayClose();
  void UpdateWindowActions();
  void FillWindowList();
  void TileWindows(Qt::Orientation orientation);
  void ArrangeIcons();

  // The File menu (mainform_file.cpp), each on the active document window.
  void actFileNewExecute();
  void actFileOpenExecute();
  void WindowCloseExecute();
  // Saves under the caption; a document never saved goes through Save As.
  void actFileSaveExecute();
  void actFileSaveAsExecute();
  void actFileExitExecute();
  // The Edit menu and the palette's commands (mainform_edit.cpp), each on the active
  // document window.
  void actEditCopyExecute();
  void actEditPasteExecute();
  void actEditDelExecute();
  void actEditClearExecute();
  void actEditSetColorExecute();
  void actEditCutExecute();
  void actBringToFrontExecute();
  void actSendToBackExecute();
  void actSameCenterExecute();
  void actChangePictureExecute();
  // The Tools menu (mainform_tools.cpp): the locks on the active document window, the
  // page's double buffering on all of them.
  void actLockSealExecute();
  void actLockPageExecute();
  void actPageDoubleBufferedExecute();
  // The lock captions as the Tools menu opens.
  void ToolsClick();
  // The Window menu (mainform_window.cpp).
  void WindowCascadeExecute();
  void WindowTileHorizontalExecute();
  void WindowTileVerticalExecute();
  void WindowArrangeExecute();
  void WindowMinimizeAllExecute();
  void WindowsCloseAllExecute();
  // The Help menu (mainform_help.cpp).
  void actHelpAboutExecute();
  void actHelpHelpExecute();
  void actHelpChangeWallPaperExecute();
  void actHelpMailmeExecute();
  void actGoHomePageExecute();
  // Picture export (mainform_export.cpp): the active document's selection as a picture.
  void actEditSealSaveToImageExecute();
  // Print and preview (mainform_print.cpp).
  void actFilePrintExecute();
  void actFilePreViewExecute();

  // The seal library and the emblems (mainform_library.cpp): the emblem panel in ScrollBox1
  // and the library panel in ScrollBox2, each filled at the first click of its tab and shown
  // while its tab is down; the library's commands. The selected tiles are the panels' own
  // (SelectedEmblem(), SelectedLibSeal()), which forget a tile once it is destroyed.
  void KivButton1Click();
  void KivButton2Click();
  // The mouse-up of both tabs: the other tab goes up, and each panel shows while its tab is
  // down.
  void KivButton1MouseUp(TKivButton* sender);
  void actLibAddExecute();
  void actEditLibraryExecute();
  void actInsertSealExecute();
  void actDeleteLibrarySealExecute();
  // A double click on an emblem: onto the current element when it takes one, else the
  // emblem tool toggles.
  void ApplyEmblem(TImagePreview* tile);
  QString LibraryFolder() const;

  // The View side: the View menu and the zoom box (mainform_view.cpp), the tool bar's
  // options of the current element (mainform_sealoptions.cpp), the property window
  // (mainform_property.cpp).
  void BindViewCommands();
  void BindSealOptionCommands();
  void actViewOpenOrClosefrmPropExecute();
  void actViewOpenOrCloseToolBarExecute();
  void actViewOpenOrCloseStatusBarExecute();
  void actViewOpenOrCloseGridExecute();
  // The captions of the grid and property window commands, as the View menu opens.
  void ViewClick();
  void actViewZoomInExecute();
  void actViewZoomNormalExecute();
  void actViewZoomOutExecute();
  // The zoom box's text applied to the active document, once picked or typed.
  void DispComboBoxChange();
  void CheckBox4Click();
  // The zoom view of the active document's selection.
  void actViewZoomAllExecute();
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void FontComboBoxChange();
  void actToolsNextFontExecute();
  void actViewOpenDrawToolsExecute();
  void ShowToggleCaption(const char* action, bool shown);
  void SetEmblemOption(QCheckBox* box, void (seal::TSeal::*set)(bool), QCheckBox* other,
                       bool (seal::TSeal::*shown)() const);
  void CreatePropertyHost();
  void ConnectPropertyWindow(TfrmChild* window);
  void RollUpPropertyWindow();
  // The property window hangs under the right end of the tool bar: it follows the bar as
  // it hides or shows and the main window as it moves or changes size.
  void PlacePropertyWindow();
  void PropertyWindowFollowsMainWindow();
  QRect PropertyWindowStrip() const;
  // The document area less the top band the rolled-up property window covers: where new,
  // cascaded and tiled document windows go, their caption buttons in reach.
  QRect DocumentArea() const;
  void KeepDocumentsClearOfPropertyWindow();
  void FreePropertyWindow();

  // The parts, each under its component name.
  TKivStatusBar* KivStatusBar1;
  QLabel* Panel2;
  QProgressBar* ProgressBar1;
  QWidget* CoolBar1;
  QToolBar* ToolBar1;
  QWidget* Panel4;
  QComboBox* DispComboBox;
  QWidget* Panel3;
  QComboBox* FontComboBox;
  QCheckBox* CheckBox4;
  QWidget* Panel1;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QCheckBox* CheckBox3;
  QWidget* Panel6;
  TKivFlatPanel* KivFlatPanel1;
  TKivButton* KivButton1;
  TKivButton* KivButton2;
  QScrollArea* ScrollBox1;
  QScrollArea* ScrollBox2;
  TEmblemPanel* KivFlatPanel2;
  TLibraryPanel* KivFlatPanel3;
  TMdiClient* ClientWindow;
  std::vector<QAction*> ActionList1;
  std::vector<QAction*> ActionList2;
  QMenu* PopupMenu1;
  QMenu* PopupMenu2;
  QMenu* PopupMenu3;
  QMenu* WindowMenu;
  QAction* actPageDoubleBuffered;
  // The drawing tools and the armed one.
  app::TDrawTools* DrawTools;
  // The palette; nullptr until it is created and after it is freed.
  QPointer<TFrmDrawTools> FrmDrawTools;

  std::unique_ptr<std::vector<uint8_t>> FClipStream;
  std::unique_ptr<platform::TBitmap> FWallpaper;
  bool FEmblemsLoaded = false;
  bool FLibraryLoaded = false;
  uint8_t FPrintMode = 0;
  // The program's folder with a trailing separator; empty until the window is first shown.
  QString FAppPath;
  // The property window's host, for the window's whole life.
  std::unique_ptr<property::TPropertyHost> FPropertyHost;
  // While the property window changes an element: how the modified state is worded.
  QString FModifiedWording;
  std::unique_ptr<app::TActivityDisplay> FFileActivity;
  // The zoom box was typed in since its text was last applied.
  bool FZoomTyped = false;

  bool FTerminateRequested = false;
  std::vector<QAction*> FWindowListActions;
  platform::TColor FOwnColor = platform::clRed;
};

// Removes, from the last item to the first, every item whose text has no double-byte character.
void KeepChineseFonts(QComboBox* box);

// The text of the zoom box's items: 25% to 600% in steps of 25.
QStringList ZoomItems();

// The document named by the program's arguments: the first argument, or, when it has no
// extension and a second follows, the two joined by one blank (a path with one blank passed
// unquoted). Empty without arguments.
QString CommandLineDocument(const QStringList& args);
