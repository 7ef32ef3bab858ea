#pragma once
// Mouse events of a control in the form its owner binds them: sender, button, the state of
// the modifier keys and mouse buttons, and the point in the control's own pixels.

#include <cstdint>
#include <functional>

class QMouseEvent;

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

using TNotifyEvent = std::function<void(TSeal* sender)>;
using TMouseEvent = std::function<void(TSeal* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TSeal* sender, TShiftState shift, int x, int y)>;

// The keys and buttons held during the event; the double flag for a double click.
TShiftState ShiftStateOf(const QMouseEvent& event, bool doubleClick);
// False for buttons the controls do not report (back, forward, ...).
bool MouseButtonOf(const QMouseEvent& event, TMouseButton* button);

}  // namespace seal
