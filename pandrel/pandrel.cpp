#include "pandrel.h"

platform::TBitmap* SetBkGnd(QWidget*, const char*) { return new platform::TBitmap(); }

void GetPictureCount(int& count) { count = 0; }

void LoadAPicture(platform::TPicture&, const char*) {}
