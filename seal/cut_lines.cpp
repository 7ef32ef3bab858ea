#include "seal/cut_lines.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "platform/numeric.h"

namespace seal {

namespace {

using platform::Round;

// Toward zero, saturating, NaN as 0: counts derived from spacings stay defined.
long long TruncSat(long double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<long double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<long double>(INT_MIN)) return INT_MIN;
  return static_cast<long long>(std::trunc(v));
}

// The 2N points of N lines. Counts worked out from spacings can disagree with N by a
// rounding; a point with an index outside its half is dropped rather than written.
class TCutLineSink {
 public:
  explicit TCutLineSink(int n) : n_(n), points_(2 * static_cast<size_t>(n)) {}
  void Outer(long long i, long double x, long double y) { Put(i, x, y); }
  void Inner(long long i, long double x, long double y) { Put(n_ + i, x, y, n_); }
  TArrayPoints Take() { return std::move(points_); }

 private:
  void Put(long long index, long double x, long double y, long long lo = 0) {
    if (index < lo || index >= lo + n_) return;
    points_[static_cast<size_t>(index)] = TPoint{Round(x), Round(y)};
  }
  long long n_;
  TArrayPoints points_;
};

// An element without area draws no frame, so there is no border for a line to cross: its
// white lines would only knock out whatever lies beneath it.
bool HasBorder(int W, int H) { return W > 0 && H > 0; }

// Whether the horizontal line at row y from x0 to x1 touches the rhomb whose corners are
// the middles of the W x H box's sides.
bool RowMeetsRhomb(int W, int H, int y, int x0, int x1) {
  const long double half = W / 2.0L * (1 - std::fabs(2.0L * y - H) / H);
  if (half < 0) return false;
  return std::max(x0, x1) >= W / 2.0L - half && std::min(x0, x1) <= W / 2.0L + half;
}

struct TSinCos {
  long double sin, cos;
};

// Sine and cosine of t tenths of a degree, as std::sin and std::cos give them for t x k,
// kept once computed. The elliptic frames of a document walk over the same few thousand
// angles, and the extended functions' argument reduction costs more than all the rest of a
// build; the table keeps their values to the last bit.
TSinCos SinCosOfTenths(long long t) {
  constexpr long long kLow = -1800, kHigh = 5400;
  const long double x = static_cast<long double>(t) * platform::kTenthDegreeToRadian;
  if (t < kLow || t > kHigh) return {std::sin(x), std::cos(x)};
  struct TTable {
    std::vector<TSinCos> values = std::vector<TSinCos>(kHigh - kLow + 1);
    std::vector<bool> known = std::vector<bool>(kHigh - kLow + 1);
  };
  thread_local TTable table;
  const auto i = static_cast<size_t>(t - kLow);
  if (!table.known[i]) {
    table.values[i] = {std::sin(x), std::cos(x)};
    table.known[i] = true;
  }
  return table.values[i];
}

}  // namespace

