#pragma once
// Printing a page of seals at true size: every seal on one sheet at the printer's own
// resolution, directly or mirrored left to right, in its colours or in black, in as many
// copies as asked: made by the printer's driver where it makes copies, else printed as that
// many sheets of one job.

#include <functional>
#include <span>
#include <stdexcept>

class QPrinter;

namespace seal {
class TSeal;
}

namespace app {

// The printer could not start the job, a sheet or the end of it. The command shows the
// message.
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

struct TPrintOptions {
  bool TrueColor;  // the seals' own colours, else black (white stays white)
  bool Mirror;
  int Copies;
};

// Whether the printer's driver makes the copies of a job itself; Qt's PDF output does not.
bool DriverMakesCopies(const QPrinter& printer);
// The sheets the program prints itself for that many copies: one where the driver makes
// them, else one a copy (and at least one).
int SheetsToPrint(const QPrinter& printer, int copies);

// One job with every seal in list order on each of its sheets. Each seal's design is drawn
// at the printer's resolution and 100 % (seal/bounds_mm.h), the seals themselves left as
// they are, also when drawing fails; step runs after each seal, also then.
// A mirrored seal is drawn once, reflected onto the sheet, within its own bounds as a
// bitmap of it would hold it. The job ends however the drawing ends. Throws EPrintError
// when the printer starts no job, no further sheet, or cannot end the job.
void PrintSeals(QPrinter& printer, std::span<const seal::TSeal* const> seals, const TPrintOptions& options,
                const std::function<void()>& step);

}  // namespace app
