// The glyph primitives: the font record made for a glyph, where and how large the glyph
// lands (measured with the box font, whose every glyph fills its cell), and the colours
// and fills of the plain and outline cases.

#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "draw_fixture.h"
#include "seal/draw_routines.h"
#include "platform/gbk.h"
#include "platform/recordingcanvas.h"

using namespace seal;
using namespace drawtest;
using platform::TBrushStyle;
using platform::TPainterCanvas;
using platform::TRecordingCanvas;

namespace {

// A glyph of the box font made as a layout makes it, drawn at (x, y) on a white image.
QImage DrawBox(const std::string& gbkChar, int width, int height, int escapement, int penWidth, bool hollow, int x,
               int y, int size = 200) {
  QImage image = FilledImage(size, size);
  TPainterCanvas canvas(&image);
  const TCanvasFontKeeper keep(canvas);
  DrawFontGlyph(canvas, x, y,
                CreateSealFont(width, height, escapement, TestFace(), 400, IsDoubleByteChar(gbkChar), false),
                penWidth, hollow, kRed, platform::bsClear, gbkChar, false);
  return image;
}

}  // namespace

TEST(SealFont, TheRecordIsFilledCompletely) {
  const TFaceName face = FaceName("黑体");
  const platform::TLogFont f = CreateSealFont(30, 45, 1350, face, 700, false, true);
  EXPECT_EQ(f.Height, 45);
  EXPECT_EQ(f.Width, 30);
  EXPECT_EQ(f.Escapement, 1350);
  EXPECT_EQ(f.Orientation, 1350);
  EXPECT_EQ(f.Weight, 700);
  EXPECT_EQ(f.Italic, 1);
  EXPECT_EQ(f.Underline, 0);
  EXPECT_EQ(f.StrikeOut, 0);
  EXPECT_EQ(f.CharSet, 1);
  EXPECT_EQ(f.OutPrecision, 0);
  EXPECT_EQ(f.ClipPrecision, 0);
  EXPECT_EQ(f.Quality, 2);
  EXPECT_EQ(f.PitchAndFamily, 2);
  EXPECT_EQ(f.FaceName, platform::Gbk("黑体"));
  EXPECT_EQ(CreateSealFont(30, 45, 0, face, 400, false, false).Italic, 0);
}

TEST(SealFont, AFullWidthCharacterTakesHalfTheWidthRoundedToEven) {
  struct Case {
    int width;
    bool doubleByte;
    int recordWidth;
  } cases[] = {
      {5, true, 2}, {7, true, 4}, {1, true, 0}, {3, true, 2}, {40, true, 20}, {0, true, 0},
      {5, false, 5}, {7, false, 7}, {1, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << (c.doubleByte ? " double" : " single"));
    EXPECT_EQ(CreateSealFont(c.width, 40, 0, FaceName("宋体"), 400, c.doubleByte, false).Width, c.recordWidth);
  }
}

TEST(SealFont, TheFaceNameEndsAtItsTerminatorAndFitsTheRecord) {
  TFaceName face{};
  face.fill('x');
  face[40] = '\0';
  EXPECT_EQ(CreateSealFont(10, 10, 0, face, 400, false, false).FaceName, std::string(31, 'x'));
  EXPECT_EQ(CreateSealFont(10, 10, 0, FaceName("楷体_GB2312"), 400, false, false).FaceName,
            platform::Gbk("楷体_GB2312"));
}

TEST(SealFont, DoubleByteCharacters) {
  EXPECT_TRUE(IsDoubleByteChar(platform::Gbk("中")));
  EXPECT_TRUE(IsDoubleByteChar(platform::Gbk("Ａ")));
  EXPECT_FALSE(IsDoubleByteChar("A"));
  EXPECT_FALSE(IsDoubleByteChar("7"));
  const std::string text = platform::Gbk("中A国7");
  const std::vector<std::string_view> glyphs = SplitGlyphs(text);
  ASSERT_EQ(glyphs.size(), 4u);
  EXPECT_EQ(glyphs[0], platform::Gbk("中"));
  EXPECT_EQ(glyphs[1], "A");
  EXPECT_EQ(glyphs[3], "7");
}

TEST(GlyphPixels, TheTestFontIsInstalled) { ASSERT_EQ(TestFontFamily(), "Brelvonix Test Boxes"); }

