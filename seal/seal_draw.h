#pragma once
// Composition of an element: its millimetre properties scaled to device pixels of the
// target canvas and handed to the drawing routines in a fixed order. (X, Y) is the
// element's top-left on the canvas; the three colour values are what the element is drawn
// with this time (its own, or black).

#include "platform/brush.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "seal/seal.h"

namespace seal {

// The dispatch by SealType; an unknown kind draws nothing.
void DrawSeal(const TSeal& seal, int X, int Y, platform::TCanvas& canvas, platform::TColor penColour,
              platform::TColor brushColour, platform::TBrushStyle brushStyle);
// Frame, cut lines, code and emblem of the frame and name kinds, all in the pen colour.
void DrawSealFrame(const TSeal& seal, int X, int Y, platform::TCanvas& canvas, platform::TColor penColour,
                   platform::TColor brushColour, platform::TBrushStyle brushStyle);
// The four texts of the frame kinds, 0 to 3, a later one over an earlier one.
void DrawSealTexts(const TSeal& seal, int X, int Y, platform::TCanvas& canvas, platform::TColor penColour,
                   platform::TColor brushColour, platform::TBrushStyle brushStyle);

}  // namespace seal
