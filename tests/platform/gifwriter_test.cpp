#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>
#include <set>

#include "peer_tools.h"
#include "platform/gifwriter.h"
#include "platform/picture.h"
#include "picture_makers.h"

using namespace platform;

namespace {

QImage Decoded(const std::vector<uint8_t>& gif) { return DecodeGif(gif.data(), gif.size()); }

// Every pixel of a 32x32 tile a different colour: 1024 colours, more than a palette holds.
QImage ManyColours() {
  QImage image(32, 32, QImage::Format_RGB32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) image.setPixel(x, y, qRgb(x * 8, y * 8, (x * y) % 256));
  return image;
}

TEST(GifPalette, HoldsTheStaticColoursAndTheImagesOwnWhenTheyFit) {
  QImage image(4, 1, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(1, 2, 3));
  image.setPixel(1, 0, qRgb(0x80, 0, 0));  // a static colour, not repeated
  image.setPixel(2, 0, qRgb(200, 100, 50));
  image.setPixel(3, 0, qRgb(1, 2, 3));
  const auto palette = OptimisedPalette(image);
  ASSERT_EQ(palette.size(), 22u);
  for (size_t i = 0; i < 20; ++i) EXPECT_EQ(palette[i], kStaticSystemColors[i]);
  EXPECT_EQ(std::set<QRgb>(palette.begin() + 20, palette.end()),
            (std::set<QRgb>{qRgb(1, 2, 3), qRgb(200, 100, 50)}));
  EXPECT_EQ(kStaticSystemColors[8], qRgb(0xC0, 0xDC, 0xC0));
  EXPECT_EQ(kStaticSystemColors[10], qRgb(0xFF, 0xFB, 0xF0));
}

TEST(GifPalette, ReducesManyColoursTo256) {
  const auto palette = OptimisedPalette(ManyColours());
  EXPECT_EQ(palette.size(), 256u);
  for (size_t i = 0; i < 20; ++i) EXPECT_EQ(palette[i], kStaticSystemColors[i]);
}

TEST(GifWriter, FewColoursRoundTripExactly) {
  const QImage source = picture_makers::Quadrants(30, 20);
  const QImage image = Decoded(EncodeGif(source));
  EXPECT_EQ(image.size(), source.size());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(image.pixel(x, y), source.pixel(x, y)) << x << "," << y;
}

TEST(GifWriter, ManyColoursTakeTheNearestPaletteColourWithoutDithering) {
  const QImage source = ManyColours();
  const auto palette = OptimisedPalette(source);
  const QImage image = Decoded(EncodeGif(source));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(image.pixel(x, y), palette[size_t(NearestColor(palette, source.pixel(x, y)))]) << x << "," << y;

  // A flat area stays flat: one colour in, one colour out, wherever it lies.
  QImage flat = source;
  for (int y = 8; y < 24; ++y)
    for (int x = 8; x < 24; ++x) flat.setPixel(x, y, qRgb(123, 45, 67));
  const QImage out = Decoded(EncodeGif(flat));
  for (int y = 8; y < 24; ++y)
    for (int x = 8; x < 24; ++x) ASSERT_EQ(out.pixel(x, y), out.pixel(8, 8));
}

TEST(GifWriter, NearestColourPrefersTheFirstOnATie) {
  const std::vector<QRgb> palette{qRgb(0, 0, 0), qRgb(10, 0, 0), qRgb(20, 0, 0)};
  EXPECT_EQ(NearestColor(palette, qRgb(5, 0, 0)), 0);
  EXPECT_EQ(NearestColor(palette, qRgb(6, 0, 0)), 1);
  EXPECT_EQ(NearestColor(palette, qRgb(255, 0, 0)), 2);
}

TEST(GifWriter, RefusesWhatGifCannotHold) {
  EXPECT_THROW(EncodeGif(QImage()), EPictureError);
  EXPECT_THROW(SaveGifFile(picture_makers::Quadrants(2, 2), "/nonexistent-folder/x.gif"), EPictureError);
}

TEST(GifWriter, PeerReadersAgree) {
  const QString identify = QStandardPaths::findExecutable("identify");
  const QString giftext = QStandardPaths::findExecutable("giftext");
  if (identify.isEmpty() || giftext.isEmpty()) GTEST_SKIP() << "identify or giftext is not installed";
  QTemporaryDir dir;
  const std::string path = QDir(dir.path()).filePath("peer.gif").toStdString();
  SaveGifFile(ManyColours(), path);

  QProcess im;
  im.start(identify, {"-format", "%m %w %h %k", QString::fromStdString(path)});
  ASSERT_TRUE(im.waitForFinished(30000));
  EXPECT_EQ(im.exitCode(), 0);
  const QString info = QString::fromUtf8(im.readAllStandardOutput()).trimmed();
  const QStringList fields = info.split(' ');
  ASSERT_EQ(fields.size(), 4) << info.toStdString();
  EXPECT_EQ(fields[0], "GIF");
  EXPECT_EQ(fields[1], "32");
  EXPECT_EQ(fields[2], "32");
  EXPECT_LE(fields[3].toInt(), 256);
  EXPECT_GT(fields[3].toInt(), 100);

  QProcess gt;
  gt.start(giftext, {QString::fromStdString(path)});
  ASSERT_TRUE(gt.waitForFinished(30000));
  EXPECT_EQ(gt.exitCode(), 0);
  const QString text = QString::fromUtf8(gt.readAllStandardOutput());
  EXPECT_TRUE(text.contains("Width = 32, Height = 32")) << text.left(400).toStdString();
  EXPECT_TRUE(text.contains("BitsPerPixel = 8")) << text.left(400).toStdString();
}

// A seal colour, white, and 234 other colours that are not static ones: 236 chosen
// places, so every colour is kept exactly; red on white as well.
QImage ColoursThatFit() {
  QImage image(40, 8, QImage::Format_RGB32);
  image.fill(Qt::white);
  int n = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 40; ++x, ++n) {
      if (n < 236) image.setPixel(x, y, qRgb(200, 30 + n % 200, 40 + n / 200));
      if (y == 7 && x >= 30) image.setPixel(x, y, qRgb(255, 0, 0));
    }
  return image;
}

