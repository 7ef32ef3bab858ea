#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <set>

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

}  // namespace
