#pragma once
// Images to draw on and ways to read them back.

#include <QImage>

#include "test_images.h"

namespace canvastest {

using testimages::At;
using testimages::ColorBounds;
using testimages::CountColor;
using testimages::InkBounds;
using testimages::TestFontFamily;
// A white 24-bit image.
inline QImage WhiteImage(int width, int height) { return testimages::FilledImage(width, height); }

}  // namespace canvastest
