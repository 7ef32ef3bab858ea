#include "draw_routines.h"

namespace seal {

void DrawBoxedCentreLines(int, int, TCanvas&, TColor, TColor, TBrushStyle, int, int, int, int, int, int, int, int, int, bool) {}

void DrawEllipseCentreLines(int, int, TCanvas&, TColor, TColor, TBrushStyle, int, int, int, int, int, int, int, int, int) {}

void DrawSplitCentreLine(int, int, TCanvas&, TColor, TColor, TBrushStyle, int, int, int, int, int, int, int) {}

}  // namespace seal
