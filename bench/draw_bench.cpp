// What the canvas layer costs: the same elements drawn through DrawTo onto an image, and
// their recorded primitives replayed with plain QPainter calls onto the same image. The
// run ends with the ratio of the two, so that the layer's overhead reads off one run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "canvas.h"
#include "recordingcanvas.h"
#include "seal.h"

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

QPen PenOf(const platform::TPen& pen) {
  if (pen.Width <= 1) return QPen(platform::ToQColor(pen.Color), 0);
  return QPen(platform::ToQColor(pen.Color), pen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The recorded primitives as plain QPainter calls; false on a primitive it does not know.
bool Replay(const std::vector<platform::TCanvasRecord>& records, QPainter& p) {
  for (const platform::TCanvasRecord& r : records) {
    const std::vector<int>& a = r.Args;
    p.setPen(PenOf(r.Pen));
    if (r.Op == "LineTo") {
      p.drawLine(a[0], a[1], a[2], a[3]);
    } else if (r.Op == "Arc" || r.Op == "Pie") {
      const double start = platform::RadialToParametricDegrees(a[0], a[1], a[2], a[3], a[4], a[5]);
      const double end = platform::RadialToParametricDegrees(a[0], a[1], a[2], a[3], a[6], a[7]);
      const int span = static_cast<int>(platform::ArcSweepDegrees(start, end) * 16);
      const QRect box(a[0], a[1], a[2] - a[0] - 1, a[3] - a[1] - 1);
      if (r.Op == "Arc") {
        p.drawArc(box, static_cast<int>(start * 16), span);
      } else {
        p.setBrush(r.Brush.Style == platform::bsSolid ? QBrush(platform::ToQColor(r.Brush.Color)) : QBrush());
        p.drawPie(box, static_cast<int>(start * 16), span);
      }
    } else {
      return false;
    }
  }
  return true;
}

void BM_DrawThroughCanvas(benchmark::State& state) {
  const auto elements = MakeElements();
  QImage image(kImageSide, kImageSide, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    platform::TPainterCanvas canvas(&image);
    DrawAll(elements, canvas);
  }
  benchmark::DoNotOptimize(image.constBits());
}

void BM_ReplayOnQPainter(benchmark::State& state) {
  const auto elements = MakeElements();
  platform::TRecordingCanvas recording;
  DrawAll(elements, recording);
  QImage image(kImageSide, kImageSide, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!Replay(recording.Records(), p)) {
      state.SkipWithError("a primitive the replay does not know");
      break;
    }
  }
  benchmark::DoNotOptimize(image.constBits());
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

// The console report, then the canvas's time over the plain replay's.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred) times_[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto canvas = times_.find("BM_DrawThroughCanvas"), replay = times_.find("BM_ReplayOnQPainter");
    if (canvas != times_.end() && replay != times_.end() && replay->second > 0)
      std::printf("canvas / plain QPainter: %.2f\n", canvas->second / replay->second);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
