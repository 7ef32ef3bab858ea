// Frame outlines: the three stroked borders of the rectangle-type and elliptic frames and
// the banded triangle and rhomb, pinned through the recording canvas and measured on
// images at 10 px/mm.

#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "seal/draw_routines.h"
#include "frame_fixture.h"

using namespace framestest;
using platform::bsClear;
using platform::bsSolid;
using platform::TBrushStyle;
using platform::TPainterCanvas;
using platform::TRecordingCanvas;

namespace {

constexpr platform::TColor kBlue = 0xFF0000;

struct TFrameCase {
  int W, H, pw, pw1, pw2, oid, id, sr;
};

void NameFrame(platform::TCanvas& canvas, TBrushStyle style, const TFrameCase& c, seal::TFrameType type) {
  seal::DrawNameSealFrame(0, 0, canvas, kRed, kRed, style, c.W, c.H, c.pw, c.pw1, c.pw2, c.oid, c.id, c.sr, type);
}

QImage NameFrameImage(TBrushStyle style, const TFrameCase& c, seal::TFrameType type) {
  QImage image = WhiteImage(c.W, c.H);
  TPainterCanvas canvas(&image);
  NameFrame(canvas, style, c, type);
  return image;
}

}  // namespace

TEST(StrokedFrames, RectangleBorderCoversThePenWidthAtTheEdge) {
  const TFrameCase c{100, 100, 10, 0, 0, 0, 0, 0};
  TRecordingCanvas rec;
  NameFrame(rec, bsClear, c, seal::ftRectangle);
  EXPECT_EQ(rec.Lines(), std::vector<std::string>{"Rectangle 5 5 95 95 pen 10 $000000FF brush bsClear $00FFFFFF"});

  const QImage image = NameFrameImage(bsClear, c, seal::ftRectangle);
  ExpectRuns(RowRuns(image, 50), {{kRed, 0, 9}, {kWhite, 10, 89}, {kRed, 90, 99}});
  ExpectRuns(ColumnRuns(image, 50), {{kRed, 0, 9}, {kWhite, 10, 89}, {kRed, 90, 99}});
}

TEST(StrokedFrames, InnerBordersSitAtTheirGapsInsideTheOuterBorder) {
  // Outer 10, second 4 at gap 5, third 2 at gap 20.
  const TFrameCase c{100, 100, 10, 4, 2, 5, 20, 0};
  TRecordingCanvas rec;
  NameFrame(rec, bsClear, c, seal::ftRectangle);
  EXPECT_EQ(rec.Lines(), (std::vector<std::string>{
                             "Rectangle 5 5 95 95 pen 10 $000000FF brush bsClear $00FFFFFF",
                             "Rectangle 17 17 83 83 pen 4 $000000FF brush bsClear $00FFFFFF",
                             "Rectangle 31 31 69 69 pen 2 $000000FF brush bsClear $00FFFFFF",
                         }));
  ExpectRuns(RowRuns(NameFrameImage(bsClear, c, seal::ftRectangle), 50), {{kRed, 0, 9},
                                                                          {kWhite, 10, 14},
                                                                          {kRed, 15, 18},
                                                                          {kWhite, 19, 29},
                                                                          {kRed, 30, 31},
                                                                          {kWhite, 32, 67},
                                                                          {kRed, 68, 69},
                                                                          {kWhite, 70, 80},
                                                                          {kRed, 81, 84},
                                                                          {kWhite, 85, 89},
                                                                          {kRed, 90, 99}});
}

