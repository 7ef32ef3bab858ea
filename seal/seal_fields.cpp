#include "seal/seal_fields.h"

#include <algorithm>
#include <cstring>

namespace seal {

using platform::TBrushStyle;
using platform::TColor;

// A friend of the seal, so that the table can name the fields themselves.
struct TSealFieldTable {
  static std::span<const TSealField> Fields();
};

#define FIELD(offset, type, name)                                                        \
  TSealField {                                                                           \
    offset, #name, TFieldAccess<type> { &TSeal::name, &TSeal::Set##name, &TSeal::F##name } \
  }

// The record in its stored order, which is also the order the reader applies it in.
std::span<const TSealField> TSealFieldTable::Fields() {
  static const TSealField kFields[] = {
    FIELD(0, TSealType, SealType),
    FIELD(1, TColor, PenColor),
    FIELD(5, TColor, BrushColor),
    FIELD(9, TBrushStyle, BrushStyle),
    FIELD(10, bool, CodeOn),
    FIELD(11, bool, HaveImage),
    FIELD(12, bool, ImageIsStar),
    FIELD(13, bool, CodeTopOrDown),
    FIELD(14, bool, TopOrDown),
    FIELD(15, bool, TopOrDown1),
    FIELD(16, bool, TopOrDown2),
    FIELD(17, bool, TopOrDown3),
    FIELD(18, bool, LineType),
    FIELD(19, bool, InSide),
    FIELD(20, bool, OutSide),
    FIELD(21, float, RealWidth),
    FIELD(25, float, RealHeight),
    FIELD(29, float, PenWidth),
    FIELD(33, float, PenWidth1),
    FIELD(37, float, PenWidth2),
    FIELD(41, float, PenWidth3),
    FIELD(45, float, PenWidth4),
    FIELD(49, float, LineWidth),
    FIELD(53, float, ImageWidth),
    FIELD(57, float, ImageHeight),
    FIELD(61, float, CLWidth),
    FIELD(65, float, CLHeight),
    FIELD(69, float, TextWidth),
    FIELD(73, float, TextWidth1),
    FIELD(77, float, TextWidth2),
    FIELD(81, float, TextWidth3),
    FIELD(85, float, CodeWidth),
    FIELD(89, float, TextHeight),
    FIELD(93, float, TextHeight1),
    FIELD(97, float, TextHeight2),
    FIELD(101, float, TextHeight3),
    FIELD(105, float, CodeHeight),
    FIELD(109, float, CodeToFrame),
    FIELD(113, float, CodeLength),
    FIELD(117, float, OutInDelta),
    FIELD(121, float, TextsWidth),
    FIELD(125, float, TextsWidth1),
    FIELD(129, float, TextsWidth2),
    FIELD(133, float, TextsWidth3),
    FIELD(137, float, TextsHeight),
    FIELD(141, float, TextsHeight1),
    FIELD(145, float, TextsHeight2),
    FIELD(149, float, TextsHeight3),
    FIELD(153, float, TextCenterX),
    FIELD(157, float, TextCenterX1),
    FIELD(161, float, TextCenterX2),
    FIELD(165, float, TextCenterX3),
    FIELD(169, float, CLineCenterX),
    FIELD(173, float, ImageCenterX),
    FIELD(177, float, TextCenterY),
    FIELD(181, float, TextCenterY1),
    FIELD(185, float, TextCenterY2),
    FIELD(189, float, TextCenterY3),
    FIELD(193, float, CLineCenterY),
    FIELD(197, float, ImageCenterY),
    FIELD(201, int, TextWeight),
    FIELD(205, int, TextWeight1),
    FIELD(209, int, TextWeight2),
    FIELD(213, int, TextWeight3),
    FIELD(217, int, CodeWeight),
    TSealField{221, "LineCount", TFieldAccess<int>{&TSeal::LineCount, &TSeal::SetLineCount, &TSeal::FLineCount}, 0,
               kMaxCutLines},
    FIELD(225, int, TextAngle),
    FIELD(229, int, TextAngle1),
    FIELD(233, int, TextAngle2),
    FIELD(237, int, TextAngle3),
    FIELD(241, TFrameType, NameSealFrameType),
    FIELD(242, int, LineAngle),
    FIELD(246, bool, IsEllipse),
    FIELD(247, bool, IsEllipse1),
    FIELD(248, bool, IsEllipse2),
    FIELD(249, bool, IsEllipse3),
    FIELD(250, int, RowColCount),
    FIELD(254, int, RowColCount1),
    FIELD(258, int, RowColCount2),
    FIELD(262, int, RowColCount3),
    FIELD(266, bool, LeftRight),
    FIELD(267, bool, LeftRight1),
    FIELD(268, bool, LeftRight2),
    FIELD(269, bool, LeftRight3),
    FIELD(270, bool, RowCol),
    FIELD(271, bool, RowCol1),
    FIELD(272, bool, RowCol2),
    FIELD(273, bool, RowCol3),
    FIELD(274, int, CodeAngle),
    FIELD(278, bool, IsZhuanLunA),
    FIELD(279, float, InDelta),
    FIELD(283, float, LineABW),
    FIELD(kRealCenterXOffset, float, RealCenterX),
    FIELD(kRealCenterYOffset, float, RealCenterY),
    FIELD(295, TFaceName, TextFontName),
    FIELD(359, TFaceName, TextFontName1),
    FIELD(423, TFaceName, TextFontName2),
    FIELD(487, TFaceName, TextFontName3),
    FIELD(551, TFaceName, CodeFontName),
    FIELD(615, int, TextPenWidth),
    FIELD(619, int, TextPenWidth1),
    FIELD(623, int, TextPenWidth2),
    FIELD(627, int, TextPenWidth3),
    FIELD(631, int, CodePenWidth),
    FIELD(635, bool, CBlank),
    FIELD(636, bool, CBold),
    FIELD(637, bool, CItalic),
    FIELD(638, bool, Blank),
    FIELD(639, bool, Bold),
    FIELD(640, bool, Italic),
    FIELD(641, bool, Blank1),
    FIELD(642, bool, Bold1),
    FIELD(643, bool, Italic1),
    FIELD(644, bool, Blank2),
    FIELD(645, bool, Bold2),
    FIELD(646, bool, Italic2),
    FIELD(647, bool, Blank3),
    FIELD(648, bool, Bold3),
    FIELD(649, bool, Italic3),
    FIELD(650, float, RealSR),
    FIELD(654, float, RealTextLength),
    FIELD(658, bool, PicTransParnt),
    FIELD(659, bool, PicClrChange),
  };
  return kFields;
}

#undef FIELD

namespace {

const TSealString kStrings[] = {
    {"Text", {&TSeal::Text, &TSeal::SetText}},   {"Text1", {&TSeal::Text1, &TSeal::SetText1}},
    {"Text2", {&TSeal::Text2, &TSeal::SetText2}}, {"Text3", {&TSeal::Text3, &TSeal::SetText3}},
    {"Code", {&TSeal::Code, &TSeal::SetCode}},   {"Image", {&TSeal::Image, &TSeal::SetImage}},
};

// Values that store as the same bytes: floats by their bits, so that a negative zero is put
// back as stored.
bool SameStored(const TFieldValue& a, const TFieldValue& b) {
  if (const float* x = std::get_if<float>(&a)) {
    const float* y = std::get_if<float>(&b);
    return y && std::memcmp(x, y, sizeof(float)) == 0;
  }
  return a == b;
}

void PutBack(TSeal& seal, const TSealField& field, const TFieldValue& value) {
  std::visit(
      [&](auto access) {
        using T = typename decltype(access)::Value;
        seal.*access.Stored = std::get<T>(value);
      },
      field.Access);
}

}  // namespace

std::span<const TSealField> SealFields() { return TSealFieldTable::Fields(); }

const TSealField* FindSealField(std::string_view name) {
  const std::span<const TSealField> fields = SealFields();
  const auto it = std::find_if(fields.begin(), fields.end(), [&](const TSealField& f) { return f.Name == name; });
  return it == fields.end() ? nullptr : &*it;
}

TFieldValue GetField(const TSeal& seal, const TSealField& field) {
  return std::visit([&](auto access) -> TFieldValue { return (seal.*access.Get)(); }, field.Access);
}

void SetField(TSeal& seal, const TSealField& field, const TFieldValue& value) {
  std::visit(
      [&](auto access) {
        using T = typename decltype(access)::Value;
        (seal.*access.Set)(std::get<T>(value));
      },
      field.Access);
}

std::span<const TSealString> SealStrings() { return kStrings; }

std::vector<TStoredField> StoredFields(const TSeal& seal) {
  std::vector<TStoredField> values;
  values.reserve(SealFields().size());
  for (const TSealField& field : SealFields()) values.push_back({&field, GetField(seal, field)});
  return values;
}

void ApplyStoredFields(TSeal& seal, std::span<const TStoredField> values) {
  const TSealUpdate update(seal);
  for (const TStoredField& v : values) SetField(seal, *v.Field, v.Value);
  for (const TStoredField& v : values)
    if (!SameStored(GetField(seal, *v.Field), v.Value)) PutBack(seal, *v.Field, v.Value);
  seal.RecomputeBounds();
}

void CopySealProperties(TSeal& dest, const TSeal& src) {
  const TSealUpdate update(dest);
  ApplyStoredFields(dest, StoredFields(src));
  for (const TSealString& text : kStrings) (dest.*text.Access.Set)((src.*text.Access.Get)());
  dest.SetPicture(&src.Picture());
}

size_t FieldWidth(const TSealField& field) {
  return std::visit([](auto access) -> size_t { return sizeof(typename decltype(access)::Value); }, field.Access);
}

}  // namespace seal
