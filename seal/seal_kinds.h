#pragma once
// The element kinds by what they have in common: nine name seals, five frame seals with
// texts, code and emblem, and ten free elements (lines, arc, texts, star, table, picture).
// Whatever asks what a kind offers (its drawing, the property window's masks, the commands
// that change a picture or the positive and negative style) asks here.

#include "seal/seal.h"

namespace seal {

// Kinds 0 to 8: a person's name in upright characters.
constexpr bool IsNameSeal(TSealType t) { return t <= stName111; }
// The name seals with one large character beside or over two small ones.
constexpr bool HasMixedSizes(TSealType t) { return t >= stName12 && t <= stName21A; }
// Kinds 0 to 9: the name seals and the rectangular seal, whose frame shape
// (NameSealFrameType) the user chooses; the other framed kinds have a shape of their own.
constexpr bool HasFrameShape(TSealType t) { return t <= stRect; }
// Kinds 9 to 13: the rectangular, elliptic, triangular and rhomb seals with four texts.
constexpr bool IsFrameSeal(TSealType t) { return t >= stRect && t <= stRhomb; }
// Kinds 0 to 13 have a frame, and with it an emblem.
constexpr bool HasFrame(TSealType t) { return t <= stRhomb; }
// Kinds 14 to 23.
constexpr bool IsFreeElement(TSealType t) { return t >= stHorzLine && t <= stAnyImage; }

// Framed kinds and free pictures carry a picture; lines, texts, stars and tables do not.
constexpr bool TakesPicture(TSealType t) { return HasFrame(t) || t == stAnyImage; }
// Framed kinds and stars are positive or negative (hollow or filled); lines, texts, tables
// and free pictures are neither.
constexpr bool TakesBrushOption(TSealType t) { return HasFrame(t) || t == stFiveStar; }

}  // namespace seal
