#pragma once
// What the Tools menu names: the lock captions for the state the element or page is in.

#include <QString>

namespace app {

// The Tools menu's captions, without accelerators.
QString LockSealCaption(bool locked);
QString LockPageCaption(bool locked);

}  // namespace app