TArrayPoints BuildRectCutLines(int W, int H, bool OutSide, bool InSide, int N, int pw) {
  if (N < 1 || !HasBorder(W, H)) return {};
  N = std::min(N, kMaxCutLines);
  const long double w = W, h = H, p = pw;
  const long double so = OutSide ? -1 : p / 4, si = InSide ? -1 : p / 4;
  // The outer ends run round the frame inset by so, the inner ends round the one inset by
  // pw - si. A pen wider than half the frame turns the inner one inside out, and the lines
  // then reach across the middle, as the spacing puts them.
  const long double outerW = w - 2 * so, outerH = h - 2 * so;
  const long double innerW = w - 2 * p + 2 * si, innerH = h - 2 * p + 2 * si;
  const long double f = (2 * (w + h) - 8 * so) / N;
  // With ends inside the band and a pen as wide as the element's width and height
  // together, the outer frame has no length: no spacing to count an edge's lines by.
  if (f == 0) return {};
  const long double I = (2 * (w + h) - 8 * p + 8 * si) / N;
  const long long cTop = TruncSat(outerW / f) + 1;
  const long double l = outerW - (cTop - 1) * f;
  const long long cRight = TruncSat((outerH + l) / f);
  const long double v = outerH + l - cRight * f;
  const long long cBottom = TruncSat((outerW + v) / f);
  const long double D = outerW + v - cBottom * f;
  const long long cLeft = N - cTop - cRight - cBottom;
  // An outer frame turned inside out or flat on one side (ends inside the band of a pen
  // twice as wide as that side) can give an edge a negative count: the counts then no
  // longer share the N lines among the four edges, and the rule has no ends to give.
  if (cTop < 0 || cRight < 0 || cBottom < 0 || cLeft < 0) return {};
  const long double J = innerW - (cTop - 1) * I;
  const long double M = innerH + J - cRight * I;
  const long double Q = innerW + M - cBottom * I;

  TCutLineSink sink(N);
  for (long long j = 0; j < cTop; ++j) {
    sink.Outer(j, so + j * f, so);
    sink.Inner(j, p - si + j * I, p - si);
  }
  for (long long j = 0; j < cRight; ++j) {
    sink.Outer(cTop + j, w - so, so + f - l + j * f);
    sink.Inner(cTop + j, w - p + si, p + si + I - J + j * I);
  }
  const long long bottom = cTop + cRight;
  for (long long j = 0; j < cBottom; ++j) {
    sink.Outer(bottom + j, w - so - f + v - j * f, h - so);
    sink.Inner(bottom + j, w - p + si - I + M - j * I, h - p + si);
  }
  const long long left = bottom + cBottom;
  for (long long j = 0; j < cLeft; ++j) {
    sink.Outer(left + j, so, h - so - f + D - j * f);
    sink.Inner(left + j, p - si, h - p - si - I + Q - j * I);
  }
  return sink.Take();
}

TArrayPoints BuildEllipseCutLines(int W, int H, bool OutSide, bool InSide, bool CodeTopOrDown, int LineAngle, int N,
                                  int pw) {
  if (N < 1 || !HasBorder(W, H)) return {};
  N = std::min(N, kMaxCutLines);
  const int so = OutSide ? -1 : pw / 3, si = InSide ? -1 : pw / 3;
  // Diameters that reach zero or below (a pen wider than half the frame) still place both
  // ends: an inner ellipse turned inside out puts the inner end across the centre.
  const long double Ao = static_cast<long double>(W) - so, Bo = static_cast<long double>(H) - so;
  const long double Ai = static_cast<long double>(W) - 2.0L * pw + si;
  const long double Bi = static_cast<long double>(H) - 2.0L * pw + si;

  const int span = LineAngle > 3600 ? (LineAngle - 1) % 3600 + 1 : LineAngle;
  const int mid = CodeTopOrDown ? 2700 : 900;
  const int start = Round(mid - span / 2.0L), end = Round(mid + span / 2.0L);
  const long double a2 = Ao * Ao / 4, b2 = Bo * Bo / 4;
  const auto e = [&](int t) {
    const auto [sn, cs] = SinCosOfTenths(t);
    return std::sqrt(a2 * sn * sn + b2 * cs * cs);
  };
  long double half = 0;
  for (int t = start; t <= mid; ++t) half += e(t);
  const long double step = 2 * half / N;

  // Each line walks the arc from its end until the arc length reaches its share. The
  // shares grow with i, so one walk serves every line and adds the same terms in the
  // same order as a walk restarted for each. The walk is bounded because the ellipse has
  // no zero-length stretch, but a cap keeps it so whatever the arithmetic does.
  TCutLineSink sink(N);
  const long double cx = W / 2.0L, cy = H / 2.0L;
  long double sum = 0;
  long long t = end;
  const long long cap = std::llabs(static_cast<long long>(span)) + 7200;
  long long walked = 0;
  for (int i = 0; i <= N / 2 && i < N; ++i) {
    const long double share = i * step + step / 2;
    while (sum < share && walked < cap) {
      sum += e(static_cast<int>(t));
      --t;
      ++walked;
    }
    const auto [sw, cw] = SinCosOfTenths(t - 1);
    const long double ox = Ao / 2 * cw, oy = cy - Bo / 2 * sw;
    const long double ix = Ai / 2 * cw, iy = cy - Bi / 2 * sw;
    sink.Outer(i, cx + ox, oy);
    sink.Outer(N - 1 - i, cx - ox, oy);
    sink.Inner(i, cx + ix, iy);
    sink.Inner(N - 1 - i, cx - ix, iy);
  }
  return sink.Take();
}

