// The seeds of the format fuzzers, in the subfolders document, seal_block and library.
#include <cstring>

#include "document_makers.h"
#include "picture_makers.h"
#include "formats/document_file.h"
#include "formats/library_file.h"
#include "formats/seal_block.h"
#include "seeds.h"

using namespace document_makers;

namespace {

// Slanted seals as the user leaves them: sides from a resize, angles in every quadrant.
std::vector<std::unique_ptr<seal::TSeal>> SlantedSeals() {
  std::vector<std::unique_ptr<seal::TSeal>> seals;
  for (int i = 0; i < 8; ++i) {
    auto s = MakeSeal(i % 2 ? seal::stAnyAngleLine : seal::stAnyAngleText);
    s->SetTextAngle(450 + 900 * (i / 2) + 10 * i);
    s->SetRealWidth(17.37f + float(i));
    s->SetRealHeight(9.13f + float(i) / 3);
    s->SetZoom(25 + 75 * i);
    seals.push_back(std::move(s));
  }
  return seals;
}

}  // namespace

void WriteFormatSeeds(const QDir& root) {
  const QString documents = root.filePath("document");
  const QString blocks = root.filePath("seal_block");
  const QString designs = root.filePath("library");
  const formats::TPageGeometry page{210, 297, 10, 10, 10, 10};

  Write(documents, "empty.dyz", formats::SaveDocument(page, {}));
  for (int k = 0; k <= seal::stAnyImage; ++k) {
    const int picture = k >= seal::stRect && k <= seal::stRhomb ? k - seal::stRect : -1;
    const auto s = MakeSeal(seal::TSealType(k), picture);
    formats::TSealRecord record{};
    platform::TByteWriter block;
    formats::WriteSealBlock(record, block, *s, true);
    Write(blocks, "kind" + std::to_string(k), block.Bytes());
    const seal::TSeal* one[] = {s.get()};
    Write(documents, "kind" + std::to_string(k) + ".dyz", formats::SaveDocument(page, one));
    Write(designs, "kind" + std::to_string(k) + ".YZL", formats::SaveLibraryFile(one));
  }
  const auto all = AllKinds();
  std::vector<seal::TSeal*> group;
  for (const auto& s : all) group.push_back(s.get());
  Write(designs, "all.YZL", formats::SaveLibraryFile(group));
  Write(designs, "thumbnail_only.YZL", LibraryFileOfThumbnail(3, 2));

  const auto slanted = SlantedSeals();
  std::vector<const seal::TSeal*> pointers;
  for (size_t i = 0; i < slanted.size(); ++i) {
    formats::TSealRecord record{};
    platform::TByteWriter block;
    formats::WriteSealBlock(record, block, *slanted[i], true);
    Write(blocks, "slanted" + std::to_string(i), block.Bytes());
    pointers.push_back(slanted[i].get());
  }
  Write(documents, "slanted.dyz", formats::SaveDocument(page, pointers));

  const auto rect = MakeSeal(seal::stRect);
  const seal::TSeal* one[] = {rect.get()};
  const std::vector<uint8_t> plain = formats::SaveDocument(page, one);
  const size_t text1 = 48 + formats::kSealRecordSize + 4 + rect->Text().size();
  Write(documents, "count-1.dyz", WithInt32(plain, text1, -1));
  Write(documents, "count-min.dyz", WithInt32(plain, text1, INT32_MIN));
  float stamp = 3e9f;
  std::vector<uint8_t> stamped = plain;
  std::memcpy(stamped.data(), &stamp, 4);
  Write(documents, "stamp3e9.dyz", stamped);
  Write(documents, "biggif.dyz", DocumentOfBigGifs(2, 4096));
  // Past the fuzzers' budget, so that what the first read keeps undrawn meets a second read
  // with room to draw it.
  {
    const auto s = MakeSeal(seal::stAnyImage);
    platform::TPicture big;
    big.KeepUndrawn(platform::TGraphicKind::Gif,
                    std::make_shared<const std::vector<uint8_t>>(picture_makers::BigScreenGif(4096)));
    s->SetPicture(&big);
    formats::TSealRecord record{};
    platform::TByteWriter block;
    formats::WriteSealBlock(record, block, *s, true);
    Write(blocks, "biggif", block.Bytes());
  }

  TLegacySeal legacy;
  legacy.Strings = {"abc", "", "d", "", "0123", "missing.bmp"};
  legacy.Face = FaceWithTail("Arial", 3);
  for (int n = 5; n <= 7; ++n)
    Write(documents, "legacy" + std::to_string(n) + ".dyz", LegacyDocument(n, float(n), 100, 80, {legacy, legacy}));
}
