#pragma once
// The picture formats of the export as the export options number them, and the size of
// the picture a selection makes: what each format is called, written with and refused at.

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/bitmap.h"
#include "seal/bounds_mm.h"

namespace app {

struct TExportFormat {
  uint8_t Code;           // the export options' number
  const char* Extension;  // lower case, with its dot
  const char* Filter;     // of the save dialog
  // The type the encoded bytes go to the clipboard under; nullptr for a format that never
  // goes there (TIFF), which is then written to a file.
  const char* MimeType;
  // The longest side the format can describe; 0 for no limit below the export's own.
  int MaxSide;
  // The whole file of a bitmap drawn at pixelsPerMm. Throws platform::EPictureError.
  std::vector<uint8_t> (*Encode)(const platform::TBitmap& bitmap, long double pixelsPerMm);
};

// The row of that number; any number not in the table is BMP.
const TExportFormat& ExportFormatOf(uint8_t code);

// Every picture has this margin of white on each side.
inline constexpr int kExportMargin = 8;
// No picture of more pixels than 3600 x 3600 is made.
inline constexpr int64_t kMaxExportPixels = 12'960'000;

struct TExportSize {
  int64_t Width = 0;
  int64_t Height = 0;
  bool operator==(const TExportSize&) const = default;
};

// The selection's millimetres at pixelsPerMm, rounded, with the margin on every side. A side
// far beyond any limit is held there, so that the sides and their product stay in 64 bits.
TExportSize ExportBitmapSize(const seal::TBoundsMm& bounds, long double pixelsPerMm);

// Why no picture can be made at this resolution: the warning's text, empty when one can. A
// resolution that is not above zero (or no number) makes none.
QString ResolutionRefusal(long double pixelsPerMm);
// Why a picture of this size cannot be made: the warning's text, empty when it can. The
// resolution is refused as ResolutionRefusal does before any size is looked at.
QString ExportRefusal(long double pixelsPerMm, TExportSize size, const TExportFormat& format);

// name with the format's extension: an extension of the file name itself (from its last
// dot; a dot in a folder does not count) that differs from the format's in lower case is
// replaced, a name without one gets it.
QString WithExportExtension(const QString& name, const TExportFormat& format);

}  // namespace app
