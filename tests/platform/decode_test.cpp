#include <gtest/gtest.h>

#include "platform/picture.h"
#include "picture_makers.h"

using namespace platform;
using namespace picture_makers;

namespace {

// Quality 100 keeps flat areas within a few levels of their colour.
void ExpectNear(QRgb actual, QRgb expected, int tolerance, int x, int y) {
  EXPECT_NEAR(qRed(actual), qRed(expected), tolerance) << x << "," << y;
  EXPECT_NEAR(qGreen(actual), qGreen(expected), tolerance) << x << "," << y;
  EXPECT_NEAR(qBlue(actual), qBlue(expected), tolerance) << x << "," << y;
}

// Pixels well inside each quadrant, away from the 8x8 blocks where colours meet.
void ExpectQuadrants(const QImage& image, int tolerance) {
  const int w = image.width(), h = image.height();
  ExpectNear(image.pixel(w / 4, h / 4), 0xFFFF0000, tolerance, w / 4, h / 4);
  ExpectNear(image.pixel(3 * w / 4, h / 4), 0xFF00FF00, tolerance, 3 * w / 4, h / 4);
  ExpectNear(image.pixel(w / 4, 3 * h / 4), 0xFF0000FF, tolerance, w / 4, 3 * h / 4);
  ExpectNear(image.pixel(3 * w / 4, 3 * h / 4), 0xFFFFFFFF, tolerance, 3 * w / 4, 3 * h / 4);
}

TEST(JpegDecode, SoundFilesDecodeToTheirPixels) {
  struct Case {
    const char* name;
    JpegOptions options;
  } cases[] = {{"baseline", {}}, {"progressive", {100, true, false, false}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QImage image = DecodeJpeg(MakeJpeg(Quadrants(64, 48), c.options).data(),
                                    MakeJpeg(Quadrants(64, 48), c.options).size());
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.size(), QSize(64, 48));
    ExpectQuadrants(image, 8);
  }
}

TEST(JpegDecode, GrayscaleComesOutAsOpaqueGray) {
  QImage gray(16, 16, QImage::Format_RGB32);
  gray.fill(qRgb(90, 90, 90));
  const auto bytes = MakeJpeg(gray, {100, false, true, false});
  const QImage image = DecodeJpeg(bytes.data(), bytes.size());
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  ExpectNear(image.pixel(8, 8), qRgb(90, 90, 90), 2, 8, 8);
  EXPECT_EQ(qAlpha(image.pixel(8, 8)), 255);
}

TEST(JpegDecode, CmykIsReadAsAdobeStoresIt) {
  // Adobe stores CMYK inverted: 255 is no ink. No cyan ink, full magenta and yellow, no
  // black is red; K 0 stored is full black.
  struct Case {
    uint8_t cmyk[4];
    QRgb rgb;
  } cases[] = {{{255, 0, 0, 255}, qRgb(255, 0, 0)}, {{255, 255, 255, 255}, qRgb(255, 255, 255)},
               {{255, 255, 255, 0}, qRgb(0, 0, 0)}, {{255, 255, 0, 255}, qRgb(255, 255, 0)}};
  for (const auto& c : cases) {
    const auto bytes = MakeCmykJpeg(16, 16, c.cmyk);
    const QImage image = DecodeJpeg(bytes.data(), bytes.size());
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    ExpectNear(image.pixel(8, 8), c.rgb, 3, 8, 8);
  }
}

TEST(JpegDecode, HostileFilesFailOrGiveASafeImage) {
  const auto good = MakeJpeg(Quadrants(64, 64));
  // Cut inside the entropy data: libjpeg pads the rest, the size stays right.
  {
    QImage busy(128, 128, QImage::Format_RGB32);
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 128; ++x) busy.setPixel(x, y, qRgb((x * 7) ^ (y * 13), x * y, (x + y) * 3));
    const auto whole = MakeJpeg(busy);
    ASSERT_GT(whole.size(), 6000u);
    std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(whole.size() * 2 / 3));
    const QImage image = DecodeJpeg(cut.data(), cut.size());
    EXPECT_EQ(image.size(), QSize(128, 128));
    EXPECT_EQ(image.pixel(0, 0), DecodeJpeg(whole.data(), whole.size()).pixel(0, 0));
  }
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"soi only", {0xFF, 0xD8}});
  cases.push_back({"cut inside the headers", std::vector<uint8_t>(good.begin(), good.begin() + 100)});
  {
    std::vector<uint8_t> garbage{0xFF, 0xD8};
    for (int i = 0; i < 500; ++i) garbage.push_back(uint8_t(i * 37 + 11));
    cases.push_back({"garbage after soi", garbage});
  }
  cases.push_back({"not a jpeg", {'G', 'I', 'F', '8', '9', 'a'}});
  const size_t sof = JpegSofSizeOffset(good);
  ASSERT_NE(sof, std::string::npos);
  auto withSize = [&](int width, int height) {
    auto bytes = good;
    bytes[sof] = uint8_t(height >> 8);
    bytes[sof + 1] = uint8_t(height);
    bytes[sof + 2] = uint8_t(width >> 8);
    bytes[sof + 3] = uint8_t(width);
    return bytes;
  };
  cases.push_back({"side beyond the cap", withSize(65000, 16)});
  cases.push_back({"pixels beyond the cap", withSize(16000, 16000)});
  cases.push_back({"zero height", withSize(64, 0)});
  cases.push_back({"190 progressive scans", MakeJpeg(Quadrants(16, 16), {100, true, false, true})});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(DecodeJpeg(c.bytes.data(), c.bytes.size()), EPictureError);
  }
  EXPECT_THROW(DecodeJpeg(nullptr, 0), EPictureError);
}

