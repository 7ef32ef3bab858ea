#include "formats/seal_block.h"

#include "formats/document_file.h"

#include <QHash>
#include <QWidget>
#include <climits>
#include <cmath>
#include <cstring>
#include <variant>
#include <vector>

#include "platform/gbk.h"
#include "platform/metafile.h"
#include "platform/regularfile.h"
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
  budget.GivePicture(seal, *kind,
                     std::make_shared<const std::vector<uint8_t>>(reader.ReadByteVector(static_cast<size_t>(size))));
}

void ReadStrings(TByteReader& reader, TSeal& seal) {
  for (const seal::TSealString& text : seal::SealStrings()) (seal.*text.Access.Set)(reader.ReadString());
}

// Older files name the picture file instead of holding it.
void LoadPictureFile(TSeal& seal, TPictureBudget& budget) {
  if (!seal.Image().empty()) budget.GivePictureFile(seal, platform::GbkToUnicode(seal.Image()));
}

size_t HashOf(const std::vector<uint8_t>& bytes) {
  return qHashBits(bytes.data(), bytes.size());
}

// A picture refused for its size alone, whatever its kind: its bytes may well be sound.
bool TooLarge(const platform::EPictureError& e) {
  if (const auto* m = dynamic_cast<const platform::EMetafileError*>(&e))
    return m->Fault() == platform::TMetafileFault::TooLarge;
  return dynamic_cast<const platform::EPictureTooLarge*>(&e) != nullptr;
}

// A picture past what this read has left is kept to be drawn by a later read, which may have
// more: it must decode then. The raster decoders check the size before the data, so the data
// is checked here, at the size any read accepts, and the pixels let go at once. (A metafile's
// header is checked whole before its size, and what fails in drawing is kept by every read.)
void RefuseUndecodable(platform::TGraphicKind kind, const platform::TPictureBytes& bytes) {
  try {
    platform::TPicture scratch;
    scratch.LoadFromBytes(kind, bytes, platform::kMaxPicturePixels);
  } catch (const platform::EPictureTooLarge&) {
  } catch (const platform::EPictureError& e) {
    throw EFormatError(e.what());
  }
}

}  // namespace

const char* const kPictureTooLargeToDraw = "图象太大，超出了一个文档的图象可用的内存";

void TPictureBudget::Hold(const TSeal& seal, bool count) {
  const platform::TPicture& picture = seal.Picture();
  if (!picture.HasGraphic() || !picture.BytesShared()) return;
  TShared* shared = Find(picture.Kind(), picture.BytesShared());
  if (!shared) {
    auto made = std::make_unique<TShared>();
    made->Picture.Assign(picture);
    made->Noted = picture.Image().isNull();
    shared = made.get();
    FPictures.emplace(std::pair{picture.Bytes().size(), HashOf(picture.Bytes())}, std::move(made));
  }
  if (count) Charge(picture, seal.RecolourFill(), true);
}

TPictureBudget::TShared* TPictureBudget::Find(platform::TGraphicKind kind, const platform::TPictureBytes& bytes) {
  if (!bytes) return nullptr;
  const auto [from, to] = FPictures.equal_range({bytes->size(), HashOf(*bytes)});
  for (auto at = from; at != to; ++at) {
    const platform::TPicture& p = at->second->Picture;
    if (p.Kind() == kind && (p.BytesShared() == bytes || p.Bytes() == *bytes)) return at->second.get();
  }
  return nullptr;
}

TPictureBudget::TShared& TPictureBudget::Decode(platform::TGraphicKind kind, platform::TPictureBytes bytes, bool ahead) {
  if (TShared* shared = Find(kind, bytes)) {
    if (shared->Drawing) TakeDrawing(*shared);
    return *shared;
  }
  auto made = std::make_unique<TShared>();
  platform::TPicture& picture = made->Picture;
  try {
    if (ahead) {
      made->Allowance = PixelsLeft();
      made->Drawing = platform::DrawMetafileAhead(bytes->data(), bytes->size(), made->Allowance, &FMetafileTime);
      picture.KeepUndrawn(kind, bytes);
    } else {
      picture.LoadFromBytes(kind, bytes, PixelsLeft(), &FMetafileTime);
    }
  } catch (const platform::EPictureError& e) {
    KeepUndrawn(*made, kind, bytes, e);
  }
  TShared& shared = *made;
  const size_t size = bytes->size();
  FPictures.emplace(std::pair{size, HashOf(*bytes)}, std::move(made));
  return shared;
}

