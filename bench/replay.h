#pragma once
// Recorded primitives drawn again without the layouts that made them: with plain QPainter
// calls, and through the canvas. A benchmark that times both against drawing the element
// reads off what the canvas layer and the layout maths cost.

#include <benchmark/benchmark.h>

#include <QPainter>
#include <functional>
#include <vector>

#include "platform/canvas.h"
#include "platform/recordingcanvas.h"

namespace bench {

// Plain QPainter calls, the font of every glyph made as the canvas makes it; false on a
// primitive it does not know.
bool Replay(const std::vector<platform::TCanvasRecord>& records, QPainter& p);
// The same primitives through the canvas: its pixel work exactly; false as above.
bool ReplayOnCanvas(const std::vector<platform::TCanvasRecord>& records, platform::TCanvas& c);

// Timed loops onto a white 24-bit image of side × side pixels, one drawing per iteration: an
// element's own drawing, and its records replayed either way. A replay that meets a
// primitive it does not know stops the benchmark with an error.
void TimeDrawing(benchmark::State& state, int side, const std::function<void(platform::TCanvas&)>& draw);
void TimeReplay(benchmark::State& state, int side, const std::vector<platform::TCanvasRecord>& records);
void TimeReplayOnCanvas(benchmark::State& state, int side, const std::vector<platform::TCanvasRecord>& records);

}  // namespace bench
