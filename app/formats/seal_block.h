#pragma once
// The one serialised form of a seal element, shared by documents, the internal clipboard
// and the seal library: a 660-byte record, six strings and an optional embedded picture.
// The record holds the seal's stored fields where seal/seal_fields.h places them.

#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

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

// What the pictures of one read (a document, a paste, a library design) may take in all,
// and what they share. The budget counts what the read makes beyond the bytes it reads: each
// decoded picture (a metafile as the pixels it was drawn to) once however many seals share
// it, and every seal's recoloured copy, at four bytes a pixel each; and for the older
// documents, which name picture files, the bytes of the file for every seal that holds
// them, since a save writes them for each. A picture past what is left is refused before
// its pixels are allocated, as an undecodable one is.
inline constexpr long long kPictureBudgetBytes = 512LL * 1024 * 1024;
inline constexpr long long kBytesPerPicturePixel = 8;

class TPictureBudget {
 public:
  explicit TPictureBudget(long long bytes = kPictureBudgetBytes) : FBytesLeft(bytes) {}
  // The pixels a new picture may have, decoded and recoloured.
  long long PixelsLeft() const { return FBytesLeft / kBytesPerPicturePixel; }
  // Takes a seal's copy of the picture, and heldBytes more, off what is left; throws
  // platform::EFormatError past it, taking nothing.
  void Charge(const platform::TPicture& picture, long long heldBytes = 0);
  // The same, false instead of throwing.
  bool TryCharge(const platform::TPicture& picture, long long heldBytes = 0);

  // The picture of a file that an older document names for one more seal, charged with the
  // file's bytes: read once for all the seals that name it; nullptr for a file that cannot
  // be read, or whose picture no longer fits in what is left.
  const platform::TPicture* TakePictureFile(const QString& path);

  // The metafiles held without pixels (platform::TPicture::KeepUndrawn), a reason for each.
  void NoteUndrawn(const std::string& reason) { FUndrawn.push_back(reason); }
  const std::vector<std::string>& Undrawn() const { return FUndrawn; }

 private:
  long long FBytesLeft;
  // The decoded pictures charged so far, by the key their shared pixels have.
  std::set<qint64> FCharged;
  std::map<QString, std::unique_ptr<platform::TPicture>> FFiles;
  std::vector<std::string> FUndrawn;
};

struct TSealTarget;
// Hands the reasons the budget noted to the target of the read.
void NoteUndrawn(const TSealTarget& target, const TPictureBudget& budget);

// The stored code of a picture's kind.
uint8_t GraphicTypeOf(const platform::TPicture& picture);
// The kind for a stored code; nothing for codes other than 0 to 4.
std::optional<platform::TGraphicKind> GraphicClassOf(int code);

// Appends one block. Exact False stores both centres 2.0 mm further right and down, as
// the clipboard does so that a paste never covers its original. Throws
// platform::EFormatError, appending nothing, when the seal holds a value the reader would
// refuse, so that nothing is ever written that cannot be read back.
void WriteSealBlock(TSealRecord& record, platform::TByteWriter& writer, const seal::TSeal& seal, bool Exact);
// The bytes the seal's block takes, so that a writer of many blocks makes room once.
size_t SealBlockSize(const seal::TSeal& seal);

// Reads one block into a seal just created by the caller and moves the reader past it.
// The seal takes the parent, menu and scale of the window that receives it; it stays
// hidden. Every stored value comes back as it was stored (seal::ApplyStoredFields). Its
// picture is charged to the budget of the read it belongs to; without one, the block has a
// budget of its own. A metafile that fails in drawing (platform::IsDrawingFault) is kept
// with its bytes and without pixels, and noted in the budget. Throws platform::EFormatError
// on a short or invalid block and on any other picture that cannot be read; the seal is then
// in an unspecified state and is the caller's to discard.
void ReadSealBlock(TSealRecord& record, platform::TByteReader& reader, seal::TSeal& seal, QWidget* parent,
                   QMenu* popupMenu, float pixelsPerMm, int pageZoom, TPictureBudget* budget = nullptr);

// The seals of document files of versions 5 to 7: a shorter record whose fields sit where
// the block puts them, the fill colour not yet stored, then the six strings; a picture is
// loaded from the regular file `Image` names, when that file is below
// platform::kMaxPictureFileBytes and its picture within the budget, once for all the seals of
// the read that name it. Throws platform::EFormatError like ReadSealBlock.
size_t LegacySealRecordSize(int version);
void ReadLegacySeal(platform::TByteReader& reader, int version, seal::TSeal& seal, QWidget* parent, QMenu* popupMenu,
                    float pixelsPerMm, int pageZoom, TPictureBudget* budget = nullptr);

}  // namespace formats
