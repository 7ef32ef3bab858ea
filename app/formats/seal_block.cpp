#include "formats/seal_block.h"

#include "formats/document_file.h"

#include <QWidget>
#include <climits>
#include <cmath>
#include <cstring>
#include <variant>
#include <vector>

#include "platform/gbk.h"
#include "platform/metafile.h"
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
using TStored = seal::TStoredField;

constexpr int kLastSealType = seal::stAnyImage;
constexpr int kLastFrameType = seal::ftEllipse;
constexpr int kLastBrushStyle = platform::bsDiagCross;

// Puts the value's stored bytes at out, little-endian.
void EncodeAt(uint8_t* out, const TValue& value) {
  const auto put32 = [out](uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
  };
  std::visit(
      [&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, TFaceName>) {
          std::memcpy(out, v.data(), v.size());
        } else if constexpr (std::is_same_v<T, float>) {
          uint32_t bits;
          std::memcpy(&bits, &v, 4);
          put32(bits);
        } else if constexpr (std::is_same_v<T, bool>) {
          out[0] = v ? 1 : 0;
        } else if constexpr (sizeof(T) == 1) {
          out[0] = static_cast<uint8_t>(v);
        } else {
          put32(static_cast<uint32_t>(v));
        }
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

// The older layouts store the top-left corner where the centre is now; the centre follows
// from it and the stored size.
void CentresFromEdges(std::vector<TStored>& stored) {
  const float width = StoredSingle(stored, kRealWidthOffset);
  const float height = StoredSingle(stored, kRealHeightOffset);
  for (TStored& s : stored) {
    if (!IsCentre(*s.Field)) continue;
    const bool x = s.Field->Offset == kRealCenterXOffset;
    const float centre = static_cast<float>(std::get<float>(s.Value) + (x ? width : height) / 2.0L);
    if (!std::isfinite(centre)) throw EFormatError("a stored edge is out of range");
    s.Value = centre;
  }
}

void ApplyPicture(TByteReader& reader, TSeal& seal, TPictureBudget& budget) {
  if (reader.ReadU8() == 0) return;
  const std::optional<platform::TGraphicKind> kind = GraphicClassOf(reader.ReadU8());
  if (!kind) throw EFormatError("unknown picture kind");
  const int64_t size = reader.ReadInt64();
  if (size <= 0 || static_cast<uint64_t>(size) > reader.Remaining()) throw EFormatError("bad picture size");
  const auto bytes = std::make_shared<const std::vector<uint8_t>>(reader.ReadByteVector(static_cast<size_t>(size)));
  platform::TPicture picture;
  try {
    picture.LoadFromBytes(*kind, bytes, budget.PixelsLeft());
  } catch (const platform::EMetafileError& e) {
    if (!platform::IsDrawingFault(e.Fault())) throw EFormatError(e.what());
    picture.KeepUndrawn(*kind, bytes);
    budget.NoteUndrawn(e.what());
  } catch (const platform::EPictureError& e) {
    throw EFormatError(e.what());
  }
  budget.Charge(picture);
  // The copy shares the decoded pixels, which are thus held once.
  seal.SetPicture(&picture);
}

void ReadStrings(TByteReader& reader, TSeal& seal) {
  for (const seal::TSealString& text : seal::SealStrings()) (seal.*text.Access.Set)(reader.ReadString());
}

// Older files name the picture file instead of holding it. A file that is missing, too
// large, or that is there but cannot be decoded within the budget leaves the seal without a
// picture.
void LoadPictureFile(TSeal& seal, TPictureBudget& budget) {
  if (seal.Image().empty()) return;
  if (const platform::TPicture* picture = budget.TakePictureFile(platform::GbkToUnicode(seal.Image())))
    seal.SetPicture(picture);
}

}  // namespace

bool TPictureBudget::TryCharge(const platform::TPicture& picture, long long heldBytes) {
  constexpr long long kBytesPerPixel = kBytesPerPicturePixel / 2;
  const QImage& image = picture.Image();
  const bool shared = !image.isNull() && FCharged.count(image.cacheKey()) > 0;
  const long long decoded = image.isNull() || shared ? 0 : static_cast<long long>(image.sizeInBytes());
  const long long recoloured = static_cast<long long>(picture.Width()) * picture.Height() * kBytesPerPixel;
  const long long bytes = decoded + recoloured + heldBytes;
  if (bytes > FBytesLeft) return false;
  FBytesLeft -= bytes;
  if (!image.isNull()) FCharged.insert(image.cacheKey());
  return true;
}

void TPictureBudget::Charge(const platform::TPicture& picture, long long heldBytes) {
  if (!TryCharge(picture, heldBytes)) throw EFormatError("the pictures take more memory than a document may");
}

const platform::TPicture* TPictureBudget::TakePictureFile(const QString& path) {
  auto [at, added] = FFiles.try_emplace(path);
  if (added) {
    auto picture = std::make_unique<platform::TPicture>();
    try {
      picture->LoadFromFile(path.toStdString(), PixelsLeft());
      at->second = std::move(picture);
    } catch (const platform::EPictureError&) {
    }
  }
  const platform::TPicture* picture = at->second.get();
  if (picture && TryCharge(*picture, static_cast<long long>(picture->Bytes().size()))) return picture;
  // A picture that no seal holds is not kept for the rest of the read.
  if (added) at->second.reset();
  return nullptr;
}

void NoteUndrawn(const TSealTarget& target, const TPictureBudget& budget) {
  if (target.UndrawnPictures)
    target.UndrawnPictures->insert(target.UndrawnPictures->end(), budget.Undrawn().begin(), budget.Undrawn().end());
}

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
    EncodeAt(record.data() + field.Offset, value);
  }
  // Everything is checked before the first byte is appended.
  for (const TField& field : seal::SealFields()) DecodeAt(record.data(), field.Offset, field);
  for (const seal::TSealString& text : seal::SealStrings())
    if ((seal.*text.Access.Get)().size() > static_cast<size_t>(INT32_MAX)) throw EFormatError("string too long to store");
  const platform::TPicture& picture = seal.Picture();
  if (picture.HasGraphic() && picture.Bytes().empty()) throw EFormatError("a picture without bytes cannot be stored");

  writer.WriteBytes(record.data(), record.size());
  for (const seal::TSealString& text : seal::SealStrings()) writer.WriteString((seal.*text.Access.Get)());
  writer.WriteBool(picture.HasGraphic());
  if (picture.HasGraphic()) {
    const std::vector<uint8_t>& image = picture.Bytes();
    writer.WriteU8(GraphicTypeOf(picture));
    writer.WriteInt64(static_cast<int64_t>(image.size()));
    writer.WriteBytes(image.data(), image.size());
  }
}

