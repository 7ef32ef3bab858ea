#include "formats/seal_block.h"

#include <QFileInfo>
#include <QWidget>
#include <cmath>
#include <cstring>
#include <variant>
#include <vector>

#include "platform/gbk.h"
#include "seal/seal_fields.h"

namespace formats {

using platform::EFormatError;
using platform::TByteReader;
using platform::TByteWriter;
using platform::TBrushStyle;
using platform::TColor;
using seal::TFaceName;
using seal::TFrameType;
using seal::TSeal;
using seal::TSealType;

namespace {

using seal::kRealCenterXOffset;
using seal::kRealCenterYOffset;
using seal::kRealHeightOffset;
using seal::kRealWidthOffset;
using seal::TFieldValue;
using seal::TSealField;
using TValue = TFieldValue;
using TField = TSealField;

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

TValue DecodeAt(const uint8_t* record, size_t offset, const TField& field) {
  TByteReader in(record + offset, seal::FieldWidth(field));
  return Decode(in, field);
}

struct TStored {
  const TField* Field;
  TValue Value;
};

// Every field of a record, checked before any of it reaches a seal.
std::vector<TStored> DecodeRecord(const TSealRecord& record) {
  std::vector<TStored> values;
  values.reserve(seal::SealFields().size());
  for (const TField& field : seal::SealFields()) values.push_back({&field, DecodeAt(record.data(), field.Offset, field)});
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
  if (at && *at + seal::FieldWidth(field) > recordSize) return std::nullopt;
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
      seal::SetField(seal, *s.Field, s.Value);
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
    seal::SetField(seal, *s.Field, centre);
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
  for (const seal::TSealString& text : seal::SealStrings()) (seal.*text.Access.Set)(reader.ReadString());
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
  for (const TField& field : seal::SealFields()) {
    TValue value = seal::GetField(seal, field);
    if (!Exact && IsCentre(field)) value = static_cast<float>(std::get<float>(value) + 2.0L);
    TByteWriter bytes;
    Encode(bytes, value);
    std::memcpy(record.data() + field.Offset, bytes.Bytes().data(), bytes.Size());
  }
  DecodeRecord(record);

  TByteWriter block;
  block.WriteBytes(record.data(), record.size());
  for (const seal::TSealString& text : seal::SealStrings()) block.WriteString((seal.*text.Access.Get)());
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
  for (const TField& field : seal::SealFields())
    if (const std::optional<size_t> at = LegacyOffset(field, size))
      stored.push_back({&field, DecodeAt(record.data(), *at, field)});
  ApplyRecord(seal, stored, true);
  ReadStrings(reader, seal);
  LoadPictureFile(seal);
  seal.SetPicClrChange(false);
  Rescale(seal, pageZoom);
}

}  // namespace formats
