#pragma once
// Pandrel: the picture library the program links against for its wallpaper, its built-in
// emblem pictures and its splash picture.

#include <QImage>

#include "platform/bitmap.h"
#include "platform/picture.h"

class QWidget;

#if defined(PANDREL_BUILD)
#define PANDREL_API __attribute__((visibility("default")))
#else
#define PANDREL_API
#endif

// A new wallpaper bitmap for the document area of clientWindow, made from the picture file at
// path (UTF-8). Always returns a bitmap, which the caller owns: an empty one for an empty or
// unreadable path.
PANDREL_API platform::TBitmap* SetBkGnd(QWidget* clientWindow, const char* path);

// The number of built-in emblems.
PANDREL_API void GetPictureCount(int& count);

// Fills gif, which the caller created and owns, with the built-in picture of that name:
// "Splash", "A0".."A<n-1>" (emblem previews), "B0".."B<n-1>" (emblems for seals). An unknown
// name leaves gif unchanged.
PANDREL_API void LoadAPicture(platform::TPicture& gif, const char* name);
