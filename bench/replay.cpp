#include "replay.h"

#include <QPainterPath>
#include <memory>

#include "platform/fonts.h"
#include "platform/gbk.h"

namespace bench {

namespace {

QPen PenOf(const platform::TPen& pen) {
  if (pen.Width <= 1) return QPen(platform::ToQColor(pen.Color), 0);
  return QPen(platform::ToQColor(pen.Color), pen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush BrushOf(const platform::TBrush& brush) {
  return brush.Style == platform::bsClear ? QBrush() : QBrush(platform::ToQColor(brush.Color));
}

}  // namespace

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
    } else if (r.Op == "Arc" || r.Op == "Pie") {
      const double start = platform::RadialToParametricDegrees(a[0], a[1], a[2], a[3], a[4], a[5]);
      const double end = platform::RadialToParametricDegrees(a[0], a[1], a[2], a[3], a[6], a[7]);
      const int span = static_cast<int>(platform::ArcSweepDegrees(start, end) * 16);
      const QRect box(a[0], a[1], a[2] - a[0] - 1, a[3] - a[1] - 1);
      if (r.Op == "Arc")
        p.drawArc(box, static_cast<int>(start * 16), span);
      else
        p.drawPie(box, static_cast<int>(start * 16), span);
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
    } else if (r.Op == "Arc") {
      c.Arc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
    } else if (r.Op == "Pie") {
      c.Pie(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
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

namespace {

void TimeOnImage(benchmark::State& state, int side, const std::function<bool(QImage&)>& draw) {
  QImage image(side, side, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    if (!draw(image)) {
      state.SkipWithError("a primitive the replay does not know");
      break;
    }
  }
  benchmark::DoNotOptimize(image.constBits());
}

}  // namespace

void TimeDrawing(benchmark::State& state, int side, const std::function<void(platform::TCanvas&)>& draw) {
  TimeOnImage(state, side, [&](QImage& image) {
    platform::TPainterCanvas canvas(&image);
    draw(canvas);
    return true;
  });
}

void TimeReplay(benchmark::State& state, int side, const std::vector<platform::TCanvasRecord>& records) {
  TimeOnImage(state, side, [&](QImage& image) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    return Replay(records, p);
  });
}

void TimeReplayOnCanvas(benchmark::State& state, int side, const std::vector<platform::TCanvasRecord>& records) {
  TimeOnImage(state, side, [&](QImage& image) {
    platform::TPainterCanvas canvas(&image);
    return ReplayOnCanvas(records, canvas);
  });
}

}  // namespace bench
