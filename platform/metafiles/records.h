#pragma once
// The walk over a metafile's records before any converter sees them. It refuses what would
// make a converter read past a record, set aside memory by what a field claims, or work for
// minutes, so that ordinary hostile files are turned away at once with their reason; and it
// readies the converter's own copy of the bytes on the way. Every refusal is an
// EMetafileError.

#include <cstddef>
#include <cstdint>

#include "platform/metafile.h"

namespace platform::metafiles {

// How much a metafile may ask of the converters.
inline constexpr uint32_t kMaxRecords = 500000;
// Saved drawing states open at once (SaveDC without its RestoreDC).
inline constexpr uint32_t kMaxSavedStates = 1024;
// The pixels of all the bitmaps inside one metafile together: each is decoded in full by
// the converters, and once more when the picture is drawn, however small it is drawn.
inline constexpr long long kMaxEmbeddedPixels = 32LL * 1024 * 1024;

// Checks every record of an enhanced metafile up to its end record: it lies inside the
// data, holds the fixed part and the counted items its type has, the header comes first and
// only there. Bitmaps inside, their pixels together at most maxPixels (and
// kMaxEmbeddedPixels), must hold their header and all their bits; compressed ones are sized
// by the PNG or JPEG they carry. Text stored as glyph numbers is left out of the copy
// (`data`, padded beyond `size`), since libemf2svg turns it into characters through
// fontconfig and then shuts fontconfig down under the fonts still in use.
// Returns the length through the end record: the converter is given no more, since what
// follows was never checked.
size_t PrepareEmfRecords(uint8_t* data, size_t size, long long maxPixels);

// The same for a placeable Windows metafile, whose copy also gets a header libwmf can trust:
// its own sizes as the walk measured them, an end record of its head alone, and an inch.
// Returns the length through the end record, as above.
size_t PrepareWmfRecords(uint8_t* data, size_t size, long long maxPixels);

}  // namespace platform::metafiles
