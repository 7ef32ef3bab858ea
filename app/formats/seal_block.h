#pragma once
// The one serialised form of a seal element, shared by documents, the internal clipboard
// and the seal library: a 660-byte record, six strings and an optional embedded picture.
// The record holds the seal's stored fields where seal/seal_fields.h places them.

#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/metafileworker.h"
#include "platform/picture.h"
#include "seal/seal.h"
#include "platform/stream.h"

class QWidget;

namespace formats {

inline constexpr size_t kSealRecordSize = 660;
// Scratch buffer for one record; a caller may reuse one for every seal it writes or reads.
using TSealRecord = std::array<uint8_t, kSealRecordSize>;

// A block without strings or picture: the record, six empty counts and the picture flag.
inline constexpr size_t kSmallestSealBlock = kSealRecordSize + 6 * 4 + 1;

// What one read (a document, a paste, a library design, a picture the user picks) may take
// for its pictures, and the decoded pictures it shares: the one place a read's limits live.
// Pictures with equal bytes are decoded and held once, and seals whose colours agree share
// one recoloured copy (seal::TSeal::RecolourBitmap); the budget counts each decoded picture
// (a metafile as the pixels it was drawn to) and each recoloured copy once, at four bytes a
// pixel, and a picture file an older document names once however many seals name it. A read
// into a document that already holds seals starts from their pictures (Hold), so that what a
// document holds in all stays within what one read of it accepts.
inline constexpr long long kPictureBudgetBytes = 512LL * 1024 * 1024;
inline constexpr long long kBytesPerPicturePixel = 8;

class TPictureBudget {
 public:
  explicit TPictureBudget(long long bytes = kPictureBudgetBytes) : FBytesLeft(bytes) {}
  TPictureBudget(const TPictureBudget&) = delete;
  TPictureBudget& operator=(const TPictureBudget&) = delete;

  // The pixels a new picture may have, decoded and recoloured.
  long long PixelsLeft() const { return std::max(FBytesLeft, 0LL) / kBytesPerPicturePixel; }
  long long BytesLeft() const { return std::max(FBytesLeft, 0LL); }

  // Lets the read share the decoding of the picture a seal already holds, and counts it
  // unless the seal is about to let it go (count false: a picture about to be replaced).
  void Hold(const seal::TSeal& seal, bool count = true);

  // Gives the seal the picture of the stored bytes, decoded once for all the seals of the
  // read that hold equal ones. A picture past what is left, or one that fails in drawing
  // (platform::IsDrawingFault), is kept with its bytes and without pixels
  // (platform::TPicture::KeepUndrawn) and noted once. Throws platform::EFormatError for bytes
  // that are no picture of their kind. A metafile new to the read is drawn by the worker
  // while the read goes on: its seal, and the seals after it, get their pictures, in the
  // order of the read, when the next new metafile comes or the read settles (Settle).
  void GivePicture(seal::TSeal& seal, platform::TGraphicKind kind, platform::TPictureBytes bytes);
  // Gives the seals that wait their pictures; a read settles before it hands its seals on.
  // Throws platform::EFormatError as GivePicture does.
  void Settle();
  // The same for the picture file an older document names, read once for all the seals that
  // name it; a file that is missing, no picture or not below platform::kMaxPictureFileBytes
  // leaves the seal without one.
  void GivePictureFile(seal::TSeal& seal, const QString& path);
  // The picture of a file the user chose for a seal whose fill is given, decoded within what
  // is left. Throws platform::EPictureError, whose message is the user's, for a file that
  // cannot be read or whose picture does not fit; picture is then unchanged.
  void LoadPictureFile(const QString& path, platform::TColor fill, platform::TPicture& picture);

  // Why each picture kept without pixels was not drawn, one for each such picture.
  void NoteUndrawn(const std::string& reason) { FUndrawn.push_back(reason); }
  const std::vector<std::string>& Undrawn() const { return FUndrawn; }

