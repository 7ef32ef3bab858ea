#include <gtest/gtest.h>

#include "platform/metafile.h"
#include "platform/picture.h"
#include "picture_makers.h"
#include "test_images.h"

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

// Red squares from 20 to 80 of a 100 x 100 picture, in the units of each kind of file: the
// enhanced one with bounds away from the origin, the placeable ones with and without an
// inch of their own (1440 twips: 15 to a pixel), the window at the box's corner.
std::vector<std::pair<const char*, std::vector<uint8_t>>> SoundMetafiles() {
  auto square = [](int origin, int scale) {
    return MetafileShape{MetafileShape::Rectangle, origin + 20 * scale, origin + 20 * scale, origin + 80 * scale,
                         origin + 80 * scale, 0x0000FF};
  };
  return {{"enhanced", MakeEmf(0, 0, 99, 99, {square(0, 1)})},
          {"enhanced, bounds off the origin", MakeEmf(-50, -50, 49, 49, {square(-50, 1)})},
          {"placeable without an inch", MakePlaceableWmf(0, 0, 100, 100, 0, {square(0, 1)})},
          {"placeable in twips", MakePlaceableWmf(600, 600, 2100, 2100, 1440, {square(600, 15)})}};
}

TEST(MetafileDecode, SoundFilesDrawTheirShapesOnWhiteWithHardEdges) {
  for (const auto& [name, bytes] : SoundMetafiles()) {
    SCOPED_TRACE(name);
    const QImage image = DecodeMetafile(bytes.data(), bytes.size());
    ASSERT_EQ(image.size(), QSize(100, 100));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(50, 50), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(15, 50), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(50, 85), 0xFFFFFFFFu);
    int other = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) other += image.pixel(x, y) != 0xFFFF0000u && image.pixel(x, y) != 0xFFFFFFFFu;
    EXPECT_EQ(other, 0) << "no antialiased edge";
    // The converters differ by the pixel that GDI's exclusive right and bottom edge leave.
    const QRect red = testimages::ColorBounds(image, platform::clRed);
    EXPECT_EQ(red.topLeft(), QPoint(20, 20));
    EXPECT_NEAR(red.right(), 79, 1);
    EXPECT_NEAR(red.bottom(), 79, 1);
  }
}

TEST(MetafileDecode, APictureOfOnePixelDrawsItsPixel) {
  const MetafileShape red{MetafileShape::Rectangle, 0, 0, 1, 1, 0x0000FF};
  for (const auto& bytes : {MakeEmf(0, 0, 0, 0, {red}), MakeEmf(5, 5, 5, 5, {{MetafileShape::Rectangle, 5, 5, 6, 6, 0x0000FF}}),
                            MakePlaceableWmf(0, 0, 1, 1, 96, {red})}) {
    const QImage image = DecodeMetafile(bytes.data(), bytes.size());
    ASSERT_EQ(image.size(), QSize(1, 1));
    EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000u);
  }
  // One pixel wide and many high.
  const auto column = MakeEmf(0, 0, 0, 9, {{MetafileShape::Rectangle, 0, 0, 1, 10, 0x0000FF}});
  const QImage image = DecodeMetafile(column.data(), column.size());
  ASSERT_EQ(image.size(), QSize(1, 10));
  EXPECT_EQ(image.pixel(0, 5), 0xFFFF0000u);
}

TEST(MetafileDecode, EveryTruncationIsRefused) {
  for (const auto& [name, bytes] : SoundMetafiles()) {
    SCOPED_TRACE(name);
    for (size_t n = 0; n < bytes.size(); ++n) {
      const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(n));
      EXPECT_THROW(DecodeMetafile(cut.data(), cut.size()), EPictureError) << n << " bytes";
    }
  }
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

