#pragma once
// Mouse events of a control in the form its owner binds them: sender, button, the state of
// the modifier keys and mouse buttons, and the point in the control's own pixels.

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "platform/event_point.h"

namespace seal {

class TSeal;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : uint8_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = uint8_t;


// The keys and buttons held during the event; the double flag for a double click.
TShiftState ShiftStateOf(const QMouseEvent& event, bool doubleClick);
// False for buttons the controls do not report (back, forward, ...).
bool MouseButtonOf(const QMouseEvent& event, TMouseButton* button);

// The mouse events of a control without mouse handling of its own, as a graphic control
// passes them on: a click is a left press and release inside the control and comes before
// the release's mouse-up; a double click comes before the mouse-down of the second press;
// a right click (or the menu key) asks for the pop-up menu at a point of the screen. The
// owner binds the handlers.
template <class Sender>
class TControlMouse {
 public:
  using TNotifyEvent = std::function<void(Sender* sender)>;
  using TMouseEvent = std::function<void(Sender* sender, TMouseButton button, TShiftState shift, int x, int y)>;
  using TMouseMoveEvent = std::function<void(Sender* sender, TShiftState shift, int x, int y)>;
  using TPopupEvent = std::function<void(Sender* sender, QPoint globalPos)>;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TPopupEvent OnContextPopup;

 protected:
  void PassPress(Sender* self, const QMouseEvent& event) {
    TMouseButton button;
    if (!MouseButtonOf(event, &button)) return;
    pressed_ = button == mbLeft;
    const QPoint p = platform::EventPoint(event.position());
    if (OnMouseDown) OnMouseDown(self, button, ShiftStateOf(event, false), p.x(), p.y());
  }

  void PassDoubleClick(Sender* self, const QMouseEvent& event) {
    TMouseButton button;
    if (!MouseButtonOf(event, &button)) return;
    pressed_ = false;
    if (button == mbLeft && OnDblClick) OnDblClick(self);
    const QPoint p = platform::EventPoint(event.position());
    if (OnMouseDown) OnMouseDown(self, button, ShiftStateOf(event, true), p.x(), p.y());
  }

  void PassMove(Sender* self, const QMouseEvent& event) {
    const QPoint p = platform::EventPoint(event.position());
    if (OnMouseMove) OnMouseMove(self, ShiftStateOf(event, false), p.x(), p.y());
  }

  void PassRelease(Sender* self, const QMouseEvent& event) {
    TMouseButton button;
    if (!MouseButtonOf(event, &button)) return;
    const QPoint p = platform::EventPoint(event.position());
    const bool click = pressed_ && button == mbLeft && self->rect().contains(p);
    if (button == mbLeft) pressed_ = false;
    if (click && OnClick) OnClick(self);
    if (OnMouseUp) OnMouseUp(self, button, ShiftStateOf(event, false), p.x(), p.y());
  }

  void PassContextMenu(Sender* self, const QContextMenuEvent& event) {
    if (OnContextPopup) OnContextPopup(self, event.globalPos());
  }

 private:
  bool pressed_ = false;
};

using TNotifyEvent = TControlMouse<TSeal>::TNotifyEvent;
using TMouseEvent = TControlMouse<TSeal>::TMouseEvent;
using TMouseMoveEvent = TControlMouse<TSeal>::TMouseMoveEvent;

}  // namespace seal
