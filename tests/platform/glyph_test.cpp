// Glyph placement, size, rotation and outlines, measured with the box font whose every
// glyph fills its whole cell.

#include <gtest/gtest.h>

#include <QFontInfo>

#include "platform/canvas.h"
#include "canvas_fixture.h"
#include "platform/fonts.h"

using namespace platform;
using namespace canvastest;

namespace {

constexpr TColor kRed = 0x0000FF;

TLogFont BoxFont(int height, int width = 0, int escapement = 0) {
  TLogFont f;
  f.Height = height;
  f.Width = width;
  f.Escapement = escapement;
  f.Orientation = escapement;
  f.Quality = kProofQuality;
  f.SetFaceName(UnicodeToGbk(TestFontFamily()));
  return f;
}

QImage DrawText(const TLogFont& font, int x, int y, const std::string& gbk) {
  QImage image = WhiteImage(200, 200);
  TPainterCanvas canvas(&image);
  canvas.SetFont(font);
  canvas.SetBrushStyle(TBrushStyle::bsClear);
  canvas.SetFontColor(kRed);
  canvas.TextOut(x, y, gbk);
  return image;
}

}  // namespace

TEST(Glyphs, TheTestFontIsInstalled) { ASSERT_EQ(TestFontFamily(), "Brelvonix Test Boxes"); }

TEST(Glyphs, TheCellTopLeftLandsOnThePoint) {
  struct Case {
    int height, width;
    std::string text;
    QRect box;
  } cases[] = {
      {40, 0, Gbk("中"), QRect(30, 20, 40, 40)},
      {25, 0, Gbk("印"), QRect(30, 20, 25, 25)},
      {13, 0, Gbk("章"), QRect(30, 20, 13, 13)},
      {-40, 0, Gbk("国"), QRect(30, 20, 40, 40)},
      {40, 0, "A", QRect(30, 20, 20, 40)},
      {40, 0, Gbk("A中B"), QRect(30, 20, 80, 40)},
  };
  for (const Case& c : cases) {
    const QImage image = DrawText(BoxFont(c.height, c.width), 30, 20, c.text);
    SCOPED_TRACE(c.height);
    EXPECT_EQ(InkBounds(image), c.box);
    EXPECT_EQ(CountColor(image, kRed), c.box.width() * c.box.height()) << "a solid box, no antialiasing";
  }
}

TEST(Glyphs, WidthIsTheAverageCharacterWidth) {
  struct Case {
    int height, width;
    std::string text;
    int drawnWidth;
  } cases[] = {
      {40, 20, Gbk("中"), 40},  // full-width glyph made with half the width: as wide as tall
      {40, 10, Gbk("中"), 20},
      {40, 30, Gbk("中"), 60},
      {40, 20, "A", 20},
      {40, 10, "A", 10},
      {40, -20, Gbk("中"), 40},
  };
  for (const Case& c : cases) {
    const QImage image = DrawText(BoxFont(c.height, c.width), 30, 20, c.text);
    SCOPED_TRACE(c.width);
    EXPECT_EQ(InkBounds(image), QRect(30, 20, c.drawnWidth, 40));
  }
}

TEST(Glyphs, EscapementTurnsCounterClockwiseAboutTheCellTopLeft) {
  struct Case {
    int escapement;
    QRect box;
  } cases[] = {
      {0, QRect(100, 100, 40, 40)},
      {900, QRect(100, 60, 40, 40)},
      {1800, QRect(60, 60, 40, 40)},
      {2700, QRect(60, 100, 40, 40)},
      {-900, QRect(60, 100, 40, 40)},
  };
  for (const Case& c : cases) {
    const QImage image = DrawText(BoxFont(40, 0, c.escapement), 100, 100, Gbk("中"));
    SCOPED_TRACE(c.escapement);
    EXPECT_EQ(InkBounds(image), c.box);
  }
  // 45°: the cell's top-right corner goes up and right, its bottom-left down and right.
  const QRect tilted = InkBounds(DrawText(BoxFont(40, 0, 450), 100, 100, Gbk("中")));
  EXPECT_NEAR(tilted.left(), 100, 1);
  EXPECT_NEAR(tilted.right() + 1, 100 + 2 * 28.28, 1.5);
  EXPECT_NEAR(tilted.top(), 100 - 28.28, 1.5);
  EXPECT_NEAR(tilted.bottom() + 1, 100 + 28.28, 1.5);
}

