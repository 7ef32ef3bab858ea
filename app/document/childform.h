#pragma once
// The document window: an MDI child holding one page with its shadow in a scrolled area,
// the seal elements on the page, the selection and the state of the mouse operations that
// run on the page. It knows the window around it only as its host, which it asks for what
// it needs; it makes every change to its document itself and announces what the
// surroundings show of it (file state, zoom, selection, current element) as signals only.
// Its parts and fields are its own: the other windows read them through the accessors.

#include <QMdiSubWindow>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "document/documenthost.h"
#include "document/grabhandles.h"
#include "document/pagecentring.h"
#include "document/printerpage.h"
#include "document/rectl.h"
#include "formats/document_file.h"
#include "seal/control_events.h"
#include "seal/seal.h"

class QScrollArea;
class TDragOverlay;
class TKivDrawPanel;
class TKivFlatPanel;
class TSelectFrame;

namespace platform {
class TPicture;
}

class TfrmChild : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit TfrmChild(app::TDocumentHost& host);
  ~TfrmChild() override;

  // What the window holds, for reading; every change goes through the operations below.
  // Every element of the page, in drawing and saving order; the selected ones, and the one
  // current element when exactly one is selected, with its grab handles (the frame around
  // a selection of two or more).
  std::span<const seal::TSeal* const> Seals() const { return FSeals; }
  std::span<const seal::TSeal* const> Selection() const { return FSelection; }
  const seal::TSeal* CurrentSeal() const { return FCurrentSeal; }
  const TGrabHandles* GrabHandles() const { return FGrabHandles.get(); }
  const TSelectFrame* SelectFrame() const { return FSelectFrame; }
  // Changed since it was last saved or read.
  bool Modified() const { return FModified; }
  // Screen pixels per millimetre at 100 %, which every element of the page is given. The
  // window takes its screen's as it is created; elements already on the page keep theirs.
  float PixelsPerMm() const { return FPixelsPerMm; }
  void SetPixelsPerMm(float pixelsPerMm) { FPixelsPerMm = pixelsPerMm; }
  // The page, its zoom in percent, its grid and its lock.
  const TKivDrawPanel& Page() const { return *KivDrawPanel1; }
  int Zoom() const;
  bool Grid() const;
  bool PageLocked() const;

  // Page size and margins from the default printer; an A4 sheet with 6 mm margins when
  // there is none.
  void SetPageFromPrinter();
  // The page takes the printer's sheet and is zoomed again at its zoom.
  void TakePrinterSheet(const app::TPrintPageGeometry& sheet);
  // Neither is a change of the document.
  void SetGrid(bool shown);
  void SetDoubleBuffered(bool on);
  // Zooms the page and every element, keeping the scroll position in proportion, and
  // shows the page. A zoom below 1 is refused: everything divides by it.
  void ApplyZoom(uint16_t zoom);
  // Centres the page in the client area and places its shadow.
  void FormResize();
  // One zoom step in or out, as the zoom tools and the zoom commands take it: in below 600,
  // out above 25, by 10. False when the zoom stays.
  bool StepZoom(bool in);
  // The zoom of the whole page back to 100; false when it was 100 already.
  bool ZoomNormal();
  // The current element changed from outside the page (the property window, the tool
  // bar's options): the change is applied to it, its grab handles follow its new bounds
  // and the document is modified. Nothing without a current element.
  void EditCurrentSeal(const std::function<void(seal::TSeal&)>& change);
  // The face of all the current element's texts; no change of the document.
  void SetCurrentFaces(const seal::TFaceName& face);

  // The document's changes, each marking it modified. New elements join the page on top of
  // all others.
  //   Elements read for this page (hidden, children of the page), shown and given the
  //   window's mouse handlers; the window owns them from here on. No change by itself: a
  //   loaded document is unmodified, and a paste or an insert marks it.
  void InsertSeals(std::vector<std::unique_ptr<seal::TSeal>> seals);
  void DeleteSelection();
  //   Every element goes; the page is left unmodified.
  void Clear();
  //   The current element to the top or the bottom of the page, in drawing and saving order.
  void BringToFront();
  void SendToBack();
  //   Every element of a group of two or more centred on the group's centre.
  void SetSameCentre();
  void SetSelectionColour(platform::TColor colour);
  //   The current element's picture replaced by the one read from path, decoded within what
  //   the document's pictures leave (formats::TPictureBudget). Throws
  //   platform::EPictureError for a file that cannot be read or does not fit, and
  //   formats::EFileTooLarge when the document would no longer open; the element is then
  //   as it was.
  void SetCurrentPicture(const QString& path);
  // Locks are no change: neither is saved. A locked element is selected by a press and
  // never moved by the mouse.
  bool IsLocked(const seal::TSeal* element) const;
  void ToggleCurrentSealLock();
  void TogglePageLock();

  // Selection: handles for one element, the frame for more, nothing for none; the one
  // element is the current one. Elements that are not on this window's page are left out.
  void SetSelection(const std::vector<const seal::TSeal*>& elements);
  app::TRect SelectionBounds() const;
  void FreeGrabHandles();
  // Handles, frame and drag glass back on top after the page's stacking order changed
  // (bring to front, paste, load).
  void RaiseAdornments();

  // Tools and the page cursor.
  int CurrentToolTag(bool release);
  // Screen cursor slot, 0 for the default arrow.
  void SetPageCursor(int slot);

  // The document changed: the flag and FileStateChanged.
  void MarkModified();
  // The document was saved.
  void MarkSaved();
  // The document closes without asking: whatever changed is given up.
  void ForgetChanges();

  // Drags: while the pointer is confined to the page, the point (in sender's coordinates)
  // moves to the nearest page pixel; the rectangles drawn on the page's glass.
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
  // The element a press on sender means: the innermost one around the point.
  seal::TSeal* SealAtPoint(seal::TSeal* sender, int x, int y) const;

  // A handler of this window's, with any failure shown in an error box.
  void RunGuarded(const std::function<void()>& handler);

  // Document files and the internal clipboard (childform_files.cpp). The file operations
  // show their activity on the host's status panel and progress bar; only a file read whole
  // reaches the page, and a save replaces the file whole or leaves it untouched.
  void SaveDocument(const QString& fileName);
  // Any version the format layer reads; throws formats::EOldDocument for a file too old.
  void LoadDocument(const QString& fileName);
  void CopySelection(std::span<const seal::TSeal* const> selection, std::vector<uint8_t>& stream);
  // The stream's seals on top of all others, selected; an empty stream changes nothing.
  void PasteSeals(std::span<const uint8_t> stream);
  // The save question of a modified document; false keeps the window open.
  bool FormCloseQuery();

  // The seal library and the emblems (childform_library.cpp).
  //   The bytes of a library file of a selection that is not empty. Throws
  //   formats::EThumbnailTooLarge for a selection too widely spread and formats::EFileTooLarge
  //   for one that would make a file too large to read again.
  std::vector<uint8_t> LibraryDesign(std::span<const seal::TSeal* const> selection);
  //   A library file of the selection, written whole or not at all; nothing for an empty
  //   selection. Throws as LibraryDesign.
  void SaveLibrarySeal(const QString& fileName, std::span<const seal::TSeal* const> selection);
  //   The file's seals on top of all others, their box 2 mm right of and below the page
  //   point at the scroll origin, and selected; marked modified when any came. A file of
  //   too old a stamp brings none and leaves nothing selected; one that cannot be read
  //   throws, leaving the page and its selection as they were.
  std::vector<const seal::TSeal*> InsertLibrarySeal(const QString& fileName);
  //   An emblem on the current element: star off, emblem on, the picture loaded by load.
  //   A picture that cannot be read throws once the star is off, and the document is then
  //   not marked modified.
  void ApplyEmblemToCurrent(const std::function<void(platform::TPicture& picture)>& load);

  // Print and preview (childform_print.cpp). The elements lent to the print window's page,
  // in list order: its children, disabled, shown there. The window's zoom still reaches
  // them while they are away.
  void LendSeals(QWidget* page);
  // The lent elements at the print window's zoom.
  void ZoomLentSeals(int zoom);
  // The elements back on this window's page in list order, at its zoom, enabled and shown,
  // with the grab handles or the selection frame above them.
  void TakeSealsBack();

 signals:
  // What the surroundings show of the document. Each is also announced as the window
  // becomes active, so that what shows it follows the active window.
  //   The modified flag was set or cleared, the element count changed, or the document was
  //   saved (state Saved) or read.
  void FileStateChanged(app::TFileState state, int count);
  //   The page took a zoom, in percent.
  void ZoomChanged(int zoom);
  // Another element, or none, is the current one.
  void CurrentSealChanged(const seal::TSeal* element);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The element a tool made, selected alone; a change of the document.
  void AddSeal(seal::TSeal* element);
  void HookSealEvents(seal::TSeal* element);
  // The last count elements of the page: those inserted last.
  std::vector<seal::TSeal*> NewestSeals(size_t count) const;
  // The frame around a selection of two or more: made hidden and hooked, placed, freed.
  bool CreateSelectFrame();
  void HookSelectFrame();
  void PlaceSelectFrame(const app::TRect& r);
  void FreeSelectFrame();
  // Handles for the sole selected element, above every element.
  void NewGrabHandles(seal::TSeal* element);
  // The pointer confined to the page during a drag, and free again.
  void ClipCursorToPage();
  void ReleaseCursorClip();
  void UpdatePageCursor();
  void ShowCoordinates(const QWidget* sender, int x, int y);
  // Of the page point under the pointer, when this is the active window and the pointer
  // lies over the page where it shows.
  void ShowPointerCoordinates();
  void WatchActivation();
  void FormActivate();
  void FormDeactivate();
  bool ForwardToolClick(const QWidget* sender, int x, int y);
  bool IsSoleSelection(const seal::TSeal* element) const;
  bool GrabScrollArmed() const;
  QPoint ToPage(const QWidget* sender, int x, int y) const;
  void SelectElements(std::vector<seal::TSeal*> elements);
  // The element the user picked: selected alone, its colour the current one.
  void SelectOnly(seal::TSeal* element);
  app::TGrabHandleHooks GrabHandleHooks();
  void BeginMoveDrag(QPoint p);
  void DragTo(QPoint p);
  void EndDrag(QPoint p);
  void SetScreenCursor(Qt::CursorShape shape);
  void RestoreScreenCursor();
  formats::TSealTarget SealTarget() const;
  // Throws formats::EFileTooLarge, naming what the document is and what is refused, when the
  // page with the added seals would make a document too large to open.
  void CheckAddedSeals(std::span<const std::unique_ptr<seal::TSeal>> added, const char* what,
                       const char* refused) const;
  void TakeDocument(formats::TDocument document);
  void AnnounceFileState(bool saved = false);

  app::TDocumentHost& FHost;
  // The client area that scrolls, and the sheet inside it on which the page lies over its
  // shadow; the glass over the page on which the drags draw.
  QScrollArea* ScrollBox;
  QWidget* Sheet;
  TKivFlatPanel* PageBack;
  TKivDrawPanel* KivDrawPanel1;
  TDragOverlay* PageCanvas;

  app::TRect FDragRect;
  app::TRect FBandRect;
  bool FDragging = false;
  bool FBanding = false;
  QPoint FLastPoint;
  bool FModified = false;
  float FPixelsPerMm;
  std::vector<seal::TSeal*> FSeals;
  std::vector<seal::TSeal*> FSelection;
  std::unique_ptr<TGrabHandles> FGrabHandles;
  TSelectFrame* FSelectFrame = nullptr;
  seal::TSeal* FCurrentSeal = nullptr;
  // Off while a drag or a band runs: the page's menu does not open under it.
  bool FPageMenuOn = true;
  bool FCursorClipped = false;
  std::vector<const seal::TSeal*> FLockedSeals;
  // The last press on the page disarmed a page tool: the menu the desktop asks for with it
  // is not shown.
  bool FPressWithoutMenu = false;
  bool FScreenCursorSet = false;
  app::TPageCentring FCentring;
  bool FActive = false;
  // To the document area the window lies in. Cut first when the window goes: the area
  // reports the activation change that freeing this window causes while this window is
  // already half gone.
  QMetaObject::Connection FActivation;
};
