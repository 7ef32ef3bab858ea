#include "seal/ellipse_walk.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "platform/numeric.h"

namespace seal {

TArcSpan MakeArcSpan(int span, bool top) {
  // Same result as taking 3600 off while above 3600, without looping over a hostile value.
  if (span > 3600) span -= 3600 * ((span - 1) / 3600);
  TArcSpan arc;
  arc.mid = top ? 900 : 2700;
  const long double half = static_cast<long double>(span) / 2;
  arc.start = platform::Round(arc.mid - half);
  arc.end = platform::Round(arc.mid + half);
  return arc;
}

TEllipseWalk::TEllipseWalk(long double a2, long double b2, const TArcSpan& arc) : a2_(a2), b2_(b2), end_(arc.end) {
  if (arc.start > arc.mid) return;
  // The whole arc is walked by the last glyphs anyway; the half length sums start..mid
  // upwards from the same elements.
  const size_t count = static_cast<size_t>(arc.end - arc.start) + 1;
  std::vector<long double> elements(count);
  walked_.reserve(count);
  long double sum = 0;
  for (size_t m = 0; m < count; ++m) {
    elements[m] = Element(end_ - static_cast<int>(m));
    sum += elements[m];
    walked_.push_back(sum);
  }
  for (int t = arc.start; t <= arc.mid; ++t) half_ += elements[static_cast<size_t>(end_ - t)];
}

namespace {

// The sine and cosine of an angle in tenths of a degree, swapped where that brings the angle
// within a quarter turn of zero: only their squares count, and there the extended sine and
// cosine need no argument reduction of their own (which costs more than the rest of the
// layout together).
struct TReducedSine {
  long double s, c;
};

TReducedSine ReducedSine(int t) {
  const long double w = t * platform::kTenthDegreeToRadian;
  constexpr long double kQuarterTurn = std::numbers::pi_v<long double> / 2;
  const long double q = w / kQuarterTurn;
  const long long quarters = static_cast<long long>(q < 0 ? q - 0.5L : q + 0.5L);
  const long double r = w - static_cast<long double>(quarters) * kQuarterTurn;
  long double s = std::sin(r), c = std::cos(r);
  if (quarters % 2 != 0) std::swap(s, c);
  return {s, c};
}

// Every walk evaluates the same few thousand angles: an arc ends within half a turn of the
// top or the bottom, and its walk ends within a turn past its start. Those are taken once
// for all; an angle outside, which only a hostile span reaches, is taken as it comes.
constexpr int kFirstTabled = -4500;
constexpr int kLastTabled = 4500;

const std::vector<TReducedSine>& ReducedSines() {
  static const std::vector<TReducedSine> table = [] {
    std::vector<TReducedSine> sines;
    sines.reserve(kLastTabled - kFirstTabled + 1);
    for (int t = kFirstTabled; t <= kLastTabled; ++t) sines.push_back(ReducedSine(t));
    return sines;
  }();
  return table;
}

}  // namespace

long double TEllipseWalk::Element(int t) const {
  const TReducedSine r = t >= kFirstTabled && t <= kLastTabled ? ReducedSines()[size_t(t - kFirstTabled)]
                                                                : ReducedSine(t);
  return std::sqrt(a2_ * r.s * r.s + b2_ * r.c * r.c);
}

void TEllipseWalk::ExtendTo(long double target) {
  // The target is below the arc's length and the elements vanish at most at the two ends
  // of a flat ellipse (a point is answered before any walk), so the walk ends within a
  // turn past the start.
  long double sum = walked_.empty() ? 0 : walked_.back();
  while (sum < target) {
    sum += Element(end_ - static_cast<int>(walked_.size()));
    walked_.push_back(sum);
  }
}

int TEllipseWalk::StopAngle(long double target) {
  if (!(0 < target) || !(a2_ > 0 || b2_ > 0)) return end_;
  ExtendTo(target);
  const auto reached = std::lower_bound(walked_.begin(), walked_.end(), target);
  const auto steps = static_cast<int>(reached - walked_.begin()) + 1;
  return end_ - steps;
}

}  // namespace seal
