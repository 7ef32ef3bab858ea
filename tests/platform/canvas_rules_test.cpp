// The drawing rules of the canvas, measured in pixels on a QImage.

#include <gtest/gtest.h>

#include <QBuffer>
#include <climits>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "platform/canvas.h"
#include "canvas_fixture.h"
#include "memory_peak.h"
#include "platform/picture.h"

using namespace platform;
using namespace canvastest;

namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kGreen = 0x00FF00;

}  // namespace

TEST(CanvasLines, OnePixelLinesLeaveOutTheirLastPixel) {
  struct Case {
    int width, x0, y0, x1, y1;
    QRect ink;     // every painted pixel lies here
    int count;     // painted pixels
    QPoint first;  // painted
    QPoint missing;
  } cases[] = {
      {1, 10, 10, 20, 10, QRect(10, 10, 10, 1), 10, {10, 10}, {20, 10}},
      {1, 20, 10, 10, 10, QRect(11, 10, 10, 1), 10, {20, 10}, {10, 10}},
      {0, 5, 5, 5, 15, QRect(5, 5, 1, 10), 10, {5, 5}, {5, 15}},
      {0, 0, 0, 10, 10, QRect(0, 0, 10, 10), 10, {0, 0}, {10, 10}},
      {1, 30, 20, 20, 30, QRect(21, 20, 10, 10), 10, {30, 20}, {20, 30}},
      {1, 0, 0, 10, 4, QRect(0, 0, 10, 5), 10, {0, 0}, {10, 4}},
      {1, 7, 7, 7, 7, QRect(), 0, {-1, -1}, {7, 7}},
  };
  for (const Case& c : cases) {
    QImage image = WhiteImage(40, 40);
    {
      TPainterCanvas canvas(&image);
      canvas.SetPenWidth(c.width);
      canvas.Line(c.x0, c.y0, c.x1, c.y1);
      EXPECT_EQ(canvas.PenPos(), (TPoint{c.x1, c.y1}));
    }
    SCOPED_TRACE(testing::Message() << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1);
    EXPECT_EQ(InkBounds(image), c.ink);
    EXPECT_EQ(CountColor(image, clBlack), c.count);
    if (c.first.x() >= 0) { EXPECT_EQ(At(image, c.first.x(), c.first.y()), clBlack); }
    EXPECT_EQ(At(image, c.missing.x(), c.missing.y()), clWhite);
  }
}

TEST(CanvasLines, LinesFromFarOffDrawOnlyWhatTheDeviceShows) {
  QImage image = WhiteImage(40, 10);
  {
    TPainterCanvas canvas(&image);
    canvas.Line(INT_MIN, 5, INT_MAX, 5);
    canvas.Line(-2000000000, -2000000000 + 2, 2000000000, 2000000000 + 2);
  }
  for (int x = 0; x < 40; ++x) EXPECT_EQ(At(image, x, 5), clBlack) << x;
  for (int y = 0; y < 10; ++y) EXPECT_EQ(At(image, y - 2 < 0 ? 0 : y - 2, y), y >= 2 ? clBlack : clWhite) << y;
  EXPECT_EQ(CountColor(image, clBlack), 40 + 8 - 1);
}

TEST(CanvasLines, JoinedSegmentsMeetAtTheCorner) {
  QImage image = WhiteImage(20, 20);
  {
    TPainterCanvas canvas(&image);
    canvas.MoveTo(2, 2);
    canvas.LineTo(12, 2);
    canvas.LineTo(12, 12);
  }
  EXPECT_EQ(At(image, 12, 2), clBlack);
  EXPECT_EQ(At(image, 12, 11), clBlack);
  EXPECT_EQ(At(image, 12, 12), clWhite);
  EXPECT_EQ(CountColor(image, clBlack), 20);
}

