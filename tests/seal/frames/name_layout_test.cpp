// Name-seal layouts: the cell of every character in the nine layouts, their capacities,
// the large cell and the one-pixel shift, pinned through the recording canvas, and the
// glyphs measured with the box font, whose every glyph fills its cell.

#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "seal/draw_routines.h"
#include "frame_fixture.h"
#include "platform/gbk.h"

using namespace framestest;
using platform::bsClear;
using platform::bsSolid;
using platform::Gbk;
using platform::TBrushStyle;
using platform::TPainterCanvas;
using platform::TRecordingCanvas;

namespace {

using TLayout = void (*)(int, int, platform::TCanvas&, platform::TColor, platform::TColor, TBrushStyle,
                         const seal::TNameSealText&);

seal::TNameSealText Text(int W, int bw, int tw, int tw1, const std::string& utf8) {
  seal::TNameSealText t;
  t.face = TestFace();
  t.W = t.H = W;
  t.bw = t.bh = bw;
  t.tw = t.th = tw;
  t.tw1 = t.th1 = tw1;
  t.text = Gbk(utf8);
  return t;
}

// "x y text height width" of every glyph drawn.
std::vector<std::string> Cells(const TRecordingCanvas& rec) {
  std::vector<std::string> out;
  for (const platform::TCanvasRecord& r : OfOp(rec, "TextOut"))
    out.push_back(std::to_string(r.Args[0]) + " " + std::to_string(r.Args[1]) + " " +
                  platform::GbkToUnicode(r.Text).toStdString() + " " + std::to_string(r.Font.Height) + " " +
                  std::to_string(r.Font.Width));
  return out;
}

std::vector<std::string> Record(TLayout layout, const seal::TNameSealText& t, TBrushStyle style = bsClear) {
  TRecordingCanvas rec;
  layout(0, 0, rec, kRed, kRed, style, t);
  return Cells(rec);
}

QImage Draw(TLayout layout, const seal::TNameSealText& t, TBrushStyle style = bsClear) {
  QImage image = WhiteImage(t.W, t.H);
  TPainterCanvas canvas(&image);
  layout(0, 0, canvas, kRed, kRed, style, t);
  return image;
}

}  // namespace

TEST(NameLayouts, TwoByTwoCellsRoundHalvesToEven) {
  // Centre 100, block 155, glyph 80: right column 100 + 77.5 - 80 - 1 = 96.5, left
  // 100 - 77.5 - 1 = 21.5; the halves go to 96 and 22.
  const seal::TNameSealText t = Text(200, 155, 80, 0, "中国印章");
  EXPECT_EQ(Record(seal::DrawName22Text, t),
            (std::vector<std::string>{"96 22 中 80 40", "96 96 国 80 40", "22 22 印 80 40", "22 96 章 80 40"}));

  const QRect cells[] = {{96, 22, 80, 80}, {96, 96, 80, 80}, {22, 22, 80, 80}, {22, 96, 80, 80}};
  const char* prefixes[] = {"中", "中国", "中国印", "中国印章"};
  QRect all;
  for (int n = 0; n < 4; ++n) {
    seal::TNameSealText part = t;
    part.text = Gbk(prefixes[n]);
    const QImage image = Draw(seal::DrawName22Text, part);
    all = all.united(cells[n]);
    EXPECT_EQ(InkBounds(image), all) << n;
    EXPECT_EQ(ColorBounds(image, kRed), all) << n;
    int red = 0;
    for (int y = cells[n].top(); y <= cells[n].bottom(); ++y)
      for (int x = cells[n].left(); x <= cells[n].right(); ++x) red += At(image, x, y) == kRed;
    EXPECT_EQ(red, 80 * 80) << "glyph " << n << " fills its cell";
  }
}