TArrayPoints BuildTriangleCutLines(int W, int H, bool OutSide, bool InSide, int N, int pw) {
  if (N < 1 || !HasBorder(W, H)) return {};
  N = std::min(N, kMaxCutLines);
  const long double w = W, h = H, p = pw;
  const long double so = OutSide ? -1 : p / 4, si = InSide ? -1 : p / 4;
  // A pen too wide for the triangle carries the inner ends past the opposite side; the
  // rule stays defined and is followed.
  const long double sinT = std::sin(std::atan(2 * h / w));
  long long nb = TruncSat(w / ((w + 2 * h) / N)) + 1;
  nb = std::clamp<long long>(nb, 0, N);
  if ((N - nb) % 2 != 0) ++nb;
  const long long ns = (N - nb) / 2;

  TCutLineSink sink(N);
  for (long long i = 0; i < nb; ++i) {
    const long double x = so + (i + 0.5L) * w / nb;
    sink.Outer(i, x, so);
    sink.Inner(i, x, p - si);
  }
  for (long long j = 0; j < ns; ++j) {
    const long double y = Round((j + 1) * h / (ns + 1));
    const long double t = (j + 1) * w / (2 * (ns + 1));
    sink.Outer(nb + j, so + t, y);
    sink.Inner(nb + j, p / sinT - si + t, y);
    sink.Outer(nb + ns + j, w + so - t, y);
    sink.Inner(nb + ns + j, w - p / sinT + si - t, y);
  }
  return sink.Take();
}

TArrayPoints BuildRhombCutLines(int W, int H, bool OutSide, bool InSide, int N, int pw) {
  if (N < 1 || !HasBorder(W, H)) return {};
  N = std::min(N, kMaxCutLines);
  const long double w = W, h = H, p = pw;
  const long double so = OutSide ? -2 : p / 3, si = InSide ? -2 : p / 3;
  // The inner ends sit a pen's width in from the edge along the row; a pen too wide for
  // the rhomb carries them past the opposite edge.
  const long double sinT = std::sin(std::atan(h / w));
  const long double inset = p / sinT;
  const long double dx = 2 * w / (N + 2), dy = 2 * h / (N + 2);
  const auto leftOuter = [&](long long g) { return w / 2 + so - g * dx; };
  const auto leftInner = [&](long long g) { return w / 2 + inset - si - g * dx; };

  // Group g sits 4g / (N + 2) of the way down the upper edges from the top corner. With
  // N = 4k + 1 the last group holds one line, on the upper-left edge produced past the left
  // corner; where its rule leaves it wholly outside the rhomb it cannot cross the border
  // and is left out. A pen wide enough to carry its inner end over the lower-left edge
  // keeps it. Being the last line, leaving it out changes no other line's index.
  const long long groups = (N + 3) / 4;
  int lines = N;
  if (4 * groups > N + 2 &&
      !RowMeetsRhomb(W, H, Round(groups * dy), Round(leftOuter(groups)), Round(leftInner(groups))))
    lines = N - 1;

  TCutLineSink sink(lines);
  for (long long g = 1; 4 * (g - 1) < N; ++g) {
    const long long F = 4 * (g - 1);
    const long double y1 = Round(g * dy), y2 = Round(h - g * dy);
    const long double rightOuter = w / 2 - so + g * dx, rightInner = w / 2 - inset + si + g * dx;
    sink.Outer(F, leftOuter(g), y1);
    sink.Inner(F, leftInner(g), y1);
    sink.Outer(F + 1, rightOuter, y1);
    sink.Inner(F + 1, rightInner, y1);
    sink.Outer(F + 2, leftOuter(g), y2);
    sink.Inner(F + 2, leftInner(g), y2);
    sink.Outer(F + 3, rightOuter, y2);
    sink.Inner(F + 3, rightInner, y2);
  }
  return sink.Take();
}

}  // namespace seal
