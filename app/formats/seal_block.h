#pragma once
// The one serialised form of a seal element, shared by documents, the internal clipboard
// and the seal library: a 660-byte record, six strings and an optional embedded picture.
// The record holds the seal's stored fields where seal/seal_fields.h places them.

#include <array>
#include <cstdint>
#include <optional>

#include "platform/picture.h"
#include "seal/seal.h"
#include "platform/stream.h"

class QMenu;
class QWidget;

namespace formats {

inline constexpr size_t kSealRecordSize = 660;
// Scratch buffer for one record; a caller may reuse one for every seal it writes or reads.
using TSealRecord = std::array<uint8_t, kSealRecordSize>;

// A block without strings or picture: the record, six empty counts and the picture flag.
inline constexpr size_t kSmallestSealBlock = kSealRecordSize + 6 * 4 + 1;

// The stored code of a picture's kind.
uint8_t GraphicTypeOf(const platform::TPicture& picture);
// The kind for a stored code; nothing for codes other than 0 to 4.
std::optional<platform::TGraphicKind> GraphicClassOf(int code);

// Appends one block. Exact False stores both centres 2.0 mm further right and down, as
// the clipboard does so that a paste never covers its original. Throws
// platform::EFormatError, appending nothing, when the seal holds a value the reader would
// refuse, so that nothing is ever written that cannot be read back.
void WriteSealBlock(TSealRecord& record, platform::TByteWriter& writer, const seal::TSeal& seal, bool Exact);

// Reads one block into a seal just created by the caller and moves the reader past it.
// The seal takes the parent, menu and scale of the window that receives it; it stays
// hidden. Throws platform::EFormatError on a short or invalid block; the seal is then in
// an unspecified state and is the caller's to discard.
void ReadSealBlock(TSealRecord& record, platform::TByteReader& reader, seal::TSeal& seal, QWidget* parent,
                   QMenu* popupMenu, float pixelsPerMm, int pageZoom);

// The seals of document files of versions 5 to 7: a shorter record whose fields sit where
// the block puts them, the fill colour not yet stored, then the six strings; a picture is
// loaded from the file `Image` names. Throws platform::EFormatError like ReadSealBlock.
size_t LegacySealRecordSize(int version);
void ReadLegacySeal(platform::TByteReader& reader, int version, seal::TSeal& seal, QWidget* parent, QMenu* popupMenu,
                    float pixelsPerMm, int pageZoom);

}  // namespace formats
