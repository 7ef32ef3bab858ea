#pragma once
// The main window: the MDI frame with its menus, tool bar, status bar, side panels and
// wallpaper, built while the splash window announces each step.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QScrollArea>
#include <QToolBar>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/bitmap.h"
#include "platform/color.h"
#include "kivcontrols.h"
#include "mdiclient.h"

class TfrmChild;
class TFrmDrawTools;
namespace app {
class TDrawTools;
}
namespace seal {
class TSeal;
}

class TfrmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  // Published parts that other windows use.
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
  TMdiClient* ClientWindow;
  std::vector<QAction*> ActionList1;
  std::vector<QAction*> ActionList2;
  QMenu* PopupMenu1;
  QMenu* PopupMenu2;
  QMenu* PopupMenu3;
  QMenu* WindowMenu;
  QAction* actPageDoubleBuffered;

  // The action of that name from either list, nullptr when there is none.
  QAction* Action(const QString& name) const;

  std::unique_ptr<std::vector<uint8_t>> FClipStream;
  std::unique_ptr<platform::TBitmap> FWallpaper;
  bool FEmblemsLoaded = false;
  bool FLibraryLoaded = false;
  uint8_t FPrintMode = 0;
  // The program's folder with a trailing separator; empty until the window is first shown.
  QString FAppPath;
  TImagePreview* FSelectedEmblem = nullptr;
  TImagePreview* FSelectedLibSeal = nullptr;

  // The narrow-screen question was answered Yes: the program ends after start-up.
  bool TerminateRequested() const { return FTerminateRequested; }

  void ShowFileState(bool modified, int count);
  void ArrangeBars();
  // The layout rule for a window of pixelsPerInch.
  void ArrangeBars(int pixelsPerInch);
  void ShowKeyStates();
  // Opens the document at path in a new document window.
  virtual void OpenDocument(const QString& path);

  // The drawing tools and the armed one.
  app::TDrawTools* DrawTools;
  QAction* CurrentDrawAction() const;
  // The drawing-tools palette, created after the main window; nullptr until then.
  TFrmDrawTools* FrmDrawTools = nullptr;
  // The colour new elements take and a selected element gives. It is the brush colour of
  // the palette's swatch; a main window without a palette keeps it itself, red at first.
  class TCurrentColor {
   public:
    explicit TCurrentColor(const TfrmMain* main) : FMain(main) {}
    TCurrentColor(const TCurrentColor&) = delete;
    operator platform::TColor() const;
    TCurrentColor& operator=(platform::TColor value);

   private:
    const TfrmMain* FMain;
    platform::TColor FOwn = platform::clRed;
  };
  TCurrentColor CurrentColor{this};
  // The seal option boxes of the tool bar follow the element that became the current one.
  void SyncSealOptions(const seal::TSeal* element);

  // The active document window, nullptr when none is open.
  TfrmChild* ActiveChild() const;
  // A new document window, the active one, with that caption.
  TfrmChild* CreateDocumentWindow(const QString& caption);

  // The document commands (documentcommands.cpp), each on the active document window.
  void actFileNewExecute();
  void actFileOpenExecute();
  // Saves under the caption; a document never saved goes through Save As.
  virtual void actFileSaveExecute();
  void actFileSaveAsExecute();
  void actFileExitExecute();
  void actEditCopyExecute();
  void actEditPasteExecute();
  void WindowsCloseAllExecute();
  // The edit commands (editcommands.cpp), each on the active document window but the
  // page's double buffering, which applies to all.
  void actEditDelExecute();
  void actEditClearExecute();
  void actEditSetColorExecute();
  void actEditCutExecute();
  void actLockSealExecute();
  void actLockPageExecute();
  void actBringToFrontExecute();
  void actSendToBackExecute();
  void actSameCenterExecute();
  void actChangePictureExecute();
  void actPageDoubleBufferedExecute();
  // The lock captions as the Tools menu opens.
  void ToolsClick();
  // The open document windows, closing ones excluded.
  std::vector<TfrmChild*> DocumentWindows(QMdiArea::WindowOrder order = QMdiArea::CreationOrder) const;
  // The zoom box's percentage as a document's zoom; throws on text that is no number.
  uint16_t ZoomBoxValue() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void BindWindowActions();
  void BindDocumentCommands();
  void BindEditCommands();
  QString DocumentFolder() const;
  void MarkSaved(TfrmChild* window);
  // Asks every document window, the front one first; false at the first refusal.
  bool DocumentsMayClose();
  void UpdateWindowActions();
  void FillWindowList();
  void TileWindows(Qt::Orientation orientation);
  void ArrangeIcons();

  bool FTerminateRequested = false;
  std::vector<QAction*> FWindowListActions;
};

// The main window while the program runs; nullptr before it is created and after it is freed.
extern TfrmMain* frmMain;

// Removes, from the last item to the first, every item whose text has no double-byte character.
void KeepChineseFonts(QComboBox* box);

// The text of the zoom box's items: 25% to 600% in steps of 25.
QStringList ZoomItems();

// The document named by the program's arguments: the first argument, or, when it has no
// extension and a second follows, the two joined by one blank (a path with one blank passed
// unquoted). Empty without arguments.
QString CommandLineDocument(const QStringList& args);
