// Seal library files against their layout: the header, thumbnail and offsets byte by byte,
// a design saved and inserted again, the stamps that insert nothing, and files that are
// short, oversized or hostile at each field.

#include "formats/library_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <sys/stat.h>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "document_makers.h"
#include "picture_makers.h"
#include "formats/seal_block.h"
#include "formats/whole_file.h"
#include "platform/extended.h"
#include "platform/gbk.h"
#include "platform/picture.h"
#include "platform/quantizer.h"
#include "platform/regularfile.h"

using namespace formats;
using namespace seal;
using platform::EFormatError;
using platform::TByteReader;
using platform::TByteWriter;

namespace {

using Bytes = std::vector<uint8_t>;

// A seal at 10 px/mm and 100 %, so that its pixel bounds are exact for these values.
std::unique_ptr<TSeal> Seal(TSealType type, float cx, float cy, float w, float h, const char* text = "") {
  auto s = std::make_unique<TSeal>();
  s->SetPixelsPerMm(10);
  s->SetZoom(100);
  s->SetSealType(type);
  s->SetRealWidth(w);
  s->SetRealHeight(h);
  s->SetRealCenterX(cx);
  s->SetRealCenterY(cy);
  s->SetText(platform::Gbk(text));
  return s;
}

std::vector<TSeal*> Pointers(const std::vector<std::unique_ptr<TSeal>>& seals) {
  std::vector<TSeal*> p;
  for (const auto& s : seals) p.push_back(s.get());
  return p;
}

// Two seals whose box is 20..65 × 30..50 mm: centre (42.5, 40), 45 × 20 mm.
std::vector<std::unique_ptr<TSeal>> Pair() {
  std::vector<std::unique_ptr<TSeal>> seals;
  seals.push_back(Seal(stEllipse, 30, 40, 20, 20, "北京"));
  seals.push_back(Seal(stRect, 60, 45, 10, 10));
  return seals;
}

struct Target {
  QWidget page;
  TSealTarget target;
  Target() {
    target.Page = &page;
    target.PixelsPerMm = 4;
    target.PageZoom = 50;
    target.CreateSeal = [this] { return std::make_unique<TSeal>(&page); };
  }
  int SealsOnPage() const { return int(page.findChildren<TSeal*>().size()); }
};

int64_t ReadInt64At(const Bytes& b, size_t at) {
  TByteReader r(b.data() + at, b.size() - at);
  return r.ReadInt64();
}

long double ReadExtendedAt(const Bytes& b, size_t at) {
  TByteReader r(b.data() + at, b.size() - at);
  return r.ReadExtended();
}

void PutExtended(Bytes& b, size_t at, long double v) {
  const platform::ExtendedBytes e = platform::EncodeExtended(v);
  std::copy(e.begin(), e.end(), b.begin() + std::ptrdiff_t(at));
}

Bytes WithStamp(Bytes b, float stamp) {
  std::memcpy(b.data(), &stamp, 4);
  return b;
}

TEST(LibraryFile, LayoutByteByByte) {
  const auto seals = Pair();
  const Bytes file = SaveLibraryFile(Pointers(seals));
  ASSERT_GT(file.size(), 12u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{0x00, 0x00, 0x00, 0x41}));
  const int64_t g = ReadInt64At(file, 4);
  ASSERT_GT(g, 0);
  const size_t box = 12 + size_t(g);
  EXPECT_EQ(std::string(file.begin() + 12, file.begin() + 15), "GIF");
  EXPECT_EQ(ReadExtendedAt(file, box), 45.0L);
  EXPECT_EQ(ReadExtendedAt(file, box + 10), 20.0L);
  int32_t k;
  std::memcpy(&k, file.data() + box + 20, 4);
  EXPECT_EQ(k, 2);

