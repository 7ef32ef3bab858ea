#pragma once
// The toggle state of Caps Lock, Num Lock and Scroll Lock, as far as the display tells it.

#include "services/services.h"

namespace app {

// From the X server's keyboard indicators when the program runs on X; all off elsewhere.
TLockKeys ReadLockKeys();

}  // namespace app