TEST(CanvasLines, WidePensAreCentredWithRoundEnds) {
  struct Case {
    int width;
    QRect ink;          // the whole stroke with its caps
    QPoint squareCorner;  // inside a square cap, outside a round one
  } cases[] = {
      // Even width: rows y − 4 .. y + 3, caps reach 4 pixels beyond each end.
      {8, QRect(16, 16, 48, 8), {16, 16}},
      // Odd width: rows y − 2 .. y + 2.
      {5, QRect(18, 18, 45, 5), {18, 18}},
      {2, QRect(19, 19, 42, 2), {-1, -1}},
  };
  for (const Case& c : cases) {
    QImage image = WhiteImage(80, 40);
    {
      TPainterCanvas canvas(&image);
      canvas.SetPenWidth(c.width);
      canvas.SetPenColor(kRed);
      canvas.Line(20, 20, 60, 20);
    }
    SCOPED_TRACE(c.width);
    EXPECT_EQ(InkBounds(image), c.ink);
    EXPECT_EQ(At(image, 60, 20), kRed) << "a wide line keeps its end point";
    if (c.squareCorner.x() >= 0) { EXPECT_EQ(At(image, c.squareCorner.x(), c.squareCorner.y()), clWhite); }
  }
}

TEST(CanvasLines, AWideLineShrunkByItsWidthCoversTheElement) {
  // A horizontal line element 100 pixels long and 4 thick at the origin.
  QImage image = WhiteImage(110, 10);
  {
    TPainterCanvas canvas(&image);
    canvas.SetPenWidth(4);
    canvas.Line(2, 2, 98, 2);
  }
  EXPECT_EQ(InkBounds(image), QRect(0, 0, 100, 4));
  for (int x = 0; x < 100; ++x) EXPECT_EQ(At(image, x, 1), clBlack) << x;
}

TEST(CanvasFigures, BoxesLeaveOutTheirRightAndBottomEdge) {
  enum Figure { kRectangle, kEllipse, kRoundRect, kFillRect, kPie };
  struct Case {
    const char* name;
    Figure figure;
    int penWidth;
    QRect ink;
  } cases[] = {
      {"rectangle", kRectangle, 1, QRect(10, 10, 40, 30)},
      {"ellipse", kEllipse, 1, QRect(10, 10, 40, 30)},
      {"round rectangle", kRoundRect, 1, QRect(10, 10, 40, 30)},
      {"fill rectangle", kFillRect, 1, QRect(10, 10, 40, 30)},
      {"pie", kPie, 1, QRect(10, 10, 40, 30)},
      // Wide pens are centred on the one-pixel outline (pixels 10 and 49, 10 and 39): an even
      // width covers 2 before and 1 after, an odd one 2 either side.
      {"wide rectangle", kRectangle, 4, QRect(8, 8, 43, 33)},
      {"wide ellipse", kEllipse, 5, QRect(8, 8, 44, 34)},
  };
  for (const Case& c : cases) {
    QImage image = WhiteImage(60, 50);
    {
      TPainterCanvas canvas(&image);
      canvas.SetPenWidth(c.penWidth);
      canvas.SetBrushColor(kRed);
      switch (c.figure) {
        case kRectangle: canvas.Rectangle(10, 10, 50, 40); break;
        case kEllipse: canvas.Ellipse(10, 10, 50, 40); break;
        case kRoundRect: canvas.RoundRect(10, 10, 50, 40, 10, 10); break;
        case kFillRect: canvas.FillRect(10, 10, 50, 40); break;
        case kPie: canvas.Pie(10, 10, 50, 40, 0, 0, 0, 0); break;
      }
    }
    SCOPED_TRACE(c.name);
    EXPECT_EQ(InkBounds(image), c.ink);
    EXPECT_EQ(At(image, 30, 32), kRed) << "filled with the brush";
  }
}

TEST(CanvasFigures, OutlinesArePenAndInteriorsBrush) {
  QImage image = WhiteImage(30, 30);
  {
    TPainterCanvas canvas(&image);
    canvas.SetPenColor(kBlue);
    canvas.SetBrushColor(kGreen);
    canvas.Rectangle(0, 0, 20, 10);
    canvas.FillRect(0, 15, 20, 25);
  }
  EXPECT_EQ(ColorBounds(image, kBlue), QRect(0, 0, 20, 10));
  EXPECT_EQ(CountColor(image, kBlue), 2 * 20 + 2 * 8);
  EXPECT_EQ(ColorBounds(image, kGreen), QRect(0, 1, 20, 24));
  EXPECT_EQ(CountColor(image, kGreen), 18 * 8 + 20 * 10);
}

