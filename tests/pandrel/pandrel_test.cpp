#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <set>
#include <sys/stat.h>

#include "platform/bitmap.h"
#include "platform/gifwriter.h"
#include "pandrel/pandrel.h"
#include "platform/picture.h"
#include "picture_makers.h"

using platform::TBitmap;
using platform::TGraphicKind;
using platform::TPicture;

namespace {

TEST(Pandrel, CountsTwentyEmblems) {
  int count = -1;
  GetPictureCount(count);
  EXPECT_EQ(count, 20);
}

TEST(Pandrel, SplashHoldsTheStartUpLabelAndItsBorder) {
  TPicture gif;
  LoadAPicture(gif, "Splash");
  ASSERT_TRUE(gif.HasGraphic());
  EXPECT_EQ(gif.Kind(), TGraphicKind::Gif);
  EXPECT_GE(gif.Width(), 400);
  EXPECT_GE(gif.Height(), 260);
  ASSERT_GE(gif.Bytes().size(), 6u);
  EXPECT_EQ(std::string(gif.Bytes().begin(), gif.Bytes().begin() + 4), "GIF8");
}

// Every emblem, its preview and its picture: GIF data of the right size, black shapes on
// white, each one different from the others.
TEST(Pandrel, EveryEmblemNameGivesItsPicture) {
  int count = 0;
  GetPictureCount(count);
  std::set<std::vector<uint8_t>> seen;
  for (int i = 0; i < count; ++i) {
    for (const char* prefix : {"A", "B"}) {
      const std::string name = prefix + std::to_string(i);
      SCOPED_TRACE(name);
      TPicture gif;
      LoadAPicture(gif, name.c_str());
      ASSERT_TRUE(gif.HasGraphic());
      EXPECT_EQ(gif.Kind(), TGraphicKind::Gif);
      if (*prefix == 'A') {
        EXPECT_LE(gif.Width(), 96);
        EXPECT_LE(gif.Height(), 96);
      } else {
        EXPECT_EQ(gif.Width(), 256);
        EXPECT_EQ(gif.Height(), 256);
      }
      EXPECT_TRUE(seen.insert(gif.Bytes()).second) << "the same picture as another name";
      const QImage& image = gif.Image();
      int black = 0, white = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
          const QRgb c = image.pixel(x, y);
          ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << "not gray at " << x << "," << y;
          black += c == 0xFF000000u;
          white += c == 0xFFFFFFFFu;
        }
      EXPECT_GT(white, image.width() * image.height() / 4);
      EXPECT_GT(black, image.width() * image.height() / 40);
    }
  }
}

TEST(Pandrel, EmblemsRecolourByOrCopy) {
  TPicture gif;
  LoadAPicture(gif, "B0");
  TBitmap seal(256, 256);
  seal.Fill(platform::clRed);
  platform::OrCopy(seal.Image(), 0, 0, gif.Image());
  const QImage& emblem = gif.Image();
  for (int y = 0; y < 256; y += 5)
    for (int x = 0; x < 256; x += 5) {
      if (emblem.pixel(x, y) == 0xFF000000u) {
        ASSERT_EQ(seal.Pixel(x, y), platform::clRed) << x << "," << y;
      }
      if (emblem.pixel(x, y) == 0xFFFFFFFFu) {
        ASSERT_EQ(seal.Pixel(x, y), platform::clWhite) << x << "," << y;
      }
    }
}

TEST(Pandrel, UnknownNamesLeaveThePictureAsItWas) {
  TPicture gif;
  LoadAPicture(gif, "B3");
  const auto bytes = gif.Bytes();
  int changes = 0;
  gif.OnChange = [&] { ++changes; };
  for (const char* name : {"A20", "B20", "B-1", "C0", "", "splash", "A", "B01", " B1", "Splash "}) {
    SCOPED_TRACE(name);
    LoadAPicture(gif, name);
    EXPECT_EQ(gif.Bytes(), bytes);
  }
  LoadAPicture(gif, nullptr);
  EXPECT_EQ(gif.Bytes(), bytes);
  EXPECT_EQ(changes, 0);

  TPicture empty;
  LoadAPicture(empty, "X");
  EXPECT_FALSE(empty.HasGraphic());
}

