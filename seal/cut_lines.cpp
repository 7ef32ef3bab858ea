#include "seal/cut_lines.h"

#include <algorithm>
#include <climits>
#include <cmath>

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

}  // namespace

TArrayPoints BuildRectCutLines(int W, int H, bool OutSide, bool InSide, int N, int pw) {
  if (N < 1 || W <= 0 || H <= 0) return {};
  N = std::min(N, kMaxCutLines);
  const long double w = W, h = H, p = pw;
  const long double so = OutSide ? -1 : p / 4, si = InSide ? -1 : p / 4;
  // The outer ends run round the frame inset by so, the inner ends round the one inset by
  // pw - si; either may have vanished in a small frame with a wide pen.
  const long double outerW = w - 2 * so, outerH = h - 2 * so;
  const long double innerW = w - 2 * p + 2 * si, innerH = h - 2 * p + 2 * si;
  if (!(outerW > 0 && outerH > 0 && innerW > 0 && innerH > 0)) return {};

  const long double f = (2 * (w + h) - 8 * so) / N;
  const long double I = (2 * (w + h) - 8 * p + 8 * si) / N;
  const long long cTop = TruncSat(outerW / f) + 1;
  const long double l = outerW - (cTop - 1) * f;
  const long long cRight = TruncSat((outerH + l) / f);
  const long double v = outerH + l - cRight * f;
  const long long cBottom = TruncSat((outerW + v) / f);
  const long double D = outerW + v - cBottom * f;
  const long long cLeft = N - cTop - cRight - cBottom;
  const long double J = innerW - (cTop - 1) * I;
  const long double M = innerH + J - cRight * I;
  const long double Q = innerW + M - cBottom * I;

  TCutLineSink sink(N);
  const auto edge = [N](long long first, long long count) {
    return std::clamp<long long>(count, 0, N - std::clamp<long long>(first, 0, N));
  };
  for (long long j = 0, n = edge(0, cTop); j < n; ++j) {
    sink.Outer(j, so + j * f, so);
    sink.Inner(j, p - si + j * I, p - si);
  }
  for (long long j = 0, n = edge(cTop, cRight); j < n; ++j) {
    sink.Outer(cTop + j, w - so, so + f - l + j * f);
    sink.Inner(cTop + j, w - p + si, p + si + I - J + j * I);
  }
  const long long bottom = cTop + cRight;
  for (long long j = 0, n = edge(bottom, cBottom); j < n; ++j) {
    sink.Outer(bottom + j, w - so - f + v - j * f, h - so);
    sink.Inner(bottom + j, w - p + si - I + M - j * I, h - p + si);
  }
  const long long left = bottom + cBottom;
  for (long long j = 0, n = edge(left, cLeft); j < n; ++j) {
    sink.Outer(left + j, so, h - so - f + D - j * f);
    sink.Inner(left + j, p - si, h - p - si - I + Q - j * I);
  }
  return sink.Take();
}

TArrayPoints BuildEllipseCutLines(int W, int H, bool OutSide, bool InSide, bool CodeTopOrDown, int LineAngle, int N,
                                  int pw) {
  if (N < 1 || W <= 0 || H <= 0) return {};
  N = std::min(N, kMaxCutLines);
  const int so = OutSide ? -1 : pw / 3, si = InSide ? -1 : pw / 3;
  const long double Ao = static_cast<long double>(W) - so, Bo = static_cast<long double>(H) - so;
  const long double Ai = static_cast<long double>(W) - 2.0L * pw + si;
  const long double Bi = static_cast<long double>(H) - 2.0L * pw + si;
  if (!(Ao > 0 && Bo > 0 && Ai > 0 && Bi > 0)) return {};

  const int span = LineAngle > 3600 ? (LineAngle - 1) % 3600 + 1 : LineAngle;
  const int mid = CodeTopOrDown ? 2700 : 900;
  const int start = Round(mid - span / 2.0L), end = Round(mid + span / 2.0L);
  const long double a2 = Ao * Ao / 4, b2 = Bo * Bo / 4, k = platform::kTenthDegreeToRadian;
  const auto e = [&](int t) {
    const long double sn = std::sin(t * k), cs = std::cos(t * k);
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
    const long double wr = (t - 1) * k;
    const long double ox = Ao / 2 * std::cos(wr), oy = cy - Bo / 2 * std::sin(wr);
    const long double ix = Ai / 2 * std::cos(wr), iy = cy - Bi / 2 * std::sin(wr);
    sink.Outer(i, cx + ox, oy);
    sink.Outer(N - 1 - i, cx - ox, oy);
    sink.Inner(i, cx + ix, iy);
    sink.Inner(N - 1 - i, cx - ix, iy);
  }
  return sink.Take();
}

TArrayPoints BuildTriangleCutLines(int W, int H, bool OutSide, bool InSide, int N, int pw) {
  if (N < 1 || W <= 0 || H <= 0) return {};
  N = std::min(N, kMaxCutLines);
  const long double w = W, h = H, p = pw;
  const long double so = OutSide ? -1 : p / 4, si = InSide ? -1 : p / 4;
  const long double sinT = std::sin(std::atan(2 * h / w));
  // The inner outline's apex must lie below its base.
  const long double innerApex = h - 2 * h * p / (w * sinT);
  if (!(innerApex > p - si)) return {};

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
  if (N < 1 || W <= 0 || H <= 0) return {};
  N = std::min(N, kMaxCutLines);
  const long double w = W, h = H, p = pw;
  const long double so = OutSide ? -2 : p / 3, si = InSide ? -2 : p / 3;
  const long double sinT = std::sin(std::atan(h / w));
  const long double inset = p / sinT;
  // The inner outline is the rhomb moved in by the pen; it must keep some width.
  if (!(inset < w / 2)) return {};
  const long double dx = 2 * w / (N + 2), dy = 2 * h / (N + 2);

  TCutLineSink sink(N);
  for (long long g = 1; 4 * (g - 1) < N; ++g) {
    const long long F = 4 * (g - 1);
    const long double y1 = Round(g * dy), y2 = Round(h - g * dy);
    const long double leftOuter = w / 2 + so - g * dx, leftInner = w / 2 + inset - si - g * dx;
    const long double rightOuter = w / 2 - so + g * dx, rightInner = w / 2 - inset + si + g * dx;
    sink.Outer(F, leftOuter, y1);
    sink.Inner(F, leftInner, y1);
    sink.Outer(F + 1, rightOuter, y1);
    sink.Inner(F + 1, rightInner, y1);
    sink.Outer(F + 2, leftOuter, y2);
    sink.Inner(F + 2, leftInner, y2);
    sink.Outer(F + 3, rightOuter, y2);
    sink.Inner(F + 3, rightInner, y2);
  }
  return sink.Take();
}

}  // namespace seal
