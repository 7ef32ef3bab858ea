#pragma once
// The internal clipboard: the last copied selection as a seal count and one seal block per
// seal, held in a byte buffer of the main window so that any document window can paste it.
// An empty buffer means nothing has been copied yet.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "formats/document_file.h"
#include "seal/seal.h"

namespace formats {

// Replaces the clipboard's content with the given seals in their order, each stored 2 mm
// right of and below its original so that a paste never covers it. An empty selection
// leaves the clipboard as it was, and so does a copy that fails: the new content is built
// aside and only then takes the place of the old.
void CopySeals(std::vector<uint8_t>& clip, std::span<const seal::TSeal* const> selection);

// New seals made from the clipboard for the target's page, in stored order and hidden;
// none from an empty clipboard. Throws platform::EFormatError for content that cannot be
// read, having freed every seal made so far.
std::vector<std::unique_ptr<seal::TSeal>> ReadClipSeals(std::span<const uint8_t> clip,
                                                        const TSealTarget& target);

}  // namespace formats