TEST(Decode, ALowerPixelCapRefusesLargerPictures) {
  const auto jpeg = MakeJpeg(Quadrants(64, 48));
  EXPECT_THROW(DecodeJpeg(jpeg.data(), jpeg.size(), 64 * 48 - 1), EPictureError);
  EXPECT_EQ(DecodeJpeg(jpeg.data(), jpeg.size(), 64 * 48).size(), QSize(64, 48));
}

TEST(JpegDecode, SizesAtTheCapsAreRead) {
  // A wide strip at the side cap: the size is accepted, the missing data padded.
  const auto good = MakeJpeg(Quadrants(16, 16));
  auto bytes = good;
  const size_t sof = JpegSofSizeOffset(bytes);
  bytes[sof] = 0;
  bytes[sof + 1] = 8;
  bytes[sof + 2] = uint8_t(kMaxPictureSide >> 8);
  bytes[sof + 3] = uint8_t(kMaxPictureSide & 0xFF);
  const QImage image = DecodeJpeg(bytes.data(), bytes.size());
  EXPECT_EQ(image.size(), QSize(int(kMaxPictureSide), 8));
}

const std::vector<QRgb> kFour{0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFFFFFFFF};

RawGif TwoByTwo() {
  RawGif g;
  g.screenWidth = g.screenHeight = g.width = g.height = 2;
  g.globalMap = kFour;
  g.indices = {0, 1, 2, 3};
  return g;
}

QImage DecodeRaw(const RawGif& g) {
  const auto bytes = MakeGif(g);
  return DecodeGif(bytes.data(), bytes.size());
}