TEST(GifPalette, KeepsExactColoursWhileTheyFit) {
  QImage redOnWhite(30, 20, QImage::Format_RGB32);
  redOnWhite.fill(Qt::white);
  for (int y = 5; y < 15; ++y)
    for (int x = 5; x < 25; ++x) redOnWhite.setPixel(x, y, qRgb(255, 0, 0));
  for (const QImage& source : {redOnWhite, ColoursThatFit()}) {
    const QImage image = Decoded(EncodeGif(source));
    for (int y = 0; y < source.height(); ++y)
      for (int x = 0; x < source.width(); ++x) ASSERT_EQ(image.pixel(x, y), source.pixel(x, y)) << x << "," << y;
  }
  const auto palette = OptimisedPalette(ColoursThatFit());
  EXPECT_EQ(palette.size(), 256u);
}

// A photograph-like picture: smooth gradients under fine texture, 65536 colours, far more
// than are counted one by one.
QImage PhotoLike() {
  QImage image(256, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const int texture = (x * 7 + y * 13) % 9 - 4;
      image.setPixel(x, y, qRgb(std::clamp(x + texture, 0, 255), std::clamp(y - texture, 0, 255),
                                std::clamp((x + y) / 2 + texture, 0, 255)));
    }
  return image;
}

// Every pixel of a photograph takes its nearest palette colour too, the first on a tie, and
// the static colours in it stay exact: a seal's red, the paper's white and a pale green that
// has near neighbours among the photograph's colours.
TEST(GifPalette, PhotoLikePictureKeepsASmallMeanErrorAndItsStaticColours) {
  QImage source = PhotoLike();
  const QRgb statics[] = {qRgb(255, 0, 0), qRgb(255, 255, 255), qRgb(0xC0, 0xDC, 0xC0)};
  for (int k = 0; k < 3; ++k)
    for (int y = 200; y < 220; ++y)
      for (int x = 20 + 40 * k; x < 50 + 40 * k; ++x) source.setPixel(x, y, statics[k]);
  const auto quantized = QuantizeImage(source);
  ASSERT_EQ(quantized.Palette.size(), 256u);
  for (size_t i = 0; i < 20; ++i) EXPECT_EQ(quantized.Palette[i], kStaticSystemColors[i]);
  const QImage image = Decoded(EncodeGif(source));
  double error = 0;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const QRgb a = source.pixel(x, y), b = image.pixel(x, y);
      error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
      const uint8_t index = quantized.Indices[size_t(y) * 256 + size_t(x)];
      ASSERT_EQ(b, quantized.Palette[index]);
      ASSERT_EQ(index, NearestColor(quantized.Palette, a)) << x << "," << y;
    }
  EXPECT_LT(error / (256.0 * 256.0 * 3.0), 6.0);  // 4.5 when written
  for (int k = 0; k < 3; ++k) EXPECT_EQ(image.pixel(30 + 40 * k, 210), statics[k]);
}