TEST(CanvasFigures, RoundRectCornersAreEllipseDiameters) {
  QImage image = WhiteImage(120, 120);
  {
    TPainterCanvas canvas(&image);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.RoundRect(0, 0, 101, 101, 40, 40);
  }
  // A corner of diameter 40 leaves the straight edge 20 pixels from the corner; a radius
  // of 40 would still be curving there.
  for (QPoint p : {QPoint(22, 0), QPoint(50, 0), QPoint(78, 0), QPoint(0, 22), QPoint(100, 78), QPoint(78, 100)})
    EXPECT_EQ(At(image, p.x(), p.y()), clBlack) << p.x() << "," << p.y();
  for (QPoint p : {QPoint(12, 0), QPoint(0, 12), QPoint(88, 100), QPoint(100, 88), QPoint(3, 3)})
    EXPECT_EQ(At(image, p.x(), p.y()), clWhite) << p.x() << "," << p.y();
}

TEST(CanvasFigures, PolygonsFillAlternate) {
  QImage image = WhiteImage(40, 40);
  {
    TPainterCanvas canvas(&image);
    canvas.SetPenColor(kBlue);
    canvas.SetBrushColor(kRed);
    // A square drawn round twice: the inner square crossed twice is a hole.
    canvas.Polygon({{0, 0}, {30, 0}, {30, 30}, {0, 30}, {0, 0}, {10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}});
  }
  EXPECT_EQ(At(image, 5, 20), kRed);
  EXPECT_EQ(At(image, 15, 15), clWhite);
  EXPECT_EQ(At(image, 30, 30), kBlue) << "the outline passes through every vertex";
  EXPECT_EQ(InkBounds(image), QRect(0, 0, 31, 31));
}

TEST(CanvasArcs, RadialsAreDirectionsThroughTheEllipse) {
  // 400 × 200 ellipse; the radial at 45° from the centre meets it at (+89, −89),
  // parametric angle atan(2) = 63.4°; the parametric point of 45° would be (+141, −71).
  const TPoint start{200 + 89, 100 - 89}, end{200 - 89, 100 - 89};
  QImage image = WhiteImage(410, 210);
  {
    TPainterCanvas canvas(&image);
    canvas.Arc(0, 0, 400, 200, start.X, start.Y, end.X, end.Y);
  }
  const QRect ink = InkBounds(image);
  EXPECT_NEAR(ink.right(), 289, 1);
  EXPECT_NEAR(ink.left(), 111, 1);
  EXPECT_EQ(ink.top(), 0);
  EXPECT_NEAR(ink.bottom(), 11, 1);
  EXPECT_EQ(At(image, 200, 0), clBlack);
}

TEST(CanvasArcs, ArcsRunCounterClockwise) {
  struct Case {
    const char* name;
    TPoint start, end;
    std::vector<QPoint> drawn, empty;
  } cases[] = {
      {"top half", {400, 100}, {0, 100}, {{200, 0}, {60, 30}}, {{200, 199}, {340, 170}}},
      {"bottom half", {0, 100}, {400, 100}, {{200, 199}, {340, 170}}, {{200, 0}, {60, 30}}},
      {"left quarter up", {200, 0}, {0, 100}, {{60, 30}}, {{340, 30}, {200, 199}, {60, 170}}},
      {"equal radials", {300, 20}, {300, 20}, {{200, 0}, {200, 199}, {0, 100}, {399, 100}}, {}},
      {"same direction", {250, 50}, {300, 0}, {{200, 0}, {200, 199}, {0, 100}, {399, 100}}, {}},
  };
  for (const Case& c : cases) {
    QImage image = WhiteImage(410, 210);
    {
      TPainterCanvas canvas(&image);
      canvas.SetPenWidth(3);
      canvas.Arc(0, 0, 400, 200, c.start.X, c.start.Y, c.end.X, c.end.Y);
    }
    SCOPED_TRACE(c.name);
    auto inkNear = [&](QPoint p) {
      for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx)
          if (image.rect().contains(p.x() + dx, p.y() + dy) && At(image, p.x() + dx, p.y() + dy) != clWhite) return true;
      return false;
    };
    for (QPoint p : c.drawn) EXPECT_TRUE(inkNear(p)) << p.x() << "," << p.y();
    for (QPoint p : c.empty) EXPECT_FALSE(inkNear(p)) << p.x() << "," << p.y();
  }
}

