// Every frame shape, name layout, star, table and emblem on one sheet, positive and
// negative, written as frames_contact_sheet.png into the test data folder for looking at;
// each tile must hold ink in the seal colour and none outside it.

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <functional>

#include "platform/canvas.h"
#include "seal/draw_routines.h"
#include "frame_fixture.h"
#include "platform/gbk.h"

using namespace framestest;
using platform::bsClear;
using platform::bsSolid;
using platform::TBrushStyle;
using platform::TCanvas;

namespace {

constexpr int kTile = 220;
constexpr int kInset = 10;
constexpr int kSize = kTile - 2 * kInset;  // a 20 mm element at 10 px/mm

using TDraw = std::function<void(int X, int Y, TCanvas&, TBrushStyle)>;

seal::TFaceName SheetFace() {
  // A real Chinese face when the system has one, else the box font.
  const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
  for (const QString& f : {QStringLiteral("AR PL UKai CN"), QStringLiteral("WenQuanYi Zen Hei Mono")})
    if (families.contains(f)) {
      seal::TFaceName face{};
      const std::string gbk = platform::UnicodeToGbk(f);
      std::copy_n(gbk.begin(), std::min(gbk.size(), face.size() - 1), face.begin());
      return face;
    }
  return TestFace();
}

TDraw Frame(seal::TFrameType type) {
  return [type](int X, int Y, TCanvas& c, TBrushStyle s) {
    seal::DrawNameSealFrame(X, Y, c, kRed, kRed, s, kSize, kSize, 8, 3, 2, 6, 20, 40, type);
  };
}

TDraw Name(seal::TNameSealText (*make)(), void (*layout)(int, int, TCanvas&, platform::TColor, platform::TColor,
                                                         TBrushStyle, const seal::TNameSealText&)) {
  return [make, layout](int X, int Y, TCanvas& c, TBrushStyle s) {
    seal::DrawNameSealFrame(X, Y, c, kRed, kRed, s, kSize, kSize, 8, 0, 0, 0, 0, 0, seal::ftRectangle);
    layout(X, Y, c, kRed, kRed, s, make());
  };
}

seal::TNameSealText NameText() {
  seal::TNameSealText t;
  // The large character of the mixed layouts fills its half of the block.
  t.face = SheetFace();
  t.W = t.H = kSize;
  t.bw = t.bh = 170;
  t.tw = t.th = 80;
  t.tw1 = 85;
  t.th1 = 170;
  t.text = platform::Gbk("中国印章");
  return t;
}

seal::TNameSealText WideLarge() {
  seal::TNameSealText t = NameText();
  t.tw1 = 170;
  t.th1 = 85;
  return t;
}

}  // namespace

TEST(ContactSheet, EveryShapeAndLayoutPositiveAndNegative) {
  const std::vector<std::pair<const char*, TDraw>> pieces = {
      {"rectangle", Frame(seal::ftRectangle)},
      {"round rectangle", Frame(seal::ftRoundRect)},
      {"octagon", Frame(seal::ftDiamond)},
      {"ellipse", Frame(seal::ftEllipse)},
      {"ellipse frame",
       [](int X, int Y, TCanvas& c, TBrushStyle s) {
         seal::DrawEllipseFrame(X, Y, c, kRed, kRed, s, kSize, kSize * 3 / 4, 8, 3, 2, 6, 20);
         seal::DrawEmblem(X, Y, c, kRed, kRed, s, "", kSize, kSize * 3 / 4, 60, 60, 3, 0, 0, nullptr, true, true);
       }},
      {"triangle",
       [](int X, int Y, TCanvas& c, TBrushStyle s) {
         seal::DrawTriangleFrame(X, Y, c, kRed, kRed, s, kSize, kSize * 3 / 4, 8, 3, 2, 6, 20);
       }},
      {"rhomb",
       [](int X, int Y, TCanvas& c, TBrushStyle s) {
         seal::DrawRhombFrame(X, Y, c, kRed, kRed, s, kSize, kSize * 3 / 4, 8, 3, 2, 6, 20);
       }},
      {"five star",
       [](int X, int Y, TCanvas& c, TBrushStyle s) { seal::DrawFiveStar(X, Y, c, kSize, kSize, 4, kRed, kRed, s); }},
      {"cells", [](int X, int Y, TCanvas& c,
                   TBrushStyle s) { seal::DrawCells(X, Y, c, kRed, kRed, s, kSize, kSize * 2 / 3, 4, 3, 6, 2); }},
      {"22", Name(NameText, seal::DrawName22Text)},
      {"4", Name(
                [] {
                  seal::TNameSealText t = NameText();
                  t.tw = 40;
                  return t;
                },
                seal::DrawName4Text)},
      {"12", Name(NameText, seal::DrawName12Text)},
      {"12A", Name(WideLarge, seal::DrawName12AText)},
      {"21", Name(NameText, seal::DrawName21Text)},
      {"21A", Name(WideLarge, seal::DrawName21AText)},
      {"11", Name(NameText, seal::DrawName11Text)},
      {"11A", Name(NameText, seal::DrawName11AText)},
      {"111", Name(
                  [] {
                    seal::TNameSealText t = NameText();
                    t.tw = 50;
                    return t;
                  },
                  seal::DrawName111Text)},
  };
  const int columns = 6;
  const int rowsPerStyle = (static_cast<int>(pieces.size()) + columns - 1) / columns;
  QImage sheet = WhiteImage(columns * kTile, 2 * rowsPerStyle * kTile);
  {
    platform::TPainterCanvas canvas(&sheet);
    for (int style = 0; style < 2; ++style)
      for (size_t i = 0; i < pieces.size(); ++i) {
        const int X = static_cast<int>(i % columns) * kTile + kInset;
        const int Y = (style * rowsPerStyle + static_cast<int>(i / columns)) * kTile + kInset;
        pieces[i].second(X, Y, canvas, style == 0 ? bsClear : bsSolid);
      }
  }
  const QString dir = qEnvironmentVariable("BRELVONIX_TEST_DATA", QStringLiteral("."));
  EXPECT_TRUE(sheet.save(dir + QStringLiteral("/frames_contact_sheet.png")));

  for (int style = 0; style < 2; ++style)
    for (size_t i = 0; i < pieces.size(); ++i) {
      const QRect tile(static_cast<int>(i % columns) * kTile,
                       (style * rowsPerStyle + static_cast<int>(i / columns)) * kTile, kTile, kTile);
      const QRect ink = ColorBounds(sheet.copy(tile), kRed);
      SCOPED_TRACE(std::string(pieces[i].first) + (style ? " negative" : " positive"));
      ASSERT_FALSE(ink.isNull());
      EXPECT_GE(ink.left(), kInset - 1);
      EXPECT_GE(ink.top(), kInset - 1);
      EXPECT_LE(ink.right(), kTile - kInset);
      EXPECT_LE(ink.bottom(), kTile - kInset);
    }
}
