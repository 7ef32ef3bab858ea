#include "draw_routines.h"

namespace seal {

void SetFramePen(TCanvas&, TBrushStyle, TColor, TColor, int) {}

void SetInnerLinePen(TCanvas&, TBrushStyle) {}

void DrawNameSealFrame(int, int, TCanvas&, TColor, TColor, TBrushStyle, int, int, int, int, int, int, int, int, TFrameType) {}

void DrawEllipseFrame(int, int, TCanvas&, TColor, TColor, TBrushStyle, int, int, int, int, int, int, int) {}

void DrawTriangleFrame(int, int, TCanvas&, TColor, TColor, TBrushStyle, int, int, int, int, int, int, int) {}

void DrawRhombFrame(int, int, TCanvas&, TColor, TColor, TBrushStyle, int, int, int, int, int, int, int) {}

}  // namespace seal
