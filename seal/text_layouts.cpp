#include "draw_routines.h"

namespace seal {

void DrawTextBlock(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TFaceName&, int, int, int, int, int, int, int, int, int, int, int, bool, bool, bool, bool, const std::string&) {}

void DrawEllipseText(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TFaceName&, bool, bool, bool, int, int, int, int, int, int, int, int, int, int, int, const std::string&) {}

void DrawAngleText(int, int, TCanvas&, TColor, TColor, TBrushStyle, const TFaceName&, bool, bool, bool, int, int, int, int, int, int, int, int, const std::string&) {}

}  // namespace seal
