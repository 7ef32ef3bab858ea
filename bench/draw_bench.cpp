// What the canvas layer costs: the same elements drawn through DrawTo onto an image, and
// their recorded primitives replayed with plain QPainter calls onto the same image. The
// run ends with the ratio of the two, so that the layer's overhead reads off one run.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "ratio_report.h"
#include "platform/recordingcanvas.h"
#include "replay.h"
#include "seal/seal.h"

using namespace seal;

namespace {

constexpr float kPixelsPerMm = 10;
constexpr int kImageSide = 600;

// Line work of every line kind: what draws through the canvas's figures alone.
std::vector<std::unique_ptr<TSeal>> MakeElements() {
  std::vector<std::unique_ptr<TSeal>> elements;
  const auto add = [&](TSealType kind, float w, float h) -> TSeal& {
    auto s = std::make_unique<TSeal>();
    s->SetPixelsPerMm(kPixelsPerMm);
    s->SetZoom(100);
    s->SetSealType(kind);
    s->SetRealWidth(w);
    s->SetRealHeight(h);
    elements.push_back(std::move(s));
    return *elements.back();
  };
  add(stHorzLine, 50, 1.2f);
  add(stVertLine, 1.2f, 50);
  TSeal& slant = add(stAnyAngleLine, 10, 10);
  slant.SetTextAngle(300);
  slant.SetRealTextLength(50);
  TSeal& arc = add(stArc, 50, 40);
  arc.SetTextAngle(300);
  arc.SetCodeAngle(2400);
  arc.SetTopOrDown(false);
  TSeal& pie = add(stArc, 40, 40);
  pie.SetTextAngle(450);
  pie.SetCodeAngle(3150);
  pie.SetBrushStyle(platform::bsSolid);
  TSeal& thin = add(stArc, 30, 20);
  thin.SetPenWidth(0.1f);
  return elements;
}

void DrawAll(const std::vector<std::unique_ptr<TSeal>>& elements, platform::TCanvas& canvas) {
  for (const auto& s : elements) s->DrawTo(5, 5, &canvas, true);
}

void BM_DrawThroughCanvas(benchmark::State& state) {
  const auto elements = MakeElements();
  bench::TimeDrawing(state, kImageSide, [&](platform::TCanvas& canvas) { DrawAll(elements, canvas); });
}

void BM_ReplayOnQPainter(benchmark::State& state) {
  const auto elements = MakeElements();
  platform::TRecordingCanvas recording;
  DrawAll(elements, recording);
  bench::TimeReplay(state, kImageSide, recording.Records());
}

void BM_Record(benchmark::State& state) {
  const auto elements = MakeElements();
  for (auto _ : state) {
    platform::TRecordingCanvas recording;
    DrawAll(elements, recording);
    benchmark::DoNotOptimize(recording.Records().data());
  }
}

BENCHMARK(BM_DrawThroughCanvas);
BENCHMARK(BM_ReplayOnQPainter);
BENCHMARK(BM_Record);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(argc, argv,
                              {{"canvas / plain QPainter", "BM_DrawThroughCanvas", "BM_ReplayOnQPainter"}});
}
