#pragma once
// The dotted frame around a selection of two or more elements. It is not opaque: the page
// and the elements show through it, while presses anywhere inside it reach the frame.

#include <QWidget>
#include <functional>

#include "platform/color.h"
#include "seal/control_events.h"

class TSelectFrame : public QWidget, public seal::TControlMouse<TSelectFrame> {
 public:
  explicit TSelectFrame(QWidget* page);

  platform::TColor PenColor() const { return FPenColor; }
  void SetPenColor(platform::TColor value);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  platform::TColor FPenColor = 0xFF0000;
};
