#include "formats/library_file.h"

#include <cfloat>
#include <climits>
#include <cmath>

#include "formats/bitmap_filters.h"
#include "formats/seal_block.h"
#include "platform/canvas.h"
#include "platform/gifwriter.h"
#include "platform/numeric.h"
#include "platform/regularfile.h"
#include "seal/bounds_mm.h"

namespace formats {

using platform::EFormatError;
using platform::TByteReader;

namespace {

constexpr size_t kStampSize = 4;
// The first version whose library files are inserted; older ones insert nothing.
constexpr int kFirstInsertedVersion = 8;
// Each seal: its two offsets, then at least the smallest block.
constexpr size_t kSmallestLibrarySeal = 2 * 10 + kSmallestSealBlock;
// The message of a design too large to read again.
constexpr const char* kLibraryDesign = "这个印章库设计";
constexpr const char* kLibraryRefused = "不能存入印章库，原来的设计保持不变";
// The box's top-left corner lands this far right of and below the origin.
constexpr long double kInsertMargin = 2.0L;

void Report(const TProgress& progress, int position, int maximum) {
  if (progress) progress(position, maximum);
}

// The side of the thumbnail for a box side, refused before anything is allocated for it.
int ThumbnailSide(long double boxSide) {
  const long double side = platform::RoundHalfEven(boxSide * kThumbnailPixelsPerMm) + 2 * kThumbnailMargin;
  if (!(side <= kMaxThumbnailSide)) throw EThumbnailTooLarge("the thumbnail would be too large");
  return static_cast<int>(side);
}

// A stored G that fits the bytes left, all 64 bits of it.
size_t ReadThumbnailSize(TByteReader& reader) {
  const int64_t g = reader.ReadInt64();
  if (g < 0 || static_cast<uint64_t>(g) > reader.Remaining()) throw EFormatError("bad thumbnail size");
  return static_cast<size_t>(g);
}

// A centre the seal can hold: the Single it is stored as stays finite.
float Centre(long double base, long double offset) {
  const long double c = base + offset;
  if (!(std::fabs(c) <= FLT_MAX)) throw EFormatError("a stored offset is out of range");
  return static_cast<float>(c);
}

}  // namespace

std::optional<TThumbnail> RenderSelectionThumbnail(std::span<const seal::TSeal* const> seals) {
  const seal::TBoundsMm b = seal::GetSelectionBoundsMm(seals);
  if (!b.Any) return std::nullopt;
  TThumbnail thumbnail;
  TSelectionBox& box = thumbnail.Box;
  box.CX = (b.Right + b.Left) / 2;
  box.CY = (b.Bottom + b.Top) / 2;
  box.BoxWidth = b.Right - b.Left;
  box.BoxHeight = b.Bottom - b.Top;

  const long double p = kThumbnailPixelsPerMm;
  const int width = ThumbnailSide(box.BoxWidth);
  const int height = ThumbnailSide(box.BoxHeight);
  thumbnail.Bitmap = platform::TBitmap(width, height);
  thumbnail.Bitmap.Fill(platform::clWhite);

  {
    platform::TPainterCanvas canvas(&thumbnail.Bitmap.Image());
    seal::DrawSealsAtScale(canvas, seals, b, p, kThumbnailMargin);
  }
  SmoothBitmap(thumbnail.Bitmap);
  return thumbnail;
}

std::vector<uint8_t> SaveLibraryFile(std::span<const seal::TSeal* const> seals, const TProgress& progress) {
  if (seals.empty()) throw std::invalid_argument("a library file of no seals");
  if (seals.size() > static_cast<size_t>(INT32_MAX / 3)) throw EFormatError("too many seals");
  const int k = static_cast<int>(seals.size());
  const int maximum = 3 * k;
  Report(progress, 0, maximum);
  // The seals alone may pass the cap: then no thumbnail is drawn for them.
  uint64_t size = kStampSize + 8 + 2 * 10 + 4;
  for (const seal::TSeal* s : seals) size += 2 * 10 + SealBlockSize(*s);
  CheckFileSize(kLibraryDesign, kLibraryRefused, size, kMaxLibraryFileBytes);

  const std::optional<TThumbnail> thumbnail = RenderSelectionThumbnail(seals);
  const TSelectionBox& box = thumbnail->Box;
  Report(progress, k, maximum);
  const std::vector<uint8_t> gif = platform::EncodeGif(thumbnail->Bitmap.Image());
  CheckFileSize(kLibraryDesign, kLibraryRefused, size + gif.size(), kMaxLibraryFileBytes);

  platform::TByteWriter writer;
  writer.WriteSingle(kFileStamp);
  writer.WriteInt64(static_cast<int64_t>(gif.size()));
  writer.WriteBytes(gif.data(), gif.size());
  Report(progress, 2 * k, maximum);
  writer.WriteExtended(box.BoxWidth);
  writer.WriteExtended(box.BoxHeight);
  writer.WriteInt32(k);
  TSealRecord record{};
  for (int i = 0; i < k; ++i) {
    const seal::TSeal& s = *seals[static_cast<size_t>(i)];
    writer.WriteExtended(static_cast<long double>(s.RealCenterX()) - box.CX);
    writer.WriteExtended(static_cast<long double>(s.RealCenterY()) - box.CY);
    WriteSealBlock(record, writer, s, true);
    Report(progress, 2 * k + i + 1, maximum);
  }
  return writer.Take();
}

std::vector<uint8_t> ReadLibraryPreview(std::span<const uint8_t> bytes) {
  return ReadLibraryPreview(bytes.size(), [bytes](uint64_t offset, size_t n) {
    return std::vector<uint8_t>(bytes.begin() + long(offset), bytes.begin() + long(offset + n));
  });
}

std::vector<uint8_t> ReadLibraryPreview(uint64_t fileSize,
                                        const std::function<std::vector<uint8_t>(uint64_t offset, size_t n)>& read) {
  constexpr size_t kHead = kStampSize + 8;
  if (fileSize < kHead) throw EFormatError("the library file ends before its thumbnail");
  const std::vector<uint8_t> head = read(0, kHead);
  TByteReader reader(head);
  reader.Skip(kStampSize);
  const int64_t g = reader.ReadInt64();
  if (g < 0 || static_cast<uint64_t>(g) > fileSize - kHead) throw EFormatError("bad thumbnail size");
  return read(kHead, static_cast<size_t>(g));
}

std::vector<uint8_t> ReadLibraryPreviewFile(const QString& path) {
  const platform::TRegularFile file(path.toStdString(), kMaxLibraryFileBytes);
  return ReadLibraryPreview(file.Size(), [&file](uint64_t offset, size_t n) { return file.Read(offset, n); });
}

std::vector<std::unique_ptr<seal::TSeal>> ReadLibrarySeals(std::span<const uint8_t> bytes, const TSealTarget& target,
                                                           long double originX, long double originY) {
  std::vector<std::unique_ptr<seal::TSeal>> seals;
  TByteReader reader(bytes);
  if (FileVersion(reader.ReadSingle()) < kFirstInsertedVersion) return seals;
  reader.Skip(ReadThumbnailSize(reader));
  const long double boxWidth = reader.ReadExtended();
  const long double boxHeight = reader.ReadExtended();
  const long double bx = originX + boxWidth / 2 + kInsertMargin;
  const long double by = originY + boxHeight / 2 + kInsertMargin;

  const int32_t k = reader.ReadInt32();
  // Checked against the bytes left before anything is made for it.
  if (k < 0 || static_cast<size_t>(k) > reader.Remaining() / kSmallestLibrarySeal)
    throw EFormatError("bad library seal count");
  const int maximum = static_cast<int>(std::min<int64_t>(8LL * k, INT_MAX));
  Report(target.Progress, 0, maximum);
  seals.reserve(static_cast<size_t>(k));
  TSealRecord record{};
  TPictureBudget budget(target.PictureBudgetBytes);
  HoldPresent(target, budget);
  for (int32_t i = 0; i < k; ++i) {
    const long double offsetX = reader.ReadExtended();
    const long double offsetY = reader.ReadExtended();
    std::unique_ptr<seal::TSeal> s = target.CreateSeal ? target.CreateSeal() : std::make_unique<seal::TSeal>();
    ReadSealBlock(record, reader, *s, target.Page, target.PixelsPerMm, target.PageZoom, &budget);
    s->SetRealCenterX(Centre(bx, offsetX));
    s->SetRealCenterY(Centre(by, offsetY));
    seals.push_back(std::move(s));
    Report(target.Progress, static_cast<int>(std::min<int64_t>(8LL * (i + 1), INT_MAX)), maximum);
  }
  NoteUndrawn(target, budget);
  return seals;
}

}  // namespace formats