  // Each seal: its offsets from the box centre, then its exact block.
  size_t at = box + 24;
  const long double offsets[2][2] = {{30 - 42.5L, 0}, {60 - 42.5L, 5}};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(ReadExtendedAt(file, at), offsets[i][0]) << i;
    EXPECT_EQ(ReadExtendedAt(file, at + 10), offsets[i][1]) << i;
    TSealRecord record{};
    TByteWriter block;
    WriteSealBlock(record, block, *seals[size_t(i)], true);
    ASSERT_LE(at + 20 + block.Size(), file.size());
    EXPECT_EQ(Bytes(file.begin() + std::ptrdiff_t(at + 20), file.begin() + std::ptrdiff_t(at + 20 + block.Size())),
              block.Bytes())
        << i;
    at += 20 + block.Size();
  }
  EXPECT_EQ(at, file.size());
}

TEST(LibraryFile, ThumbnailIsTheBoxAt288DpiWithAMarginInColourOnWhiteAndSmoothed) {
  const auto seals = Pair();
  const std::optional<TThumbnail> t = RenderSelectionThumbnail(Pointers(seals));
  ASSERT_TRUE(t);
  EXPECT_EQ(t->Box.CX, 42.5L);
  EXPECT_EQ(t->Box.CY, 40.0L);
  EXPECT_EQ(t->Box.BoxWidth, 45.0L);
  EXPECT_EQ(t->Box.BoxHeight, 20.0L);
  // 45 mm × 288 / 25.4 = 510.24, 20 mm → 226.77.
  EXPECT_EQ(t->Bitmap.Width(), 510 + 8);
  EXPECT_EQ(t->Bitmap.Height(), 227 + 8);
  const QImage& image = t->Bitmap.Image();
  int red = 0;
  int blended = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y) & 0xFFFFFF;
      if (p == 0xFF0000) ++red;
      else if (p != 0xFFFFFF) ++blended;
    }
  // The seals are drawn in their colour; drawing without antialiasing gives only red and
  // white, so every other colour comes from the smoothing.
  EXPECT_GT(red, 1000);
  EXPECT_GT(blended, 100);
  // On white: the corners away from both seals (wide pens reach past a seal's box, so the
  // margin itself may take ink).
  for (const QPoint corner : {QPoint(0, 0), QPoint(517, 0), QPoint(0, 234)})
    EXPECT_EQ(image.pixel(corner) & 0xFFFFFF, 0xFFFFFFu) << corner.x() << "," << corner.y();
  // The round seal's rim passes through the left edge of the box, 4 pixels in.
  EXPECT_NE(image.pixel(4 + 5, 4 + 113) & 0xFFFFFF, 0xFFFFFFu);

  EXPECT_FALSE(RenderSelectionThumbnail({}));
}

TEST(LibraryFile, ThumbnailGifHoldsTheStaticColoursAndTheThumbnailSize) {
  const auto seals = Pair();
  const Bytes file = SaveLibraryFile(Pointers(seals));
  const Bytes gif = ReadLibraryPreview(file);
  ASSERT_GE(gif.size(), 13u + 768u);
  EXPECT_EQ(gif[6] | gif[7] << 8, 518);
  EXPECT_EQ(gif[8] | gif[9] << 8, 235);
  ASSERT_TRUE(gif[10] & 0x80) << "a global colour map";
  for (int i = 0; i < 20; ++i) {
    const QRgb c = platform::kStaticSystemColors[i];
    EXPECT_EQ(gif[size_t(13 + 3 * i)], qRed(c)) << i;
    EXPECT_EQ(gif[size_t(14 + 3 * i)], qGreen(c)) << i;
    EXPECT_EQ(gif[size_t(15 + 3 * i)], qBlue(c)) << i;
  }
  platform::TPicture picture;
  picture.LoadFromBytes(platform::TGraphicKind::Gif, gif);
  EXPECT_EQ(picture.Width(), 518);
}

