#pragma once
// What the drawing tests share: an application for the element widgets, images to draw
// on and read back, the measuring font and elements at a known resolution.

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

#include "color.h"
#include "seal.h"

namespace drawtest {

constexpr platform::TColor kRed = 0x0000FF;
constexpr platform::TColor kGreen = 0x00FF00;
constexpr platform::TColor kGrey = 0x808080;

QImage FilledImage(int width, int height, platform::TColor colour = platform::clWhite);
platform::TColor At(const QImage& image, int x, int y);
// The smallest rectangle holding every pixel of the colour (null when none is).
QRect ColorBounds(const QImage& image, platform::TColor colour);
// The smallest rectangle holding every pixel that differs from the background.
QRect InkBounds(const QImage& image, platform::TColor background = platform::clWhite);
int CountColor(const QImage& image, platform::TColor colour);

// The family of the measuring font (every glyph a box filling its cell), registered once.
QString TestFontFamily();
// Its name as a stored face array.
seal::TFaceName TestFace();

// An element of the kind at 100 % and the given resolution, sized in millimetres.
std::unique_ptr<seal::TSeal> MakeSeal(seal::TSealType kind, float pixelsPerMm, float widthMm, float heightMm);

}  // namespace drawtest