TEST(GlyphPixels, TheCellTopLeftLandsOnThePointAtTheRequestedSize) {
  struct Case {
    std::string text;
    int width, height, x, y;
    QRect box;
  } cases[] = {
      {platform::Gbk("中"), 40, 40, 30, 20, QRect(30, 20, 40, 40)},
      {platform::Gbk("印"), 24, 36, 50, 60, QRect(50, 60, 24, 36)},
      {platform::Gbk("章"), 5, 10, 7, 9, QRect(7, 9, 4, 10)},  // width 5 makes 2, twice that is 4
      {platform::Gbk("国"), 7, 10, 7, 9, QRect(7, 9, 8, 10)},  // width 7 makes 4
      {"A", 20, 40, 30, 20, QRect(30, 20, 20, 40)},
      {"7", 12, 30, 100, 100, QRect(100, 100, 12, 30)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::GbkToUnicode(c.text).toStdString());
    const QImage image = DrawBox(c.text, c.width, c.height, 0, 0, false, c.x, c.y);
    EXPECT_EQ(ColorBounds(image, kRed), c.box);
    EXPECT_EQ(CountColor(image, kRed), c.box.width() * c.box.height());
  }
}

TEST(GlyphPixels, RotationTurnsCounterClockwiseAboutTheCellTopLeft) {
  struct Case {
    int escapement;
    QRect box;
  } cases[] = {
      {0, QRect(100, 100, 40, 30)},
      {900, QRect(100, 60, 30, 40)},    // the cell's top edge points up
      {1800, QRect(60, 70, 40, 30)},    // upside down, to the left of and above the point
      {2700, QRect(70, 100, 30, 40)},   // the top edge points down
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.escapement);
    // A full-width glyph 40 wide and 30 tall.
    const QImage image = DrawBox(platform::Gbk("中"), 40, 30, c.escapement, 0, false, 100, 100);
    const QRect ink = ColorBounds(image, kRed);
    EXPECT_NEAR(ink.left(), c.box.left(), 1);
    EXPECT_NEAR(ink.top(), c.box.top(), 1);
    EXPECT_NEAR(ink.width(), c.box.width(), 1);
    EXPECT_NEAR(ink.height(), c.box.height(), 1);
  }
}

