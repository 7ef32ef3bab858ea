#include "document/selectframe.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/penstyle.h"

TSelectFrame::TSelectFrame(QWidget* page) : QWidget(page) {
  // Hovering shows where the pointer is and that the frame moves the selection.
  setMouseTracking(true);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  setVisible(false);
}

void TSelectFrame::SetPenColor(platform::TColor value) {
  if (value == FPenColor) return;
  FPenColor = value;
  update();
}

void TSelectFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(app::GdiPen(platform::ToQColor(FPenColor), Qt::DotLine));
  painter.setBrush(Qt::NoBrush);
  app::GdiRectangle(painter, 0, 0, width(), height());
}

void TSelectFrame::mousePressEvent(QMouseEvent* event) { PassPress(this, *event); }

void TSelectFrame::mouseDoubleClickEvent(QMouseEvent* event) { PassDoubleClick(this, *event); }

void TSelectFrame::mouseMoveEvent(QMouseEvent* event) { PassMove(this, *event); }

void TSelectFrame::mouseReleaseEvent(QMouseEvent* event) { PassRelease(this, *event); }

void TSelectFrame::contextMenuEvent(QContextMenuEvent* event) { PassContextMenu(this, *event); }