void TPictureBudget::TakeDrawing(TShared& shared) {
  const std::shared_ptr<platform::TMetafileDrawing> drawing = std::move(shared.Drawing);
  const platform::TPictureBytes bytes = shared.Picture.BytesShared();
  try {
    shared.Picture.LoadFromDrawing(bytes, *drawing, shared.Allowance);
  } catch (const platform::EPictureError& e) {
    KeepUndrawn(shared, platform::TGraphicKind::Metafile, bytes, e);
  }
}

void TPictureBudget::KeepUndrawn(TShared& shared, platform::TGraphicKind kind, const platform::TPictureBytes& bytes,
                                 const platform::EPictureError& e) {
  const auto* metafile = dynamic_cast<const platform::EMetafileError*>(&e);
  const bool drawing = metafile && platform::IsDrawingFault(metafile->Fault());
  if (!drawing && !TooLarge(e)) throw EFormatError(e.what());
  if (!drawing && kind != platform::TGraphicKind::Metafile) RefuseUndecodable(kind, bytes);
  shared.Picture.KeepUndrawn(kind, bytes);
  NoteUndrawn(drawing ? e.what() : kPictureTooLargeToDraw);
  shared.Noted = true;
}

bool TPictureBudget::Charge(const platform::TPicture& picture, platform::TColor fill, bool force) {
  constexpr long long kBytesPerPixel = kBytesPerPicturePixel / 2;
  const QImage& image = picture.Image();
  if (image.isNull()) return true;
  const bool decoded = FCharged.count(image.cacheKey()) > 0;
  const bool recoloured = FRecoloured.count({image.cacheKey(), fill}) > 0;
  const long long bytes = (decoded ? 0 : static_cast<long long>(image.sizeInBytes())) +
                          (recoloured ? 0 : static_cast<long long>(picture.Width()) * picture.Height() * kBytesPerPixel);
  if (!force && bytes > FBytesLeft) return false;
  FBytesLeft -= bytes;
  FCharged.insert(image.cacheKey());
  FRecoloured.insert({image.cacheKey(), fill});
  return true;
}

void TPictureBudget::Give(TSeal& seal, TShared& shared) {
  if (Charge(shared.Picture, seal.RecolourFill())) {
    // The copy shares the decoded pixels and the bytes, which are thus held once.
    seal.SetPicture(&shared.Picture);
    return;
  }
  platform::TPicture undrawn;
  undrawn.KeepUndrawn(shared.Picture.Kind(), shared.Picture.BytesShared());
  seal.SetPicture(&undrawn);
  if (!shared.Noted) NoteUndrawn(kPictureTooLargeToDraw);
  shared.Noted = true;
}

// The worker draws one metafile while the read goes on, and the seals from it on wait until
// it is drawn, so that every picture is decoded and counted in the order of the read, each
// with what is left after those before it.
void TPictureBudget::GivePicture(TSeal& seal, platform::TGraphicKind kind, platform::TPictureBytes bytes) {
  if (kind == platform::TGraphicKind::Metafile && !Find(kind, bytes)) {
    Settle();
    // A metafile refused before it is drawn is given at once.
    Decode(kind, bytes, true);
  }
  const TShared* known = Find(kind, bytes);
  if (FWaiting.empty() && !(known && known->Drawing)) {
    Give(seal, Decode(kind, std::move(bytes)));
    return;
  }
  FWaiting.push_back({&seal, kind, std::move(bytes)});
}

