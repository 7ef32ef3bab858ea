#pragma once
// What the edit commands name and tell: the lock captions of the Tools menu, the element
// kinds whose picture can be changed, the picture dialog's folder and filter, and where the
// page's double buffering is kept.

#include <QString>

#include "seal/seal.h"

namespace app {

// The Tools menu's captions, without accelerators, for the state the element or page is in.
QString LockSealCaption(bool locked);
QString LockPageCaption(bool locked);

// Frame seals and free pictures carry a picture; lines, texts, stars and tables do not.
bool TakesPicture(seal::TSealType type);


}  // namespace app
