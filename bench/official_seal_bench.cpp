// What the layout maths of a whole seal costs: a round official seal with four texts, a
// serial code, the star and cut lines drawn through DrawTo at 600 dpi, against replaying
// the primitives it records onto the same image, with plain QPainter calls and through the
// canvas (the same pixel work without the layouts). The run ends with the ratios; the goal
// is that the layouts stay well below the pixel work.

#include <benchmark/benchmark.h>

#include <memory>

#include "platform/canvas.h"
#include "official_seal.h"
#include "ratio_report.h"
#include "platform/recordingcanvas.h"
#include "replay.h"
#include "seal/seal.h"

using namespace seal;

namespace {

constexpr float kPixelsPerMm = 600 / 25.4f;
constexpr int kImageSide = 1100;

void BM_OfficialSealDrawTo(benchmark::State& state) {
  const auto seal = bench::MakeOfficialSeal(kPixelsPerMm);
  bench::TimeDrawing(state, kImageSide, [&](platform::TCanvas& canvas) { seal->DrawTo(10, 10, &canvas, true); });
}

platform::TRecordingCanvas RecordOfficialSeal() {
  const auto seal = bench::MakeOfficialSeal(kPixelsPerMm);
  platform::TRecordingCanvas recording;
  seal->DrawTo(10, 10, &recording, true);
  return recording;
}

void BM_OfficialSealReplay(benchmark::State& state) {
  bench::TimeReplay(state, kImageSide, RecordOfficialSeal().Records());
}

void BM_OfficialSealReplayOnCanvas(benchmark::State& state) {
  bench::TimeReplayOnCanvas(state, kImageSide, RecordOfficialSeal().Records());
}

// The layouts alone: the same element onto the recording canvas, which draws nothing.
void BM_OfficialSealRecord(benchmark::State& state) {
  const auto seal = bench::MakeOfficialSeal(kPixelsPerMm);
  for (auto _ : state) {
    platform::TRecordingCanvas recording;
    seal->DrawTo(10, 10, &recording, true);
    benchmark::DoNotOptimize(recording.Records().data());
  }
}

BENCHMARK(BM_OfficialSealDrawTo);
BENCHMARK(BM_OfficialSealReplay);
BENCHMARK(BM_OfficialSealReplayOnCanvas);
BENCHMARK(BM_OfficialSealRecord);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(argc, argv,
                              {{"official seal, DrawTo / replay on QPainter", "BM_OfficialSealDrawTo", "BM_OfficialSealReplay"},
                               {"official seal, DrawTo / replay through the canvas", "BM_OfficialSealDrawTo",
                                "BM_OfficialSealReplayOnCanvas"},
                               {"official seal, layouts alone (recorded) / replay", "BM_OfficialSealRecord",
                                "BM_OfficialSealReplay"}});
}
