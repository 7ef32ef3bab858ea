#pragma once
// What the Edit and Tools menus name: the lock captions of the Tools menu and the element
// kinds whose picture can be changed.

#include <QString>

#include "seal/seal.h"

namespace app {

// The Tools menu's captions, without accelerators, for the state the element or page is in.
QString LockSealCaption(bool locked);
QString LockPageCaption(bool locked);

// Frame seals and free pictures carry a picture; lines, texts, stars and tables do not.
bool TakesPicture(seal::TSealType type);

}  // namespace app
