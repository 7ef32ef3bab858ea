// The two entry points on real pixels: the control's own painting, drawing on another
// canvas in colour and in black, and the same element at two resolutions.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPixmap>

#include "platform/canvas.h"
#include "draw_fixture.h"
#include "platform/picture.h"
#include "platform/recordingcanvas.h"

using namespace seal;
using namespace drawtest;
using platform::TPainterCanvas;

namespace {

// A pie of the arc element, outlined in the pen colour and filled with its brush.
std::unique_ptr<TSeal> Pie(float pixelsPerMm, platform::TColor pen, platform::TColor brush) {
  auto s = MakeSeal(stArc, pixelsPerMm, 10, 6);
  s->SetPenWidth(0.5f);
  s->SetTextAngle(0);
  s->SetCodeAngle(1800);
  s->SetTopOrDown(true);
  s->SetPenColor(pen);
  s->SetBrushColor(brush);
  s->SetBrushStyle(platform::bsSolid);
  return s;
}

QImage Drawn(TSeal& s, bool colourMode, platform::TColor background = platform::clWhite, int X = 10, int Y = 10) {
  QImage image = FilledImage(s.Width() + 2 * X, s.Height() + 2 * Y, background);
  TPainterCanvas canvas(&image);
  s.DrawTo(X, Y, &canvas, colourMode);
  return image;
}

}  // namespace

TEST(DrawTo, ColourModeDrawsTheElementsColours) {
  auto s = Pie(10, kRed, kGreen);
  const QImage image = Drawn(*s, true);
  EXPECT_GT(CountColor(image, kRed), 100);
  EXPECT_GT(CountColor(image, kGreen), 500) << "the upper half filled";
  EXPECT_EQ(CountColor(image, platform::clBlack), 0);
  EXPECT_EQ(s->PenColor(), kRed);
  EXPECT_EQ(s->BrushColor(), kGreen);
}

TEST(DrawTo, BlackModeDrawsPenAndFillBlackAndRestoresBothColours) {
  struct Case {
    platform::TColor pen, brush;
  } cases[] = {{kRed, kGreen}, {kRed, kRed}, {platform::clBlack, kGreen}, {kGrey, platform::clBlack}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.pen << " " << c.brush);
    auto s = Pie(10, c.pen, c.brush);
    const QImage image = Drawn(*s, false);
    const int ink = image.width() * image.height() - CountColor(image, platform::clWhite);
    EXPECT_GT(ink, 600);
    EXPECT_EQ(CountColor(image, platform::clBlack), ink) << "nothing but black";
    EXPECT_EQ(s->PenColor(), c.pen);
    EXPECT_EQ(s->BrushColor(), c.brush);
  }
}

TEST(DrawTo, AWhiteElementStaysWhiteInABlackDrawing) {
  auto s = Pie(10, platform::clWhite, platform::clWhite);
  const QImage image = Drawn(*s, false, kGrey);
  EXPECT_GT(CountColor(image, platform::clWhite), 600);
  EXPECT_EQ(CountColor(image, platform::clBlack), 0);
  EXPECT_EQ(s->PenColor(), platform::clWhite);

  auto line = MakeSeal(stHorzLine, 10, 20, 0.5f);
  line->SetPenColor(platform::clWhite);
  const QImage lineImage = Drawn(*line, false, kGrey);
  EXPECT_EQ(ColorBounds(lineImage, platform::clWhite), QRect(10, 10, 200, 5));
}

TEST(DrawTo, ABlackDrawingLeavesThePictureInTheSealColour) {
  auto s = MakeSeal(stAnyImage, 10, 2, 2);
  s->SetHaveImage(true);
  platform::TPicture picture;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(FilledImage(2, 2, platform::clBlack).save(&buffer, "BMP"));
  picture.LoadFromBytes(platform::TGraphicKind::Bitmap, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  s->SetPicture(&picture);
  ASSERT_NE(s->RecolourBitmap(), nullptr);
  platform::TRecordingCanvas canvas;
  s->DrawTo(0, 0, &canvas, false);
  EXPECT_EQ(s->RecolourBitmap()->Image().pixel(0, 0), platform::ToQRgb(kRed));
}

TEST(DrawTo, AKindOutsideTheRangeDrawsNothing) {
  for (int kind : {24, 25, 100, 255}) {
    SCOPED_TRACE(kind);
    auto s = MakeSeal(static_cast<TSealType>(kind), 10, 20, 20);
    EXPECT_EQ(InkBounds(Drawn(*s, true)), QRect());
    platform::TRecordingCanvas canvas;
    s->DrawTo(0, 0, &canvas, false);
    EXPECT_TRUE(canvas.Records().empty());
  }
}

TEST(DrawTo, TheSameElementAtTwoResolutionsHasTheSameMillimetreGeometry) {
  const auto make = [](TSealType kind, float ppm) {
    auto s = MakeSeal(kind, ppm, 10, 6);
    s->SetPenWidth(0.5f);
    if (kind == stAnyAngleLine) {
      s->SetTextAngle(1200);
      s->SetRealTextLength(12);
    }
    if (kind == stArc) {
      s->SetTextAngle(300);
      s->SetCodeAngle(2400);
    }
    return s;
  };
  for (TSealType kind : {stHorzLine, stVertLine, stAnyAngleLine, stArc}) {
    SCOPED_TRACE(int(kind));
    auto low = make(kind, 10), high = make(kind, 20);
    // Drawn at 2 mm from the image's corner in both.
    const QRect a = ColorBounds(Drawn(*low, true, platform::clWhite, 20, 20), kRed);
    const QRect b = ColorBounds(Drawn(*high, true, platform::clWhite, 40, 40), kRed);
    ASSERT_FALSE(a.isNull());
    EXPECT_NEAR(a.left(), b.left() / 2.0, 1);
    EXPECT_NEAR(a.top(), b.top() / 2.0, 1);
    EXPECT_NEAR(a.right() + 1, (b.right() + 1) / 2.0, 1);
    EXPECT_NEAR(a.bottom() + 1, (b.bottom() + 1) / 2.0, 1);
  }
}

TEST(Paint, TheControlPaintsItselfAtItsOrigin) {
  auto s = MakeSeal(stHorzLine, 10, 20, 0.5f);
  s->SetBounds(0, 0, s->Width(), s->Height());
  const QImage image = s->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(image.size(), QSize(200, 5));
  // A 5-pixel pen from (2, 2) to (197, 2): the round caps leave out the four corners.
  EXPECT_EQ(ColorBounds(image, kRed), QRect(0, 0, 200, 5));
  EXPECT_EQ(CountColor(image, kRed), 200 * 5 - 4);
}
