#include "formats/document_file.h"

#include <climits>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/numeric.h"
#include "formats/seal_block.h"
#include "formats/whole_file.h"

namespace formats {

using platform::EFormatError;
using platform::TByteReader;

namespace {

constexpr size_t kStampSize = 4;
// The stamp, four page values and the seal count.
constexpr size_t kHeaderSize = kStampSize + 4 * 10 + 4;
constexpr int kFirstVersion = 5;
constexpr int kCurrentVersion = 8;
constexpr long double kLegacyMargin = 6.0L;

// The progress bar counts from 6 to the seal count + 5.
constexpr int kProgressStart = 6;

void Report(const TProgress& progress, int position, int maximum) {
  if (progress) progress(position, maximum);
}

// The seal count, refused when even the smallest seals could not fit in the bytes left,
// so that a hostile count allocates nothing.
int ReadSealCount(TByteReader& reader, size_t smallestSeal) {
  const int32_t k = reader.ReadInt32();
  if (k < 0 || static_cast<size_t>(k) > reader.Remaining() / smallestSeal) throw EFormatError("bad seal count");
  return k;
}

template <class ReadOne>
std::vector<std::unique_ptr<seal::TSeal>> ReadSeals(TByteReader& reader, size_t smallestSeal, const TSealTarget& target,
                                                    ReadOne readOne) {
  TPictureBudget budget(target.PictureBudgetBytes);
  HoldPresent(target, budget);
  const int k = ReadSealCount(reader, smallestSeal);
  const int maximum = k + 5;
  Report(target.Progress, kProgressStart, maximum);
  std::vector<std::unique_ptr<seal::TSeal>> seals;
  seals.reserve(static_cast<size_t>(k));
  for (int i = 0; i < k; ++i) {
    std::unique_ptr<seal::TSeal> s = target.CreateSeal ? target.CreateSeal() : std::make_unique<seal::TSeal>();
    readOne(*s, budget);
    seals.push_back(std::move(s));
    Report(target.Progress, kProgressStart + i + 1, maximum);
  }
  NoteUndrawn(target, budget);
  return seals;
}

}  // namespace

EOldDocument::EOldDocument(int64_t version)
    : std::runtime_error("document version " + std::to_string(version) + " is too old"), version_(version) {}

namespace {

std::string Megabytes(long double bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes / (1024.0L * 1024.0L)));
  return text;
}

}  // namespace

EFileTooLarge::EFileTooLarge(const std::string& what, const std::string& refused, uint64_t bytes, long long limit)
    : std::runtime_error(what + "有 " + Megabytes(bytes) + "，超过了能打开的上限 " + Megabytes(limit) + "，" + refused +
                         "。") {}

void CheckFileSize(const char* what, const char* refused, uint64_t bytes, long long limit) {
  if (bytes >= static_cast<uint64_t>(limit)) throw EFileTooLarge(what, refused, bytes, limit);
}

uint64_t DocumentFileSize(std::span<const seal::TSeal* const> seals) {
  uint64_t size = kHeaderSize;
  for (const seal::TSeal* s : seals) size += SealBlockSize(*s);
  return size;
}

float ReadFileStamp(std::span<const uint8_t> bytes) {
  if (bytes.size() < kStampSize) return 0.0f;
  TByteReader reader(bytes);
  return reader.ReadSingle();
}

// 2^63 is the first value beyond the 64-bit integers; below, every rounded Single is one.
int64_t FileVersion(float stamp) {
  if (!std::isfinite(stamp)) throw EFormatError("the file stamp is not a number");
  const long double n = platform::RoundHalfEven(stamp);
  constexpr long double kBeyond = 9223372036854775808.0L;
  if (n < -kBeyond || n >= kBeyond) throw EFormatError("the file stamp is out of range");
  return static_cast<int64_t>(n);
}

std::vector<uint8_t> SaveDocument(const TPageGeometry& page, std::span<const seal::TSeal* const> seals,
                                  const TProgress& progress) {
  const uint64_t size = DocumentFileSize(seals);
  CheckFileSize("这个文档", "不能保存，原来的文件保持不变", size, kMaxDocumentFileBytes);
  platform::TByteWriter writer;
  writer.Reserve(static_cast<size_t>(size));
  writer.WriteSingle(kFileStamp);
  writer.WriteExtended(page.PageWidth);
  writer.WriteExtended(page.PageHeight);
  writer.WriteExtended(page.LeftMargin);
  writer.WriteExtended(page.TopMargin);
  if (seals.size() > static_cast<size_t>(INT32_MAX - 5)) throw EFormatError("too many seals");
  const int count = static_cast<int>(seals.size());
  writer.WriteInt32(count);
  Report(progress, kProgressStart, count + 5);
  TSealRecord record{};
  for (int i = 0; i < count; ++i) {
    WriteSealBlock(record, writer, *seals[static_cast<size_t>(i)], true);
    Report(progress, kProgressStart + i + 1, count + 5);
  }
  return writer.Take();
}

namespace {

// Every version opens with the stamp and the sheet's size; the reader is left after them.
TByteReader ReadPageSize(std::span<const uint8_t> bytes, TPageGeometry& page) {
  TByteReader reader(bytes);
  reader.Skip(kStampSize);
  page.PageWidth = reader.ReadExtended();
  page.PageHeight = reader.ReadExtended();
  return reader;
}

}  // namespace

TDocument LoadDocument(std::span<const uint8_t> bytes, const TSealTarget& target) {
  TDocument document;
  TPageGeometry& page = document.Page;
  TByteReader reader = ReadPageSize(bytes, page);
  page.LeftMargin = reader.ReadExtended();
  page.TopMargin = reader.ReadExtended();
  page.RightMargin = page.LeftMargin;
  page.BottomMargin = page.TopMargin;
  TSealRecord record{};
  document.Seals = ReadSeals(reader, kSmallestSealBlock, target, [&](seal::TSeal& s, TPictureBudget& budget) {
    ReadSealBlock(record, reader, s, target.Page, target.PixelsPerMm, target.PageZoom, &budget);
  });
  return document;
}

TDocument LoadLegacyDocument(std::span<const uint8_t> bytes, const TSealTarget& target) {
  const int64_t version = FileVersion(ReadFileStamp(bytes));
  if (version < kFirstVersion || version >= kCurrentVersion) throw EFormatError("not a version 5 to 7 document");
  TDocument document;
  TPageGeometry& page = document.Page;
  TByteReader reader = ReadPageSize(bytes, page);
  page.LeftMargin = page.RightMargin = page.TopMargin = page.BottomMargin = kLegacyMargin;
  const int n = static_cast<int>(version);
  const size_t smallest = LegacySealRecordSize(n) + 6 * 4;
  document.Seals = ReadSeals(reader, smallest, target, [&](seal::TSeal& s, TPictureBudget& budget) {
    ReadLegacySeal(reader, n, s, target.Page, target.PixelsPerMm, target.PageZoom, &budget);
  });
  return document;
}

TDocument ReadDocument(std::span<const uint8_t> bytes, const TSealTarget& target) {
  const float stamp = ReadFileStamp(bytes);
  const int64_t version = FileVersion(stamp);
  if (version < kFirstVersion) {
    // Every version ever written stamped a whole number from 0 up: any other stamp below 5
    // is bytes that never were a document, and naming a version for them would mislead.
    if (stamp < 0 || std::trunc(stamp) != stamp) throw EFormatError("the file stamp names no version");
    throw EOldDocument(version);
  }
  return version < kCurrentVersion ? LoadLegacyDocument(bytes, target) : LoadDocument(bytes, target);
}

}  // namespace formats
