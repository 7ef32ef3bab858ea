#include "draw_routines.h"

namespace seal {

void DrawStraightCode(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TFaceName&, int, int, int, int, int, int, int, int, int, bool, bool, bool, bool, const std::string&) {}

void DrawEllipseCode(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TFaceName&, bool, bool, bool, bool, int, int, int, int, int, int, int, int, int, const std::string&) {}

void DrawRhombCode(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TFaceName&, bool, bool, bool, bool, int, int, int, int, int, int, int, int, int, const std::string&) {}

}  // namespace seal