TEST(StrokedFrames, NegativeFrameIsOneFilledShapeWithWhiteInnerBorders) {
  const TFrameCase c{100, 100, 10, 4, 2, 5, 20, 0};
  TRecordingCanvas rec;
  NameFrame(rec, bsSolid, c, seal::ftRectangle);
  EXPECT_EQ(rec.Lines(), (std::vector<std::string>{
                             "Rectangle 5 5 95 95 pen 10 $000000FF brush bsSolid $000000FF",
                             "Rectangle 17 17 83 83 pen 4 $00FFFFFF brush bsClear $00FFFFFF",
                             "Rectangle 31 31 69 69 pen 2 $00FFFFFF brush bsClear $00FFFFFF",
                         }));
  ExpectRuns(RowRuns(NameFrameImage(bsSolid, c, seal::ftRectangle), 50), {{kRed, 0, 14},
                                                                          {kWhite, 15, 18},
                                                                          {kRed, 19, 29},
                                                                          {kWhite, 30, 31},
                                                                          {kRed, 32, 67},
                                                                          {kWhite, 68, 69},
                                                                          {kRed, 70, 80},
                                                                          {kWhite, 81, 84},
                                                                          {kRed, 85, 99}});
}

TEST(StrokedFrames, ZeroWidthsDrawOnlyTheOnePixelOuterBorder) {
  TRecordingCanvas rec;
  NameFrame(rec, bsClear, {100, 60, 0, 0, 0, 5, 8, 0}, seal::ftRectangle);
  EXPECT_EQ(Shapes(rec), std::vector<std::string>{"Rectangle 0 0 100 60"});
  const QImage image = NameFrameImage(bsClear, {100, 60, 0, 0, 0, 5, 8, 0}, seal::ftRectangle);
  EXPECT_EQ(ColorBounds(image, kRed), QRect(0, 0, 100, 60));
  EXPECT_EQ(CountColor(image, kRed), 2 * 100 + 2 * 58);
}

TEST(StrokedFrames, NegativeOuterWidthDrawsNoOuterBorderAndInsetsAsZero) {
  TRecordingCanvas rec;
  NameFrame(rec, bsClear, {100, 100, -3, 4, 0, 5, 0, 0}, seal::ftRectangle);
  // Second box as for pw = 0: round(0 + 5 + 2) = 7, 100 - 2 * 5 - 4 = 86 wide.
  EXPECT_EQ(Shapes(rec), std::vector<std::string>{"Rectangle 7 7 93 93"});
}

TEST(StrokedFrames, ZeroSizeElementDrawsNothing) {
  for (const auto& [w, h] : {std::pair{0, 100}, std::pair{100, 0}, std::pair{-5, 40}}) {
    TRecordingCanvas rec;
    NameFrame(rec, bsSolid, {w, h, 4, 2, 2, 3, 6, 10}, seal::ftRoundRect);
    seal::DrawEllipseFrame(0, 0, rec, kRed, kRed, bsSolid, w, h, 4, 2, 2, 3, 6);
    seal::DrawTriangleFrame(0, 0, rec, kRed, kRed, bsSolid, w, h, 4, 2, 2, 3, 6);
    seal::DrawRhombFrame(0, 0, rec, kRed, kRed, bsSolid, w, h, 4, 2, 2, 3, 6);
    EXPECT_TRUE(rec.Records().empty()) << w << " x " << h;
  }
}

TEST(StrokedFrames, ShapesByFrameType) {
  struct Case {
    seal::TFrameType type;
    std::vector<std::string> shapes;
  } cases[] = {
      {seal::ftRectangle, {"Rectangle 13 23 87 77", "Rectangle 21 31 79 69"}},
      {seal::ftEllipse, {"Ellipse 13 23 87 77", "Ellipse 21 31 79 69"}},
      {seal::ftRoundRect, {"RoundRect 13 23 87 77 12 12", "RoundRect 21 31 79 69 12 12"}},
      {seal::ftDiamond,
       {"Polygon 25 23 75 23 87 35 87 65 75 77 25 77 13 65 13 35",
        "Polygon 33 31 67 31 79 43 79 57 67 69 33 69 21 57 21 43"}},
      {static_cast<seal::TFrameType>(7), {}},
  };
  for (const Case& c : cases) {
    TRecordingCanvas rec;
    // At (10, 20): outer 6 at round(10 + 3) = 13; second 2 at gap 4: round(10 + 6 + 4 + 1) = 21,
    // 80 - 2 * 10 - 2 = 58 wide.
    seal::DrawNameSealFrame(10, 20, rec, kRed, kRed, bsClear, 80, 60, 6, 2, 0, 4, 9, 12, c.type);
    EXPECT_EQ(Shapes(rec), c.shapes) << int(c.type);
  }
  TRecordingCanvas rec;
  seal::DrawEllipseFrame(10, 20, rec, kRed, kRed, bsClear, 80, 60, 6, 2, 0, 4, 9);
  EXPECT_EQ(Shapes(rec), (std::vector<std::string>{"Ellipse 13 23 87 77", "Ellipse 21 31 79 69"}));
}