void TPictureBudget::Settle() {
  std::vector<TWaiting> waiting = std::move(FWaiting);
  FWaiting.clear();
  for (TWaiting& w : waiting) Give(*w.Seal, Decode(w.Kind, std::move(w.Bytes)));
}

void TPictureBudget::GivePictureFile(TSeal& seal, const QString& path) {
  Settle();
  auto [at, added] = FFiles.try_emplace(path, nullptr);
  if (added) {
    const std::string utf8 = path.toStdString();
    platform::TGraphicKind kind;
    try {
      if (!platform::GraphicKindFromPath(utf8, &kind)) return;
      auto bytes = std::make_shared<const std::vector<uint8_t>>(
          platform::ReadRegularFile(utf8, platform::kMaxPictureFileBytes));
      // The bytes a save writes for each seal are held once, and counted once.
      const long long held = static_cast<long long>(bytes->size());
      at->second = &Decode(kind, std::move(bytes));
      FBytesLeft -= held;
    } catch (const platform::EFileReadError&) {
    } catch (const EFormatError&) {
    }
  }
  if (at->second) Give(seal, *at->second);
}

void TPictureBudget::LoadPictureFile(const QString& path, platform::TColor fill, platform::TPicture& picture) {
  Settle();
  const std::string utf8 = path.toStdString();
  platform::TGraphicKind kind;
  platform::TPictureBytes bytes = platform::ReadPictureFile(utf8, &kind);
  // Equal to a picture the document holds: its decoding serves.
  const TShared* shared = Find(kind, bytes);
  platform::TPicture read;
  const platform::TPicture* chosen = shared ? &shared->Picture : &read;
  bool fits = true;
  try {
    if (!shared) read.LoadFromBytes(kind, bytes, PixelsLeft(), &FMetafileTime);
    fits = !chosen->Image().isNull() && Charge(*chosen, fill);
  } catch (const platform::EPictureTooLarge&) {
    fits = false;
  } catch (const platform::EPictureError& e) {
    throw platform::EPictureError(platform::PictureFileMessage(utf8, e.what()));
  }
  if (!fits)
    throw platform::EPictureError(platform::PictureFileMessage(
        utf8, std::string(kPictureTooLargeToDraw) + "（文档还可用 " + std::to_string(BytesLeft() >> 20) + " MB）"));
  picture.Assign(*chosen);
}

void HoldPresent(const TSealTarget& target, TPictureBudget& budget) {
  for (const TSeal* s : target.Present) budget.Hold(*s);
}

void NoteUndrawn(const TSealTarget& target, TPictureBudget& budget) {
  budget.Settle();
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
  return size + PictureBlockSize(seal.Picture());
}

size_t PictureBlockSize(const platform::TPicture& picture) {
  return picture.HasGraphic() ? 1 + 8 + picture.Bytes().size() : 0;
}

void ReadSealBlock(TSealRecord& record, TByteReader& reader, TSeal& seal, QWidget* parent, float pixelsPerMm,
                   int pageZoom, TPictureBudget* budget) {
  seal.setParent(parent);
  seal.SetPixelsPerMm(pixelsPerMm);
  const seal::TSealUpdate update(seal);
  reader.ReadBytes(record.data(), record.size());
  seal::ApplyStoredFields(seal, DecodeRecord(record));
  ReadStrings(reader, seal);
  TPictureBudget own;
  ApplyPicture(reader, seal, budget ? *budget : own);
  own.Settle();
  seal.SetZoom(pageZoom);
}

size_t LegacySealRecordSize(int version) { return version <= 5 ? 295 : version == 6 ? 615 : 635; }

void ReadLegacySeal(TByteReader& reader, int version, TSeal& seal, QWidget* parent, float pixelsPerMm, int pageZoom,
                    TPictureBudget* budget) {
  seal.setParent(parent);
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
  // The picture keeps its colours before it comes, so that it is recoloured once.
  seal.SetPicClrChange(false);
  LoadPictureFile(seal, budget ? *budget : own);
  seal.SetZoom(pageZoom);
}

}  // namespace formats
