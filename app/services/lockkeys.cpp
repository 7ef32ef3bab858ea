#include "services/lockkeys.h"

#include <QGuiApplication>

#if defined(BRELVONIX_HAVE_XKB)
#include <X11/XKBlib.h>
#endif

namespace app {

TLockKeys ReadLockKeys() {
  TLockKeys keys;
#if defined(BRELVONIX_HAVE_XKB)
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return keys;
  const auto indicator = [display](const char* name) {
    Bool on = False;
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) return false;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
    return on == True;
  };
  keys.Caps = indicator("Caps Lock");
  keys.Num = indicator("Num Lock");
  keys.Scroll = indicator("Scroll Lock");
#endif
  return keys;
}

}  // namespace app