TEST(MetafileDecode, DamagedRecordsAreRefused) {
  const MetafileShape red{MetafileShape::Rectangle, 20, 20, 80, 80, 0x0000FF};
  const auto emf = MakeEmf(0, 0, 99, 99, {red});
  const auto wmf = MakePlaceableWmf(0, 0, 100, 100, 0, {red});
  constexpr size_t kSecondEmfRecord = 88, kFirstWmfRecord = 22 + 18;
  auto emfWith = [&](size_t at, uint32_t v) {
    auto b = emf;
    Put32(b, at, v);
    return b;
  };
  auto wmfWith = [&](size_t at, uint32_t v, int width = 4) {
    auto b = wmf;
    for (int i = 0; i < width; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
    return b;
  };
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"empty", {}},
      {"neither kind", EncodeWithQt(Quadrants(8, 8), "bmp")},
      {"enhanced header record shorter than a header", emfWith(4, 84)},
      {"enhanced header record longer than the file", emfWith(4, uint32_t(emf.size()) + 4)},
      {"enhanced record of no length", emfWith(kSecondEmfRecord + 4, 0)},
      {"enhanced record shorter than its head", emfWith(kSecondEmfRecord + 4, 4)},
      {"enhanced record past the end", emfWith(kSecondEmfRecord + 4, 0x7FFFFFF0)},
      {"a second enhanced header", emfWith(kSecondEmfRecord, 1)},
      {"enhanced bounds without pixels", MakeEmf(50, 50, 10, 10, {red})},
      {"Windows header of another type", wmfWith(22, 3, 2)},
      {"Windows header of another size", wmfWith(24, 10, 2)},
      {"Windows record of no length", wmfWith(kFirstWmfRecord, 0)},
      {"Windows record shorter than its head", wmfWith(kFirstWmfRecord, 2)},
      {"Windows record past the end", wmfWith(kFirstWmfRecord, 0x7FFFFFF0)},
      {"placeable box without pixels", MakePlaceableWmf(100, 100, 0, 0, 0, {red})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(DecodeMetafile(c.bytes.data(), c.bytes.size()), EPictureError);
  }
}

TEST(MetafileDecode, HostileFieldsInsideRecordsFailOrGiveASafeImage) {
  // Records whose lengths hold but whose fields do not: the converters either refuse or
  // draw what they can, at the header's size.
  const MetafileShape red{MetafileShape::Rectangle, 20, 20, 80, 80, 0x0000FF};
  auto emf = [&](size_t at, uint32_t v) {
    auto b = MakeEmf(0, 0, 99, 99, {red});
    Put32(b, at, v);
    return b;
  };
  auto wmf = [&](size_t at, int v) {
    auto b = MakePlaceableWmf(0, 0, 100, 100, 0, {red});
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
    return b;
  };
  // Enhanced: null pen (88..99), brush (100..123), select (124..135), rectangle (136..159).
  // Windows: header size (28..31), largest record (34..37); origin (40..49), extent (50..59),
  // pen (60..75), select (76..83), brush (84..97), select (98..105), rectangle (106..119).
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"enhanced select of a handle never made", emf(132, 0x7FFF)},
      {"enhanced brush in a handle beyond the table", emf(108, 0xFFFF)},
      {"enhanced header without handles", emf(56, 0)},
      {"enhanced rectangle of extreme corners", emf(144, 0x80000000u)},
      {"enhanced brush style out of range", emf(112, 99)},
      {"enhanced device without millimetres", emf(80, 0)},
      {"Windows select of an object never made", wmf(104, 0x7FFF)},
      {"Windows extent of zero", wmf(56, 0)},
      {"Windows rectangle of extreme corners", wmf(112, 0x8000)},
      {"Windows brush style out of range", wmf(90, 77)},
      // libwmf would set aside room by these: gigabytes.
      {"Windows header claiming a huge largest record", wmf(36, 0x4569)},
      {"Windows header claiming a huge file", wmf(30, 0x7FFF)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      const QImage image = DecodeMetafile(c.bytes.data(), c.bytes.size());
      EXPECT_EQ(image.size(), QSize(100, 100));
    } catch (const EPictureError&) {
    }
  }
}

