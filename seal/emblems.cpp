#include "draw_routines.h"

namespace seal {

void DrawFiveStar(int, int, TCanvas&, int, int, int, TColor, TColor, TBrushStyle) {}

void DrawCells(int, int, TCanvas&, TColor, TColor, TBrushStyle, int, int, int, int, int, int) {}

void DrawEmblem(int, int, TCanvas&, TColor, TColor, TBrushStyle, const std::string&, int, int, int, int, int, int, int, const platform::TBitmap*, bool, bool) {}

}  // namespace seal
