#pragma once
// The sheet of the current printer as a page shows it: its size in millimetres and margins
// that centre the printable area on it. The document page and the print window's preview
// page both take it.

#include <optional>

#include "services/services.h"

class TKivDrawPanel;

namespace app {

// Millimetres. The right margin equals the left one and the bottom margin the top one.
struct TPrintPageGeometry {
  long double PageWidth;
  long double PageHeight;
  long double LeftMargin;
  long double TopMargin;
};

// The installed printer's capabilities; nullopt when no printer is installed or it reports
// no resolution.
std::optional<TPrinterCaps> InstalledPrinterCaps();
// The sheet those capabilities describe; an A4 sheet with 6 mm margins without any.
TPrintPageGeometry PrinterPageGeometry(const std::optional<TPrinterCaps>& caps);
// The page takes the sheet's size and its margins on all four sides.
void ApplyPageGeometry(TKivDrawPanel& page, const TPrintPageGeometry& geometry);

}  // namespace app
