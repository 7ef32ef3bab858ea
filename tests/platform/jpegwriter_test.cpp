#include "platform/jpegwriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "peer_tools.h"
#include "platform/canvas.h"
#include "platform/gbk.h"
#include "platform/picture.h"
#include "seal/seal.h"
#include "test_images.h"

using platform::EncodeJpeg;

namespace {

// A round red seal drawn through the seal model at 10 px/mm: 42 mm across, rim text, star.
QImage RedSeal() {
  seal::TSeal s;
  s.SetPixelsPerMm(10);
  s.SetZoom(100);
  s.SetSealType(seal::stEllipse);
  s.SetRealWidth(42);
  s.SetRealHeight(42);
  s.SetText(platform::Gbk("北京市某某科技有限公司"));
  s.SetImageIsStar(true);
  QImage image = testimages::FilledImage(s.Width() + 16, s.Height() + 16);
  {
    platform::TPainterCanvas canvas(&image);
    s.DrawTo(8, 8, &canvas, true);
  }
  return image;
}

double Psnr(const QImage& a, const QImage& b) {
  EXPECT_EQ(a.size(), b.size());
  double squares = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) squares += double(d) * d;
    }
  const double mse = squares / (3.0 * a.width() * a.height());
  return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

// Every segment of the marker, each from its length field on, up to the first scan.
std::vector<std::vector<uint8_t>> Segments(const std::vector<uint8_t>& jpeg, uint8_t marker) {
  std::vector<std::vector<uint8_t>> found;
  for (size_t i = 2; i + 4 <= jpeg.size() && jpeg[i + 1] != 0xDA;) {
    EXPECT_EQ(jpeg[i], 0xFF);
    const size_t length = size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
    if (jpeg[i + 1] == marker) found.emplace_back(jpeg.begin() + long(i + 2), jpeg.begin() + long(i + 2 + length));
    i += 2 + length;
  }
  return found;
}

TEST(JpegWriter, RedSealKeepsItsStrokes) {
  const QImage seal = RedSeal();
  ASSERT_GT(testimages::CountColor(seal, platform::clRed), 1000);
  const std::vector<uint8_t> jpeg = EncodeJpeg(seal);
  EXPECT_GE(Psnr(seal, platform::DecodeJpeg(jpeg.data(), jpeg.size())), 45.0);

  // Baseline, three components none of them subsampled, quality 100: every quantiser step 1.
  const auto frames = Segments(jpeg, 0xC0);
  ASSERT_EQ(frames.size(), 1u);
  const std::vector<uint8_t>& frame = frames[0];
  ASSERT_EQ(frame.size(), 2u + 6 + 3 * 3);
  EXPECT_EQ((frame[3] << 8 | frame[4]), seal.height());
  EXPECT_EQ((frame[5] << 8 | frame[6]), seal.width());
  for (int c = 0; c < 3; ++c) EXPECT_EQ(frame[size_t(8 + 3 * c + 1)], 0x11) << c;
  // A table's number, then its 64 steps.
  const auto tables = Segments(jpeg, 0xDB);
  ASSERT_EQ(tables.size(), 2u);
  for (const auto& table : tables) {
    ASSERT_EQ(table.size(), 2u + 65);
    EXPECT_EQ(std::vector<uint8_t>(table.begin() + 3, table.end()), std::vector<uint8_t>(64, 1));
  }
}

TEST(JpegWriter, DjpegDecodesIt) {
  const QString djpeg = peer_tools::Find("djpeg");
  if (djpeg.isEmpty()) GTEST_SKIP() << "djpeg is not installed";
  const QImage seal = RedSeal();
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath("seal.jpg");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const std::vector<uint8_t> jpeg = EncodeJpeg(seal);
  file.write(reinterpret_cast<const char*>(jpeg.data()), qint64(jpeg.size()));
  file.close();
  const peer_tools::TRun run = peer_tools::Run(djpeg, {"-ppm", path});
  ASSERT_TRUE(run.finished && run.exitCode == 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  const QImage decoded = QImage::fromData(run.out, "PPM");
  ASSERT_EQ(decoded.size(), seal.size());
  EXPECT_GE(Psnr(seal, decoded), 45.0);
}

TEST(JpegWriter, RefusesWhatJpegCannotHold) {
  EXPECT_THROW(EncodeJpeg(QImage()), platform::EPictureError);
  EXPECT_THROW(EncodeJpeg(QImage(platform::kMaxJpegSide + 1, 1, QImage::Format_RGB32)), platform::EPictureError);
  EXPECT_THROW(EncodeJpeg(QImage(1, platform::kMaxJpegSide + 1, QImage::Format_RGB32)), platform::EPictureError);
  QImage widest(platform::kMaxJpegSide, 1, QImage::Format_RGB32);
  widest.fill(Qt::red);
  EXPECT_FALSE(EncodeJpeg(widest).empty());
}

}  // namespace
