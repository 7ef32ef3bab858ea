#include <cmath>

#include "seal/draw_routines.h"
#include "platform/numeric.h"

namespace seal {

namespace {

struct TOffset {
  int dx = 0;
  int dy = 0;
};

// How the jogged form bends a line: the outer end's bend and the inner end's bend.
struct TJog {
  TOffset outer;
  TOffset inner;
};

bool HasPoints(const TArrayPoints& points, int N) { return N >= 1 && points.size() >= 2 * static_cast<size_t>(N); }

void SetCutLinePen(TCanvas& canvas, int lw) {
  canvas.SetPenColor(platform::clWhite);
  canvas.SetPenWidth(lw);
}

// One cut line from outer point i to inner point N + i, offset by (X, Y). A straight line
// runs from inner to outer when innerFirst is set; the last pixel of a line is the one
// left out, so the direction decides which end of the border keeps its colour.
void DrawCutLine(TCanvas& canvas, int X, int Y, const TArrayPoints& points, int N, int i, bool straight,
                 bool innerFirst, const TJog& jog) {
  const TPoint o{X + points[static_cast<size_t>(i)].X, Y + points[static_cast<size_t>(i)].Y};
  const TPoint n{X + points[static_cast<size_t>(N + i)].X, Y + points[static_cast<size_t>(N + i)].Y};
  if (straight) {
    if (innerFirst)
      canvas.Line(n.X, n.Y, o.X, o.Y);
    else
      canvas.Line(o.X, o.Y, n.X, n.Y);
    return;
  }
  canvas.MoveTo(o.X, o.Y);
  canvas.LineTo(o.X + jog.outer.dx, o.Y + jog.outer.dy);
  canvas.LineTo(n.X + jog.inner.dx, n.Y + jog.inner.dy);
  canvas.LineTo(n.X, n.Y);
}

}  // namespace

void DrawRectCutLines(TCanvas& canvas, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw, int pw,
                      bool codeOn, bool hasCode, bool codeTopOrDown) {
  if (!HasPoints(points, N)) return;
  SetCutLinePen(canvas, lw);
  const int h = pw / 2;
  const TJog first{{h, h}, {-h, -h}}, second{{-h, -h}, {h, h}};
  const bool skipUnderCode = codeOn && hasCode;
  for (int i = 0; i < N; ++i) {
    if (skipUnderCode) {
      const bool underCode = codeTopOrDown ? (1 <= i && i < N / 4) : (N / 2 < i && i < N - N / 4);
      if (underCode) continue;
    }
    DrawCutLine(canvas, X, Y, points, N, i, lineType, true, i < N / 2 ? first : second);
  }
}

void DrawEllipseCutLines(TCanvas& canvas, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw,
                         int pw) {
  if (!HasPoints(points, N)) return;
  SetCutLinePen(canvas, lw);
  const int h = pw / 3;
  const TJog first{{h, -h}, {-h, h}}, second{{h, -h}, {h, -h}};
  for (int i = 0; i < N; ++i) DrawCutLine(canvas, X, Y, points, N, i, lineType, false, i < N / 2 ? first : second);
}

void DrawTriangleCutLines(TCanvas& canvas, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw,
                          int pw, bool codeOn, bool hasCode, int W, int H) {
  if (!HasPoints(points, N)) return;
  SetCutLinePen(canvas, lw);
  canvas.SetBrushStyle(platform::bsClear);
  const int h = pw / 3;
  const TJog first{{h, h}, {-h, -h}}, second{{-h, h}, {h, -h}};
  // The code runs along the base, which holds the first lines.
  const long long perimeter = static_cast<long long>(W) + 2LL * H;
  const long long underCode = codeOn && hasCode && perimeter != 0 ? static_cast<long long>(W) * N / perimeter + 1 : 0;
  for (int i = 0; i < N; ++i) {
    if (i < underCode) continue;
    DrawCutLine(canvas, X, Y, points, N, i, lineType, false, i < (2 * N) / 3 ? first : second);
  }
}

void DrawRhombCutLines(TCanvas& canvas, int X, int Y, const TArrayPoints& points, bool lineType, int N, int lw, int pw,
                       bool codeOn, bool hasCode, int W, int H) {
  if (!HasPoints(points, N) || W <= 0 || H <= 0) return;
  SetCutLinePen(canvas, lw);
  canvas.SetBrushStyle(platform::bsClear);
  const long double sinTheta = std::sin(std::atan(static_cast<long double>(H) / W));
  const int h = platform::Round(pw / (4 * sinTheta));
  const TJog odd{{-h, h}, {h, -h}}, even{{h, h}, {-h, -h}};
  for (int i = 0; i < N; ++i) {
    // Every fourth line lies on the upper-left edge, where the code runs.
    if (codeOn && hasCode && i % 4 == 0) continue;
    DrawCutLine(canvas, X, Y, points, N, i, lineType, false, i % 2 == 1 ? odd : even);
  }
}

}  // namespace seal
