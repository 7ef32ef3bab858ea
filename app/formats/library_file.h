#pragma once
// Seal library files (".YZL"): a version stamp, a GIF thumbnail of the saved seals, the size
// of the box around them, then each seal with its offset from the box centre and its seal
// block. A design saved from one page is inserted on another with the seals' sizes, texts
// and relative places exactly as they were; only the group moves.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

#include "formats/document_file.h"
#include "platform/bitmap.h"
#include "seal/seal.h"

namespace formats {

// Thumbnails are drawn at 288 dots per inch whatever the screen, with a white margin.
inline constexpr long double kThumbnailPixelsPerMm = 288.0L / 25.4L;
inline constexpr int kThumbnailMargin = 4;
// The largest thumbnail side, margins included: seals spread over a huge page would
// otherwise ask for a bitmap of gigabytes.
inline constexpr int kMaxThumbnailSide = 4096;

class EThumbnailTooLarge : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The box around the seals in millimetres: its centre and its size.
struct TSelectionBox {
  long double CX = 0;
  long double CY = 0;
  long double BoxWidth = 0;
  long double BoxHeight = 0;
};

struct TThumbnail {
  TSelectionBox Box;
  // 24-bit, round(box × 288 / 25.4) + 8 pixels each way, the seals in colour on white,
  // smoothed.
  platform::TBitmap Bitmap;
};

// The seals drawn in list order, later ones over earlier ones; nothing for an empty list.
// Throws EThumbnailTooLarge, before any bitmap is made, for a side beyond kMaxThumbnailSide.
std::optional<TThumbnail> RenderSelectionThumbnail(std::span<const seal::TSeal* const> seals);

// The whole file of the seals in their order. Progress counts to 3 × the seal count: the
// thumbnail, its GIF, then one step per seal. Throws std::invalid_argument for no seals,
// EThumbnailTooLarge as above, EFileTooLarge for a file that its reader would refuse
// (kMaxLibraryFileBytes), and platform::EFormatError for a seal that could not be read back.
std::vector<uint8_t> SaveLibraryFile(std::span<const seal::TSeal* const> seals, const TProgress& progress = {});

// Library files are read only below this size: a design holds a few seals and a thumbnail
// of at most kMaxThumbnailSide a side.
inline constexpr long long kMaxLibraryFileBytes = 64LL * 1024 * 1024;

// The thumbnail's GIF bytes, the stamp not looked at. Throws platform::EFormatError when the
// stored length is negative or runs past the file.
std::vector<uint8_t> ReadLibraryPreview(std::span<const uint8_t> bytes);
// The same from a file of fileSize bytes through read(offset, n), which gives exactly those
// bytes: the stamp and the length first, then the thumbnail, and nothing else of the file.
std::vector<uint8_t> ReadLibraryPreview(uint64_t fileSize,
                                        const std::function<std::vector<uint8_t>(uint64_t offset, size_t n)>& read);
// The same from the library file at path, a regular file below kMaxLibraryFileBytes: what
// the library panel reads of each design. Throws platform::EFormatError as above, and
// platform::EFileReadError for a file that cannot be read so.
std::vector<uint8_t> ReadLibraryPreviewFile(const QString& path);

// New seals for the target's page, in stored order and hidden, placed so that the box's
// top-left corner lies 2 mm right of and below the page point (originX, originY) in
// millimetres. None for a file whose stamp rounds to 7 or less. Progress counts to 8 × the
// seal count. Throws platform::EFormatError for anything short, out of range or
// undecodable, having freed every seal made so far.
std::vector<std::unique_ptr<seal::TSeal>> ReadLibrarySeals(std::span<const uint8_t> bytes, const TSealTarget& target,
                                                           long double originX, long double originY);

}  // namespace formats
