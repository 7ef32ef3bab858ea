#include "formats/clipboard.h"

#include <climits>

#include "formats/seal_block.h"
#include "platform/stream.h"

namespace formats {

void CopySeals(std::vector<uint8_t>& clip, std::span<const seal::TSeal* const> selection) {
  if (selection.empty()) return;
  if (selection.size() > static_cast<size_t>(INT32_MAX)) throw platform::EFormatError("too many seals to copy");
  platform::TByteWriter writer;
  writer.WriteInt32(static_cast<int32_t>(selection.size()));
  TSealRecord record{};
  for (const seal::TSeal* s : selection) WriteSealBlock(record, writer, *s, false);
  clip = writer.Take();
}

std::vector<std::unique_ptr<seal::TSeal>> ReadClipSeals(std::span<const uint8_t> clip,
                                                        const TSealTarget& target) {
  std::vector<std::unique_ptr<seal::TSeal>> seals;
  if (clip.empty()) return seals;
  platform::TByteReader reader(clip);
  const int32_t k = reader.ReadInt32();
  // Checked against the bytes left before anything is made for it.
  if (k < 0 || static_cast<size_t>(k) > reader.Remaining() / kSmallestSealBlock)
    throw platform::EFormatError("bad clipboard seal count");
  seals.reserve(static_cast<size_t>(k));
  TSealRecord record{};
  TPictureBudget budget(target.PictureBudgetBytes);
  HoldPresent(target, budget);
  for (int32_t i = 0; i < k; ++i) {
    std::unique_ptr<seal::TSeal> s = target.CreateSeal ? target.CreateSeal() : std::make_unique<seal::TSeal>();
    ReadSealBlock(record, reader, *s, target.Page, target.PixelsPerMm, target.PageZoom, &budget);
    seals.push_back(std::move(s));
  }
  NoteUndrawn(target, budget);
  return seals;
}

}  // namespace formats