TEST(StrokedFrames, RoundRectCornerArgumentIsTheDiameter) {
  // One-pixel pen, corner 100: the outline crosses the corner diagonal 50 - 50 / sqrt 2 =
  // 14.6 pixels in; with a 100-pixel radius it would be 29.3.
  const TFrameCase c{200, 200, 1, 0, 0, 0, 0, 100};
  TRecordingCanvas rec;
  NameFrame(rec, bsClear, c, seal::ftRoundRect);
  EXPECT_EQ(Shapes(rec), std::vector<std::string>{"RoundRect 0 0 199 199 100 100"});
  const QImage image = NameFrameImage(bsClear, c, seal::ftRoundRect);
  int first = -1;
  for (int i = 0; i < 100 && first < 0; ++i)
    if (At(image, i, i) == kRed) first = i;
  EXPECT_NEAR(first, 14.6, 1);
  EXPECT_EQ(At(image, 100, 0), kRed);
  EXPECT_EQ(At(image, 2, 2), kWhite);
}

TEST(StrokedFrames, ZeroCornerLooksLikeTheRectangle) {
  const auto draw = [](seal::TFrameType type) {
    QImage image = WhiteImage(100, 80);
    TPainterCanvas canvas(&image);
    seal::DrawNameSealFrame(10, 10, canvas, kRed, kRed, bsClear, 80, 60, 4, 2, 0, 3, 0, 0, type);
    return image;
  };
  const QImage rect = draw(seal::ftRectangle);
  EXPECT_EQ(draw(seal::ftRoundRect), rect);
  // The octagon is a polygon, whose right and bottom vertices are pixels of their own.
  const QImage diamond = draw(seal::ftDiamond);
  ExpectNear(InkBounds(diamond), InkBounds(rect));
  for (int y : {13, 40}) ExpectRuns(RowRuns(diamond, y), RowRuns(rect, y));
  for (int x : {13, 50}) ExpectRuns(ColumnRuns(diamond, x), ColumnRuns(rect, x));
}

TEST(StrokedFrames, NegativeEllipseIsFilledInside) {
  const QImage image = [] {
    QImage i = WhiteImage(100, 80);
    TPainterCanvas canvas(&i);
    seal::DrawEllipseFrame(0, 0, canvas, kRed, kRed, bsSolid, 100, 80, 4, 2, 0, 6, 0);
    return i;
  }();
  EXPECT_EQ(At(image, 50, 40), kRed);
  EXPECT_EQ(At(image, 1, 1), kWhite);
  // The second border: 4 + 6 = 10 in from the left edge, two pixels white.
  ExpectRuns(RowRuns(image, 40), {{kRed, 0, 9}, {kWhite, 10, 11}, {kRed, 12, 87}, {kWhite, 88, 89}, {kRed, 90, 99}});
}

// ---- Banded frames

namespace {

QImage BandedImage(bool triangle, TBrushStyle style, int W, int H, int pw, int pw1, int pw2, int oid, int id) {
  QImage image = WhiteImage(W, H);
  TPainterCanvas canvas(&image);
  (triangle ? seal::DrawTriangleFrame : seal::DrawRhombFrame)(0, 0, canvas, kRed, kBlue, style, W, H, pw, pw1, pw2, oid,
                                                              id);
  return image;
}

}  // namespace

