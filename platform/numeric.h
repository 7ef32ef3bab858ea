#pragma once
// Pixel arithmetic shared by every drawing routine and file reader.
//
// Every conversion from millimetres or ratios to whole pixels rounds exactly once, to the
// nearest integer with halves to the even neighbour, from an extended-precision value. The
// rounding mode is never changed by this program, so nearbyintl gives ties-to-even.

#include <climits>
#include <cmath>

namespace platform {

// Tenths of a degree to radians; the one factor, so every layout agrees to the last bit.
inline constexpr long double kTenthDegreeToRadian = 0.0017453293L;

inline long double RoundHalfEven(long double v) { return std::nearbyintl(v); }

// Nearest int, halves to even, saturating at the int range; NaN gives 0 so that no
// undefined conversion can reach a pixel coordinate.
inline int Round(long double v) {
  if (std::isnan(v)) return 0;
  const long double r = std::nearbyintl(v);
  if (r >= static_cast<long double>(INT_MAX)) return INT_MAX;
  if (r <= static_cast<long double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(r);
}

// Saturating narrowing for values that are already whole (sums of pixel values).
inline int SaturateToInt(long long v) {
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

// Clamp to [-1, 1] before ArcCos / ArcSin, where rounding can step just outside.
inline long double ClampUnit(long double v) {
  if (std::isnan(v)) return 0;
  return v < -1 ? -1 : (v > 1 ? 1 : v);
}

}  // namespace platform
