#include "frame_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <memory>

#include "platform/gbk.h"

namespace framestest {

namespace {

;


template <typename PixelAt>
std::vector<TRun> Runs(int n, PixelAt pixelAt) {
  std::vector<TRun> runs;
  for (int i = 0; i < n; ++i) {
    const platform::TColor c = pixelAt(i);
    if (runs.empty() || runs.back().color != c)
      runs.push_back({c, i, i});
    else
      runs.back().last = i;
  }
  return runs;
}

std::string Describe(const std::vector<TRun>& runs) {
  std::string s;
  for (const TRun& r : runs) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "[%06X %d..%d] ", static_cast<unsigned>(r.color), r.first, r.last);
    s += buf;
  }
  return s;
}

}  // namespace

std::vector<TRun> RowRuns(const QImage& image, int y) {
  return Runs(image.width(), [&](int x) { return At(image, x, y); });
}

std::vector<TRun> ColumnRuns(const QImage& image, int x) {
  return Runs(image.height(), [&](int y) { return At(image, x, y); });
}

void ExpectRuns(const std::vector<TRun>& runs, const std::vector<TRun>& expected) {
  // Every pixel has the colour expected of it or of a neighbour (white beyond the ends),
  // and every expected run shows somewhere within a pixel of its place.
  const auto colourAt = [](const std::vector<TRun>& rs, int i, platform::TColor& c) {
    c = platform::clWhite;
    for (const TRun& r : rs)
      if (i >= r.first && i <= r.last) c = r.color;
    return true;
  };
  bool same = !runs.empty() && !expected.empty() && runs.back().last == expected.back().last;
  for (int i = 0; same && i <= runs.back().last; ++i) {
    platform::TColor got = 0;
    colourAt(runs, i, got);
    bool near = false;
    for (int d = -1; d <= 1 && !near; ++d) {
      platform::TColor want = 0;
      near = colourAt(expected, i + d, want) && want == got;
    }
    same = near;
  }
  for (size_t k = 0; same && k < expected.size(); ++k) {
    bool shown = false;
    for (const TRun& r : runs)
      shown =
          shown || (r.color == expected[k].color && r.last >= expected[k].first - 1 && r.first <= expected[k].last + 1);
    same = shown;
  }
  EXPECT_TRUE(same) << "got      " << Describe(runs) << "\nexpected " << Describe(expected);
}

void ExpectNear(const QRect& actual, const QRect& expected) {
  EXPECT_TRUE(std::abs(actual.left() - expected.left()) <= 1 && std::abs(actual.top() - expected.top()) <= 1 &&
              std::abs(actual.right() - expected.right()) <= 1 && std::abs(actual.bottom() - expected.bottom()) <= 1)
      << "got " << actual.left() << "," << actual.top() << ".." << actual.right() << "," << actual.bottom()
      << " expected " << expected.left() << "," << expected.top() << ".." << expected.right() << ","
      << expected.bottom();
}

std::vector<std::string> Shapes(const platform::TRecordingCanvas& canvas) {
  std::vector<std::string> out;
  for (const platform::TCanvasRecord& r : canvas.Records()) {
    std::string s = r.Op;
    for (int a : r.Args) s += " " + std::to_string(a);
    out.push_back(s);
  }
  return out;
}

std::vector<platform::TCanvasRecord> OfOp(const platform::TRecordingCanvas& canvas, const std::string& op) {
  std::vector<platform::TCanvasRecord> out;
  std::copy_if(canvas.Records().begin(), canvas.Records().end(), std::back_inserter(out),
               [&](const platform::TCanvasRecord& r) { return r.Op == op; });
  return out;
}

}  // namespace framestest
