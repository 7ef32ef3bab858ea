#pragma once
// The dotted frame around a selection of two or more elements. It is not opaque: the page
// and the elements show through it, while presses anywhere inside it reach the frame.

#include <QWidget>
#include <functional>

#include "color.h"
#include "control_events.h"

class QMenu;

class TSelectFrame : public QWidget {
 public:
  using TMouseEvent =
      std::function<void(TSelectFrame* sender, seal::TMouseButton button, seal::TShiftState shift, int x, int y)>;
  using TMouseMoveEvent = std::function<void(TSelectFrame* sender, seal::TShiftState shift, int x, int y)>;

  explicit TSelectFrame(QWidget* page);

  platform::TColor PenColor() const { return FPenColor; }
  void SetPenColor(platform::TColor value);

  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  std::function<void(TSelectFrame*)> OnClick;
  std::function<void(TSelectFrame*)> OnDblClick;
  QMenu* PopupMenu = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  platform::TColor FPenColor = 0xFF0000;
  bool FPressed = false;
};
