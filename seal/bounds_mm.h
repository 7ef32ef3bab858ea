#pragma once
// The millimetre box around a list of seals on one page, as picture export, the zoom view
// and the seal library's thumbnails measure a selection.

#include <span>

#include "seal/seal.h"

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

}  // namespace seal
