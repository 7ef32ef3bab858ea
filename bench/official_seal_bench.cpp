// What the layout maths of a whole seal costs: a round official seal with four texts, a
// serial code, the star and cut lines drawn through DrawTo at 600 dpi, against replaying
// the primitives it records onto the same image, with plain QPainter calls and through the
// canvas (the same pixel work without the layouts). The run ends with the ratios; the goal
// is that the layouts stay well below the pixel work.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "canvas.h"
#include "fonts.h"
#include "gbk.h"
#include "recordingcanvas.h"
#include "seal.h"

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

QPen PenOf(const platform::TPen& pen) {
  if (pen.Width <= 1) return QPen(platform::ToQColor(pen.Color), 0);
  return QPen(platform::ToQColor(pen.Color), pen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush BrushOf(const platform::TBrush& brush) {
  return brush.Style == platform::bsClear ? QBrush() : QBrush(platform::ToQColor(brush.Color));
}

// Plain QPainter calls for the recorded primitives, the font of every glyph made afresh as
// the canvas makes it; false on a primitive it does not know.
bool Replay(const std::vector<platform::TCanvasRecord>& records, QPainter& p) {
  QPainterPath path;
  bool inPath = false;
  // The last font made is kept while the record stays the same, as the canvas keeps it.
  std::unique_ptr<platform::TRealizedFont> realized;
  platform::TLogFont realizedFrom;
  for (const platform::TCanvasRecord& r : records) {
    const std::vector<int>& a = r.Args;
    p.setPen(PenOf(r.Pen));
    p.setBrush(BrushOf(r.Brush));
    if (r.Op == "LineTo") {
      p.drawLine(a[0], a[1], a[2], a[3]);
    } else if (r.Op == "Ellipse") {
      p.drawEllipse(QRect(a[0], a[1], a[2] - a[0] - 1, a[3] - a[1] - 1));
    } else if (r.Op == "Rectangle") {
      p.drawRect(QRect(a[0], a[1], a[2] - a[0] - 1, a[3] - a[1] - 1));
    } else if (r.Op == "Polygon") {
      QPolygon poly;
      for (size_t i = 0; i + 1 < a.size(); i += 2) poly << QPoint(a[i], a[i + 1]);
      p.drawPolygon(poly);
    } else if (r.Op == "TextOut") {
      if (!realized || !(realizedFrom == r.Font)) {
        realized = std::make_unique<platform::TRealizedFont>(platform::RealizeFont(r.Font));
        realizedFrom = r.Font;
      }
      const platform::TRealizedFont& f = *realized;
      QTransform place;
      place.translate(a[0], a[1]);
      place.rotate(-f.EscapementDegrees);
      place.scale(f.ScaleX, 1);
      const QString text = platform::GbkToUnicode(r.Text);
      if (inPath) {
        QPainterPath glyph;
        glyph.addText(QPointF(0, f.BaselineOffset), f.Font, text);
        path.addPath(place.map(glyph));
      } else {
        p.save();
        p.setTransform(place, true);
        p.setFont(f.Font);
        p.setPen(platform::ToQColor(r.FontColor));
        p.drawText(QPointF(0, f.BaselineOffset), text);
        p.restore();
      }
    } else if (r.Op == "BeginPath") {
      inPath = true;
      path = QPainterPath();
    } else if (r.Op == "EndPath") {
      inPath = false;
    } else if (r.Op == "StrokeAndFillPath") {
      p.fillPath(path, BrushOf(r.Brush));
      p.strokePath(path, PenOf(r.Pen));
    } else {
      return false;
    }
  }
  return true;
}

// The same primitives through the canvas: its pixel work exactly, without the layouts.
bool ReplayOnCanvas(const std::vector<platform::TCanvasRecord>& records, platform::TCanvas& c) {
  for (const platform::TCanvasRecord& r : records) {
    const std::vector<int>& a = r.Args;
    c.SetPenWidth(r.Pen.Width);
    c.SetPenColor(r.Pen.Color);
    if (r.Brush.Style == platform::bsClear) {
      c.SetBrushStyle(platform::bsClear);
    } else {
      c.SetBrushColor(r.Brush.Color);
      c.SetBrushStyle(r.Brush.Style);
    }
    if (r.Op == "LineTo") {
      c.Line(a[0], a[1], a[2], a[3]);
    } else if (r.Op == "Ellipse") {
      c.Ellipse(a[0], a[1], a[2], a[3]);
    } else if (r.Op == "Rectangle") {
      c.Rectangle(a[0], a[1], a[2], a[3]);
    } else if (r.Op == "Polygon") {
      std::vector<platform::TPoint> poly;
      for (size_t i = 0; i + 1 < a.size(); i += 2) poly.push_back({a[i], a[i + 1]});
      c.Polygon(poly);
    } else if (r.Op == "TextOut") {
      c.SetFont(r.Font);
      c.SetFontColor(r.FontColor);
      if (r.TransparentBackground) c.SetBackgroundTransparent();
      c.TextOut(a[0], a[1], r.Text);
    } else if (r.Op == "BeginPath") {
      c.BeginPath();
    } else if (r.Op == "EndPath") {
      c.EndPath();
    } else if (r.Op == "StrokeAndFillPath") {
      c.StrokeAndFillPath();
    } else {
      return false;
    }
  }
  return true;
}

void BM_OfficialSealDrawTo(benchmark::State& state) {
  const auto seal = MakeOfficialSeal();
  QImage image(kImageSide, kImageSide, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    platform::TPainterCanvas canvas(&image);
    seal->DrawTo(10, 10, &canvas, true);
  }
  benchmark::DoNotOptimize(image.constBits());
}

void BM_OfficialSealReplay(benchmark::State& state) {
  const auto seal = MakeOfficialSeal();
  platform::TRecordingCanvas recording;
  seal->DrawTo(10, 10, &recording, true);
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

void BM_OfficialSealReplayOnCanvas(benchmark::State& state) {
  const auto seal = MakeOfficialSeal();
  platform::TRecordingCanvas recording;
  seal->DrawTo(10, 10, &recording, true);
  QImage image(kImageSide, kImageSide, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    platform::TPainterCanvas canvas(&image);
    if (!ReplayOnCanvas(recording.Records(), canvas)) {
      state.SkipWithError("a primitive the replay does not know");
      break;
    }
  }
  benchmark::DoNotOptimize(image.constBits());
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

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred) times_[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto draw = times_.find("BM_OfficialSealDrawTo"), replay = times_.find("BM_OfficialSealReplay");
    const auto record = times_.find("BM_OfficialSealRecord");
    if (draw == times_.end() || replay == times_.end() || !(replay->second > 0)) return;
    std::printf("official seal, DrawTo / replay on QPainter: %.2f\n", draw->second / replay->second);
    const auto onCanvas = times_.find("BM_OfficialSealReplayOnCanvas");
    if (onCanvas != times_.end() && onCanvas->second > 0)
      std::printf("official seal, DrawTo / replay through the canvas: %.2f\n", draw->second / onCanvas->second);
    if (record != times_.end())
      std::printf("official seal, layouts alone (recorded) / replay: %.2f\n", record->second / replay->second);
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
