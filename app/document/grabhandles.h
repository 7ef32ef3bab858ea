#pragma once
// The eight handles around the sole selected element, with which the user resizes it.
// They reach the page they lie on through hooks, as the select frame does.

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "document/rectl.h"
#include "platform/color.h"

namespace seal {
class TSeal;
}
class TGrabHandles;

namespace app {

// What the handles ask of the document window, all set by it.
struct TGrabHandleHooks {
  // Runs a mouse handler with any failure shown.
  std::function<void(const std::function<void()>& handler)> RunGuarded;
  // The pointer confined to the page while a resize runs, and free again.
  std::function<void()> ClipCursor;
  std::function<void()> ReleaseCursor;
  // While confined, moves the point (in sender's coordinates) to the nearest page pixel.
  std::function<void(const QWidget* sender, int& x, int& y)> ConfinePoint;
  // Toggles the focus rectangle of the resize on the page's glass.
  std::function<void(const TRect& r)> DrawDragRect;
  // The element took the size it was dragged to.
  std::function<void()> Resized;
};

}  // namespace app

class TGrabHandle : public QWidget {
 public:
  // pixelsPerInch is the screen's: the square's side is pixelsPerInch div 12.
  TGrabHandle(seal::TSeal* element, uint8_t index, TGrabHandles* group, int pixelsPerInch);

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
};

class TGrabHandles {
 public:
  TGrabHandles(seal::TSeal* element, app::TGrabHandleHooks hooks, int pixelsPerInch);
  ~TGrabHandles();
  TGrabHandles(const TGrabHandles&) = delete;
  TGrabHandles& operator=(const TGrabHandles&) = delete;

  const app::TGrabHandleHooks& Hooks() const { return FHooks; }
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
  app::TGrabHandleHooks FHooks;
  std::array<TGrabHandle*, 8> FHandles{};
  bool FShown = true;
};
