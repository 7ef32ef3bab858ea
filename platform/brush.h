#pragma once
// Brush styles as the model and files number them; the hatch styles draw as Qt patterns.
#include <cstdint>

namespace platform {

enum class TBrushStyle : uint8_t { bsSolid = 0, bsClear = 1, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

}  // namespace platform
