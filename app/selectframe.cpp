#include "selectframe.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "penstyle.h"

TSelectFrame::TSelectFrame(QWidget* page) : QWidget(page) {
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

void TSelectFrame::mousePressEvent(QMouseEvent* event) {
  seal::TMouseButton button;
  if (!seal::MouseButtonOf(*event, &button)) return;
  FPressed = button == seal::mbLeft;
  const QPoint p = app::EventPoint(event->position());
  if (OnMouseDown) OnMouseDown(this, button, seal::ShiftStateOf(*event, false), p.x(), p.y());
}

void TSelectFrame::mouseDoubleClickEvent(QMouseEvent* event) {
  seal::TMouseButton button;
  if (!seal::MouseButtonOf(*event, &button)) return;
  FPressed = false;
  if (button == seal::mbLeft && OnDblClick) OnDblClick(this);
  const QPoint p = app::EventPoint(event->position());
  if (OnMouseDown) OnMouseDown(this, button, seal::ShiftStateOf(*event, true), p.x(), p.y());
}

void TSelectFrame::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = app::EventPoint(event->position());
  if (OnMouseMove) OnMouseMove(this, seal::ShiftStateOf(*event, false), p.x(), p.y());
}

void TSelectFrame::mouseReleaseEvent(QMouseEvent* event) {
  seal::TMouseButton button;
  if (!seal::MouseButtonOf(*event, &button)) return;
  const QPoint p = app::EventPoint(event->position());
  const bool click = FPressed && button == seal::mbLeft && rect().contains(p);
  if (button == seal::mbLeft) FPressed = false;
  if (click && OnClick) OnClick(this);
  if (OnMouseUp) OnMouseUp(this, button, seal::ShiftStateOf(*event, false), p.x(), p.y());
}

void TSelectFrame::contextMenuEvent(QContextMenuEvent* event) {
  if (PopupMenu) PopupMenu->popup(event->globalPos());
}
