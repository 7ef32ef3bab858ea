// Metafile pictures as the emblem of a round seal, drawn at 10 px/mm and zoom 100: they are
// recoloured and made transparent exactly as a bitmap of the same pixels is.

#include <gtest/gtest.h>

#include <QBuffer>
#include <memory>

#include "picture_makers.h"
#include "platform/canvas.h"
#include "platform/picture.h"
#include "seal/seal.h"
#include "test_images.h"

using namespace picture_makers;
using platform::TColor;
using platform::TGraphicKind;
using platform::TPicture;
using seal::TSeal;
using testimages::At;
using testimages::ColorBounds;

namespace {

constexpr TColor kRed = platform::clRed, kWhite = platform::clWhite, kBlack = 0x000000;
constexpr TColor kBlue = 0xFF0000, kGreen = 0x00FF00, kMagenta = 0xFF00FF;

// Both pictures are 100 x 100 pixels with a square from 20 to 80 in the shape's colour on
// white; the placeable one is laid out in twips (15 to a pixel).
std::vector<uint8_t> Metafile(bool placeable, TColor shape) {
  if (placeable)
    return MakePlaceableWmf(0, 0, 1500, 1500, 1440, {{MetafileShape::Rectangle, 300, 300, 1200, 1200, shape}});
  return MakeEmf(0, 0, 99, 99, {{MetafileShape::Rectangle, 20, 20, 80, 80, shape}});
}

// A round seal of 30 mm (300 px) with a 1 mm rim and nothing else but the picture emblem,
// 10 x 10 mm about the centre: the box 100 .. 199, the square 120 .. 179 in it.
std::unique_ptr<TSeal> RoundSeal(const TPicture& picture, TColor colour, bool recolour, bool transparent) {
  auto s = std::make_unique<TSeal>();
  s->SetPixelsPerMm(10);
  s->SetZoom(100);
  s->SetSealType(seal::stEllipse);
  s->SetRealWidth(30);
  s->SetRealHeight(30);
  s->SetPenWidth(1);
  s->SetPenWidth1(0);
  s->SetPenWidth2(0);
  s->SetLineCount(0);
  s->SetCode("");
  s->SetText("");
  s->SetCLWidth(0);
  s->SetCLHeight(0);
  s->SetPenColor(colour);
  s->SetHaveImage(true);
  s->SetImageWidth(10);
  s->SetImageHeight(10);
  s->SetPicClrChange(recolour);
  s->SetPicTransParnt(transparent);
  s->SetPicture(&picture);
  return s;
}

QImage Draw(TSeal& s, bool colour = true) {
  QImage image = testimages::FilledImage(s.Width(), s.Height(), kGreen);
  platform::TPainterCanvas canvas(&image);
  s.DrawTo(0, 0, &canvas, colour);
  return image;
}

// The same pixels as a bitmap picture.
void LoadAsBitmap(TPicture& bitmap, const TPicture& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.Image().save(&buffer, "BMP");
  bitmap.LoadFromBytes(TGraphicKind::Bitmap, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

TEST(MetafileEmblem, DrawsRecolouredAndTransparentLikeABitmapOfItsPixels) {
  const struct {
    const char* name;
    TColor shape, seal;
    bool recolour;
    TColor drawn;
  } cases[] = {
      {"red on a red seal, recoloured", kRed, kRed, true, kRed},
      {"red on a blue seal, its own colours", kRed, kBlue, false, kRed},
      {"red on a blue seal, recoloured: red or blue", kRed, kBlue, true, kMagenta},
      {"black on a blue seal, recoloured: the seal colour", kBlack, kBlue, true, kBlue},
      {"black on a blue seal, its own colours", kBlack, kBlue, false, kBlack},
  };
  for (bool placeable : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(placeable ? "placeable: " : "enhanced: ") + c.name);
      TPicture picture;
      picture.LoadFromBytes(TGraphicKind::Metafile, Metafile(placeable, c.shape));
      auto s = RoundSeal(picture, c.seal, c.recolour, true);
      const QImage image = Draw(*s);
      EXPECT_EQ(At(image, 150, 150), c.drawn);
      EXPECT_EQ(At(image, 110, 150), kGreen) << "white is the key colour: the page shows through";
      EXPECT_EQ(At(image, 150, 5), c.seal) << "the rim";
      const QRect square = ColorBounds(image.copy(100, 100, 100, 100), c.drawn).translated(100, 100);
      EXPECT_EQ(square.topLeft(), QPoint(120, 120));
      EXPECT_NEAR(square.right(), 179, 1);
      EXPECT_NEAR(square.bottom(), 179, 1);

      TPicture bitmap;
      LoadAsBitmap(bitmap, picture);
      auto same = RoundSeal(bitmap, c.seal, c.recolour, true);
      EXPECT_TRUE(Draw(*same) == image) << "drawn as a bitmap of its pixels is";
      EXPECT_TRUE(Draw(*same, false) == Draw(*s, false)) << "and so in a black drawing";
      EXPECT_EQ(s->Picture().Bytes(), Metafile(placeable, c.shape)) << "bytes kept";
    }
  }
}

TEST(MetafileEmblem, OpaqueWithoutTransparency) {
  for (bool placeable : {false, true}) {
    SCOPED_TRACE(placeable ? "placeable" : "enhanced");
    TPicture picture;
    picture.LoadFromBytes(TGraphicKind::Metafile, Metafile(placeable, kRed));
    auto s = RoundSeal(picture, kBlue, true, false);
    const QImage image = Draw(*s);
    EXPECT_EQ(At(image, 110, 150), kWhite);
    EXPECT_EQ(ColorBounds(image.copy(90, 90, 120, 120), kWhite), QRect(10, 10, 100, 100)) << "the whole box";
    EXPECT_EQ(At(image, 150, 150), kMagenta);
  }
}

}  // namespace
