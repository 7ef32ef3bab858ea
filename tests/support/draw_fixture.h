#pragma once
// What the drawing tests share: an application for the element widgets, images to draw
// on and read back, the measuring font and elements at a known resolution.

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

#include "platform/color.h"
#include "seal/seal.h"
#include "test_images.h"

namespace drawtest {

constexpr platform::TColor kRed = 0x0000FF;
constexpr platform::TColor kGreen = 0x00FF00;
constexpr platform::TColor kGrey = 0x808080;

using testimages::At;
using testimages::ColorBounds;
using testimages::CountColor;
using testimages::FilledImage;
using testimages::InkBounds;
using testimages::TestFace;
using testimages::TestFontFamily;

// An element of the kind at 100 % and the given resolution, sized in millimetres.
std::unique_ptr<seal::TSeal> MakeSeal(seal::TSealType kind, float pixelsPerMm, float widthMm, float heightMm);

}  // namespace drawtest