TEST(CanvasArcs, PiesAreOutlinedAndFilled) {
  QImage image = WhiteImage(410, 210);
  {
    TPainterCanvas canvas(&image);
    canvas.SetPenColor(kBlue);
    canvas.SetBrushColor(kRed);
    canvas.Pie(0, 0, 400, 200, 400, 100, 200, 0);
  }
  EXPECT_EQ(At(image, 250, 50), kRed);
  EXPECT_EQ(At(image, 150, 50), clWhite);
  EXPECT_EQ(At(image, 250, 150), clWhite);
  // The centre of an even box lies between two pixels; the radii take one of them.
  EXPECT_TRUE(At(image, 199, 50) == kBlue || At(image, 200, 50) == kBlue) << "the radius to the end point";
  EXPECT_TRUE(At(image, 300, 99) == kBlue || At(image, 300, 100) == kBlue) << "the radius to the start point";
}

TEST(CanvasBitmaps, StretchDrawScalesNearestAndLeavesOutTheTransparentColour) {
  TBitmap bitmap(4, 2);
  bitmap.Fill(clWhite);
  bitmap.SetPixel(0, 0, kRed);
  bitmap.SetPixel(3, 0, kBlue);
  bitmap.SetPixel(1, 1, clBlack);
  for (bool transparent : {true, false}) {
    bitmap.SetTransparent(transparent);
    QImage image = WhiteImage(30, 20);
    image.fill(ToQRgb(kGreen));
    {
      TPainterCanvas canvas(&image);
      canvas.StretchDraw(10, 10, 18, 14, bitmap);
    }
    SCOPED_TRACE(transparent);
    EXPECT_EQ(ColorBounds(image, kRed), QRect(10, 10, 2, 2));
    EXPECT_EQ(ColorBounds(image, kBlue), QRect(16, 10, 2, 2));
    EXPECT_EQ(ColorBounds(image, clBlack), QRect(12, 12, 2, 2));
    EXPECT_EQ(CountColor(image, clWhite), transparent ? 0 : 8 * 4 - 12);
    EXPECT_EQ(At(image, 18, 10), kGreen);
  }
}

TEST(CanvasBitmaps, StretchDrawScalesAPicture) {
  QImage source(2, 1, QImage::Format_RGB32);
  source.setPixel(0, 0, ToQRgb(kRed));
  source.setPixel(1, 0, ToQRgb(kBlue));
  QByteArray bmp;
  QBuffer buffer(&bmp);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(source.save(&buffer, "BMP"));
  TPicture picture;
  picture.LoadFromBytes(TGraphicKind::Bitmap, std::vector<uint8_t>(bmp.begin(), bmp.end()));
  QImage image = WhiteImage(20, 10);
  {
    TPainterCanvas canvas(&image);
    canvas.StretchDraw(2, 1, 8, 4, picture);
  }
  EXPECT_EQ(ColorBounds(image, kRed), QRect(2, 1, 3, 3));
  EXPECT_EQ(ColorBounds(image, kBlue), QRect(5, 1, 3, 3));
}

TEST(CanvasBitmaps, StretchDrawIntoAHugeBoxScalesOnlyWhatShows) {
  TBitmap bitmap(2, 2);
  bitmap.Fill(kRed);
  bitmap.SetPixel(1, 1, kBlue);
  QImage image = WhiteImage(20, 20);
  {
    TPainterCanvas canvas(&image);
    canvas.StretchDraw(INT_MIN, INT_MIN, INT_MAX, INT_MAX, bitmap);
  }
  EXPECT_EQ(CountColor(image, kBlue), 400) << "the image shows the lower right quarter";
  {
    TPainterCanvas canvas(&image);
    canvas.StretchDraw(-20, 0, 20, 40, bitmap);
  }
  EXPECT_EQ(CountColor(image, kRed), 400) << "the upper right quarter";
}

// A palette bitmap is read a row at a time, which draws the same pixels.
TEST(CanvasBitmaps, StretchDrawTakesAPaletteBitmap) {
  TBitmap bitmap(4, 2);
  bitmap.Fill(clWhite);
  bitmap.SetPixel(0, 0, kRed);
  bitmap.SetPixel(3, 1, kBlue);
  bitmap.SetPixelFormat(TPixelFormat::pf4bit);
  ASSERT_EQ(bitmap.Image().format(), QImage::Format_Indexed8);
  QImage image = WhiteImage(20, 10);
  image.fill(ToQRgb(kGreen));
  {
    TPainterCanvas canvas(&image);
    canvas.StretchDraw(2, 1, 10, 5, bitmap);
  }
  EXPECT_EQ(ColorBounds(image, kRed), QRect(2, 1, 2, 2));
  EXPECT_EQ(ColorBounds(image, kBlue), QRect(8, 3, 2, 2));
  EXPECT_EQ(CountColor(image, clWhite), 8 * 4 - 8);
}

