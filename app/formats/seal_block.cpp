#include "seal_block.h"

#include <QFileInfo>
#include <QWidget>
#include <cmath>
#include <cstring>
#include <variant>
#include <vector>

#include "platform/gbk.h"

namespace formats {

using platform::EFormatError;
using platform::TByteReader;
using platform::TByteWriter;
using seal::TArg;
using seal::TFaceName;
using seal::TFrameType;
using seal::TSeal;
using seal::TSealType;

namespace {

template <class T>
struct TAccess {
  using Value = T;
  TArg<T> (TSeal::*Get)() const;
  void (TSeal::*Set)(TArg<T>);
};

// One alternative per stored type; a field's value uses the alternative of its accessor.
using TAccessor = std::variant<TAccess<TSealType>, TAccess<platform::TColor>, TAccess<platform::TBrushStyle>,
                               TAccess<bool>, TAccess<float>, TAccess<int>, TAccess<TFrameType>, TAccess<TFaceName>>;
using TValue =
    std::variant<TSealType, platform::TColor, platform::TBrushStyle, bool, float, int, TFrameType, TFaceName>;

struct TField {
  uint16_t Offset;
  TAccessor Access;
  // Integers outside these bounds are refused (only the cut-line count has any).
  int Min = INT32_MIN;
  int Max = INT32_MAX;
};

#define FIELD(offset, type, name)                             \
  TField {                                                    \
    offset, TAccess<type> { &TSeal::name, &TSeal::Set##name } \
  }

using platform::TBrushStyle;
using platform::TColor;

// The record in its stored order, which is also the order the reader applies it in.
const TField kFields[] = {
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
    TField{221, TAccess<int>{&TSeal::LineCount, &TSeal::SetLineCount}, 0, seal::kMaxCutLines},
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

#undef FIELD

constexpr int kLastSealType = seal::stAnyImage;
constexpr int kLastFrameType = seal::ftEllipse;
constexpr int kLastBrushStyle = platform::bsDiagCross;

void Encode(TByteWriter& out, TValue value) {
  std::visit(
      [&](auto v) {
        using T = decltype(v);
        if constexpr (std::is_same_v<T, TFaceName>)
          out.WriteBytes(v.data(), v.size());
        else if constexpr (std::is_same_v<T, float>)
          out.WriteSingle(v);
        else if constexpr (std::is_same_v<T, bool>)
          out.WriteBool(v);
        else if constexpr (sizeof(T) == 1)
          out.WriteU8(static_cast<uint8_t>(v));
        else
          out.WriteInt32(static_cast<int32_t>(v));
      },
      value);
}

// Decodes one field of the accessor's type, refusing what the model cannot hold.
TValue Decode(TByteReader& in, const TField& field) {
  return std::visit(
      [&](auto access) -> TValue {
        using T = typename decltype(access)::Value;
        if constexpr (std::is_same_v<T, TFaceName>) {
          TFaceName face;
          in.ReadBytes(face.data(), face.size());
          return face;
        } else if constexpr (std::is_same_v<T, float>) {
          return in.ReadFiniteSingle();
        } else if constexpr (std::is_same_v<T, bool>) {
          return in.ReadBool();
        } else if constexpr (std::is_same_v<T, int>) {
          const int v = in.ReadInt32();
          if (v < field.Min || v > field.Max) throw EFormatError("a stored count is out of range");
          return v;
        } else if constexpr (std::is_same_v<T, TColor>) {
          return static_cast<TColor>(static_cast<uint32_t>(in.ReadInt32()));
        } else {
          const uint8_t v = in.ReadU8();
          constexpr int last = std::is_same_v<T, TSealType>    ? kLastSealType
                               : std::is_same_v<T, TFrameType> ? kLastFrameType
                                                               : kLastBrushStyle;
          if (v > last) throw EFormatError("a stored kind is out of range");
          return static_cast<T>(v);
        }
      },
      field.Access);
}

TValue Get(const TSeal& seal, const TField& field) {
  return std::visit([&](auto access) -> TValue { return (seal.*access.Get)(); }, field.Access);
}

void Set(TSeal& seal, const TField& field, const TValue& value) {
  std::visit(
      [&](auto access) {
        using T = typename decltype(access)::Value;
        (seal.*access.Set)(std::get<T>(value));
      },
      field.Access);
}

size_t Width(const TField& field) {
  return std::visit(
      [](auto access) -> size_t {
        using T = typename decltype(access)::Value;
        return std::is_same_v<T, TFaceName> ? sizeof(TFaceName) : sizeof(T);
      },
      field.Access);
}

TValue DecodeAt(const uint8_t* record, size_t offset, const TField& field) {
  TByteReader in(record + offset, Width(field));
  return Decode(in, field);
}

struct TStored {
  const TField* Field;
  TValue Value;
};

// Every field of a record, checked before any of it reaches a seal.
std::vector<TStored> DecodeRecord(const TSealRecord& record) {
  std::vector<TStored> values;
  values.reserve(std::size(kFields));
  for (const TField& field : kFields) values.push_back({&field, DecodeAt(record.data(), field.Offset, field)});
  return values;
}

bool IsCentre(const TField& field) { return field.Offset == kRealCenterXOffset || field.Offset == kRealCenterYOffset; }

// Offset of a field in a legacy record of the given length, or nothing when the record
// does not hold it. The fields from the fill style to the last text angle sit 4 bytes
// lower, where the fill colour was not yet stored.
std::optional<size_t> LegacyOffset(const TField& field, size_t recordSize) {
  const size_t o = field.Offset;
  std::optional<size_t> at;
  if (o < 5)
    at = o;
  else if (o >= 9 && o < 241)
    at = o - 4;
  else if (o >= 241)
    at = o;
  if (at && *at + Width(field) > recordSize) return std::nullopt;
  return at;
}

float StoredSingle(const std::vector<TStored>& stored, size_t offset) {
  for (const TStored& s : stored)
    if (s.Field->Offset == offset) return std::get<float>(s.Value);
  return 0;
}

// Applies decoded fields in record order. Turning a text block to columns swaps its sides,
// as it should when the user turns it, but the stored sides of a text block are already the
// turned ones: they are set again before the centres, so that a block reopens as it was
// saved. The older layouts store the top-left corner, from which the centre follows.
void ApplyRecord(TSeal& seal, const std::vector<TStored>& stored, bool centresFromEdges) {
  for (const TStored& s : stored) {
    if (!IsCentre(*s.Field)) {
      Set(seal, *s.Field, s.Value);
      continue;
    }
    const bool x = s.Field->Offset == kRealCenterXOffset;
    if (x && seal.SealType() == seal::stHorzText) {
      seal.SetRealWidth(StoredSingle(stored, kRealWidthOffset));
      seal.SetRealHeight(StoredSingle(stored, kRealHeightOffset));
    }
    float centre = std::get<float>(s.Value);
    if (centresFromEdges) {
      centre = static_cast<float>(centre + (x ? seal.RealWidth() : seal.RealHeight()) / 2.0L);
      if (!std::isfinite(centre)) throw EFormatError("a stored edge is out of range");
    }
    Set(seal, *s.Field, centre);
  }
}

void ApplyPicture(TByteReader& reader, TSeal& seal) {
  if (reader.ReadU8() == 0) return;
  const std::optional<platform::TGraphicKind> kind = GraphicClassOf(reader.ReadU8());
  if (!kind) throw EFormatError("unknown picture kind");
  const int64_t size = reader.ReadInt64();
  if (size <= 0 || static_cast<uint64_t>(size) > reader.Remaining()) throw EFormatError("bad picture size");
  platform::TPicture picture;
  try {
    picture.LoadFromBytes(*kind, reader.ReadByteVector(static_cast<size_t>(size)));
  } catch (const platform::EPictureError& e) {
    throw EFormatError(e.what());
  }
  seal.SetPicture(&picture);
}

void ReadStrings(TByteReader& reader, TSeal& seal) {
  using TSetText = void (TSeal::*)(const std::string&);
  for (TSetText set :
       {&TSeal::SetText, &TSeal::SetText1, &TSeal::SetText2, &TSeal::SetText3, &TSeal::SetCode, &TSeal::SetImage})
    (seal.*set)(reader.ReadString());
}

// Older files name the picture file instead of holding it. A file that is missing, or that
// is there but cannot be decoded, leaves the seal without a picture.
void LoadPictureFile(TSeal& seal) {
  if (seal.Image().empty()) return;
  const QString path = platform::GbkToUnicode(seal.Image());
  if (!QFileInfo(path).isFile()) return;
  platform::TPicture picture;
  try {
    picture.LoadFromFile(path.toStdString());
  } catch (const platform::EPictureError&) {
    return;
  }
  seal.SetPicture(&picture);
}

void Rescale(TSeal& seal, int pageZoom) {
  // A new seal starts at zoom 1; at that same zoom the setter would do nothing, and the
  // bounds must still follow the whole record.
  if (seal.Zoom() == pageZoom)
    seal.RecomputeBounds();
  else
    seal.SetZoom(pageZoom);
}

}  // namespace

uint8_t GraphicTypeOf(const platform::TPicture& picture) { return static_cast<uint8_t>(picture.Kind()); }

std::optional<platform::TGraphicKind> GraphicClassOf(int code) {
  platform::TGraphicKind kind;
  if (!platform::GraphicKindFromCode(code, &kind)) return std::nullopt;
  return kind;
}

void WriteSealBlock(TSealRecord& record, TByteWriter& writer, const TSeal& seal, bool Exact) {
  for (const TField& field : kFields) {
    TValue value = Get(seal, field);
    if (!Exact && IsCentre(field)) value = static_cast<float>(std::get<float>(value) + 2.0L);
    TByteWriter bytes;
    Encode(bytes, value);
    std::memcpy(record.data() + field.Offset, bytes.Bytes().data(), bytes.Size());
  }
  DecodeRecord(record);

  TByteWriter block;
  block.WriteBytes(record.data(), record.size());
  for (const std::string* text :
       {&seal.Text(), &seal.Text1(), &seal.Text2(), &seal.Text3(), &seal.Code(), &seal.Image()})
    block.WriteString(*text);
  const platform::TPicture& picture = seal.Picture();
  block.WriteBool(picture.HasGraphic());
  if (picture.HasGraphic()) {
    const std::vector<uint8_t>& image = picture.Bytes();
    if (image.empty()) throw EFormatError("a picture without bytes cannot be stored");
    block.WriteU8(GraphicTypeOf(picture));
    block.WriteInt64(static_cast<int64_t>(image.size()));
    block.WriteBytes(image.data(), image.size());
  }
  writer.WriteBytes(block.Bytes().data(), block.Size());
}

void ReadSealBlock(TSealRecord& record, TByteReader& reader, TSeal& seal, QWidget* parent, QMenu* popupMenu,
                   float pixelsPerMm, int pageZoom) {
  seal.setParent(parent);
  seal.PopupMenu = popupMenu;
  seal.SetPixelsPerMm(pixelsPerMm);
  reader.ReadBytes(record.data(), record.size());
  ApplyRecord(seal, DecodeRecord(record), false);

  ReadStrings(reader, seal);
  ApplyPicture(reader, seal);
  Rescale(seal, pageZoom);
}

size_t LegacySealRecordSize(int version) { return version <= 5 ? 295 : version == 6 ? 615 : 635; }

void ReadLegacySeal(TByteReader& reader, int version, TSeal& seal, QWidget* parent, QMenu* popupMenu, float pixelsPerMm,
                    int pageZoom) {
  seal.setParent(parent);
  seal.PopupMenu = popupMenu;
  seal.SetPixelsPerMm(pixelsPerMm);
  const size_t size = LegacySealRecordSize(version);
  std::vector<uint8_t> record(size);
  reader.ReadBytes(record.data(), size);

  std::vector<TStored> stored;
  for (const TField& field : kFields)
    if (const std::optional<size_t> at = LegacyOffset(field, size))
      stored.push_back({&field, DecodeAt(record.data(), *at, field)});
  ApplyRecord(seal, stored, true);
  ReadStrings(reader, seal);
  LoadPictureFile(seal);
  seal.SetPicClrChange(false);
  Rescale(seal, pageZoom);
}

}  // namespace formats
