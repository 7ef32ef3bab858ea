#pragma once
// Document files (".dyz"): a version stamp, the page geometry and one seal block per
// element. Version 8 is written; versions 5 to 8 are read. Everything here works on bytes;
// the document window supplies the page, the seals' owner and the progress display.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/seal_block.h"
#include "platform/stream.h"
#include "seal/seal.h"

class QWidget;

namespace formats {

inline constexpr float kFileStamp = 8.0f;

// The page as the file stores it; the document window copies it to and from its page.
struct TPageGeometry {
  long double PageWidth = 0;
  long double PageHeight = 0;
  long double LeftMargin = 0;
  long double TopMargin = 0;
  long double RightMargin = 0;
  long double BottomMargin = 0;
};

// Progress as the main window's progress bar shows it.
using TProgress = std::function<void(int position, int maximum)>;

// What every read seal is given by the window that receives it.
struct TSealTarget {
  QWidget* Page = nullptr;
  float PixelsPerMm = 0;
  int PageZoom = 100;
  // Creates each seal owned by the document window; empty: a plain unowned seal.
  std::function<std::unique_ptr<seal::TSeal>()> CreateSeal;
  TProgress Progress;
  // What the pictures of the read may take in all (TPictureBudget), with those of the seals
  // already on the page that the read adds to, whose decoded pictures it shares.
  long long PictureBudgetBytes = kPictureBudgetBytes;
  std::vector<const seal::TSeal*> Present;
  // Where the reasons go of the metafiles that are held without pixels, one for each; the
  // reader adds them once the read is whole.
  std::vector<std::string>* UndrawnPictures = nullptr;
};

struct TDocument {
  TPageGeometry Page;
  // Back to front, all hidden, children of the target's page: the caller takes them (and
  // shows them) before the page goes.
  std::vector<std::unique_ptr<seal::TSeal>> Seals;
};

// A file whose stamp rounds below 5: the version it was written by, for the message.
class EOldDocument : public std::runtime_error {
 public:
  explicit EOldDocument(int64_t version);
  int64_t Version() const { return version_; }

 private:
  int64_t version_;
};

// The leading Single of a file; 0 for files shorter than 4 bytes.
float ReadFileStamp(std::span<const uint8_t> bytes);
// The stamp rounded to the nearest integer, halves to even. Throws platform::EFormatError
// for a stamp that is not finite or lies beyond the 64-bit integers.
int64_t FileVersion(float stamp);

// A file that its reader would refuse for its size: what was to be written is refused
// before anything is, with the user's message (in Chinese) that gives the size and the limit.
class EFileTooLarge : public std::runtime_error {
 public:
  EFileTooLarge(const std::string& what, const std::string& refused, uint64_t bytes, long long limit);
};
// Throws EFileTooLarge for a file of bytes that a read below limit refuses: what the file is
// and what is refused for it, in the user's words.
void CheckFileSize(const char* what, const char* refused, uint64_t bytes, long long limit);

// The bytes of the version 8 file of the seals.
uint64_t DocumentFileSize(std::span<const seal::TSeal* const> seals);

// Version 8 bytes of a page and its seals (back to front); a page without seals is a
// valid file of none. Throws EFileTooLarge, before anything is made, for a file past the
// read cap (kMaxDocumentFileBytes), and platform::EFormatError for a seal that could not be
// read back.
std::vector<uint8_t> SaveDocument(const TPageGeometry& page, std::span<const seal::TSeal* const> seals,
                                  const TProgress& progress = {});

// Readers of the two layouts. Throw platform::EFormatError for anything short, out of range
// or undecodable, having freed every seal made so far.
TDocument LoadDocument(std::span<const uint8_t> bytes, const TSealTarget& target);
TDocument LoadLegacyDocument(std::span<const uint8_t> bytes, const TSealTarget& target);

// Chooses the reader by the stamp: a whole stamp from 0 to 4 throws EOldDocument, any other
// below 5 (negative or fractional) platform::EFormatError, 5 to 7 the legacy reader, 8 and
// above the current one.
TDocument ReadDocument(std::span<const uint8_t> bytes, const TSealTarget& target);

}  // namespace formats