TEST(LibraryFile, InsertedBoxLandsTwoMillimetresFromTheOriginAndAgainAtTheSamePlace) {
  const auto seals = Pair();
  const Bytes file = SaveLibraryFile(Pointers(seals));
  Target t;
  for (int pass = 0; pass < 2; ++pass) {
    const auto read = ReadLibrarySeals(file, t.target, 100, 200);
    ASSERT_EQ(read.size(), 2u);
    // The box's top-left corner at (102, 202); the round seal's corner was the box's.
    EXPECT_EQ(read[0]->RealCenterX(), 112.0f);
    EXPECT_EQ(read[0]->RealCenterY(), 212.0f);
    EXPECT_EQ(read[1]->RealCenterX(), 142.0f);
    EXPECT_EQ(read[1]->RealCenterY(), 217.0f);
  }
}

TEST(LibraryFile, SavedAndInsertedKeepsSizesTextsPicturesAndRelativePlacesOnlyTheGroupMoves) {
  auto seals = Pair();
  // Every property away from its default, a GIF picture, a box edge off the pixel grid.
  seals.push_back(document_makers::MakeSeal(stEllipse, int(platform::TGraphicKind::Gif)));
  seals.push_back(document_makers::MakeSeal(stName12));
  const Bytes file = SaveLibraryFile(Pointers(seals));
  Target t;
  const auto read = ReadLibrarySeals(file, t.target, 33.25L, 7.5L);
  ASSERT_EQ(read.size(), seals.size());
  TSealRecord record{};
  for (size_t i = 0; i < seals.size(); ++i) {
    EXPECT_EQ(read[i]->parentWidget(), &t.page);
    EXPECT_FALSE(read[i]->isVisible());
    EXPECT_EQ(read[i]->Zoom(), 50);
    EXPECT_EQ(read[i]->PixelsPerMm(), 4.0f);
    EXPECT_EQ(read[i]->Text(), seals[i]->Text());
    EXPECT_EQ(read[i]->Picture().Bytes(), seals[i]->Picture().Bytes());
    EXPECT_EQ(read[i]->RealCenterX() - read[0]->RealCenterX(), seals[i]->RealCenterX() - seals[0]->RealCenterX());
    EXPECT_EQ(read[i]->RealCenterY() - read[0]->RealCenterY(), seals[i]->RealCenterY() - seals[0]->RealCenterY());
  }
  // Everything else stored is as it was: the blocks differ in the centres alone.
  for (size_t i = 0; i < seals.size(); ++i) {
    read[i]->SetRealCenterX(seals[i]->RealCenterX());
    read[i]->SetRealCenterY(seals[i]->RealCenterY());
    TByteWriter a;
    TByteWriter b;
    WriteSealBlock(record, a, *seals[i], true);
    WriteSealBlock(record, b, *read[i], true);
    EXPECT_EQ(a.Bytes(), b.Bytes()) << i;
  }
}

TEST(LibraryFile, ProgressCountsThreeStepsPerSealSavedAndEightPerSealInserted) {
  const auto seals = Pair();
  std::vector<std::pair<int, int>> saved;
  const Bytes file = SaveLibraryFile(Pointers(seals), [&](int p, int m) { saved.emplace_back(p, m); });
  EXPECT_EQ(saved, (std::vector<std::pair<int, int>>{{0, 6}, {2, 6}, {4, 6}, {5, 6}, {6, 6}}));
  Target t;
  std::vector<std::pair<int, int>> inserted;
  t.target.Progress = [&](int p, int m) { inserted.emplace_back(p, m); };
  ReadLibrarySeals(file, t.target, 0, 0);
  EXPECT_EQ(inserted, (std::vector<std::pair<int, int>>{{0, 16}, {8, 16}, {16, 16}}));
}

TEST(LibraryFile, StampsOfSevenOrLessInsertNothingAndHalfwayToEightInserts) {
  const auto seals = Pair();
  const Bytes file = SaveLibraryFile(Pointers(seals));
  for (float stamp : {7.0f, 6.5f, 5.0f, 0.0f, -3.0f}) {
    Target t;
    EXPECT_TRUE(ReadLibrarySeals(WithStamp(file, stamp), t.target, 0, 0).empty()) << stamp;
    EXPECT_EQ(t.SealsOnPage(), 0);
  }
  for (float stamp : {7.5f, 8.0f, 9.0f}) {
    Target t;
    EXPECT_EQ(ReadLibrarySeals(WithStamp(file, stamp), t.target, 0, 0).size(), 2u) << stamp;
  }
  Target t;
  EXPECT_THROW(ReadLibrarySeals(WithStamp(file, std::nanf("")), t.target, 0, 0), EFormatError);
}