TEST(NameLayouts, CapacityAndShortTexts) {
  const seal::TNameSealText five = Text(200, 155, 80, 0, "中国印章公");
  EXPECT_EQ(Record(seal::DrawName22Text, five).size(), 4u);
  EXPECT_EQ(Record(seal::DrawName22Text, five).back(), "22 96 章 80 40");
  EXPECT_EQ(Record(seal::DrawName22Text, Text(200, 155, 80, 0, "中国")),
            (std::vector<std::string>{"96 22 中 80 40", "96 96 国 80 40"}));
  EXPECT_TRUE(Record(seal::DrawName22Text, Text(200, 155, 80, 0, "")).empty());
  EXPECT_EQ(Record(seal::DrawName11Text, five).size(), 2u);
  EXPECT_EQ(Record(seal::DrawName111Text, five).size(), 3u);
  EXPECT_EQ(Record(seal::DrawName12AText, Text(200, 150, 40, 80, "中国印章公")).size(), 3u);
}

TEST(NameLayouts, CellsOfEveryLayout) {
  // Element 200, centre 100, block 150, glyph 40, large glyph 80.
  struct Case {
    const char* name;
    TLayout layout;
    std::vector<std::string> cells;
  } cases[] = {
      {"22", seal::DrawName22Text, {"134 24 中 40 20", "134 134 国 40 20", "24 24 印 40 20", "24 134 章 40 20"}},
      // Steps of (150 - 40) / 3 = 36.67 from 25: 61.67, 98.33, 135.
      {"4", seal::DrawName4Text, {"25 80 中 40 20", "62 80 国 40 20", "98 80 印 40 20", "135 80 章 40 20"}},
      {"12", seal::DrawName12Text, {"134 24 中 40 20", "134 134 国 40 20", "24 59 印 80 40"}},
      {"12A", seal::DrawName12AText, {"59 24 中 80 40", "134 134 国 40 20", "24 134 印 40 20"}},
      {"21", seal::DrawName21Text, {"24 24 中 40 20", "24 134 国 40 20", "94 59 印 80 40"}},
      {"21A", seal::DrawName21AText, {"134 24 中 40 20", "24 24 国 40 20", "59 94 印 80 40"}},
      {"11", seal::DrawName11Text, {"25 80 中 40 20", "135 80 国 40 20"}},
      {"11A", seal::DrawName11AText, {"80 25 中 40 20", "80 135 国 40 20"}},
      {"111", seal::DrawName111Text, {"25 80 中 40 20", "80 80 国 40 20", "135 80 印 40 20"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Record(c.layout, Text(200, 150, 40, 80, "中国印章")), c.cells) << c.name;
}

TEST(NameLayouts, RowOfFourWithoutFreeWidthStacksOnOneSpot) {
  EXPECT_EQ(Record(seal::DrawName4Text, Text(200, 40, 40, 0, "中国印章")),
            (std::vector<std::string>{"80 80 中 40 20", "80 80 国 40 20", "80 80 印 40 20", "80 80 章 40 20"}));
}

TEST(NameLayouts, BlockOffsetAndOriginMoveEveryCell) {
  seal::TNameSealText t = Text(200, 150, 40, 80, "中国印");
  t.cx = 7;
  t.cy = -3;
  TRecordingCanvas rec;
  seal::DrawName111Text(10, 20, rec, kRed, kRed, bsClear, t);
  EXPECT_EQ(Cells(rec), (std::vector<std::string>{"42 97 中 40 20", "97 97 国 40 20", "152 97 印 40 20"}));
}

TEST(NameLayouts, TwoCharactersSideBySide) {
  // Left 100 - 77.5 = 22.5 -> 22, right 100 + 77.5 - 80 = 97.5 -> 98, top 100 - 40 = 60.
  const seal::TNameSealText t = Text(200, 155, 80, 0, "中国");
  EXPECT_EQ(Record(seal::DrawName11Text, t), (std::vector<std::string>{"22 60 中 80 40", "98 60 国 80 40"}));
  EXPECT_EQ(InkBounds(Draw(seal::DrawName11Text, t)), QRect(22, 60, 156, 80));
  // The cells overlap by 4 columns.
  EXPECT_EQ(CountColor(Draw(seal::DrawName11Text, t), kRed), 2 * 80 * 80 - 4 * 80);
}

TEST(NameLayouts, LatinLetterGetsTheFullWidthAndComesOutAsWide) {
  const seal::TNameSealText t = Text(200, 155, 80, 0, "A中");
  EXPECT_EQ(Record(seal::DrawName11Text, t), (std::vector<std::string>{"22 60 A 80 80", "98 60 中 80 40"}));
  const QImage image = Draw(seal::DrawName11Text, t);
  EXPECT_EQ(ColorBounds(image, kRed), QRect(22, 60, 156, 80));
  ExpectRuns(RowRuns(image, 100), {{kWhite, 0, 21}, {kRed, 22, 177}, {kWhite, 178, 199}});
}

TEST(NameLayouts, FontRecordAndColours) {
  seal::TNameSealText t = Text(200, 155, 80, 0, "中");
  t.weight = 400;
  t.italic = true;
  {
    TRecordingCanvas rec;
    seal::DrawName22Text(0, 0, rec, kRed, 0x00FF00, bsClear, t);
    const auto texts = OfOp(rec, "TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Font.Weight, 400);
    EXPECT_EQ(texts[0].Font.Italic, 1);
    EXPECT_EQ(texts[0].Font.Escapement, 0);
    EXPECT_EQ(texts[0].FontColor, kRed);
    EXPECT_TRUE(texts[0].TransparentBackground);
  }
  {
    TRecordingCanvas rec;
    seal::DrawName22Text(0, 0, rec, kRed, kRed, bsSolid, t);
    EXPECT_EQ(OfOp(rec, "TextOut").at(0).FontColor, kWhite) << "white characters on a negative seal";
  }
}

TEST(NameLayouts, HollowAndStrokedCharactersAreOutlines) {
  seal::TNameSealText t = Text(200, 155, 80, 0, "中");
  t.blank = true;
  TRecordingCanvas rec;
  seal::DrawName22Text(0, 0, rec, kRed, kRed, bsClear, t);
  std::vector<std::string> ops;
  for (const auto& r : rec.Records()) ops.push_back(r.Op);
  EXPECT_EQ(ops, (std::vector<std::string>{"BeginPath", "TextOut", "EndPath", "StrokeAndFillPath"}));
  EXPECT_EQ(rec.Records().back().Brush.Style, bsClear);
  EXPECT_EQ(rec.Records().back().Pen.Color, kRed);

  // A one-pixel outline along the cell (96, 22, 80, 80): the inside stays white.
  const QImage image = Draw(seal::DrawName22Text, t);
  EXPECT_EQ(At(image, 136, 62), kWhite);
  EXPECT_EQ(At(image, 96, 62), kRed);
  EXPECT_EQ(At(image, 136, 22), kRed);
  EXPECT_NEAR(CountColor(image, kRed), 4 * 80, 8);

  t.blank = false;
  t.pw = 6;
  const QImage stroked = Draw(seal::DrawName22Text, t);
  EXPECT_EQ(ColorBounds(stroked, kRed), QRect(93, 19, 86, 86));
}

TEST(NameLayouts, LoneLeadByteIsOneGlyphShownSafely) {
  seal::TNameSealText t = Text(200, 155, 80, 0, "中国");
  t.text += '\x81';
  EXPECT_EQ(Record(seal::DrawName22Text, t),
            (std::vector<std::string>{"96 22 中 80 40", "96 96 国 80 40", "22 22 ? 80 80"}));
  const QImage image = Draw(seal::DrawName22Text, t);
  EXPECT_EQ(ColorBounds(image, kRed), QRect(22, 22, 154, 154));
}

TEST(NameLayouts, CanvasFontComesBack) {
  TRecordingCanvas rec;
  platform::TLogFont before;
  before.Height = 33;
  rec.SetFont(before);
  seal::DrawName12Text(0, 0, rec, kRed, kRed, bsClear, Text(200, 150, 40, 80, "中国印"));
  EXPECT_EQ(rec.Font(), before);
}
