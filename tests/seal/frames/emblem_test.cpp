// Five-pointed stars, tables and the centre emblem: star vertices, table lines and the
// recoloured picture's box pinned through the recording canvas and checked on images.

#include <gtest/gtest.h>

#include <climits>
#include <set>

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
constexpr platform::TColor kGreen = 0x00FF00;

template <class TDraw>
QImage DrawOn(int w, int h, platform::TColor background, TDraw draw) {
  QImage image = WhiteImage(w, h);
  image.fill(platform::ToQRgb(background));
  TPainterCanvas canvas(&image);
  draw(canvas);
  return image;
}

}  // namespace

TEST(FiveStar, VerticesClockwiseFromTheTopWithTheSlimInnerRadius) {
  // Outer radius 50, inner 100 / 5.3 = 18.87, angles 90 + 36 k degrees.
  TRecordingCanvas rec;
  seal::DrawFiveStar(0, 0, rec, 100, 100, 0, kRed, kBlue, bsClear);
  EXPECT_EQ(rec.Lines(), std::vector<std::string>{"Polygon 50 0 61 35 98 35 68 56 79 90 50 69 21 90 32 56 2 35 39 35 "
                                                  "pen 0 $000000FF brush bsClear $00FFFFFF"});
  const QImage image =
      DrawOn(100, 100, kWhite, [](auto& c) { seal::DrawFiveStar(0, 0, c, 100, 100, 0, kRed, kBlue, bsClear); });
  EXPECT_EQ(At(image, 50, 50), kWhite) << "a positive star is an outline";
  ExpectNear(ColorBounds(image, kRed), QRect(QPoint(2, 0), QPoint(98, 90)));
}

TEST(FiveStar, OutlineWidthShrinksTheRadiiAndNegativeFillsWithTheBrush) {
  TRecordingCanvas rec;
  seal::DrawFiveStar(10, 20, rec, 100, 100, 6, kRed, kBlue, bsClear);
  // Outer radius (100 - 6) / 2 = 47 about (60, 70).
  EXPECT_EQ(Shapes(rec).at(0).substr(0, 16), "Polygon 60 23 70");
  EXPECT_EQ(rec.Records().at(0).Pen.Width, 6);

  rec.Clear();
  seal::DrawFiveStar(0, 0, rec, 100, 100, 6, kRed, kBlue, bsSolid);
  EXPECT_EQ(rec.Records().at(0).Pen, (platform::TPen{0, kRed}));
  EXPECT_EQ(rec.Records().at(0).Brush, (platform::TBrush{kBlue, bsSolid}));
  const QImage image =
      DrawOn(100, 100, kWhite, [](auto& c) { seal::DrawFiveStar(0, 0, c, 100, 100, 6, kRed, kBlue, bsSolid); });
  EXPECT_EQ(At(image, 50, 50), kBlue);
  ExpectNear(ColorBounds(image, kRed), QRect(QPoint(5, 3), QPoint(95, 88)));
}

TEST(Cells, LinesSplitTheSpanBetweenTheBorders) {
  // e = 4 - 1 = 3, span 100 - 8 + 2 = 94: columns at 3 + 23.5 j = 26.5, 50, 73.5 -> 26, 50, 74;
  // rows at 3 + 31.33 j -> 34, 66.
  TRecordingCanvas rec;
  seal::DrawCells(0, 0, rec, kRed, kBlue, bsClear, 100, 100, 4, 3, 4, 2);
  EXPECT_EQ(Shapes(rec), (std::vector<std::string>{"Rectangle 2 2 98 98", "LineTo 26 3 26 97", "LineTo 50 3 50 97",
                                                   "LineTo 74 3 74 97", "LineTo 3 34 97 34", "LineTo 3 66 97 66"}));
  EXPECT_EQ(rec.Records().at(0).Pen, (platform::TPen{4, kRed}));
  EXPECT_EQ(rec.Records().at(1).Pen, (platform::TPen{2, kRed}));

  const QImage image =
      DrawOn(100, 100, kWhite, [](auto& c) { seal::DrawCells(0, 0, c, kRed, kBlue, bsClear, 100, 100, 4, 3, 4, 2); });
  ExpectRuns(RowRuns(image, 10), {{kRed, 0, 3},
                                  {kWhite, 4, 24},
                                  {kRed, 25, 26},
                                  {kWhite, 27, 48},
                                  {kRed, 49, 50},
                                  {kWhite, 51, 72},
                                  {kRed, 73, 74},
                                  {kWhite, 75, 95},
                                  {kRed, 96, 99}});
  ExpectRuns(ColumnRuns(image, 10), {{kRed, 0, 3},
                                     {kWhite, 4, 32},
                                     {kRed, 33, 34},
                                     {kWhite, 35, 64},
                                     {kRed, 65, 66},
                                     {kWhite, 67, 95},
                                     {kRed, 96, 99}});
}