TEST(LibraryFile, BadFilesAreRefusedLeavingNothingOnThePage) {
  const auto seals = Pair();
  const Bytes file = SaveLibraryFile(Pointers(seals));
  const size_t g = size_t(ReadInt64At(file, 4));
  const size_t box = 12 + g;
  const size_t first = box + 24;
  TSealRecord record{};
  TByteWriter block;
  WriteSealBlock(record, block, *seals[0], true);
  const size_t second = first + 20 + block.Size();

  struct Case {
    const char* what;
    std::function<Bytes()> make;
  };
  const auto cut = [&](size_t n) { return [&file, n] { return Bytes(file.begin(), file.begin() + std::ptrdiff_t(n)); }; };
  const auto with = [&](std::function<void(Bytes&)> edit) {
    return [&file, edit] {
      Bytes b = file;
      edit(b);
      return b;
    };
  };
  const auto putInt64 = [](Bytes& b, size_t at, int64_t v) { std::memcpy(b.data() + at, &v, 8); };
  const auto putInt32 = [](Bytes& b, size_t at, int32_t v) { std::memcpy(b.data() + at, &v, 4); };
  const Case cases[] = {
      {"empty", cut(0)},
      {"inside the stamp", cut(3)},
      {"inside the thumbnail size", cut(9)},
      {"inside the thumbnail", cut(12 + g / 2)},
      {"inside the box width", cut(box + 5)},
      {"inside the box height", cut(box + 15)},
      {"inside the count", cut(box + 22)},
      {"inside the first offset", cut(first + 4)},
      {"inside the second offset", cut(first + 14)},
      {"inside the first block", cut(first + 20 + 300)},
      {"inside the second block", cut(file.size() - 1)},
      {"thumbnail one byte past the file", with([&](Bytes& b) { putInt64(b, 4, int64_t(b.size() - 12 + 1)); })},
      {"negative thumbnail size", with([&](Bytes& b) { putInt64(b, 4, -1); })},
      {"thumbnail size with high bits", with([&](Bytes& b) { putInt64(b, 4, int64_t(g) | (int64_t(1) << 40)); })},
      {"largest thumbnail size", with([&](Bytes& b) { putInt64(b, 4, std::numeric_limits<int64_t>::max()); })},
      {"negative count", with([&](Bytes& b) { putInt32(b, box + 20, -1); })},
      {"count beyond the bytes", with([&](Bytes& b) { putInt32(b, box + 20, 3); })},
      {"largest count", with([&](Bytes& b) { putInt32(b, box + 20, INT32_MAX); })},
      {"box width not a number", with([&](Bytes& b) { std::fill_n(b.begin() + std::ptrdiff_t(box), 10, 0xFF); })},
      {"offset not a number", with([&](Bytes& b) { std::fill_n(b.begin() + std::ptrdiff_t(second), 10, 0xFF); })},
      {"offset beyond a Single", with([&](Bytes& b) { PutExtended(b, second, 1e39L); })},
      {"box beyond a Single", with([&](Bytes& b) { PutExtended(b, box + 10, -1e4000L); })},
      {"bad picture code in the second block",
       with([&](Bytes& b) {
         // The second seal has no picture: its flag is the file's last byte.
         b.back() = 1;
         b.push_back(9);
       })},
  };
  for (const Case& c : cases) {
    Target t;
    EXPECT_THROW(ReadLibrarySeals(c.make(), t.target, 0, 0), EFormatError) << c.what;
    EXPECT_EQ(t.SealsOnPage(), 0) << c.what;
  }
}