TEST(GlyphPixels, OutlinesThickenByThePenWidthAndHollowGlyphsAreEmpty) {
  struct Case {
    int penWidth;
    bool hollow;
    QRect box;
    bool inkAtCentre;
  } cases[] = {
      {0, false, QRect(50, 50, 40, 40), true},   // plain text
      {4, false, QRect(48, 48, 44, 44), true},   // half the pen on every side
      {6, false, QRect(47, 47, 46, 46), true},
      {0, true, QRect(50, 50, 41, 41), false},   // a one-pixel outline along the cell's edges
      {4, true, QRect(48, 48, 44, 44), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pen " << c.penWidth << (c.hollow ? " hollow" : ""));
    const QImage image = DrawBox(platform::Gbk("中"), 40, 40, 0, c.penWidth, c.hollow, 50, 50);
    EXPECT_EQ(ColorBounds(image, kRed), c.box);
    EXPECT_EQ(At(image, 70, 70) == kRed, c.inkAtCentre);
    if (c.hollow) {
      const int ring = std::max(c.penWidth / 2, 1);
      EXPECT_EQ(InkBounds(image.copy(QRect(50, 50, 40, 40).adjusted(ring, ring, -ring, -ring))), QRect());
    }
  }
}

TEST(GlyphPixels, ACellWithoutHeightDrawsNothingAndTheCanvasFontComesBack) {
  QImage image = FilledImage(100, 100);
  TPainterCanvas canvas(&image);
  platform::TLogFont before;
  before.Height = 17;
  canvas.SetFont(before);
  {
    const TCanvasFontKeeper keep(canvas);
    for (int pw : {0, 2})
      DrawFontGlyph(canvas, 10, 10, CreateSealFont(20, 0, 0, TestFace(), 400, true, false), pw, false, kRed,
                    platform::bsClear, platform::Gbk("中"), false);
    DrawFontGlyph(canvas, 10, 10, CreateSealFont(20, 20, 0, TestFace(), 400, true, false), 0, false, kRed,
                  platform::bsClear, platform::Gbk("中"), false);
    EXPECT_EQ(canvas.Font().Height, 20);
  }
  EXPECT_EQ(canvas.Font(), before);
  EXPECT_EQ(ColorBounds(image, kRed), QRect(10, 10, 20, 20)) << "only the glyph with a height";
}

// Colour C is white on anything but a clear brush and on the frame; the plain case is
// text in C, the outline case a path stroked in C and filled by the table's brush.
TEST(GlyphColours, StyleOnFrameHollowAndPenWidth) {
  constexpr TColor W = platform::clWhite, R = kRed;
  struct Case {
    TBrushStyle style;
    bool onFrame, hollow;
    int pw;
    // The plain case: the font colour. The outline case: the pen and the brush.
    bool plain;
    TColor colour;
    TBrushStyle fill;
  } cases[] = {
      {platform::bsClear, false, false, 0, true, R, platform::bsClear},
      {platform::bsClear, false, false, 3, false, R, platform::bsSolid},
      {platform::bsClear, false, true, 0, false, R, platform::bsClear},
      {platform::bsClear, false, true, 3, false, R, platform::bsClear},
      {platform::bsClear, true, false, 0, true, W, platform::bsClear},
      {platform::bsClear, true, false, 3, false, W, platform::bsSolid},
      {platform::bsClear, true, true, 0, false, W, platform::bsClear},
      {platform::bsClear, true, true, 3, false, W, platform::bsClear},
      {platform::bsSolid, false, false, 0, true, W, platform::bsClear},
      {platform::bsSolid, false, false, 3, false, W, platform::bsSolid},
      {platform::bsSolid, false, true, 0, false, W, platform::bsClear},
      {platform::bsSolid, false, true, 3, false, W, platform::bsClear},
      {platform::bsSolid, true, false, 0, true, W, platform::bsClear},
      {platform::bsSolid, true, false, 3, false, W, platform::bsSolid},
      {platform::bsSolid, true, true, 0, false, W, platform::bsClear},
      {platform::bsSolid, true, true, 3, false, W, platform::bsClear},
      {platform::bsCross, false, false, 0, true, W, platform::bsClear},
      {platform::bsCross, false, false, 3, false, W, platform::bsCross},
      {platform::bsCross, false, true, 0, false, W, platform::bsClear},
      {platform::bsCross, false, true, 3, false, W, platform::bsClear},
      {platform::bsCross, true, false, 0, true, W, platform::bsClear},
      {platform::bsCross, true, false, 3, false, W, platform::bsSolid},
      {platform::bsCross, true, true, 0, false, W, platform::bsClear},
      {platform::bsCross, true, true, 3, false, W, platform::bsClear},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << int(c.style) << " frame " << c.onFrame << " hollow " << c.hollow
                                    << " pw " << c.pw);
    TRecordingCanvas canvas;
    canvas.SetFont(CreateSealFont(20, 20, 0, FaceName("宋体"), 400, true, false));
    canvas.SetPenColor(kGreen);
    canvas.SetBrushColor(kGreen);
    DrawGlyph(canvas, 11, 12, c.pw, c.hollow, R, kGreen, c.style, platform::Gbk("印"), c.onFrame);
    const auto& r = canvas.Records();
    if (c.plain) {
      ASSERT_EQ(r.size(), 1u);
      EXPECT_EQ(r[0].Op, "TextOut");
      EXPECT_EQ(r[0].Args, (std::vector<int>{11, 12}));
      EXPECT_EQ(r[0].FontColor, c.colour);
      EXPECT_TRUE(r[0].TransparentBackground);
      EXPECT_EQ(r[0].Brush.Style, c.fill);
      continue;
    }
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].Op, "BeginPath");
    EXPECT_EQ(r[1].Op, "TextOut");
    EXPECT_EQ(r[1].Args, (std::vector<int>{11, 12}));
    EXPECT_EQ(r[2].Op, "EndPath");
    EXPECT_EQ(r[3].Op, "StrokeAndFillPath");
    EXPECT_EQ(r[3].Pen.Width, c.pw);
    EXPECT_EQ(r[3].Pen.Color, c.colour);
    EXPECT_EQ(r[3].Brush.Style, c.fill);
    if (c.fill != platform::bsClear) {
      EXPECT_EQ(r[3].Brush.Color, c.colour);
    }
  }
}
