#include "controls/kivmousecontrol.h"

#include <QMouseEvent>

#include "platform/event_point.h"

TKivMouseControl::TKivMouseControl(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void TKivMouseControl::mousePressEvent(QMouseEvent* event) {
  FPressed = event->button() == Qt::LeftButton;
  const QPoint pos = platform::EventPoint(event->position());
  emit MouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
}

void TKivMouseControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = platform::EventPoint(event->position());
  emit MouseMove(event->modifiers(), pos.x(), pos.y());
}

void TKivMouseControl::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = platform::EventPoint(event->position());
  const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(pos);
  FPressed = false;
  emit MouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
  if (click) emit Click();
}

void TKivMouseControl::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  emit DblClick();
}
