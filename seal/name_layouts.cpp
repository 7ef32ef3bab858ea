#include "draw_routines.h"

namespace seal {

void DrawName22Text(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TNameSealText&) {}

void DrawName4Text(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TNameSealText&) {}

void DrawName12Text(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TNameSealText&) {}

void DrawName12AText(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TNameSealText&) {}

void DrawName21Text(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TNameSealText&) {}

void DrawName21AText(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TNameSealText&) {}

void DrawName11Text(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TNameSealText&) {}

void DrawName11AText(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TNameSealText&) {}

void DrawName111Text(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TNameSealText&) {}

}  // namespace seal
