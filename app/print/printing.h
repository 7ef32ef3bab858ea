#pragma once
// Printing a page of seals at true size: every seal on one sheet at the printer's own
// resolution, directly or mirrored left to right, in its colours or in black, with the
// copies made by the printer's driver.

#include <functional>
#include <span>
#include <stdexcept>

class QPrinter;

namespace seal {
class TSeal;
}

namespace app {

// The printer could not start the job, or a seal could not be made ready for it. The
// command shows the message.
class EPrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where a sheet's pixels lie on a printer, in its device pixels: its resolution per
// millimetre (the horizontal one serves both ways, as a seal has one scale) and the place
// and width of the real printable area on the sheet. The printer's canvas starts at the
// printable area's corner, wherever the printer puts it.
struct TPrintJobGeometry {
  long double PixelsPerMm;
  int LeftOffset;
  int TopOffset;
  int PrintableWidth;
};
TPrintJobGeometry PrintJobGeometry(const QPrinter& printer);

// Where a seal of that left edge and width on the sheet starts, on the printer's canvas,
// when it is printed mirrored: its place reflected about the middle of the printable area.
int MirroredLeft(const TPrintJobGeometry& job, int left, int width);

// What the seals show at again once each has been drawn: the document window's screen
// pixels per millimetre and the preview page's zoom.
struct TSealScale {
  float PixelsPerMm;
  int Zoom;
};

struct TPrintOptions {
  bool TrueColor;  // the seals' own colours, else black (white stays white)
  bool Mirror;
  int Copies;
};

// One job of one sheet with every seal in list order. Each seal is drawn at the printer's
// resolution and 100 %, its pixel bounds recomputed for that scale, and given back its
// scale afterwards, also when drawing it fails; step runs after each seal, also then. The
// job ends however the drawing ends. Throws EPrintError when the printer starts no job.
void PrintSeals(QPrinter& printer, std::span<seal::TSeal* const> seals, const TPrintOptions& options,
                const TSealScale& back, const std::function<void()>& step);

}  // namespace app
