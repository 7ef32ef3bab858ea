// What the layout maths of a whole seal costs: a round official seal with four texts, a
// serial code, the star and cut lines drawn through DrawTo at 600 dpi, against replaying
// the primitives it records onto the same image, with plain QPainter calls and through the
// canvas (the same pixel work without the layouts). The run ends with the ratios; the goal
// is that the layouts stay well below the pixel work.

#include <benchmark/benchmark.h>

#include <memory>

#include "platform/canvas.h"
#include "platform/gbk.h"
#include "ratio_report.h"
#include "platform/recordingcanvas.h"
#include "replay.h"
#include "seal/seal.h"

using namespace seal;
using platform::Gbk;

namespace {

constexpr float kPixelsPerMm = 600 / 25.4f;
constexpr int kImageSide = 1100;

std::unique_ptr<TSeal> MakeOfficialSeal() {
  auto s = std::make_unique<TSeal>();
  s->SetPixelsPerMm(kPixelsPerMm);
  s->SetZoom(100);
  s->SetSealType(stEllipse);
  s->SetRealWidth(42);
  s->SetRealHeight(42);
  s->SetText(Gbk("北京市某某科技发展有限公司"));
  s->SetIsEllipse(true);
  s->SetTextAngle(2200);
  s->SetTextsWidth(33);
  s->SetTextsHeight(33);
  s->SetTextHeight(6);
  s->SetText1(Gbk("合同专用章"));
  s->SetTextsWidth1(20);
  s->SetTextsHeight1(5);
  s->SetTextCenterY1(7);
  s->SetText2(Gbk("二〇二六"));
  s->SetTextsWidth2(14);
  s->SetTextsHeight2(4);
  s->SetTextCenterY2(-9);
  s->SetTextWidth2(2.5f);
  s->SetTextHeight2(3);
  s->SetText3(Gbk("财务专用"));
  s->SetIsEllipse3(true);
  s->SetTopOrDown3(false);
  s->SetTextAngle3(900);
  s->SetTextsWidth3(35);
  s->SetTextsHeight3(35);
  s->SetTextCenterY3(0);
  s->SetCLWidth(24);
  s->SetCLHeight(6);
  s->SetCLineCenterY(7);
  s->SetPenWidth4(0.3f);
  s->SetCode(Gbk("1101080012345"));
  s->SetImageIsStar(true);
  s->SetLineCount(12);
  s->SetLineWidth(0.3f);
  return s;
}

void BM_OfficialSealDrawTo(benchmark::State& state) {
  const auto seal = MakeOfficialSeal();
  bench::TimeDrawing(state, kImageSide, [&](platform::TCanvas& canvas) { seal->DrawTo(10, 10, &canvas, true); });
}

platform::TRecordingCanvas RecordOfficialSeal() {
  const auto seal = MakeOfficialSeal();
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
  const auto seal = MakeOfficialSeal();
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