TEST(Glyphs, RotationAppliesAfterTheHorizontalScale) {
  // A 20-wide, 40-tall cell turned a quarter: 40 wide, 20 tall, above the point.
  const QImage image = DrawText(BoxFont(40, 10, 900), 100, 100, Gbk("中"));
  EXPECT_EQ(InkBounds(image), QRect(100, 80, 40, 20));
}

TEST(Glyphs, OutlinesThickenByThePenWidth) {
  struct Case {
    int penWidth;
    QRect box;
  } cases[] = {
      {6, QRect(47, 47, 46, 46)},
      {4, QRect(48, 48, 44, 44)},
      {2, QRect(49, 49, 42, 42)},
  };
  for (const Case& c : cases) {
    QImage image = WhiteImage(150, 150);
    {
      TPainterCanvas canvas(&image);
      canvas.SetFont(BoxFont(40));
      canvas.SetBackgroundTransparent();
      canvas.SetPenColor(kRed);
      canvas.SetPenWidth(c.penWidth);
      canvas.BeginPath();
      canvas.SetBrushStyle(TBrushStyle::bsClear);
      canvas.TextOut(50, 50, Gbk("中"));
      canvas.SetBrushColor(kRed);
      canvas.EndPath();
      canvas.StrokeAndFillPath();
    }
    SCOPED_TRACE(c.penWidth);
    EXPECT_EQ(InkBounds(image), c.box);
    if (c.penWidth >= 4) {
      EXPECT_EQ(At(image, c.box.left(), c.box.top()), clWhite) << "round joins";
    }
    EXPECT_EQ(At(image, 70, 70), kRed) << "filled";
  }
}

TEST(Glyphs, HollowGlyphsAreEmptyInside) {
  for (int penWidth : {1, 3}) {
    QImage image = WhiteImage(150, 150);
    {
      TPainterCanvas canvas(&image);
      canvas.SetFont(BoxFont(40));
      canvas.SetPenColor(kRed);
      canvas.SetPenWidth(penWidth);
      canvas.BeginPath();
      canvas.SetBrushStyle(TBrushStyle::bsClear);
      canvas.TextOut(50, 50, Gbk("中"));
      canvas.EndPath();
      canvas.StrokeAndFillPath();
    }
    SCOPED_TRACE(penWidth);
    const QRect ink = InkBounds(image);
    EXPECT_NEAR(ink.left(), 50 - penWidth / 2, 1);
    EXPECT_NEAR(ink.right(), 89 + penWidth / 2, 1);
    for (int y = 53; y < 87; ++y)
      for (int x = 53; x < 87; ++x) ASSERT_EQ(At(image, x, y), clWhite) << x << "," << y;
    for (int x = 52; x < 88; ++x) EXPECT_EQ(At(image, x, 50), kRed) << x;
  }
}

TEST(Glyphs, OverlappingOutlinesFillByWinding) {
  QImage image = WhiteImage(150, 150);
  {
    TPainterCanvas canvas(&image);
    canvas.SetFont(BoxFont(40));
    canvas.SetPenColor(kRed);
    canvas.BeginPath();
    canvas.TextOut(50, 50, Gbk("中"));
    canvas.TextOut(70, 50, Gbk("中"));
    canvas.EndPath();
    canvas.SetBrushColor(kRed);
    canvas.StrokeAndFillPath();
  }
  EXPECT_EQ(At(image, 80, 70), kRed) << "the overlap is no hole";
  // The one-pixel pen paints the pixels the outline passes through: the outline's right
  // and bottom edges lie on the first pixels outside the cells.
  EXPECT_EQ(InkBounds(image), QRect(50, 50, 61, 41));
  EXPECT_EQ(CountColor(image, kRed), 61 * 41);
}

TEST(Glyphs, TextInAPathDrawsNothingUntilStroked) {
  QImage image = WhiteImage(100, 100);
  {
    TPainterCanvas canvas(&image);
    canvas.SetFont(BoxFont(40));
    canvas.BeginPath();
    canvas.TextOut(10, 10, Gbk("中"));
    canvas.EndPath();
  }
  EXPECT_TRUE(InkBounds(image).isNull());
}