// However large the picture, painting it takes memory for what the device shows: no paint
// copies the whole of it, whatever its format (a 64-megapixel picture is 256 MB a copy).
TEST(CanvasBitmaps, PaintingALargePictureCopiesNoneOfItWhole) {
  constexpr long kAllowedKiB = 16 * 1024;
  for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf8bit}) {
    SCOPED_TRACE(int(format));
    TBitmap bitmap(8192, 8192);
    bitmap.Fill(kRed);
    bitmap.SetPixel(8191, 8191, kBlue);
    bitmap.SetPixelFormat(format);
    QImage image = WhiteImage(100, 100);
    image.fill(ToQRgb(clBlack));
    const long before = memory_peak::Restart();
    {
      TPainterCanvas canvas(&image);
      canvas.StretchDraw(0, 0, 40, 40, bitmap);
      canvas.SetCopyMode(TCopyMode::cmSrcPaint);
      canvas.Draw(-8150, -8150, bitmap);
    }
    EXPECT_LT(memory_peak::RiseKiB(before), memory_peak::AllowedKiB(kAllowedKiB));
    EXPECT_EQ(At(image, 20, 20), kRed);
    EXPECT_EQ(At(image, 41, 41), kBlue) << "the picture's last pixel, drawn ORed at its own size";
  }
}

TEST(CanvasBitmaps, StretchDrawToAReversedBoxMirrors) {
  TBitmap bitmap(2, 1);
  bitmap.SetPixel(0, 0, kRed);
  bitmap.SetPixel(1, 0, kBlue);
  QImage image = WhiteImage(10, 10);
  {
    TPainterCanvas canvas(&image);
    canvas.StretchDraw(4, 0, 0, 2, bitmap);
  }
  EXPECT_EQ(ColorBounds(image, kBlue), QRect(0, 0, 2, 2));
  EXPECT_EQ(ColorBounds(image, kRed), QRect(2, 0, 2, 2));
}

// A picture with transparent pixels or a colour table is ORed as its colours, wherever it
// is placed, partly outside the target included; transparent pixels add nothing.
TEST(CanvasBitmaps, OrCopyTakesPicturesOfEveryFormat) {
  QImage argb(3, 2, QImage::Format_ARGB32);
  const QRgb pixels[2][3] = {{qRgba(0, 0, 0, 0), qRgb(255, 255, 255), qRgb(0x12, 0x34, 0x56)},
                             {qRgb(0, 0, 0), qRgb(0x0F, 0x0F, 0x0F), qRgba(0, 0, 0, 0)}};
  // The same colours as the seal's own: transparent and black add nothing.
  const TColor added[2][3] = {{0, 0xFFFFFF, 0x563412}, {0, 0x0F0F0F, 0}};
  QImage indexed(3, 2, QImage::Format_Indexed8);
  indexed.setColorTable({pixels[0][0], pixels[0][1], pixels[0][2], pixels[1][0], pixels[1][1]});
  const int indices[2][3] = {{0, 1, 2}, {3, 4, 0}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      argb.setPixel(x, y, pixels[y][x]);
      indexed.setPixel(x, y, uint(indices[y][x]));
    }
  constexpr TColor kFill = 0x3300C0;
  for (const QImage& source : {argb, indexed}) {
    for (const QPoint at : {QPoint(0, 0), QPoint(-1, 1), QPoint(2, -1)}) {
      QImage target(4, 3, QImage::Format_RGB32);
      target.fill(ToQRgb(kFill));
      OrCopy(target, at.x(), at.y(), source);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
          const int sx = x - at.x(), sy = y - at.y();
          const bool inside = sx >= 0 && sx < 3 && sy >= 0 && sy < 2;
          EXPECT_EQ(At(target, x, y), inside ? (kFill | added[sy][sx]) : kFill)
              << source.format() << " at " << at.x() << "," << at.y() << ": " << x << "," << y;
        }
    }
  }
}

