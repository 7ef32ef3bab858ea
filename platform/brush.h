#pragma once
// Brush styles as the model stores them (one byte) and the canvas fills with them.

#include <cstdint>

namespace platform {

enum TBrushStyle : uint8_t {
  bsSolid = 0,
  bsClear = 1,
  bsHorizontal = 2,
  bsVertical = 3,
  bsFDiagonal = 4,
  bsBDiagonal = 5,
  bsCross = 6,
  bsDiagCross = 7,
};

}  // namespace platform
