#pragma once
// The document window: an MDI child holding one page with its shadow in a scrolled area,
// the seal elements on the page, the selection and the state of the mouse operations that
// run on the page.

#include <QMdiSubWindow>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "seal/control_events.h"
#include "document_file.h"
#include "grabhandles.h"
#include "rectl.h"

class QLabel;
class QMenu;
class QProgressBar;
class QScrollArea;
class TDragOverlay;
class TKivDrawPanel;
class TKivFlatPanel;
class TSelectFrame;
class TfrmMain;

namespace seal {
class TSeal;
}

class TfrmChild : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit TfrmChild(TfrmMain* main);
  ~TfrmChild() override;

  TfrmMain* Main() const { return FMain; }

  // The client area that scrolls, and the sheet inside it on which the page lies.
  QScrollArea* ScrollBox;
  QWidget* Sheet;
  TKivFlatPanel* PageBack;
  TKivDrawPanel* KivDrawPanel1;

  app::TRect DragRect;
  app::TRect BandRect;
  bool Dragging = false;
  bool Banding = false;
  QPoint LastPoint;
  TDragOverlay* PageCanvas;
  bool FModified = false;
  float FPixelsPerMm;
  std::vector<seal::TSeal*> FSeals;
  std::vector<seal::TSeal*> FSelection;
  std::unique_ptr<TGrabHandles> FGrabHandles;
  TSelectFrame* FSelectFrame = nullptr;
  seal::TSeal* FCurrentSeal = nullptr;

  // Page size and margins from the default printer; an A4 sheet with 6 mm margins when
  // there is none.
  void SetPageFromPrinter(TKivDrawPanel* page);
  // Zooms the page and every element, keeping the scroll position in proportion, and
  // shows the page. A zoom below 1 is refused: everything divides by it.
  void ApplyZoom(uint16_t zoom);
  // Centres the page in the client area and places its shadow.
  void FormResize();

  // Selection.
  app::TRect SelectionBounds() const;
  void PlaceSelectFrame(const app::TRect& r);
  void HookSelectFrame();
  bool CreateSelectFrame();
  void FreeSelectFrame();
  void FreeGrabHandles();
  // Handles for the sole selected element, above every element.
  void NewGrabHandles(seal::TSeal* element);
  // Handles, frame and drag glass back on top after the page's stacking order changed
  // (bring to front, paste, load).
  void RaiseAdornments();
  void HookSealEvents(seal::TSeal* element);

  // Tools and the page cursor.
  int CurrentToolTag(bool release);
  void UpdatePageCursor();
  // Screen cursor slot, 0 for the default arrow.
  void SetPageCursor(int slot);

  // The document changed: the flag and the main window's file state panel.
  void MarkModified();

  // Drags: the pointer confined to the page, and the rectangles drawn on its glass.
  void ClipCursorToPage();
  void ReleaseCursorClip();
  bool CursorClipped() const { return FCursorClipped; }
  // While confined, moves the point (in sender's coordinates) to the nearest page pixel.
  void ConfinePoint(const QWidget* sender, int& x, int& y) const;
  void DrawDragRect(const app::TRect& r, bool band);

  // The mouse on the page, on the elements and on the select frame.
  void DrawPanel1MouseDown(seal::TMouseButton button, seal::TShiftState shift, int x, int y);
  void DrawPanel1MouseMove(seal::TShiftState shift, int x, int y);
  void DrawPanel1MouseUp(seal::TMouseButton button, seal::TShiftState shift, int x, int y);
  void SealMouseDown(seal::TSeal* sender, seal::TMouseButton button, seal::TShiftState shift, int x, int y);
  void SealMouseMove(seal::TSeal* sender, seal::TShiftState shift, int x, int y);
  void SealMouseUp(seal::TSeal* sender, seal::TMouseButton button, seal::TShiftState shift, int x, int y);
  void FrameMouseDown(TSelectFrame* sender, seal::TMouseButton button, seal::TShiftState shift, int x, int y);
  void FrameMouseMove(TSelectFrame* sender, seal::TShiftState shift, int x, int y);
  void FrameMouseUp(TSelectFrame* sender, seal::TMouseButton button, seal::TShiftState shift, int x, int y);
  void ShowCoordinates(const QWidget* sender, int x, int y);
  // The element a press on sender means: the innermost one around the point.
  seal::TSeal* SealAtPoint(seal::TSeal* sender, int x, int y) const;

  // A handler of this window's, with any failure shown in an error box.
  void RunGuarded(const std::function<void()>& handler);

  // Document files and the internal clipboard (childfiles.cpp). The file operations show
  // their activity on the status panel and progress bar given; only a file read whole
  // reaches the page, and a save replaces the file whole or leaves it untouched.
  void SaveDocument(const QString& fileName, QProgressBar* progressBar, QLabel* statusPanel);
  // Files shorter than a stamp leave stamp as it was.
  void ReadFileStamp(float& stamp, const QString& fileName);
  void LoadDocument(const QString& fileName, QMenu* popupMenu, QProgressBar* progressBar, QLabel* statusPanel);
  void LoadLegacyDocument(const QString& fileName, QMenu* popupMenu, QProgressBar* progressBar,
                          QLabel* statusPanel);
  void CopySelection(const std::vector<seal::TSeal*>& selection, std::vector<uint8_t>& stream);
  // The stream's seals on top of all others, appended to the selection as well.
  void PasteSeals(std::span<const uint8_t> stream, QMenu* popupMenu);
  // The save question of a modified document; false keeps the window open.
  bool FormCloseQuery();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormActivate();
  void FormDeactivate();
  bool ForwardToolClick(const QWidget* sender, int x, int y);
  bool IsSoleSelection(const seal::TSeal* element) const;
  bool GrabScrollArmed() const;
  QPoint ToPage(const QWidget* sender, int x, int y) const;
  void SelectOnly(seal::TSeal* element);
  void BeginMoveDrag(QPoint p);
  void DragTo(QPoint p);
  void EndDrag(QPoint p);
  void SetScreenCursor(Qt::CursorShape shape);
  void RestoreScreenCursor();
  formats::TSealTarget SealTarget(QMenu* popupMenu) const;
  void TakeDocument(formats::TDocument document);

  TfrmMain* FMain;
  QMenu* FPagePopupMenu;
  bool FCursorClipped = false;
  bool FScreenCursorSet = false;
  bool FCentring = false;
  bool FCentreAgain = false;
  bool FActive = false;
  // Cut first when the window goes: the document area reports the activation change that
  // freeing this window causes while this window is already half gone.
  QMetaObject::Connection FActivation;
};