TEST(MetafileDecode, CapsRefuseBeforeAnythingIsRead) {
  const auto emf = MakeEmf(0, 0, 99, 99, {{MetafileShape::Rectangle, 20, 20, 80, 80, 0x0000FF}});
  EXPECT_THROW(DecodeMetafile(emf.data(), emf.size(), 100 * 100 - 1), EPictureError);
  EXPECT_EQ(DecodeMetafile(emf.data(), emf.size(), 100 * 100).size(), QSize(100, 100));
  // Bounds of a gigapixel and no end record: the size is what refuses it.
  const auto huge = MakeEmf(0, 0, 65535, 65535, {}, false);
  try {
    DecodeMetafile(huge.data(), huge.size());
    ADD_FAILURE() << "a gigapixel metafile was drawn";
  } catch (const platform::EMetafileError& e) {
    EXPECT_EQ(e.Fault(), platform::TMetafileFault::TooLarge) << e.what();
  }
}

TEST(MetafileDecode, TextIsDrawnButGlyphNumbersAreLeftOut) {
  // Text stored as glyph numbers would have libemf2svg read it through fontconfig and then
  // shut fontconfig down under the fonts the application holds, which aborts the program
  // once Qt has drawn text from a metafile; it is left out instead.
  auto text = [](bool glyphNumbers) {
    return MetafileShape{MetafileShape::Text, 10, 10, 0, 0, 0x000000, u"Hello", glyphNumbers};
  };
  auto inked = [](const QImage& image) { return testimages::InkBounds(image).isValid(); };
  const auto plain = MakeEmf(0, 0, 99, 39, {text(false)});
  const auto placeable = MakePlaceableWmf(0, 0, 100, 40, 0, {text(false)});
  const auto glyphs = MakeEmf(0, 0, 99, 39, {text(true)});
  EXPECT_TRUE(inked(DecodeMetafile(plain.data(), plain.size())));
  EXPECT_TRUE(inked(DecodeMetafile(placeable.data(), placeable.size())));
  const QImage left = DecodeMetafile(glyphs.data(), glyphs.size());
  EXPECT_EQ(left.size(), QSize(100, 40));
  EXPECT_FALSE(inked(left));
}

TEST(MetafileDecode, BitmapsInsideAreDrawnWithinTheCapsAndWithAllTheirBits) {
  const MetafileShape bitmap{MetafileShape::Bitmap, 20, 20, 80, 80, 0x0000FF};
  const auto emf = MakeEmf(0, 0, 99, 99, {bitmap});
  const auto wmf = MakePlaceableWmf(0, 0, 100, 100, 0, {bitmap});
  for (const auto* bytes : {&emf, &wmf}) {
    const QImage image = DecodeMetafile(bytes->data(), bytes->size());
    EXPECT_EQ(image.pixel(50, 50), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(10, 50), 0xFFFFFFFFu);
  }
  // The converters would set aside the pixels the header claims, whatever the record holds.
  // Enhanced: the record at 100, its header's offset at 148, the header at 180 (width 184,
  // height 188, colours 212). Windows: the record at 84, the header at 112 (width 116,
  // height 120, colours 144).
  auto with = [](std::vector<uint8_t> b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
    return b;
  };
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"enhanced bitmap of a gigapixel", with(with(emf, 184, 40000), 188, 40000)},
      {"enhanced bitmap wider than any picture", with(emf, 184, 100000)},
      {"enhanced bitmap with rows missing", with(emf, 188, 3)},
      {"enhanced bitmap header outside its record", with(emf, 148, 1000)},
      {"enhanced bitmap header of no known size", with(emf, 180, 20)},
      {"enhanced bitmap counting colours it does not hold", with(emf, 212, 0x666E6977)},
      {"Windows bitmap of a gigapixel", with(with(wmf, 116, 40000), 120, 40000)},
      {"Windows bitmap with rows missing", with(wmf, 120, 3)},
      {"Windows bitmap without pixels", with(wmf, 116, 0)},
      {"Windows bitmap counting colours it does not hold", with(wmf, 144, 0x666E6977)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(DecodeMetafile(c.bytes.data(), c.bytes.size()), EPictureError);
  }
}

}  // namespace