TEST(GifDecode, SoundFramesDecodeToTheirPixels) {
  const QImage image = DecodeRaw(TwoByTwo());
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  EXPECT_EQ(image.pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(image.pixel(1, 0), 0xFFFF0000u);
  EXPECT_EQ(image.pixel(0, 1), 0xFF00FF00u);
  EXPECT_EQ(image.pixel(1, 1), 0xFFFFFFFFu);

  // A local map wins over the global one.
  RawGif local = TwoByTwo();
  local.localMap = std::vector<QRgb>{0xFF0000FF, 0xFF00FFFF, 0xFFFF00FF, 0xFF808080};
  EXPECT_EQ(DecodeRaw(local).pixel(0, 0), 0xFF0000FFu);
  local.globalMap.reset();
  EXPECT_EQ(DecodeRaw(local).pixel(1, 1), 0xFF808080u);

  const auto bytes = MakeGif(TwoByTwo());
  EXPECT_THROW(DecodeGif(bytes.data(), bytes.size(), 3), EPictureError);
}

TEST(GifDecode, InterlacedRowsLandInPlace) {
  RawGif g;
  g.screenWidth = g.width = 1;
  g.screenHeight = g.height = 8;
  g.globalMap = kFour;
  g.interlaced = true;
  // Stored order of the passes: rows 0; 4; 2, 6; 1, 3, 5, 7. Row y gets colour y % 4.
  for (int y : {0, 4, 2, 6, 1, 3, 5, 7}) g.indices.push_back(uint8_t(y % 4));
  const QImage image = DecodeRaw(g);
  for (int y = 0; y < 8; ++y) EXPECT_EQ(image.pixel(0, y), kFour[size_t(y % 4)]) << y;
}

TEST(GifDecode, TransparentIndexGivesTransparentPixels) {
  RawGif g = TwoByTwo();
  g.transparentIndex = 1;
  const QImage image = DecodeRaw(g);
  EXPECT_EQ(image.format(), QImage::Format_ARGB32);
  EXPECT_EQ(image.pixel(1, 0), 0x00000000u);
  EXPECT_EQ(image.pixel(0, 1), 0xFF00FF00u);
  // An index beyond the map names no colour and leaves the frame opaque.
  g.transparentIndex = 200;
  EXPECT_EQ(DecodeRaw(g).format(), QImage::Format_RGB32);
}

TEST(GifDecode, FramesAreClippedToTheScreen) {
  // A 4x4 frame at (1,1) on a 3x3 screen: screen pixels outside the frame stay transparent,
  // frame pixels past the screen are dropped.
  RawGif g;
  g.screenWidth = g.screenHeight = 3;
  g.left = g.top = 1;
  g.width = g.height = 4;
  g.globalMap = kFour;
  for (int i = 0; i < 16; ++i) g.indices.push_back(uint8_t(i % 4));
  const QImage image = DecodeRaw(g);
  EXPECT_EQ(image.size(), QSize(3, 3));
  EXPECT_EQ(image.format(), QImage::Format_ARGB32);
  EXPECT_EQ(image.pixel(0, 0), 0x00000000u);
  EXPECT_EQ(image.pixel(1, 1), kFour[0]);
  EXPECT_EQ(image.pixel(2, 1), kFour[1]);
  EXPECT_EQ(image.pixel(1, 2), kFour[0]);  // frame row 1 starts with index 4 % 4
  EXPECT_EQ(image.pixel(2, 2), kFour[1]);

  // A frame wholly outside the screen leaves it transparent.
  g.left = 10;
  EXPECT_EQ(DecodeRaw(g).pixel(2, 2), 0x00000000u);
}

TEST(GifDecode, HostileFilesFail) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  {
    RawGif g = TwoByTwo();
    g.indices = {0, 1, 4, 3};  // the map has four colours
    cases.push_back({"index beyond the map", MakeGif(g)});
    g.indices = {0, 255, 0, 0};
    cases.push_back({"index 255 with four colours", MakeGif(g)});
  }
  {
    RawGif g = TwoByTwo();
    g.globalMap.reset();
    cases.push_back({"no colour map", MakeGif(g)});
  }
  {
    RawGif g = TwoByTwo();
    g.screenWidth = 60000;
    g.screenHeight = 60000;
    cases.push_back({"screen beyond the caps", MakeGif(g)});
    g.screenWidth = 0;
    cases.push_back({"empty screen", MakeGif(g)});
  }
  {
    auto good = MakeGif(TwoByTwo());
    cases.push_back({"cut in the pixels", std::vector<uint8_t>(good.begin(), good.end() - 6)});
    cases.push_back({"cut in the header", std::vector<uint8_t>(good.begin(), good.begin() + 8)});
    std::vector<uint8_t> noImage(good.begin(), good.begin() + 13 + 12);
    noImage.push_back(0x3B);
    cases.push_back({"no image", noImage});
    cases.push_back({"not a gif", {0xFF, 0xD8, 0xFF, 0xE0}});
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(DecodeGif(c.bytes.data(), c.bytes.size()), EPictureError);
  }
}

TEST(QtDecode, BmpAndIconDecodeToTheirPixels) {
  const QImage source = Quadrants(32, 32);
  for (const char* format : {"bmp", "ico"}) {
    SCOPED_TRACE(format);
    const auto bytes = EncodeWithQt(source, format);
    const QImage image = DecodeWithQt(bytes.data(), bytes.size(), format);
    ASSERT_EQ(image.size(), QSize(32, 32));
    ExpectQuadrants(image, 0);
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 20);
    EXPECT_THROW(DecodeWithQt(cut.data(), cut.size(), format), EPictureError);
  }
}

}  // namespace
