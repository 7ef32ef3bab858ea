#pragma once
// The complete logical-font record a font is created from, with the field meanings the
// glyph routines rely on:
// - Height > 0 is the character cell, which for the supported faces is the em square;
//   a negative height is taken as the same size (the faces have no internal leading).
// - Width is the average character width: 0 keeps the face's natural width, otherwise
//   every glyph is scaled horizontally by 2 × Width / Height, so a full-width character
//   made with Width = Height / 2 comes out Height wide.
// - Escapement rotates the text in tenths of a degree, counter-clockwise on the screen,
//   about the cell's top-left corner. Orientation is kept but the glyphs follow the
//   escapement, as in the compatible graphics mode.
// - FaceName is GBK, at most kMaxFaceNameBytes bytes, cut on a character boundary.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gbk.h"

namespace platform {

inline constexpr int kFwNormal = 400;
inline constexpr int kFwBold = 700;
inline constexpr uint8_t kDefaultCharset = 1;
inline constexpr uint8_t kOutDefaultPrecis = 0;
inline constexpr uint8_t kClipDefaultPrecis = 0;
inline constexpr uint8_t kDefaultQuality = 0;
inline constexpr uint8_t kProofQuality = 2;
inline constexpr uint8_t kVariablePitch = 2;
inline constexpr uint8_t kFfDontCare = 0;
inline constexpr size_t kMaxFaceNameBytes = 31;

// The face a font has until it is given one, converted once: fonts are made for every text
// a seal draws.
inline const std::string& DefaultFaceName() {
  static const std::string face = Gbk("宋体");
  return face;
}

struct TLogFont {
  int32_t Height = 12;
  int32_t Width = 0;
  int32_t Escapement = 0;
  int32_t Orientation = 0;
  int32_t Weight = kFwNormal;
  uint8_t Italic = 0;
  uint8_t Underline = 0;
  uint8_t StrikeOut = 0;
  uint8_t CharSet = kDefaultCharset;
  uint8_t OutPrecision = kOutDefaultPrecis;
  uint8_t ClipPrecision = kClipDefaultPrecis;
  uint8_t Quality = kDefaultQuality;
  uint8_t PitchAndFamily = kVariablePitch | kFfDontCare;
  std::string FaceName = DefaultFaceName();

  // Takes the name up to its first NUL (a stored face array) and cuts it to the record's size.
  void SetFaceName(std::string_view gbk) {
    const size_t nul = gbk.find('\0');
    FaceName = GbkCut(gbk.substr(0, nul), kMaxFaceNameBytes);
  }

  bool operator==(const TLogFont&) const = default;
};

}  // namespace platform