struct Wallpaper : ::testing::Test {
  QTemporaryDir dir;
  std::string Write(const char* name, const QByteArray& bytes) {
    const QString path = QDir(dir.path()).filePath(QString::fromUtf8(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path.toStdString();
  }
  static std::unique_ptr<TBitmap> Make(const char* path) { return std::unique_ptr<TBitmap>(SetBkGnd(nullptr, path)); }
};

TEST_F(Wallpaper, EmptyAndUnreadablePathsGiveAnEmptyBitmap) {
  const std::string garbage = Write("broken.gif", "GIF89a not really");
  const std::string text = Write("notes.txt", "just words");
  const std::string missing = QDir(dir.path()).filePath("missing.bmp").toStdString();
  const std::string folder = dir.path().toStdString();
  // A text record shorter than its fixed part, which the metafile worker refuses.
  const std::vector<uint8_t> emf =
      picture_makers::MakeEmfOfRecords(0, 0, 99, 99, {picture_makers::EmfRecordOf(84, {0, 0, 99, 99})});
  const std::string shortText = Write("short.emf", QByteArray(reinterpret_cast<const char*>(emf.data()), qsizetype(emf.size())));
  for (const char* path :
       {"", garbage.c_str(), text.c_str(), missing.c_str(), folder.c_str(), "/dev/zero", shortText.c_str()}) {
    SCOPED_TRACE(path);
    const auto bitmap = Make(path);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(bitmap->Empty());
  }
  const auto none = Make(nullptr);
  ASSERT_NE(none, nullptr);
  EXPECT_TRUE(none->Empty());
}

// A FIFO would wait for a writer for ever, were it opened as a picture file is.
TEST_F(Wallpaper, AFifoIsRefusedAtOnce) {
  for (const char* name : {"pipe.gif", "pipe.png"}) {
    SCOPED_TRACE(name);
    const std::string fifo = QDir(dir.path()).filePath(QString::fromUtf8(name)).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    const auto bitmap = Make(fifo.c_str());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(bitmap->Empty());
  }
}

TEST_F(Wallpaper, AMetafileIsDrawnByTheWorker) {
  using picture_makers::MetafileShape;
  const std::vector<uint8_t> emf = picture_makers::MakeEmf(0, 0, 59, 39, {{MetafileShape::Rectangle, 0, 0, 30, 40, 0x0000FF}});
  const std::string path = Write("墙纸.emf", QByteArray(reinterpret_cast<const char*>(emf.data()), qsizetype(emf.size())));
  const auto bitmap = Make(path.c_str());
  ASSERT_EQ(bitmap->Width(), 60);
  ASSERT_EQ(bitmap->Height(), 40);
  EXPECT_EQ(bitmap->Image().pixel(10, 20), qRgb(255, 0, 0));
  EXPECT_EQ(bitmap->Image().pixel(50, 20), qRgb(255, 255, 255));
}

TEST_F(Wallpaper, APictureFileBecomesTheBitmap) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(qRgb(10, 120, 200));
  image.setPixel(39, 29, qRgb(250, 0, 0));
  const std::vector<uint8_t> gif = platform::EncodeGif(image);
  const std::string gifPath = Write("墙纸.gif", QByteArray(reinterpret_cast<const char*>(gif.data()), qsizetype(gif.size())));
  QImage png = image;
  const QString pngPath = QDir(dir.path()).filePath("paper.png");
  ASSERT_TRUE(png.save(pngPath));
  for (const std::string& path : {gifPath, pngPath.toStdString()}) {
    SCOPED_TRACE(path);
    const auto bitmap = Make(path.c_str());
    ASSERT_NE(bitmap, nullptr);
    ASSERT_EQ(bitmap->Width(), 40);
    ASSERT_EQ(bitmap->Height(), 30);
    EXPECT_EQ(bitmap->Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(bitmap->Image().pixel(39, 29), qRgb(250, 0, 0));
    EXPECT_EQ(bitmap->Image().pixel(0, 0), qRgb(10, 120, 200));
  }
}

TEST_F(Wallpaper, TransparentPartsShowWhite) {
  QImage image(8, 8, QImage::Format_ARGB32);
  image.fill(qRgba(0, 0, 0, 0));
  image.setPixel(4, 4, qRgb(0, 0, 255));
  const QString path = QDir(dir.path()).filePath("clear.png");
  ASSERT_TRUE(image.save(path));
  const auto bitmap = Make(path.toUtf8().constData());
  EXPECT_EQ(bitmap->Image().pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(bitmap->Image().pixel(4, 4), qRgb(0, 0, 255));
}

}  // namespace
