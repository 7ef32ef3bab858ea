#pragma once
// Images to draw on and read back as colour values, and the measuring font whose every
// glyph is a box filling its cell. Linking this also gives a GoogleTest program the
// application that widgets and fonts need.

#include <QImage>
#include <QRect>
#include <QString>

#include "platform/color.h"
#include "seal/seal.h"

namespace testimages {

// A 24-bit image of one colour.
QImage FilledImage(int width, int height, platform::TColor colour = platform::clWhite);
platform::TColor At(const QImage& image, int x, int y);
// The smallest rectangle holding every pixel of the colour (null when none is).
QRect ColorBounds(const QImage& image, platform::TColor colour);
// The smallest rectangle holding every pixel that differs from the background.
QRect InkBounds(const QImage& image, platform::TColor background = platform::clWhite);
int CountColor(const QImage& image, platform::TColor colour);

// The measuring font's family, registered once per process, and its name as a face array.
QString TestFontFamily();
seal::TFaceName TestFace();

}  // namespace testimages
