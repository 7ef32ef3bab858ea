#pragma once
// The eight handles around the sole selected element, with which the user resizes it.

#include <QWidget>
#include <array>
#include <cstdint>

#include "platform/color.h"
#include "rectl.h"

namespace seal {
class TSeal;
}
class TfrmChild;
class TGrabHandles;

class TGrabHandle : public QWidget {
 public:
  // pixelsPerInch is the screen's: the square's side is pixelsPerInch div 12.
  TGrabHandle(seal::TSeal* element, uint8_t index, TGrabHandles* group, TfrmChild* window, int pixelsPerInch);

  uint8_t HandleIndex() const { return FHandleIndex; }
  bool Resizing() const { return FResizing; }
  platform::TColor FrameColor() const { return FFrameColor; }
  // Where the handle sits on the element, in page pixels.
  QPoint AnchorPoint() const;
  void UpdateBounds();
  Qt::CursorShape CursorShape() const;

  // The resize drag, in the handle's own coordinates; public so that a drag can be driven
  // as the mouse drives it.
  void BeginResize(int x, int y);
  void ResizeTo(int x, int y);
  void EndResize();
  const app::TRect& DraggedRect() const { return FRect; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  uint8_t FHandleIndex;
  seal::TSeal* FSeal;
  bool FResizing = false;
  QPoint FOffset;
  app::TRect FRect;
  int FHalfSize;
  platform::TColor FFrameColor = 0xFF0000;
  TGrabHandles* FGroup;
  TfrmChild* FWindow;
};

class TGrabHandles {
 public:
  TGrabHandles(seal::TSeal* element, TfrmChild* window, int pixelsPerInch);
  ~TGrabHandles();
  TGrabHandles(const TGrabHandles&) = delete;
  TGrabHandles& operator=(const TGrabHandles&) = delete;

  bool Shown() const { return FShown; }
  TGrabHandle* Handle(int index) const { return FHandles[size_t(index)]; }
  // Hiding leaves a handle that is resizing on screen but unpainted: hiding the widget
  // that holds the mouse would end the drag.
  void HideAll();
  void ShowAll();
  void UpdatePositions();
  // Back above the elements after the page's stacking order changed.
  void Raise();

 private:
  std::array<TGrabHandle*, 8> FHandles{};
  bool FShown = true;
};
