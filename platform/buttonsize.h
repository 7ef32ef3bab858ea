#pragma once
// A dialog's push button is at least 75 × 25 pixels of a 96-pixel inch, taken at the
// screen's own inch, and never smaller than its caption needs. The program's dialogs and
// the dialogs library size their buttons alike by this.

#include <QSize>
#include <algorithm>

namespace platform {

inline QSize ButtonSize(QSize captionNeeds, int pixelsPerInch) {
  return {std::max(captionNeeds.width(), pixelsPerInch * 75 / 96),
          std::max(captionNeeds.height(), pixelsPerInch * 25 / 96)};
}

}  // namespace platform
