#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "platform/gifwriter.h"
#include "platform/picture.h"
#include "picture_makers.h"

using namespace platform;
using namespace picture_makers;

namespace {

void WriteFile(const QString& path, const std::vector<uint8_t>& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

// A red square on white, 100 x 100 pixels, in either kind of metafile.
const MetafileShape kRedSquare{MetafileShape::Rectangle, 20, 20, 80, 80, 0x0000FF};

struct Fixture : ::testing::Test {
  QTemporaryDir dir;
  std::string Path(const char* name) { return QDir(dir.path()).filePath(name).toStdString(); }
};

TEST_F(Fixture, LoadsByExtensionAndKeepsTheBytes) {
  const QImage q = Quadrants(20, 10);
  struct Case {
    const char* file;
    std::vector<uint8_t> bytes;
    TGraphicKind kind;
    int width, height;
  } cases[] = {
      {"a.bmp", EncodeWithQt(q, "bmp"), TGraphicKind::Bitmap, 20, 10},
      {"b.JPG", MakeJpeg(q), TGraphicKind::Jpeg, 20, 10},
      {"c.jpeg", MakeJpeg(q), TGraphicKind::Jpeg, 20, 10},
      {"d.Gif", EncodeGif(q), TGraphicKind::Gif, 20, 10},
      {"e.ico", EncodeWithQt(q, "ico"), TGraphicKind::Icon, 20, 10},
      {"f.emf", MakeEmf(0, 0, 99, 49, {kRedSquare}), TGraphicKind::Metafile, 100, 50},
      {"g.wmf", MakePlaceableWmf(10, 20, 310, 220, 0, {kRedSquare}), TGraphicKind::Metafile, 300, 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    WriteFile(QString::fromStdString(Path(c.file)), c.bytes);
    TPicture picture;
    picture.LoadFromFile(Path(c.file));
    EXPECT_TRUE(picture.HasGraphic());
    EXPECT_EQ(picture.Kind(), c.kind);
    EXPECT_EQ(picture.Width(), c.width);
    EXPECT_EQ(picture.Height(), c.height);
    EXPECT_EQ(picture.Bytes(), c.bytes);
    EXPECT_EQ(picture.Image().size(), QSize(c.width, c.height));
  }
}

TEST_F(Fixture, FailedLoadsLeaveThePictureAsItWas) {
  WriteFile(QString::fromStdString(Path("bad.gif")), {'G', 'I', 'F', '8', '9', 'a', 1, 0});
  WriteFile(QString::fromStdString(Path("x.png")), EncodeWithQt(Quadrants(4, 4), "bmp"));
  {
    // Holes only: a file that would take the cap's worth of memory if it were read.
    QFile huge(QString::fromStdString(Path("huge.bmp")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(kMaxPictureFileBytes));
  }
  // Opened as a regular file is, these would wait for a writer, read for ever or fail late.
  ASSERT_EQ(::mkfifo(Path("pipe.gif").c_str(), 0600), 0);
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));
  ASSERT_TRUE(QFile::link("/dev/zero", QString::fromStdString(Path("zero.jpg"))));
  const auto gif = EncodeGif(Quadrants(6, 4));
  TPicture picture;
  picture.LoadFromBytes(TGraphicKind::Gif, gif);
  int changes = 0;
  picture.OnChange = [&] { ++changes; };
  const struct {
    const char* name;
    std::function<void()> load;
  } failures[] = {
      {"undecodable", [&] { picture.LoadFromFile(Path("bad.gif")); }},
      {"unknown extension", [&] { picture.LoadFromFile(Path("x.png")); }},
      {"missing file", [&] { picture.LoadFromFile(Path("none.bmp")); }},
      {"no extension", [&] { picture.LoadFromFile(Path("plain")); }},
      {"a file at the size cap", [&] { picture.LoadFromFile(Path("huge.bmp")); }},
      {"a FIFO", [&] { picture.LoadFromFile(Path("pipe.gif")); }},
      {"a folder", [&] { picture.LoadFromFile(Path("folder.bmp")); }},
      {"a device", [&] { picture.LoadFromFile(Path("zero.jpg")); }},
      {"empty bytes", [&] { picture.LoadFromBytes(TGraphicKind::Jpeg, {}); }},
      {"wrong kind", [&] { picture.LoadFromBytes(TGraphicKind::Jpeg, gif); }},
      {"metafile without header", [&] { picture.LoadFromBytes(TGraphicKind::Metafile, {1, 2, 3}); }},
      {"metafile without its end record",
       [&] { picture.LoadFromBytes(TGraphicKind::Metafile, MakeEmf(0, 0, 99, 99, {kRedSquare}, false)); }},
      // Its recoloured bitmap would need gigabytes: a side over the cap, then too many pixels.
      {"metafile wider than any picture",
       [&] { picture.LoadFromBytes(TGraphicKind::Metafile, MakeEmf(0, 0, 16384, 0)); }},
      {"metafile of too many pixels",
       [&] { picture.LoadFromBytes(TGraphicKind::Metafile, MakeEmf(0, 0, 16383, 4096)); }},
      {"placeable metafile of too many pixels",
       [&] { picture.LoadFromBytes(TGraphicKind::Metafile, MakePlaceableWmf(0, 0, 30000, 30000, 96)); }},
  };
  for (const auto& f : failures) {
    SCOPED_TRACE(f.name);
    EXPECT_THROW(f.load(), EPictureError);
    EXPECT_EQ(picture.Kind(), TGraphicKind::Gif);
    EXPECT_EQ(picture.Bytes(), gif);
    EXPECT_EQ(picture.Width(), 6);
    EXPECT_EQ(picture.Height(), 4);
  }
  EXPECT_EQ(changes, 0);
}

// What the user reads of a picture file that cannot be read: the file and the reason, in
// Chinese, whatever library refused it.
TEST_F(Fixture, FileFailuresNameTheFileAndSayWhyInChinese) {
  WriteFile(QString::fromStdString(Path("损坏.gif")), {'G', 'I', 'F', '8', '9', 'a', 1, 0});
  WriteFile(QString::fromStdString(Path("wrong.jpg")), EncodeWithQt(Quadrants(4, 4), "png"));
  WriteFile(QString::fromStdString(Path("cut.bmp")), {'B', 'M', 1, 2, 3});
  WriteFile(QString::fromStdString(Path("short.emf")), MakeEmf(0, 0, 99, 99, {kRedSquare}, false));
  WriteFile(QString::fromStdString(Path("notes.txt")), {'h', 'i'});
  ASSERT_EQ(::mkfifo(Path("pipe.wmf").c_str(), 0600), 0);
  for (const char* name : {"损坏.gif", "wrong.jpg", "cut.bmp", "short.emf", "notes.txt", "pipe.wmf", "gone.ico"}) {
    SCOPED_TRACE(name);
    TPicture picture;
    try {
      picture.LoadFromFile(Path(name));
      ADD_FAILURE() << "loaded";
    } catch (const EPictureError& e) {
      const QString message = QString::fromUtf8(e.what());
      EXPECT_TRUE(message.startsWith(QStringLiteral("无法读取图象文件“") + QString::fromUtf8(name) + QStringLiteral("”："))) << e.what();
      QString reason = message.mid(message.indexOf(QStringLiteral("”：")) + 2);
      reason.remove(QRegularExpression(QStringLiteral("\\b(JPEG|GIF|BMP|ICO)\\b")));
      EXPECT_FALSE(reason.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}")))) << e.what();
    }
  }
}

// A caller's limit refuses a picture by the size its header claims; at the limit it loads.
TEST(Picture, TheCallersPixelLimitHoldsForEveryKind) {
  const QImage q = Quadrants(6, 4);
  const struct {
    TGraphicKind kind;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {TGraphicKind::Bitmap, EncodeWithQt(q, "bmp")}, {TGraphicKind::Jpeg, MakeJpeg(q)},
      {TGraphicKind::Metafile, MakeEmf(0, 0, 5, 3)},  {TGraphicKind::Icon, EncodeWithQt(q, "ico")},
      {TGraphicKind::Gif, EncodeGif(q)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.kind));
    TPicture picture;
    EXPECT_THROW(picture.LoadFromBytes(c.kind, c.bytes, 23), EPictureError);
    EXPECT_THROW(picture.LoadFromBytes(c.kind, c.bytes, 0), EPictureError);
    EXPECT_FALSE(picture.HasGraphic());
    picture.LoadFromBytes(c.kind, c.bytes, 24);
    EXPECT_EQ(picture.Width() * picture.Height(), 24);
  }
  // A screen of 8192 x 8192 in a few bytes is refused without its 256 MB being allocated.
  TPicture picture;
  EXPECT_THROW(picture.LoadFromBytes(TGraphicKind::Gif, BigScreenGif(8192), 8192 * 8192 - 1), EPictureError);
}

TEST(Picture, ChangeFiresOnLoadAssignAndClear) {
  TPicture a, b;
  int changes = 0;
  a.OnChange = [&] { ++changes; };
  a.LoadFromBytes(TGraphicKind::Jpeg, MakeJpeg(Quadrants(8, 8)));
  EXPECT_EQ(changes, 1);
  b.LoadFromBytes(TGraphicKind::Gif, EncodeGif(Quadrants(5, 3)));
  a.Assign(b);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(a.Kind(), TGraphicKind::Gif);
  EXPECT_EQ(a.Bytes(), b.Bytes());
  EXPECT_EQ(a.Width(), 5);
  a.Clear();
  EXPECT_EQ(changes, 3);
  EXPECT_FALSE(a.HasGraphic());
  EXPECT_EQ(a.Width(), 0);
  EXPECT_TRUE(a.Bytes().empty());
  EXPECT_TRUE(a.Image().isNull());
  TPicture empty;
  b.Assign(empty);
  EXPECT_FALSE(b.HasGraphic());
}

TEST(Picture, MetafilesAtTheSideCapLoad) {
  // Strips, so that the drawing stays small; the pixel cap is the decoders' test.
  TPicture picture;
  picture.LoadFromBytes(TGraphicKind::Metafile, MakeEmf(0, 0, 16383, 1));
  EXPECT_EQ(picture.Image().size(), QSize(16384, 2));
  picture.LoadFromBytes(TGraphicKind::Metafile, MakePlaceableWmf(0, 0, 2, 16384, 0));
  EXPECT_EQ(picture.Image().size(), QSize(2, 16384));
}

TEST(Picture, MetafileSizeFromTheHeader) {
  int w = 0, h = 0;
  EXPECT_TRUE(MetafileSize(MakeEmf(10, 20, 10, 20), &w, &h));
  EXPECT_EQ(w, 1);
  EXPECT_EQ(h, 1);
  EXPECT_TRUE(MetafileSize(MakeEmf(50, 50, 10, 10), &w, &h));  // inverted bounds give no size
  EXPECT_EQ(w, 0);
  // Bounds wider than an int can span are held to the int range, not overflowed.
  EXPECT_TRUE(MetafileSize(MakeEmf(INT32_MIN, 0, INT32_MAX, 0), &w, &h));
  EXPECT_EQ(w, INT32_MAX);
  EXPECT_EQ(h, 1);
  // A placeable box is measured in its own inch, on a 96-pixel inch; without an inch it
  // is taken in that inch. 1440 twips are an inch: 96 pixels.
  const struct {
    int right, bottom, inch, width, height;
  } boxes[] = {{1440, 720, 0, 1440, 720}, {1440, 720, 1440, 96, 48}, {1000, 500, 96, 1000, 500}, {10, 5, 1, 960, 480},
               {100, 101, 1440, 7, 7}};  // 6.67 and 6.73 round to the nearest pixel
  for (const auto& b : boxes) {
    SCOPED_TRACE(b.inch);
    EXPECT_TRUE(MetafileSize(MakePlaceableWmf(0, 0, b.right, b.bottom, b.inch), &w, &h));
    EXPECT_EQ(w, b.width);
    EXPECT_EQ(h, b.height);
  }
  auto shortEmf = MakeEmf(0, 0, 9, 9);
  shortEmf.resize(87);
  EXPECT_FALSE(MetafileSize(shortEmf, &w, &h));
  auto noSignature = MakeEmf(0, 0, 9, 9);
  noSignature[40] = 0;
  EXPECT_FALSE(MetafileSize(noSignature, &w, &h));
  EXPECT_FALSE(MetafileSize({}, &w, &h));
}

TEST(Picture, KindCodes) {
  TGraphicKind kind;
  EXPECT_TRUE(GraphicKindFromCode(4, &kind));
  EXPECT_EQ(kind, TGraphicKind::Gif);
  EXPECT_TRUE(GraphicKindFromCode(0, &kind));
  EXPECT_EQ(kind, TGraphicKind::Bitmap);
  EXPECT_FALSE(GraphicKindFromCode(5, &kind));
  EXPECT_FALSE(GraphicKindFromCode(-1, &kind));
}

}  // namespace
