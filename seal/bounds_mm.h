#pragma once
// The millimetre box around a list of seals on one page, as picture export, the zoom view
// and the seal library's thumbnails measure a selection, and the seals drawn at another
// resolution relative to that box, as the export and the thumbnails draw them.

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
TBoundsMm GetSelectionBoundsMm(std::span<TSeal* const> seals);

// Every seal drawn on canvas in list order (later ones over earlier ones), in colour, through
// one scratch seal made at pixelsPerMm and 100 % (a child of scratchParent while it lives):
// each lands where its millimetres lie relative to bounds' top-left corner, plus margin pixels.
// The seals themselves are read, never changed.
void DrawSealsAtScale(platform::TCanvas& canvas, std::span<TSeal* const> seals, const TBoundsMm& bounds,
                      long double pixelsPerMm, int margin, QWidget* scratchParent = nullptr);

}  // namespace seal