TEST(Cells, OneRowOrColumnDrawsOnlyTheFrame) {
  for (const auto& [columns, rows] : {std::pair{1, 5}, std::pair{5, 1}, std::pair{0, 3}, std::pair{-4, 9}}) {
    TRecordingCanvas rec;
    seal::DrawCells(0, 0, rec, kRed, kBlue, bsClear, 100, 100, columns, rows, 4, 2);
    EXPECT_EQ(Shapes(rec), std::vector<std::string>{"Rectangle 2 2 98 98"}) << columns << " x " << rows;
  }
}

TEST(Cells, NegativeTableHasWhiteLinesOnTheBrushColour) {
  TRecordingCanvas rec;
  seal::DrawCells(0, 0, rec, kRed, kBlue, bsSolid, 100, 100, 2, 2, 4, 2);
  EXPECT_EQ(rec.Lines(), (std::vector<std::string>{
                             "Rectangle 2 2 98 98 pen 4 $00FFFFFF brush bsSolid $00FF0000",
                             "LineTo 50 3 50 97 pen 2 $00FFFFFF brush bsSolid $00FF0000",
                             "LineTo 3 50 97 50 pen 2 $00FFFFFF brush bsSolid $00FF0000",
                         }));
  const QImage image =
      DrawOn(100, 100, kWhite, [](auto& c) { seal::DrawCells(0, 0, c, kRed, kBlue, bsSolid, 100, 100, 2, 2, 4, 2); });
  EXPECT_EQ(At(image, 25, 25), kBlue);
  EXPECT_EQ(At(image, 50, 25), kWhite);
  EXPECT_EQ(At(image, 1, 25), kWhite);
}

TEST(Cells, HugeCountsStopOnceLinesNoLongerAdvanceAPixel) {
  // Closer than a pixel, the lines cover every column from the first, round(3 + 94 / n) =
  // 3, to the last, round(3 + 94 (n - 1) / n) = 97: each is drawn once.
  for (int columns : {200, 1000, INT_MAX}) {
    TRecordingCanvas rec;
    seal::DrawCells(0, 0, rec, kRed, kBlue, bsClear, 100, 100, columns, 2, 4, 2);
    const auto lines = OfOp(rec, "LineTo");
    ASSERT_EQ(lines.size(), 95u + 1u) << columns;
    std::set<int> xs;
    for (size_t i = 0; i + 1 < lines.size(); ++i) xs.insert(lines[i].Args[0]);
    EXPECT_EQ(xs.size(), 95u);
    EXPECT_EQ(*xs.begin(), 3);
    EXPECT_EQ(*xs.rbegin(), 97);
    EXPECT_EQ(Shapes(rec).back(), "LineTo 3 50 97 50");
  }
  TRecordingCanvas rec;
  seal::DrawCells(0, 0, rec, kRed, kBlue, bsClear, 100, 100, INT_MAX, INT_MAX, 4, 2);
  EXPECT_EQ(OfOp(rec, "LineTo").size(), 2u * 95u);
}

