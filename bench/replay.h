#pragma once
// Recorded primitives drawn again without the layouts that made them: with plain QPainter
// calls, and through the canvas. A benchmark that times both against drawing the element
// reads off what the canvas layer and the layout maths cost.

#include <QPainter>
#include <vector>

#include "canvas.h"
#include "recordingcanvas.h"

namespace bench {

// Plain QPainter calls, the font of every glyph made as the canvas makes it; false on a
// primitive it does not know.
bool Replay(const std::vector<platform::TCanvasRecord>& records, QPainter& p);
// The same primitives through the canvas: its pixel work exactly; false as above.
bool ReplayOnCanvas(const std::vector<platform::TCanvasRecord>& records, platform::TCanvas& c);

}  // namespace bench