TEST(BandedFrames, TriangleOuterBand) {
  // alpha = atan(200 / 200) = 45 degrees, beta = 22.5, f = 2.414, g = 0.707:
  // TL' (round(24.14) - 1, 9) = (23, 9), TR' (199 - 24, 9) = (175, 9),
  // apex (99, 99), apex' (99, 99 - round(14.14)) = (99, 85).
  TRecordingCanvas rec;
  seal::DrawTriangleFrame(0, 0, rec, kRed, kBlue, bsClear, 200, 100, 10, 0, 0, 0, 0);
  EXPECT_EQ(rec.Lines(), (std::vector<std::string>{
                             "Polygon 23 9 0 0 199 0 99 99 99 85 175 9 pen 1 $000000FF brush bsSolid $000000FF",
                             "Polygon 0 0 99 99 99 85 23 9 pen 1 $000000FF brush bsSolid $000000FF",
                         }));
  const QImage image = BandedImage(true, bsClear, 200, 100, 10, 0, 0, 0, 0);
  ExpectRuns(ColumnRuns(image, 99), {{kRed, 0, 9}, {kWhite, 10, 84}, {kRed, 85, 99}});
  EXPECT_EQ(At(image, 100, 50), kWhite);
  EXPECT_EQ(At(image, 0, 50), kWhite);  // outside the triangle
  EXPECT_EQ(CountColor(image, kBlue), 0);
}

TEST(BandedFrames, NegativeTriangleFillsInsideAndWhitensTheInnerBands) {
  // Second band from the inner triangle inset by 5 (round(12.07) = 12 across, round(7.07) =
  // 7 up at the apex), then by 4 (10 across, 6 up).
  TRecordingCanvas rec;
  seal::DrawTriangleFrame(0, 0, rec, kRed, kBlue, bsSolid, 200, 100, 10, 4, 0, 5, 0);
  EXPECT_EQ(rec.Lines(), (std::vector<std::string>{
                             "Polygon 23 9 0 0 199 0 99 99 99 85 175 9 pen 1 $000000FF brush bsSolid $000000FF",
                             "Polygon 0 0 99 99 99 85 23 9 pen 1 $000000FF brush bsSolid $000000FF",
                             "Polygon 23 9 175 9 99 85 pen 1 $000000FF brush bsSolid $000000FF",
                             "Polygon 45 18 35 14 163 14 99 78 99 72 153 18 pen 1 $00FFFFFF brush bsSolid $00FFFFFF",
                             "Polygon 35 14 99 78 99 72 45 18 pen 1 $00FFFFFF brush bsSolid $00FFFFFF",
                         }));
  const QImage image = BandedImage(true, bsSolid, 200, 100, 10, 4, 0, 5, 0);
  ExpectRuns(ColumnRuns(image, 99),
             {{kRed, 0, 13}, {kWhite, 14, 18}, {kRed, 19, 71}, {kWhite, 72, 78}, {kRed, 79, 99}});
}

TEST(BandedFrames, ThirdBandStartsFromTheOuterBorderToo) {
  TRecordingCanvas rec;
  seal::DrawTriangleFrame(0, 0, rec, kRed, kBlue, bsClear, 200, 100, 10, 0, 4, 20, 5);
  // Third band: gap 5, width 4, as the second band of the case above.
  EXPECT_EQ(Shapes(rec), (std::vector<std::string>{
                             "Polygon 23 9 0 0 199 0 99 99 99 85 175 9",
                             "Polygon 0 0 99 99 99 85 23 9",
                             "Polygon 45 18 35 14 163 14 99 78 99 72 153 18",
                             "Polygon 35 14 99 78 99 72 45 18",
                         }));
}