TEST(CanvasBitmaps, TheOrCopyModeOrsColourValues) {
  const TColor source[] = {clBlack, clWhite, 0x123456, 0x0F0F0F};
  TBitmap bitmap(4, 1);
  for (int x = 0; x < 4; ++x) bitmap.SetPixel(x, 0, source[x]);
  QImage png;
  png = bitmap.Image();
  QByteArray bmp;
  QBuffer buffer(&bmp);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(png.save(&buffer, "BMP"));
  TPicture picture;
  picture.LoadFromBytes(TGraphicKind::Bitmap, std::vector<uint8_t>(bmp.begin(), bmp.end()));

  constexpr TColor kFill = 0x3300C0;
  for (TCopyMode mode : {TCopyMode::cmSrcPaint, TCopyMode::cmSrcCopy}) {
    for (bool viaPicture : {false, true}) {
      QImage image = WhiteImage(6, 2);
      image.fill(ToQRgb(kFill));
      {
        TPainterCanvas canvas(&image);
        canvas.SetCopyMode(mode);
        if (viaPicture)
          canvas.Draw(1, 1, picture);
        else
          canvas.Draw(1, 1, bitmap);
      }
      SCOPED_TRACE(testing::Message() << (mode == TCopyMode::cmSrcPaint ? "or" : "copy") << viaPicture);
      for (int x = 0; x < 4; ++x) {
        const TColor want = mode == TCopyMode::cmSrcPaint ? (kFill | source[x]) : source[x];
        EXPECT_EQ(At(image, 1 + x, 1), want) << x;
      }
      EXPECT_EQ(At(image, 0, 1), kFill);
      EXPECT_EQ(At(image, 1, 0), kFill);
    }
  }
}

TEST(CanvasBrush, ColourAndClearStyleAreCoupled) {
  QImage image = WhiteImage(4, 4);
  TPainterCanvas canvas(&image);
  EXPECT_EQ(canvas.Brush(), (TBrush{clWhite, TBrushStyle::bsSolid}));
  struct Step {
    bool setStyle;
    TBrushStyle style;
    TColor color;
    TBrush after;
  } steps[] = {
      {true, TBrushStyle::bsClear, 0, {clWhite, TBrushStyle::bsClear}},
      {false, {}, kRed, {kRed, TBrushStyle::bsSolid}},
      {true, TBrushStyle::bsClear, 0, {clWhite, TBrushStyle::bsClear}},
      {true, TBrushStyle::bsSolid, 0, {clWhite, TBrushStyle::bsSolid}},
      {false, {}, kBlue, {kBlue, TBrushStyle::bsSolid}},
      {true, TBrushStyle::bsCross, 0, {kBlue, TBrushStyle::bsCross}},
      {false, {}, kGreen, {kGreen, TBrushStyle::bsCross}},
  };
  for (const Step& s : steps) {
    if (s.setStyle)
      canvas.SetBrushStyle(s.style);
    else
      canvas.SetBrushColor(s.color);
    EXPECT_EQ(canvas.Brush(), s.after);
  }
}

TEST(CanvasBrush, OnlyASolidBrushGivesTextABackground) {
  {
    QImage image = WhiteImage(2, 2);
    EXPECT_FALSE(TPainterCanvas(&image).BackgroundTransparent());
  }
  struct Case {
    const char* name;
    TBrushStyle style;
    bool setTransparent;
    bool painted;
  } cases[] = {
      {"solid", TBrushStyle::bsSolid, false, true},
      {"solid, transparent mode", TBrushStyle::bsSolid, true, false},
      {"clear", TBrushStyle::bsClear, false, false},
      {"hatched", TBrushStyle::bsCross, false, false},
  };
  for (const Case& c : cases) {
    QImage image = WhiteImage(40, 40);
    {
      TPainterCanvas canvas(&image);
      TLogFont font;
      font.Height = 20;
      font.SetFaceName(Gbk("宋体"));
      canvas.SetFont(font);
      canvas.SetBrushColor(kBlue);
      canvas.SetBrushStyle(c.style);
      if (c.setTransparent) canvas.SetBackgroundTransparent();
      canvas.TextOut(5, 5, " ");
    }
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CountColor(image, kBlue) > 0, c.painted);
    if (c.painted) { EXPECT_EQ(ColorBounds(image, kBlue).topLeft(), QPoint(5, 5)); }
  }
}