TEST(LibraryFile, CountIsCheckedBeforeAnySealIsMade) {
  const auto seals = Pair();
  Bytes file = SaveLibraryFile(Pointers(seals));
  const size_t box = 12 + size_t(ReadInt64At(file, 4));
  const int32_t k = 1000;
  std::memcpy(file.data() + box + 20, &k, 4);
  Target t;
  int made = 0;
  t.target.CreateSeal = [&] {
    ++made;
    return std::make_unique<TSeal>();
  };
  EXPECT_THROW(ReadLibrarySeals(file, t.target, 0, 0), EFormatError);
  EXPECT_EQ(made, 0);
}

TEST(LibraryFile, PreviewIsTheThumbnailWhateverTheStampAndRefusedWhenItRunsPastTheFile) {
  const auto seals = Pair();
  const Bytes file = SaveLibraryFile(Pointers(seals));
  const size_t g = size_t(ReadInt64At(file, 4));
  const Bytes expected(file.begin() + 12, file.begin() + 12 + std::ptrdiff_t(g));
  EXPECT_EQ(ReadLibraryPreview(WithStamp(file, 1.0f)), expected);
  EXPECT_THROW(ReadLibraryPreview(Bytes(file.begin(), file.begin() + std::ptrdiff_t(11 + g))), EFormatError);
  EXPECT_THROW(ReadLibraryPreview(Bytes(file.begin(), file.begin() + 7)), EFormatError);
  Bytes negative = file;
  const int64_t minus = -5;
  std::memcpy(negative.data() + 4, &minus, 8);
  EXPECT_THROW(ReadLibraryPreview(negative), EFormatError);
}

