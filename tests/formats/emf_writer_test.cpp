#include "formats/emf_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cmath>
#include <limits>
#include <vector>

#include "bitmap_makers.h"
#include "formats/bmp_writer.h"
#include "peer_tools.h"
#include "platform/picture.h"
#include "formats/whole_file.h"

using bitmap_makers::Distinct;
using bitmap_makers::U16;
using bitmap_makers::U32;
using formats::EncodeEmf;
using platform::TBitmap;
using platform::TColor;

namespace {

using TBytes = std::vector<uint8_t>;

int32_t I32(const TBytes& b, size_t at) { return static_cast<int32_t>(U32(b, at)); }

std::vector<int32_t> Longs(const TBytes& b, size_t at, int n) {
  std::vector<int32_t> values;
  for (int i = 0; i < n; ++i) values.push_back(I32(b, at + 4 * size_t(i)));
  return values;
}

TEST(EmfWriter, ThreeRecordsByteByByte) {
  const TBitmap bitmap = Distinct(3, 2);
  const TBytes file = EncodeEmf(bitmap, 10);
  constexpr size_t header = 108, stretch = 80 + 40 + 2 * 12, eof = 20;
  ASSERT_EQ(file.size(), header + stretch + eof);

  // The header: bounds in pixels and frame in 0.01 mm, both inclusive; 3 x 2 pixels at
  // 10 px/mm are 0.3 x 0.2 mm.
  EXPECT_EQ(Longs(file, 0, 2), (std::vector<int32_t>{1, int32_t(header)}));
  EXPECT_EQ(Longs(file, 8, 4), (std::vector<int32_t>{0, 0, 2, 1}));
  EXPECT_EQ(Longs(file, 24, 4), (std::vector<int32_t>{0, 0, 29, 19}));
  EXPECT_EQ(U32(file, 40), 0x464D4520u);
  EXPECT_EQ(U32(file, 44), 0x00010000u);
  EXPECT_EQ(U32(file, 48), file.size());
  EXPECT_EQ(U32(file, 52), 3u);  // records
  EXPECT_EQ(U16(file, 56), 1u);  // handles
  EXPECT_EQ(U16(file, 58), 0u);
  EXPECT_EQ(Longs(file, 60, 3), (std::vector<int32_t>{0, 0, 0}));  // description, palette
  // The reference device is the picture: its pixels, whole millimetres (at least 1) and
  // micrometres.
  EXPECT_EQ(Longs(file, 72, 4), (std::vector<int32_t>{3, 2, 1, 1}));
  EXPECT_EQ(Longs(file, 88, 3), (std::vector<int32_t>{0, 0, 0}));
  EXPECT_EQ(Longs(file, 100, 2), (std::vector<int32_t>{300, 200}));

  // The bitmap, stretched onto the whole picture as it is.
  const size_t s = header;
  EXPECT_EQ(Longs(file, s, 2), (std::vector<int32_t>{81, int32_t(stretch)}));
  EXPECT_EQ(Longs(file, s + 8, 4), (std::vector<int32_t>{0, 0, 2, 1}));
  EXPECT_EQ(Longs(file, s + 24, 6), (std::vector<int32_t>{0, 0, 0, 0, 3, 2}));
  EXPECT_EQ(Longs(file, s + 48, 4), (std::vector<int32_t>{80, 40, 120, 24}));
  EXPECT_EQ(U32(file, s + 64), 0u);           // colours are RGB values
  EXPECT_EQ(U32(file, s + 68), 0x00CC0020u);  // source copy
  EXPECT_EQ(Longs(file, s + 72, 2), (std::vector<int32_t>{3, 2}));
  const TBytes bmp = formats::EncodeBmp(bitmap);
  EXPECT_EQ(TBytes(file.begin() + long(s + 80), file.begin() + long(s + stretch)), TBytes(bmp.begin() + 14, bmp.end()));

  EXPECT_EQ(Longs(file, s + stretch, 5), (std::vector<int32_t>{14, 20, 0, 16, 20}));
}

// The frame follows the resolution the picture was drawn at, so the metafile shows the seal
// at its true size: 961 pixels at 600 dpi are 40.68 mm.
TEST(EmfWriter, FrameKeepsTheTrueSize) {
  const struct {
    int w, h;
    float pixelsPerMm;
    int32_t frameRight, frameBottom, umX, umY;
  } cases[] = {
      {961, 1, 600 / 25.4f, 4067, 3, 40682, 42},
      {420, 210, 10, 4199, 2099, 42000, 21000},
      {5, 5, 1000, 0, 0, 5, 5},  // under 0.01 mm still one unit
  };
  for (const auto& c : cases) {
    const TBytes file = EncodeEmf(TBitmap(c.w, c.h), c.pixelsPerMm);
    EXPECT_EQ(Longs(file, 24, 4), (std::vector<int32_t>{0, 0, c.frameRight, c.frameBottom})) << c.w;
    EXPECT_EQ(Longs(file, 100, 2), (std::vector<int32_t>{c.umX, c.umY})) << c.w;
    int w = 0, h = 0;
    ASSERT_TRUE(platform::MetafileSize(file, &w, &h));
    EXPECT_EQ(QSize(w, h), QSize(c.w, c.h));
  }
}

TEST(EmfWriter, RefusesNoBitmapAndResolutionsThatAreNotPositive) {
  for (double ppm : {0.0, -10.0, std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_THROW(EncodeEmf(TBitmap(4, 4), ppm), platform::EPictureError) << ppm;
  EXPECT_THROW(EncodeEmf(TBitmap(), 10), platform::EPictureError);
}

// The converter turns the metafile into an SVG with the picture in it; drawn again, the
// four quadrants show their colours where they were.
TEST(EmfWriter, Emf2svgShowsThePicture) {
  const QString converter = peer_tools::Find("emf2svg-conv");
  if (converter.isEmpty()) GTEST_SKIP() << "emf2svg is not installed";
  constexpr int w = 40, h = 30;
  TBitmap bitmap(w, h);
  const TColor quadrant[2][2] = {{platform::clRed, platform::RGBColor(0, 160, 0)},
                                 {platform::RGBColor(0, 0, 200), platform::clWhite}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bitmap.SetPixel(x, y, quadrant[y * 2 / h][x * 2 / w]);
  QTemporaryDir dir;
  const QString emf = QDir(dir.path()).filePath("seal.emf"), svg = QDir(dir.path()).filePath("seal.svg");
  formats::SaveFileAtomically(emf, EncodeEmf(bitmap, 10));
  const peer_tools::TRun run = peer_tools::Run(converter, {"-i", emf, "-o", svg});
  ASSERT_TRUE(run.finished && run.exitCode == 0) << run.err.toStdString();

  QSvgRenderer renderer(svg);
  ASSERT_TRUE(renderer.isValid());
  QImage drawn(w, h, QImage::Format_RGB32);
  drawn.fill(Qt::black);
  QPainter painter(&drawn);
  renderer.render(&painter);
  painter.end();
  for (int qy = 0; qy < 2; ++qy)
    for (int qx = 0; qx < 2; ++qx) {
      const int x = w / 4 + qx * w / 2, y = h / 4 + qy * h / 2;
      EXPECT_EQ(platform::FromQRgb(drawn.pixel(x, y)), quadrant[qy][qx]) << x << "," << y;
    }
}

}  // namespace
