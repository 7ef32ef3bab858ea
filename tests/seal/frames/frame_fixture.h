#pragma once
// Canvases to draw the frame routines on and ways to read them back: the recording canvas
// as "Op args..." lines and 24-bit images scanned by row and column.

#include <QImage>
#include <QString>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/recordingcanvas.h"
#include "seal/seal.h"
#include "test_images.h"

namespace framestest {

inline constexpr platform::TColor kRed = platform::clRed;
inline constexpr platform::TColor kWhite = platform::clWhite;

using testimages::At;
using testimages::ColorBounds;
using testimages::CountColor;
using testimages::InkBounds;
inline QImage WhiteImage(int width, int height) { return testimages::FilledImage(width, height); }

// One run of equal pixels along a row or column, first and last pixel included.
struct TRun {
  platform::TColor color;
  int first, last;
};
std::vector<TRun> RowRuns(const QImage& image, int y);
std::vector<TRun> ColumnRuns(const QImage& image, int x);
// Fails the current test unless the runs match the expected ones within a pixel.
void ExpectRuns(const std::vector<TRun>& runs, const std::vector<TRun>& expected);
// Fails the current test unless every edge of the rectangle lies within a pixel.
void ExpectNear(const QRect& actual, const QRect& expected);

// "Op a b c ..." of every record, without pens and brushes.
std::vector<std::string> Shapes(const platform::TRecordingCanvas& canvas);
// The records of one operation.
std::vector<platform::TCanvasRecord> OfOp(const platform::TRecordingCanvas& canvas, const std::string& op);

using testimages::TestFace;
using testimages::TestFontFamily;

}  // namespace framestest