TEST(CanvasBrush, HatchStylesDrawTheirLinesOnly) {
  // For every red pixel inside, the neighbour along the hatch's line is red too.
  struct Case {
    TBrushStyle style;
    std::vector<QPoint> along;  // one of these neighbours continues the line
  } cases[] = {
      {TBrushStyle::bsHorizontal, {{1, 0}}},
      {TBrushStyle::bsVertical, {{0, 1}}},
      {TBrushStyle::bsFDiagonal, {{1, 1}}},
      {TBrushStyle::bsBDiagonal, {{1, -1}}},
      {TBrushStyle::bsCross, {{1, 0}, {0, 1}}},
      {TBrushStyle::bsDiagCross, {{1, 1}, {1, -1}}},
  };
  for (const Case& c : cases) {
    QImage image = WhiteImage(40, 40);
    {
      TPainterCanvas canvas(&image);
      canvas.SetBrushColor(kRed);
      canvas.SetBrushStyle(c.style);
      canvas.FillRect(0, 0, 40, 40);
    }
    SCOPED_TRACE(static_cast<int>(c.style));
    EXPECT_GT(CountColor(image, kRed), 0);
    EXPECT_GT(CountColor(image, clWhite), 0) << "the gaps keep what was there";
    for (int y = 1; y < 39; ++y)
      for (int x = 1; x < 39; ++x) {
        if (At(image, x, y) != kRed) continue;
        bool continued = false;
        for (QPoint d : c.along) continued = continued || At(image, x + d.x(), y + d.y()) == kRed;
        ASSERT_TRUE(continued) << x << "," << y;
      }
  }
}

TEST(CanvasColors, ValuesAreBlueGreenRedWithRedLow) {
  struct Case {
    TColor color;
    QRgb pixel;
  } cases[] = {
      {0x0000FF, 0xFFFF0000}, {0x00FF00, 0xFF00FF00}, {0xFF0000, 0xFF0000FF}, {0x123456, 0xFF563412},
  };
  for (const Case& c : cases) {
    QImage image = WhiteImage(30, 10);
    {
      TPainterCanvas canvas(&image);
      canvas.SetPenColor(c.color);
      canvas.Line(0, 0, 10, 0);
      canvas.SetBrushColor(c.color);
      canvas.FillRect(0, 2, 10, 4);
      canvas.SetPenWidth(3);
      canvas.Line(1, 7, 8, 7);
    }
    EXPECT_EQ(image.pixel(0, 0), c.pixel) << std::hex << c.color;
    EXPECT_EQ(image.pixel(5, 3), c.pixel) << std::hex << c.color;
    EXPECT_EQ(image.pixel(5, 7), c.pixel) << std::hex << c.color;
  }
}

TEST(CanvasOnAWidgetPainter, DrawsThroughABorrowedPainter) {
  QImage image = WhiteImage(20, 20);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  {
    TPainterCanvas canvas(painter);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.Ellipse(0, 0, 20, 20);
    EXPECT_FALSE(painter.testRenderHint(QPainter::Antialiasing));
  }
  EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing)) << "the painter's own settings come back";
  painter.end();
  // No antialiasing: black or white only.
  EXPECT_EQ(CountColor(image, clBlack) + CountColor(image, clWhite), 400);
  EXPECT_EQ(InkBounds(image), QRect(0, 0, 20, 20));
}

TEST(CanvasOnAPrinter, DrawsEveryPrimitiveOnAVectorDevice) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("page.pdf");
  {
    QPdfWriter writer(path);
    writer.setResolution(254);  // 10 px/mm
    TPainterCanvas canvas(&writer);
    canvas.SetPenWidth(5);
    canvas.Line(10, 10, 200, 10);
    canvas.SetPenWidth(1);
    canvas.Line(10, 20, 200, 60);
    canvas.SetBrushColor(kRed);
    canvas.Ellipse(10, 100, 300, 250);
    canvas.RoundRect(10, 300, 300, 400, 40, 40);
    canvas.Pie(400, 100, 600, 250, 600, 175, 500, 100);
    canvas.Arc(400, 300, 600, 450, 600, 375, 500, 300);
    canvas.Polygon({{700, 100}, {800, 200}, {700, 200}});
    canvas.TextOut(10, 500, Gbk("印章"));
    canvas.BeginPath();
    canvas.TextOut(10, 600, Gbk("印章"));
    canvas.EndPath();
    canvas.StrokeAndFillPath();
    TBitmap bitmap(3, 3);
    bitmap.SetTransparent(true);
    canvas.StretchDraw(10, 700, 70, 760, bitmap);
    canvas.SetCopyMode(TCopyMode::cmSrcPaint);
    canvas.Draw(100, 700, bitmap);
  }
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5) == "%PDF-");
}
