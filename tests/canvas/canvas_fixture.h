#pragma once
// Images to draw on and ways to read them back.

#include <QImage>
#include <QRect>
#include <QString>

#include "color.h"

namespace canvastest {

// A white 24-bit image.
QImage WhiteImage(int width, int height);

platform::TColor At(const QImage& image, int x, int y);
// The smallest rectangle holding every pixel that is not white (null when none is).
QRect InkBounds(const QImage& image);
// The smallest rectangle holding every pixel of the colour (null when none is).
QRect ColorBounds(const QImage& image, platform::TColor color);
int CountColor(const QImage& image, platform::TColor color);

// The family of the measuring font, registered once per process.
QString TestFontFamily();

}  // namespace canvastest
