#pragma once
// Seals for the export tests whose ink is known by hand: negative square-cornered rectangles
// without text, code or emblem. A seal W x H pixels large fills W - 1 x H - 1 of them from its
// top-left corner: the outer border's rectangle leaves out its right and bottom edge.

#include <memory>

#include "platform/color.h"
#include "seal/seal.h"

namespace export_seals {

// A filled rectangle of w x h mm centred on (cx, cy) mm, at ppm pixels per mm and zoom %.
inline std::unique_ptr<seal::TSeal> Box(float cx, float cy, float w, float h, platform::TColor colour,
                                        float ppm = 10, int zoom = 100) {
  auto s = std::make_unique<seal::TSeal>();
  s->SetPixelsPerMm(ppm);
  s->SetZoom(zoom);
  s->SetSealType(seal::stRect);
  s->SetNameSealFrameType(seal::ftRectangle);
  // One pixel: a wide pen would round the corners.
  s->SetPenWidth(0.1f);
  s->SetPenColor(colour);
  s->SetBrushStyle(platform::bsSolid);
  s->SetHaveImage(false);
  s->SetText({});
  s->SetText1({});
  s->SetText2({});
  s->SetText3({});
  s->SetCode({});
  s->SetLineCount(0);
  s->SetRealWidth(w);
  s->SetRealHeight(h);
  s->SetRealCenterX(cx);
  s->SetRealCenterY(cy);
  return s;
}

inline constexpr platform::TColor kRed = 0x0000FF;
inline constexpr platform::TColor kBlue = 0xFF0000;

}  // namespace export_seals
