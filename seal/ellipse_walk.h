#pragma once
// The arc-length walk that spreads the glyphs of an elliptic text or code evenly along an
// arc. The arc is measured in whole tenths of a degree: the length element of the ellipse at
// the parameter angle t is e(t) = sqrt(a² sin²(t) + b² cos²(t)), and a glyph sits where the
// sum of e, walked down from the arc's end one tenth at a time, first reaches its share of
// the total. Each glyph's walk restarts at the end, so the sums are kept as prefix sums in
// walking order (the same additions in the same order as a fresh walk) and every length
// element is evaluated once per call, not once per glyph.

#include <vector>

namespace seal {

// Span of an arc centred at the top (900) or bottom (2700), in tenths of a degree. A span
// above a full turn loses whole turns; a full turn itself and negative spans stay.
struct TArcSpan {
  int mid = 0;
  int start = 0;
  int end = 0;
};
TArcSpan MakeArcSpan(int span, bool top);

class TEllipseWalk {
 public:
  // a2, b2: the squared half axes.
  TEllipseWalk(long double a2, long double b2, const TArcSpan& arc);

  // Twice the length from start to mid, both ends included; 0 when start lies past mid.
  long double Length() const { return 2 * half_; }
  // The angle t reached when the walk from end stops: the first point where the sum is no
  // longer below target.
  int StopAngle(long double target);

 private:
  long double Element(int t) const;
  // Prefix sums in walking order grow until their last one reaches target.
  void ExtendTo(long double target);

  long double a2_, b2_;
  int end_;
  long double half_ = 0;
  // walked_[m] = e(end) + e(end − 1) + ... + e(end − m).
  std::vector<long double> walked_;
};

}  // namespace seal
