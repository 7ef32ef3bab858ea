#pragma once
// End points of the white cut lines that cross the outer border of a frame seal.
//
// For N lines a builder returns 2N points: point i is the outer end of line i and point
// N + i its inner end, in pixels relative to the element's top-left corner. An element
// without area gives no points at all; a rhomb leaves out a last line that its rule puts
// wholly outside it, and then returns the 2(N - 1) points of the others.

#include <cstdint>
#include <vector>

#include "platform/point.h"

namespace seal {

using platform::TPoint;

using TArrayPoints = std::vector<TPoint>;

// A document can carry any line count; beyond this the border is white anyway, and the
// cap keeps a hostile count from allocating without bound.
inline constexpr int kMaxCutLines = 10000;

// Rectangle, rounded rectangle and cut-corner frames.
TArrayPoints BuildRectCutLines(int W, int H, bool OutSide, bool InSide, int N, int pw);
// Elliptic frames: spread by arc length over LineAngle, opposite the code.
TArrayPoints BuildEllipseCutLines(int W, int H, bool OutSide, bool InSide, bool CodeTopOrDown, int LineAngle, int N,
                                  int pw);
// Triangle with its base along the top of the box and its apex at the bottom centre.
TArrayPoints BuildTriangleCutLines(int W, int H, bool OutSide, bool InSide, int N, int pw);
// Rhomb whose corners are the middles of the box's sides; every line is horizontal.
TArrayPoints BuildRhombCutLines(int W, int H, bool OutSide, bool InSide, int N, int pw);

}  // namespace seal