size_t SealBlockSize(const TSeal& seal) {
  size_t size = kSmallestSealBlock;
  for (const seal::TSealString& text : seal::SealStrings()) size += (seal.*text.Access.Get)().size();
  if (seal.Picture().HasGraphic()) size += 1 + 8 + seal.Picture().Bytes().size();
  return size;
}

void ReadSealBlock(TSealRecord& record, TByteReader& reader, TSeal& seal, QWidget* parent, QMenu* popupMenu,
                   float pixelsPerMm, int pageZoom, TPictureBudget* budget) {
  seal.setParent(parent);
  seal.PopupMenu = popupMenu;
  seal.SetPixelsPerMm(pixelsPerMm);
  const seal::TSealUpdate update(seal);
  reader.ReadBytes(record.data(), record.size());
  seal::ApplyStoredFields(seal, DecodeRecord(record));
  ReadStrings(reader, seal);
  TPictureBudget own;
  ApplyPicture(reader, seal, budget ? *budget : own);
  seal.SetZoom(pageZoom);
}

size_t LegacySealRecordSize(int version) { return version <= 5 ? 295 : version == 6 ? 615 : 635; }

void ReadLegacySeal(TByteReader& reader, int version, TSeal& seal, QWidget* parent, QMenu* popupMenu, float pixelsPerMm,
                    int pageZoom, TPictureBudget* budget) {
  seal.setParent(parent);
  seal.PopupMenu = popupMenu;
  seal.SetPixelsPerMm(pixelsPerMm);
  const seal::TSealUpdate update(seal);
  const size_t size = LegacySealRecordSize(version);
  std::vector<uint8_t> record(size);
  reader.ReadBytes(record.data(), size);

  std::vector<TStored> stored;
  for (const TField& field : seal::SealFields())
    if (const std::optional<size_t> at = LegacyOffset(field, size))
      stored.push_back({&field, DecodeAt(record.data(), *at, field)});
  CentresFromEdges(stored);
  seal::ApplyStoredFields(seal, stored);
  ReadStrings(reader, seal);
  TPictureBudget own;
  LoadPictureFile(seal, budget ? *budget : own);
  seal.SetPicClrChange(false);
  seal.SetZoom(pageZoom);
}

}  // namespace formats
