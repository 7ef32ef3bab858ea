#include "draw_routines.h"

namespace seal {

void DrawRectCutLines(TCanvas&, int, int, const TArrayPoints&, bool, int, int, int, bool, bool, bool) {}

void DrawEllipseCutLines(TCanvas&, int, int, const TArrayPoints&, bool, int, int, int) {}

void DrawTriangleCutLines(TCanvas&, int, int, const TArrayPoints&, bool, int, int, int, bool, bool, int, int) {}

void DrawRhombCutLines(TCanvas&, int, int, const TArrayPoints&, bool, int, int, int, bool, bool, int, int) {}

}  // namespace seal
