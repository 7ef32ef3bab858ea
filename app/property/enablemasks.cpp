#include "property/enablemasks.h"

#include <string_view>

#include "seal/seal_kinds.h"

namespace property {

using seal::TSealType;

namespace {

using std::string_view;

// Kinds 0 to 9, the name seals and the rectangular seal: six pieces.
struct TNameSealPieces {
  string_view headNameSeal, headRect;              // positions 1-15
  string_view star, picture, noImage;              // 16-26
  string_view frameEllipseFirst, frameOtherFirst;  // 27-36
  string_view codeOn, codeOff;                     // 37, the code distance
  string_view frameEllipseSecond, frameOtherSecond;  // 38-49
  string_view cornered, uncornered;                // 50, the corner size
};
constexpr TNameSealPieces kNameSeal{
    "111111011000000", "111111011111111",
    "11111110011",     "11011111111",     "11000000011",
    "1111111110",      "0111111111",
    "0",               "1",
    "111111000000",    "011111000000",
    "1",               "0",
};

// Kinds 10 to 13, the elliptic, triangular and rhomb seals: three pieces.
struct TFrameSealPieces {
  string_view head;                   // 1-17
  string_view star, picture, noImage;  // 18-36
  string_view codeOn, codeOff;        // 37-50
};
constexpr TFrameSealPieces kEllipticSeal{
    "11111001111111111",
    "1111100111111111110", "0111111111111111110", "0000000111111111110",
    "01111110000000", "11111110000000",
};
constexpr TFrameSealPieces kAngularSeal{
    "11111001111111111",
    "1111100110111111111", "0111111110111111111", "0000000110111111111",
    "00111110000000", "10111110000000",
};

// Kinds 14 to 23, one mask each.
constexpr std::array<string_view, 10> kFreeElementMasks{
    "11110000000000000000000000000000000000000000000000",  // stHorzLine
    "11101000000000000000000000000000000000000000000000",  // stVertLine
    "11111000000000000000000000000000000000000000000001",  // stAnyAngleLine
    "11111011100000000000000000000000000000000000000000",  // stArc
    "11000000000000000000000000000010000000000000000000",  // stHorzText
    "11000000000000000000000000000010000000000000000000",  // stEllipseText
    "11000000000000000000000000000000000000000000000000",  // stAnyAngleText
    "11000000000000000111000000000000000000000000000000",  // stFiveStar
    "11000000000000000000000000000000000000000001111110",  // stCell
    "11000000000000000111001100000000000000000000000000",  // stAnyImage
};

// Page C.
constexpr string_view kFirstTextOfNameSeal = "111111110011110000";
constexpr string_view kTextHead = "11111111";
constexpr string_view kRingTextTail = "0111110011";
constexpr string_view kBlockTextTail = "1011111110";
constexpr string_view kFirstTextOfBlock = "111111001011111100";
constexpr string_view kFirstTextOfArcText = "111111000111110001";
constexpr string_view kFirstTextOfSlantedText = "111111000111110000";
constexpr string_view kSecondTextOfThreeNames = "000011000000000000";

string_view ByEmblem(TEmblem emblem, string_view star, string_view picture, string_view none) {
  return emblem == TEmblem::Star ? star : emblem == TEmblem::Picture ? picture : none;
}

std::string NameSealMask(const TMaskFacts& f) {
  const TNameSealPieces& p = kNameSeal;
  const bool ellipse = f.frame == seal::ftEllipse;
  const bool cornered = f.frame == seal::ftRoundRect || f.frame == seal::ftDiamond;
  std::string mask;
  mask += f.kind == seal::stRect ? p.headRect : p.headNameSeal;
  mask += ByEmblem(f.emblem, p.star, p.picture, p.noImage);
  mask += ellipse ? p.frameEllipseFirst : p.frameOtherFirst;
  mask += f.codeOn ? p.codeOn : p.codeOff;
  mask += ellipse ? p.frameEllipseSecond : p.frameOtherSecond;
  mask += cornered ? p.cornered : p.uncornered;
  return mask;
}

std::string FrameSealMask(const TMaskFacts& f) {
  const TFrameSealPieces& p = f.kind == seal::stEllipse || f.kind == seal::stEpsCL ? kEllipticSeal : kAngularSeal;
  std::string mask;
  mask += p.head;
  mask += ByEmblem(f.emblem, p.star, p.picture, p.noImage);
  mask += f.codeOn ? p.codeOn : p.codeOff;
  return mask;
}

std::string FrameSealText(bool isEllipse) {
  std::string mask(kTextHead);
  mask += isEllipse ? kRingTextTail : kBlockTextTail;
  return mask;
}

}  // namespace

TMaskFacts MaskFacts(const seal::TSeal* seal) {
  TMaskFacts facts;
  if (!seal) return facts;
  facts.present = true;
  facts.kind = seal->SealType();
  facts.emblem = !seal->HaveImage() ? TEmblem::None : seal->ImageIsStar() ? TEmblem::Star : TEmblem::Picture;
  facts.frame = seal->NameSealFrameType();
  facts.codeOn = seal->CodeOn();
  facts.isEllipse = {seal->IsEllipse(), seal->IsEllipse1(), seal->IsEllipse2(), seal->IsEllipse3()};
  return facts;
}

std::string PropertyMask(const TMaskFacts& f) {
  if (!f.present) return std::string(kPropertyMaskLength, '0');
  if (seal::HasFrameShape(f.kind)) return NameSealMask(f);
  if (seal::IsFrameSeal(f.kind)) return FrameSealMask(f);
  if (seal::IsFreeElement(f.kind)) return std::string(kFreeElementMasks[f.kind - seal::stHorzLine]);
  return std::string(kPropertyMaskLength, '0');
}

std::string TextMask(const TMaskFacts& f, int textIndex) {
  const std::string none(kTextMaskLength, '0');
  if (!f.present) return none;
  const bool frameSeal = seal::IsFrameSeal(f.kind);
  if (textIndex >= 1 && textIndex <= 3) {
    if (frameSeal) return FrameSealText(f.isEllipse[size_t(textIndex)]);
    if (textIndex == 1 && seal::HasMixedSizes(f.kind)) return std::string(kSecondTextOfThreeNames);
    return none;
  }
  if (seal::IsNameSeal(f.kind)) return std::string(kFirstTextOfNameSeal);
  if (frameSeal) return FrameSealText(f.isEllipse[0]);
  switch (f.kind) {
    case seal::stHorzText:
      return std::string(kFirstTextOfBlock);
    case seal::stEllipseText:
      return std::string(kFirstTextOfArcText);
    case seal::stAnyAngleText:
      return std::string(kFirstTextOfSlantedText);
    default:
      return none;
  }
}

const std::array<int, kPropertyMaskLength>& PropertyMaskTags() {
  static const std::array<int, kPropertyMaskLength> tags = [] {
    std::array<int, kPropertyMaskLength> t{};
    size_t k = 0;
    for (int tag = 1; tag <= 31; ++tag) t[k++] = tag;
    for (int tag = 49; tag <= 67; ++tag) t[k++] = tag;
    return t;
  }();
  return tags;
}

const std::array<int, kTextMaskLength>& TextMaskTags() {
  static const std::array<int, kTextMaskLength> tags{32, 33, 34, 35, 36, 37, 38, 39, 40,
                                                     41, 42, 43, 44, 68, 45, 46, 47, 48};
  return tags;
}

}  // namespace property
