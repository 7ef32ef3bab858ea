// Whole elements drawn through the element's own draw-to entry point at 10 px/mm and zoom
// 100: the positive and negative look of every frame kind, hollow characters, the emblem
// star and picture, and the picture element filling its box.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "platform/canvas.h"
#include "frame_fixture.h"
#include "platform/gbk.h"
#include "platform/picture.h"
#include "seal/seal.h"

using namespace framestest;
using platform::bsClear;
using platform::bsSolid;
using platform::TBrushStyle;
using platform::TPainterCanvas;
using platform::TRecordingCanvas;
using seal::TSeal;

namespace {

constexpr platform::TColor kBlue = 0xFF0000;

// A 20 x 20 mm element (200 px): outer border 1 mm, second border 0.4 mm at a gap of
// 0.5 mm, no third border, no code, cut lines or centre band; name seals carry two
// characters of 8 mm in a 15.5 mm block.
std::unique_ptr<TSeal> MakeSeal(seal::TSealType kind, TBrushStyle style) {
  auto s = std::make_unique<TSeal>();
  s->SetPixelsPerMm(10);
  s->SetZoom(100);
  s->SetSealType(kind);
  s->SetRealWidth(20);
  s->SetRealHeight(20);
  s->SetPenWidth(1);
  s->SetPenWidth1(0.4f);
  s->SetPenWidth2(0);
  s->SetOutInDelta(0.5f);
  s->SetInDelta(0);
  s->SetLineCount(0);
  s->SetCode("");
  s->SetCLWidth(0);
  s->SetCLHeight(0);
  s->SetBrushStyle(style);
  s->SetTextFontName(TestFace());
  s->SetTextsWidth(15.5f);
  s->SetTextsHeight(15.5f);
  s->SetTextWidth(8);
  s->SetTextHeight(8);
  s->SetTextWidth1(8);
  s->SetTextHeight1(8);
  s->SetText(kind <= seal::stName111 ? platform::Gbk("中国") : std::string());
  return s;
}

QImage Draw(TSeal& s, platform::TColor background = kWhite) {
  QImage image = WhiteImage(s.Width(), s.Height());
  image.fill(platform::ToQRgb(background));
  TPainterCanvas canvas(&image);
  s.DrawTo(0, 0, &canvas, true);
  return image;
}

// A bitmap picture: black where the predicate holds, white elsewhere.
template <class TBlack>
void LoadPicture(platform::TPicture& picture, int w, int h, TBlack black) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, black(x, y) ? 0xFF000000u : 0xFFFFFFFFu);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  picture.LoadFromBytes(platform::TGraphicKind::Bitmap, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace

TEST(Elements, PositiveAndNegativeFramesOfEveryFrameKind) {
  // Along the middle row (the middle column for the triangle, whose base is the top edge):
  // the outer border, the gap, the second border and the inside.
  struct Probe {
    QPoint outer, gap, second, inside;
  };
  const Probe straight{{5, 100}, {12, 100}, {16, 100}, {20, 20}};
  const Probe elliptic{{5, 100}, {12, 100}, {16, 100}, {40, 100}};
  // alpha = atan(1 / 2): insets of 5 and 4 at the apex column are 5 and 4 down.
  const Probe triangle{{99, 5}, {99, 12}, {99, 16}, {99, 40}};
  // 45 degrees: insets round(10 / 0.707) = 14, round(5 / 0.707) = 7, round(4 / 0.707) = 6.
  const Probe rhomb{{5, 99}, {17, 99}, {23, 99}, {60, 99}};
  for (int kind = seal::stName22; kind <= seal::stRhomb; ++kind) {
    const Probe& p = kind == seal::stTriangle                             ? triangle
                     : kind == seal::stRhomb                              ? rhomb
                     : (kind == seal::stEllipse || kind == seal::stEpsCL) ? elliptic
                                                                          : straight;
    for (TBrushStyle style : {bsClear, bsSolid}) {
      SCOPED_TRACE("kind " + std::to_string(kind) + (style == bsSolid ? " negative" : " positive"));
      auto s = MakeSeal(static_cast<seal::TSealType>(kind), style);
      const QImage image = Draw(*s);
      const bool negative = style == bsSolid;
      EXPECT_EQ(At(image, p.outer.x(), p.outer.y()), kRed);
      EXPECT_EQ(At(image, p.gap.x(), p.gap.y()), negative ? kRed : kWhite);
      EXPECT_EQ(At(image, p.second.x(), p.second.y()), negative ? kWhite : kRed);
      EXPECT_EQ(At(image, p.inside.x(), p.inside.y()), negative ? kRed : kWhite);
    }
  }
}

TEST(Elements, NameSealCharactersAreWhiteOnANegativeSeal) {
  for (int kind = seal::stName22; kind <= seal::stName111; ++kind)
    for (TBrushStyle style : {bsClear, bsSolid}) {
      SCOPED_TRACE("kind " + std::to_string(kind));
      auto s = MakeSeal(static_cast<seal::TSealType>(kind), style);
      TRecordingCanvas rec;
      s->DrawTo(0, 0, &rec, true);
      const auto texts = OfOp(rec, "TextOut");
      ASSERT_EQ(texts.size(), 2u);
      for (const auto& t : texts) EXPECT_EQ(t.FontColor, style == bsSolid ? kWhite : kRed);
    }
  // The characters come after the frame: on the negative stName22 the right column's
  // cells (96, 22) and (96, 96) are white.
  auto s = MakeSeal(seal::stName22, bsSolid);
  const QImage image = Draw(*s);
  EXPECT_EQ(At(image, 136, 62), kWhite);
  EXPECT_EQ(At(image, 136, 136), kWhite);
  EXPECT_EQ(At(image, 60, 60), kRed);
}

TEST(Elements, HollowCharactersAreOutlinesInTheCharacterColour) {
  for (TBrushStyle style : {bsClear, bsSolid}) {
    auto s = MakeSeal(seal::stName11, style);
    s->SetBlank(true);
    TRecordingCanvas rec;
    s->DrawTo(0, 0, &rec, true);
    const auto strokes = OfOp(rec, "StrokeAndFillPath");
    ASSERT_EQ(strokes.size(), 2u);
    for (const auto& r : strokes) {
      EXPECT_EQ(r.Brush.Style, bsClear);
      EXPECT_EQ(r.Pen.Color, style == bsSolid ? kWhite : kRed);
    }
    // stName11 cells at 100 - 77.5 = 22.5 -> 22 and 97.5 -> 98, 60 down: the outline is
    // on the cell's edge, the inside shows what is under it.
    const QImage image = Draw(*s);
    const platform::TColor ink = style == bsSolid ? kWhite : kRed;
    const platform::TColor under = style == bsSolid ? kRed : kWhite;
    EXPECT_EQ(At(image, 22, 100), ink);
    EXPECT_EQ(At(image, 62, 100), under);
    EXPECT_EQ(At(image, 62, 60), ink);
  }
}

TEST(Elements, EmblemStarIsFilledWhenPositiveAndAWhiteOutlineWhenNegative) {
  for (TBrushStyle style : {bsClear, bsSolid}) {
    auto s = MakeSeal(seal::stRect, style);
    s->SetImageIsStar(true);
    s->SetImageWidth(6);
    s->SetImageHeight(6);
    s->SetPenWidth3(0.3f);
    TRecordingCanvas rec;
    s->DrawTo(0, 0, &rec, true);
    const auto polygons = OfOp(rec, "Polygon");
    ASSERT_FALSE(polygons.empty());
    const platform::TCanvasRecord& star = polygons.back();
    ASSERT_EQ(star.Args.size(), 20u);
    // Outline 3 px: outer radius (60 - 3) / 2 = 28.5, top point 100 - 28.5 = 71.5 -> 72.
    EXPECT_EQ(star.Args[0], 100);
    EXPECT_EQ(star.Args[1], 72);
    if (style == bsSolid) {
      EXPECT_EQ(star.Pen, (platform::TPen{3, kWhite}));
      EXPECT_EQ(star.Brush.Style, bsClear);
    } else {
      EXPECT_EQ(star.Pen, (platform::TPen{1, kRed}));
      EXPECT_EQ(star.Brush, (platform::TBrush{kRed, bsSolid}));
    }
    const QImage image = Draw(*s);
    EXPECT_EQ(At(image, 100, 100), kRed) << "filled star, or the negative fill inside an outline";
    EXPECT_EQ(At(image, 100, 74), style == bsSolid ? kWhite : kRed);
  }
}

TEST(Elements, PictureEmblemLeavesItsKeyColourTransparent) {
  // 10 x 10, black top-right quarter on white; white is the bottom-left, key colour.
  platform::TPicture picture;
  LoadPicture(picture, 10, 10, [](int x, int y) { return x >= 5 && y < 5; });
  auto s = MakeSeal(seal::stRect, bsClear);
  s->SetHaveImage(true);
  s->SetPicture(&picture);
  s->SetImageWidth(6);
  s->SetImageHeight(6);
  ASSERT_NE(s->RecolourBitmap(), nullptr);
  // The box 60 px about the centre: 70 .. 129; its top-right quarter 100 .. 129 x 70 .. 99.
  const QImage image = Draw(*s, kBlue);
  EXPECT_EQ(At(image, 85, 115), kBlue) << "the key colour shows the background";
  EXPECT_EQ(At(image, 115, 85), kRed) << "black takes the seal colour";
  QRect inBox;
  for (int y = 40; y < 160; ++y)
    for (int x = 40; x < 160; ++x)
      if (At(image, x, y) == kRed) inBox = inBox.united(QRect(x, y, 1, 1));
  ExpectNear(inBox, QRect(QPoint(100, 70), QPoint(129, 99)));

  s->SetPicTransParnt(false);
  const QImage opaque = Draw(*s, kBlue);
  EXPECT_EQ(At(opaque, 85, 115), kWhite);
}

TEST(Elements, PictureElementFillsItsBox) {
  platform::TPicture picture;
  LoadPicture(picture, 10, 10, [](int x, int) { return x < 5; });
  auto s = MakeSeal(seal::stAnyImage, bsClear);
  s->SetHaveImage(true);
  s->SetPicture(&picture);
  s->SetPicTransParnt(false);
  const QImage image = Draw(*s, kBlue);
  EXPECT_EQ(ColorBounds(image, kRed), QRect(0, 0, 100, 200));
  EXPECT_EQ(ColorBounds(image, kWhite), QRect(100, 0, 100, 200));
  EXPECT_EQ(CountColor(image, kBlue), 0);

  // As a star it touches the box's top and is as wide as the outer radius allows:
  // vertices from round(100 - 95.1) = 5 to 195 across, 0 to round(180.9) = 181 down.
  auto star = MakeSeal(seal::stAnyImage, bsClear);
  star->SetImageIsStar(true);
  ExpectNear(ColorBounds(Draw(*star), kRed), QRect(QPoint(5, 0), QPoint(195, 181)));
}