// The panel reads a design's head and thumbnail from its file, nothing behind them, and
// never a file past the cap, however it is made.
TEST(LibraryFile, ThePanelsReaderTakesTheThumbnailOnlyAndRefusesLargeFilesAtOnce) {
  QTemporaryDir dir;
  const auto path = [&](const char* name) { return QDir(dir.path()).filePath(QString::fromUtf8(name)); };
  const auto seals = Pair();
  Bytes file = SaveLibraryFile(Pointers(seals));
  const size_t g = size_t(ReadInt64At(file, 4));
  const Bytes expected(file.begin() + 12, file.begin() + 12 + std::ptrdiff_t(g));
  file.resize(12 + g);  // nothing of the seals: the reader does not look there
  SaveFileAtomically(path("THUMB.YZL"), file);
  EXPECT_EQ(ReadLibraryPreviewFile(path("THUMB.YZL")), expected);
  {
    QFile huge(path("HUGE.YZL"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(3LL << 30));
  }
  ASSERT_EQ(::mkfifo(path("PIPE.YZL").toUtf8().constData(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  for (const char* name : {"HUGE.YZL", "PIPE.YZL", "GONE.YZL"}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(ReadLibraryPreviewFile(path(name)), platform::EFileReadError);
    // Inserting a design reads it whole, below the same cap.
    EXPECT_THROW(ReadWholeFile(path(name), kMaxLibraryFileBytes), EFileError);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  file.resize(12 + g - 1);
  SaveFileAtomically(path("CUT.YZL"), file);
  EXPECT_THROW(ReadLibraryPreviewFile(path("CUT.YZL")), EFormatError);
}

// A design's pictures share one budget, as a document's do: eight equal GIFs of a large
// screen are decoded once, and one past the budget is kept undrawn, not refused.
TEST(LibraryFile, InsertedPicturesKeepToOneBudget) {
  constexpr long long k1024 = 1024LL * 1024 * kBytesPerPicturePixel;
  const Bytes file = document_makers::LibraryFileOfBigGifs(8, 1024);
  EXPECT_LT(file.size(), 20000u);
  for (const long long budget : {k1024, k1024 / 2}) {
    Target t;
    std::vector<std::string> undrawn;
    t.target.PictureBudgetBytes = budget;
    t.target.UndrawnPictures = &undrawn;
    const auto seals = ReadLibrarySeals(file, t.target, 0, 0);
    ASSERT_EQ(seals.size(), 8u);
    const bool fits = budget == k1024;
    for (const auto& s : seals) {
      EXPECT_TRUE(s->Picture().HasGraphic());
      EXPECT_EQ(s->Picture().Width(), fits ? 1024 : 0);
      EXPECT_EQ(s->Picture().Image().cacheKey(), seals[0]->Picture().Image().cacheKey());
    }
    EXPECT_EQ(undrawn, fits ? std::vector<std::string>{} : std::vector<std::string>{kPictureTooLargeToDraw});
  }
}

// A design that its reader would refuse is never written: it is refused, before its
// thumbnail is drawn, with the size and the cap; the largest written reads back.
TEST(LibraryFile, ADesignPastTheCapIsRefusedAndOneBelowReadsBack) {
  struct Case {
    size_t pictureBytes;
    bool written;
  } cases[] = {{33u << 20, false}, {31u << 20, true}};
  for (const Case& c : cases) {
    // A small GIF with the rest of its bytes behind it, which no decoder reads.
    Bytes gif = picture_makers::BigScreenGif(16);
    gif.resize(c.pictureBytes, 0);
    platform::TPicture undrawn;
    undrawn.KeepUndrawn(platform::TGraphicKind::Gif, std::make_shared<const Bytes>(std::move(gif)));
    std::vector<std::unique_ptr<TSeal>> seals;
    for (int i = 0; i < 2; ++i) {
      seals.push_back(Seal(stAnyImage, 20 + 30 * i, 20, 20, 20));
      seals.back()->SetPicture(&undrawn);
    }
    if (!c.written) {
      try {
        SaveLibraryFile(Pointers(seals));
        ADD_FAILURE() << "a design of 66 MiB was made";
      } catch (const EFileTooLarge& e) {
        EXPECT_NE(std::string(e.what()).find("66.0 MB"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("64.0 MB"), std::string::npos) << e.what();
      }
      continue;
    }
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("BIG.YZL");
    SaveFileAtomically(path, SaveLibraryFile(Pointers(seals)));
    Target t;
    const auto read = ReadLibrarySeals(ReadWholeFile(path, kMaxLibraryFileBytes), t.target, 0, 0);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1]->Picture().Bytes().size(), c.pictureBytes);
    EXPECT_EQ(&read[0]->Picture().Bytes(), &read[1]->Picture().Bytes()) << "equal bytes are held once";
  }
}

TEST(LibraryFile, ThumbnailsBeyond4096PixelsAreRefusedBeforeAnythingIsMade) {
  // 360 mm makes 4082 + 8 pixels; 362 mm would make 4104 + 8.
  {
    std::vector<std::unique_ptr<TSeal>> seals;
    seals.push_back(Seal(stHorzLine, 200, 20, 360, 1));
    const std::optional<TThumbnail> t = RenderSelectionThumbnail(Pointers(seals));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Bitmap.Width(), 4090);
  }
  for (const auto& [w, h] : {std::pair{362.0f, 1.0f}, std::pair{1.0f, 362.0f}, std::pair{5000.0f, 5000.0f}}) {
    std::vector<std::unique_ptr<TSeal>> seals;
    seals.push_back(Seal(stHorzLine, 3000, 3000, w, h));
    EXPECT_THROW(RenderSelectionThumbnail(Pointers(seals)), EThumbnailTooLarge) << w << " x " << h;
    EXPECT_THROW(SaveLibraryFile(Pointers(seals)), EThumbnailTooLarge);
  }
  // Two small seals far apart make a wide box too.
  std::vector<std::unique_ptr<TSeal>> apart;
  apart.push_back(Seal(stEllipse, 10, 10, 5, 5));
  apart.push_back(Seal(stEllipse, 2000, 10, 5, 5));
  EXPECT_THROW(SaveLibraryFile(Pointers(apart)), EThumbnailTooLarge);
  EXPECT_THROW(SaveLibraryFile({}), std::invalid_argument);
}

}  // namespace
