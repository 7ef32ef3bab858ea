#pragma once
// Which property controls a seal uses, as enable masks: one character per control, '0'
// disabling it. Pages A, B and D share a mask of 50 positions, fixed per seal kind or put
// together from fixed pieces; page C, which shows one of the seal's four texts at a time,
// has its own of 18 positions.

#include <array>
#include <cstdint>
#include <string>

#include "seal/seal.h"

namespace property {

inline constexpr size_t kPropertyMaskLength = 50;
inline constexpr size_t kTextMaskLength = 18;

enum class TEmblem : uint8_t { Star, Picture, None };

// What the masks are made from, read from the seal shown.
struct TMaskFacts {
  bool present = false;  // false: no seal is shown
  seal::TSealType kind = seal::stName22;
  TEmblem emblem = TEmblem::None;
  seal::TFrameType frame = seal::ftRectangle;
  bool codeOn = false;
  std::array<bool, 4> isEllipse{};  // IsEllipse .. IsEllipse3
};

// Facts of the seal, or of no seal for nullptr.
TMaskFacts MaskFacts(const seal::TSeal* seal);

// The 50-position mask of pages A, B and D.
std::string PropertyMask(const TMaskFacts& facts);
// The 18-position mask of page C for the text the selector's item index names; any index
// but 1, 2 or 3 stands for the first text.
std::string TextMask(const TMaskFacts& facts, int textIndex);

inline bool MaskAllows(char c) { return c != '0'; }

// The tag of the control that each position governs, first position first.
const std::array<int, kPropertyMaskLength>& PropertyMaskTags();
const std::array<int, kTextMaskLength>& TextMaskTags();

}  // namespace property