TEST(Emblem, StarIsFilledOnAPositiveSealAndAWhiteOutlineOnANegativeOne) {
  // Centre (100 + 10, 100 - 20); the fixture star moved by (60, 30).
  TRecordingCanvas rec;
  seal::DrawEmblem(0, 0, rec, kRed, kBlue, bsClear, "", 200, 200, 100, 100, 0, 10, -20, nullptr, true, true);
  EXPECT_EQ(rec.Lines(),
            std::vector<std::string>{"Polygon 110 30 121 65 158 65 128 86 139 120 110 99 81 120 92 86 62 65 99 65 "
                                     "pen 1 $000000FF brush bsSolid $000000FF"});
  rec.Clear();
  seal::DrawEmblem(0, 0, rec, kRed, kBlue, bsSolid, "", 200, 200, 100, 100, 3, 10, -20, nullptr, true, true);
  // Outline 3: outer radius 48.5, so the top point at 80 - 48.5 = 31.5 -> 32.
  EXPECT_EQ(Shapes(rec).at(0).substr(0, 14), "Polygon 110 32");
  EXPECT_EQ(rec.Records().at(0).Pen, (platform::TPen{3, kWhite}));
  EXPECT_EQ(rec.Records().at(0).Brush.Style, bsClear);

  const QImage positive = DrawOn(200, 200, kWhite, [](auto& c) {
    seal::DrawEmblem(0, 0, c, kRed, kBlue, bsClear, "", 200, 200, 100, 100, 0, 10, -20, nullptr, true, true);
  });
  EXPECT_EQ(At(positive, 110, 80), kRed);
  ExpectNear(ColorBounds(positive, kRed), QRect(QPoint(62, 30), QPoint(158, 120)));
  const QImage negative = DrawOn(200, 200, kRed, [](auto& c) {
    seal::DrawEmblem(0, 0, c, kRed, kBlue, bsSolid, "", 200, 200, 100, 100, 3, 10, -20, nullptr, true, true);
  });
  EXPECT_EQ(At(negative, 110, 80), kRed);
  EXPECT_EQ(At(negative, 110, 32), kWhite);
  EXPECT_EQ(CountColor(negative, kBlue), 0);
}

TEST(Emblem, PictureStretchesIntoItsBoxWithTheKeyColourLeftOut) {
  // A 10 x 10 picture, key colour green (its bottom-left pixel), the top-right quarter red.
  platform::TBitmap bitmap(10, 10);
  bitmap.Fill(kGreen);
  for (int y = 0; y < 5; ++y)
    for (int x = 5; x < 10; ++x) bitmap.SetPixel(x, y, kRed);
  bitmap.SetTransparent(true);

  // Box 101 about (110, 80): 59.5 .. 160.5 and 29.5 .. 130.5, halves to even.
  TRecordingCanvas rec;
  seal::DrawEmblem(0, 0, rec, kRed, kRed, bsClear, "x", 200, 200, 101, 101, 5, 10, -20, &bitmap, true, false);
  EXPECT_EQ(Shapes(rec), std::vector<std::string>{"StretchDraw 60 30 160 130 10 10 1"});

  const QImage image = DrawOn(200, 200, kBlue, [&](auto& c) {
    seal::DrawEmblem(0, 0, c, kRed, kRed, bsClear, "", 200, 200, 101, 101, 5, 10, -20, &bitmap, true, false);
  });
  EXPECT_EQ(CountColor(image, kGreen), 0);
  const QRect red = ColorBounds(image, kRed);
  EXPECT_NEAR(red.left(), 110, 1);
  EXPECT_NEAR(red.right(), 159, 1);
  EXPECT_NEAR(red.top(), 30, 1);
  EXPECT_NEAR(red.bottom(), 79, 1);
  EXPECT_EQ(CountColor(image, kRed), red.width() * red.height());
}

TEST(Emblem, NothingWithoutAnEmblemOrItsPicture) {
  platform::TBitmap bitmap(4, 4);
  const platform::TBitmap empty;
  struct Case {
    const platform::TBitmap* recolour;
    bool haveImage, isStar;
    int W;
  } cases[] = {
      {&bitmap, false, false, 200}, {nullptr, false, true, 200}, {nullptr, true, false, 200},
      {&empty, true, false, 200},   {&bitmap, true, false, 0},   {nullptr, true, true, 0},
  };
  for (const Case& c : cases) {
    TRecordingCanvas rec;
    seal::DrawEmblem(0, 0, rec, kRed, kRed, bsClear, "", c.W, 200, 100, 100, 0, 0, 0, c.recolour, c.haveImage,
                     c.isStar);
    EXPECT_TRUE(rec.Records().empty()) << c.haveImage << c.isStar << c.W;
  }
}