TEST(BandedFrames, RhombOuterBand) {
  // gamma = 45 degrees: insets round(10 / 0.707) = 14.
  TRecordingCanvas rec;
  seal::DrawRhombFrame(0, 0, rec, kRed, kBlue, bsClear, 100, 100, 10, 0, 0, 0, 0);
  EXPECT_EQ(Shapes(rec), (std::vector<std::string>{
                             "Polygon 49 13 49 0 0 49 49 99 99 49 85 49 49 85 13 49 49 13",
                             "Polygon 49 13 49 0 99 49 85 49",
                         }));
  const QImage image = BandedImage(false, bsClear, 100, 100, 10, 0, 0, 0, 0);
  ExpectRuns(RowRuns(image, 49), {{kRed, 0, 13}, {kWhite, 14, 84}, {kRed, 85, 99}});
  ExpectRuns(ColumnRuns(image, 49), {{kRed, 0, 13}, {kWhite, 14, 84}, {kRed, 85, 99}});
  EXPECT_EQ(At(image, 5, 5), kWhite);
}

TEST(BandedFrames, NegativeRhombBands) {
  // Second band: gap 3 (round(4.24) = 4), width 2 (round(2.83) = 3).
  TRecordingCanvas rec;
  seal::DrawRhombFrame(0, 0, rec, kRed, kBlue, bsSolid, 100, 100, 10, 2, 0, 3, 0);
  EXPECT_EQ(rec.Lines(), (std::vector<std::string>{
                             "Polygon 49 13 49 0 0 49 49 99 99 49 85 49 49 85 13 49 49 13 pen 1 $000000FF brush "
                             "bsSolid $000000FF",
                             "Polygon 49 13 49 0 99 49 85 49 pen 1 $000000FF brush bsSolid $000000FF",
                             "Polygon 49 13 13 49 49 85 85 49 pen 1 $000000FF brush bsSolid $000000FF",
                             "Polygon 49 20 49 17 17 49 49 81 81 49 78 49 49 78 20 49 49 20 pen 1 $00FFFFFF brush "
                             "bsSolid $00FFFFFF",
                             "Polygon 49 20 49 17 81 49 78 49 pen 1 $00FFFFFF brush bsSolid $00FFFFFF",
                         }));
  const QImage image = BandedImage(false, bsSolid, 100, 100, 10, 2, 0, 3, 0);
  ExpectRuns(RowRuns(image, 49), {{kRed, 0, 16}, {kWhite, 17, 20}, {kRed, 21, 77}, {kWhite, 78, 81}, {kRed, 82, 99}});
}

TEST(BandedFrames, NegativeOuterWidthSkipsTheOuterBandOnly) {
  TRecordingCanvas rec;
  seal::DrawRhombFrame(0, 0, rec, kRed, kBlue, bsSolid, 100, 100, -4, 0, 0, 0, 0);
  // The inside as for pw = 0: T' (49, -1), L' (-1, 49), Bm' (49, 99), R' (99, 49).
  EXPECT_EQ(Shapes(rec), std::vector<std::string>{"Polygon 49 -1 -1 49 49 99 99 49"});
}

TEST(StrokedFrames, HatchedStyleHatchesTheOuterShapeAndKeepsInnerBordersInTheSealColour) {
  TRecordingCanvas rec;
  NameFrame(rec, platform::bsFDiagonal, {100, 100, 10, 4, 0, 5, 0, 0}, seal::ftRectangle);
  EXPECT_EQ(rec.Lines(), (std::vector<std::string>{
                             "Rectangle 5 5 95 95 pen 10 $000000FF brush bsFDiagonal $000000FF",
                             "Rectangle 17 17 83 83 pen 4 $000000FF brush bsFDiagonal $000000FF",
                         }));
  rec.Clear();
  seal::DrawRhombFrame(0, 0, rec, kRed, kBlue, platform::bsFDiagonal, 100, 100, 10, 0, 0, 0, 0);
  EXPECT_EQ(OfOp(rec, "Polygon").size(), 2u) << "no negative fill";
}