TEST(Glyphs, BoldIsSynthesisedForAFaceWithoutIt) {
  TLogFont bold = BoxFont(40);
  bold.Weight = kFwBold;
  const QRect regular = InkBounds(DrawText(BoxFont(40), 50, 50, Gbk("中")));
  const QRect heavy = InkBounds(DrawText(bold, 50, 50, Gbk("中")));
  EXPECT_GT(heavy.width(), regular.width());
}

TEST(Fonts, FaceNamesMapThroughTheAliasTable) {
  struct Case {
    const char* face;
    const char* family;
  } cases[] = {
      {"宋体", "AR PL UMing CN"},     {"新宋体", "AR PL UMing CN"}, {"SimSun", "AR PL UMing CN"},
      {"黑体", "WenQuanYi Zen Hei"},  {"SimHei", "WenQuanYi Zen Hei"}, {"楷体", "AR PL UKai CN"},
      {"楷体_GB2312", "AR PL UKai CN"}, {"KaiTi", "AR PL UKai CN"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FaceFamily(Gbk(c.face)), QString::fromUtf8(c.family)) << c.face;
    TLogFont lf;
    lf.SetFaceName(Gbk(c.face));
    EXPECT_EQ(QFontInfo(RealizeFont(lf).Font).family(), QString::fromUtf8(c.family)) << c.face;
  }
  TLogFont unknown;
  unknown.SetFaceName(Gbk("无此字体"));
  EXPECT_EQ(QFontInfo(RealizeFont(unknown).Font).family(), FallbackFamily());
}

TEST(Fonts, TheRecordTakesTheFontApart) {
  TLogFont lf = BoxFont(40, 10, 450);
  lf.Italic = 1;
  lf.Weight = kFwBold;
  const TRealizedFont f = RealizeFont(lf);
  EXPECT_EQ(f.Font.pixelSize(), 40);
  EXPECT_DOUBLE_EQ(f.ScaleX, 0.5);
  EXPECT_DOUBLE_EQ(f.EscapementDegrees, 45.0);
  EXPECT_DOUBLE_EQ(f.BaselineOffset, 32.0);  // ascent 800 of an em of 1000
  EXPECT_TRUE(f.Font.italic());
  EXPECT_EQ(f.Font.weight(), QFont::Bold);
  EXPECT_TRUE(f.Font.styleStrategy() & QFont::NoAntialias);
  TLogFont zero;
  zero.Height = 0;
  EXPECT_EQ(RealizeFont(zero).Font.pixelSize(), kDefaultFontHeight);
}

TEST(Fonts, FaceNamesAreCutOnACharacterBoundary) {
  TLogFont lf;
  lf.SetFaceName(Gbk("一二三四五六七八九十一二三四五六七八九十"));  // 40 bytes
  EXPECT_EQ(lf.FaceName, Gbk("一二三四五六七八九十一二三四五"));  // 30: the 16th would cross 31
  lf.SetFaceName(std::string("Abc\0def", 7));
  EXPECT_EQ(lf.FaceName, "Abc");
  lf.SetFaceName(std::string(40, 'x'));
  EXPECT_EQ(lf.FaceName.size(), kMaxFaceNameBytes);
}

TEST(Fonts, RealFacesDrawInsideTheirCell) {
  for (const char* face : {"宋体", "黑体", "楷体"}) {
    TLogFont lf;
    lf.Height = 100;
    lf.SetFaceName(Gbk(face));
    QImage image = WhiteImage(300, 300);
    {
      TPainterCanvas canvas(&image);
      canvas.SetFont(lf);
      canvas.SetBrushStyle(TBrushStyle::bsClear);
      canvas.TextOut(100, 100, Gbk("国"));
    }
    const QRect ink = InkBounds(image);
    SCOPED_TRACE(face);
    ASSERT_FALSE(ink.isNull());
    EXPECT_TRUE(QRect(95, 95, 110, 110).contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width() << "x"
                                                     << ink.height();
    EXPECT_GT(ink.width(), 60);
    EXPECT_GT(ink.height(), 60);
    EXPECT_EQ(CountColor(image, clBlack) + CountColor(image, clWhite), 300 * 300);
  }
}