// Palettes with entries close together, repeated and in every corner of the colour cube:
// every colour of a sparse grid through the whole cube, and the pixels of a photograph, take
// the entry NearestColor takes.
TEST(GifPalette, MappingFindsTheNearestEntryForAnyPalette) {
  std::vector<std::vector<QRgb>> palettes;
  palettes.push_back({qRgb(0, 0, 0)});
  palettes.push_back({qRgb(10, 10, 10), qRgb(11, 10, 10), qRgb(10, 10, 10), qRgb(250, 3, 128)});
  std::vector<QRgb> dense;
  for (int i = 0; i < 256; ++i) dense.push_back(qRgb((i * 37) % 256, (i * 91) % 256, (i * 53 + 7) % 256));
  palettes.push_back(dense);
  palettes.push_back(QuantizeImage(PhotoLike()).Palette);
  QImage grid(64, 64 * 4, QImage::Format_RGB32);
  for (int i = 0; i < grid.width() * grid.height(); ++i)
    grid.setPixel(i % 64, i / 64, qRgb((i * 5) % 256, (i / 51 * 3) % 256, (i * 11 + i / 256) % 256));
  for (const auto& palette : palettes)
    for (const QImage& image : {grid, PhotoLike()}) {
      const std::vector<uint8_t> indices = MapToPalette(image, palette);
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
          ASSERT_EQ(indices[size_t(y) * size_t(image.width()) + size_t(x)], NearestColor(palette, image.pixel(x, y)))
              << palette.size() << " entries at " << x << "," << y;
    }
}

TEST(GifWriter, ColourMapHas256EntriesWithTheStaticColours) {
  const QString giftext = peer_tools::Find("giftext");
  if (giftext.isEmpty()) GTEST_SKIP() << "giftext is not installed";
  QTemporaryDir dir;
  for (const QImage& source : {picture_makers::Quadrants(8, 8), PhotoLike()}) {
    const QString path = QDir(dir.path()).filePath("map.gif");
    SaveGifFile(source, path.toStdString());
    const peer_tools::TRun run = peer_tools::Run(giftext, {"-c", path});
    ASSERT_TRUE(run.finished && run.exitCode == 0) << run.err.toStdString();
    std::vector<QRgb> map;
    const QRegularExpression entry("(\\d+): ([0-9a-f]{2})h ([0-9a-f]{2})h ([0-9a-f]{2})h");
    for (auto it = entry.globalMatch(QString::fromUtf8(run.out)); it.hasNext();) {
      const auto m = it.next();
      EXPECT_EQ(m.captured(1).toInt(), int(map.size()));
      map.push_back(qRgb(m.captured(2).toInt(nullptr, 16), m.captured(3).toInt(nullptr, 16), m.captured(4).toInt(nullptr, 16)));
    }
    ASSERT_EQ(map.size(), 256u);
    EXPECT_EQ(std::vector<QRgb>(map.begin(), map.begin() + 20),
              std::vector<QRgb>(std::begin(kStaticSystemColors), std::end(kStaticSystemColors)));
  }
}

// The file is written from memory like any other file: with the permissions every new file
// of the user gets, not the owner-only ones of giflib's own file opening.
TEST(GifWriter, FilesGetTheUsualPermissions) {
  QTemporaryDir dir;
  QFile reference(QDir(dir.path()).filePath("reference"));
  ASSERT_TRUE(reference.open(QIODevice::WriteOnly));
  reference.close();
  const QString path = QDir(dir.path()).filePath("seal.gif");
  SaveGifFile(picture_makers::Quadrants(4, 4), path.toStdString());
  EXPECT_EQ(QFileInfo(path).permissions(), QFileInfo(reference.fileName()).permissions());
}

}  // namespace
