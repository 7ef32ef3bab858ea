#pragma once
// A point of two Integers, in device pixels: figure vertices and cut-line end points.

namespace platform {

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

}  // namespace platform
