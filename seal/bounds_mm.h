#pragma once
// The millimetre box around a list of seals on one page, as picture export, the zoom view
// and the seal library's thumbnails measure a selection, and seals drawn at another scale
// than their page's, as printing, the export and the thumbnails draw them.

#include <span>

#include "seal/seal.h"

namespace platform {
class TCanvas;
}

namespace seal {

struct TBoundsMm {
  long double Right = 0;
  long double Bottom = 0;
  long double Left = 0;
  long double Top = 0;
  // The list held a seal; the edges are not written otherwise.
  bool Any = false;
};

// From the seals' page pixels, all converted with the first seal's zoom and resolution.
TBoundsMm GetSelectionBoundsMm(std::span<const TSeal* const> seals);

// Seals at another scale than their own, without changing them: one scratch seal at that
// scale and 100 % (a child of scratchParent while it lives) takes the design of each seal it
// is given, so its pixel bounds are that seal's at this scale, measured from the page's
// corner. The seals are only read, so a drawing that fails part way leaves them as they were.
class TSealAtScale {
 public:
  explicit TSealAtScale(long double pixelsPerMm, QWidget* scratchParent = nullptr);
  TSealAtScale(const TSealAtScale&) = delete;
  TSealAtScale& operator=(const TSealAtScale&) = delete;

  // The design of s at this scale, to measure and draw until the next call.
  TSeal& Take(const TSeal& s);

 private:
  TSeal FScratch;
};

// Every seal drawn on canvas in list order (later ones over earlier ones), in colour, at
// pixelsPerMm through TSealAtScale: each lands where its millimetres lie relative to bounds'
// top-left corner, plus margin pixels.
void DrawSealsAtScale(platform::TCanvas& canvas, std::span<const TSeal* const> seals, const TBoundsMm& bounds,
                      long double pixelsPerMm, int margin, QWidget* scratchParent = nullptr);

}  // namespace seal