 private:
  struct TShared {
    platform::TPicture Picture;
    // The reason given once for the seals that keep this picture undrawn.
    bool Noted = false;
    // A metafile the worker is drawing, and the pixels it was allowed; meanwhile Picture
    // holds its bytes undrawn.
    std::shared_ptr<platform::TMetafileDrawing> Drawing;
    long long Allowance = 0;
  };
  // A seal whose picture waits for a metafile being drawn, with the picture's stored bytes.
  struct TWaiting {
    seal::TSeal* Seal;
    platform::TGraphicKind Kind;
    platform::TPictureBytes Bytes;
  };
  TShared* Find(platform::TGraphicKind kind, const platform::TPictureBytes& bytes);
  TShared& Decode(platform::TGraphicKind kind, platform::TPictureBytes bytes, bool ahead = false);
  void TakeDrawing(TShared& shared);
  // Keeps a picture that was not decoded, with its reason; rethrows what is no fault of
  // drawing or size as platform::EFormatError.
  void KeepUndrawn(TShared& shared, platform::TGraphicKind kind, const platform::TPictureBytes& bytes,
                   const platform::EPictureError& e);
  // Takes a seal's share of the picture off what is left: its pixels when no seal of the
  // read holds them yet and the recoloured copy for the fill when none has that one; false,
  // taking nothing, past what is left (unless forced).
  bool Charge(const platform::TPicture& picture, platform::TColor fill, bool force = false);
  void Give(seal::TSeal& seal, TShared& shared);

  long long FBytesLeft;
  // The pictures of the read by their bytes' length and hash, each decoded once.
  std::multimap<std::pair<size_t, size_t>, std::unique_ptr<TShared>> FPictures;
  std::map<QString, TShared*> FFiles;
  std::set<qint64> FCharged;
  std::set<std::pair<qint64, platform::TColor>> FRecoloured;
  std::vector<std::string> FUndrawn;
  std::vector<TWaiting> FWaiting;
  // The time the read's metafiles share.
  platform::TMetafileReadTime FMetafileTime;
};

// The user's words for a picture kept undrawn because it does not fit what is left.
extern const char* const kPictureTooLargeToDraw;

struct TSealTarget;
// Holds the pictures of the seals the read adds to (TSealTarget::Present).
void HoldPresent(const TSealTarget& target, TPictureBudget& budget);
// Settles the read (TPictureBudget::Settle) and hands the reasons the budget noted to its
// target.
void NoteUndrawn(const TSealTarget& target, TPictureBudget& budget);

// The stored code of a picture's kind.
uint8_t GraphicTypeOf(const platform::TPicture& picture);
// The kind for a stored code; nothing for codes other than 0 to 4.
std::optional<platform::TGraphicKind> GraphicClassOf(int code);

// Appends one block. Exact False stores both centres 2.0 mm further right and down, as
// the clipboard does so that a paste never covers its original. Throws
// platform::EFormatError, appending nothing, when the seal holds a value the reader would
// refuse, so that nothing is ever written that cannot be read back.
void WriteSealBlock(TSealRecord& record, platform::TByteWriter& writer, const seal::TSeal& seal, bool Exact);
// The bytes the seal's block takes, so that a writer of many blocks makes room once; of them,
// the bytes its picture takes.
size_t SealBlockSize(const seal::TSeal& seal);
size_t PictureBlockSize(const platform::TPicture& picture);

// Reads one block into a seal just created by the caller and moves the reader past it.
// The seal takes the parent and scale of the window that receives it; it stays
// hidden. Every stored value comes back as it was stored (seal::ApplyStoredFields). Its
// picture comes through the budget of the read it belongs to (TPictureBudget::GivePicture);
// without one, the block has a budget of its own. Throws platform::EFormatError on a short or
// invalid block and on a picture whose bytes are no picture; the seal is then in an
// unspecified state and is the caller's to discard.
void ReadSealBlock(TSealRecord& record, platform::TByteReader& reader, seal::TSeal& seal, QWidget* parent,
                   float pixelsPerMm, int pageZoom, TPictureBudget* budget = nullptr);

// The seals of document files of versions 5 to 7: a shorter record whose fields sit where
// the block puts them, the fill colour not yet stored, then the six strings; a picture is
// loaded from the regular file `Image` names (TPictureBudget::GivePictureFile). Throws
// platform::EFormatError like ReadSealBlock.
size_t LegacySealRecordSize(int version);
void ReadLegacySeal(platform::TByteReader& reader, int version, seal::TSeal& seal, QWidget* parent, float pixelsPerMm,
                    int pageZoom, TPictureBudget* budget = nullptr);

}  // namespace formats
