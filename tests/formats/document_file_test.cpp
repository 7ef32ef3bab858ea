// Document files against their layouts: the version 8 header, the choice of reader by the
// stamp, the older layouts built byte by byte, truncated files and a full round trip.

#include "formats/document_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>

#include "document_makers.h"
#include "formats/clipboard.h"
#include "platform/extended.h"
#include "platform/gbk.h"
#include "memory_peak.h"
#include "picture_makers.h"
#include "platform/canvas.h"
#include "platform/metafile.h"
#include "platform/metafileworker.h"
#include "formats/seal_block.h"
#include "formats/whole_file.h"

using namespace formats;
using namespace seal;
using document_makers::AllKinds;
using document_makers::LegacyDocument;
using document_makers::MakeSeal;
using document_makers::TLegacySeal;
using document_makers::WithInt32;
using platform::EFormatError;
using platform::TByteReader;
using platform::TByteWriter;

namespace {

using Bytes = std::vector<uint8_t>;

std::vector<const TSeal*> Pointers(const std::vector<std::unique_ptr<TSeal>>& seals) {
  std::vector<const TSeal*> p;
  for (const auto& s : seals) p.push_back(s.get());
  return p;
}

TPageGeometry A4() { return {210, 297, 12.5L, 7.25L, 30, 40}; }

Bytes Save(const std::vector<std::unique_ptr<TSeal>>& seals, const TPageGeometry& page = A4()) {
  return SaveDocument(page, Pointers(seals));
}

Bytes WithStamp(Bytes b, float stamp) {
  std::memcpy(b.data(), &stamp, 4);
  return b;
}

// A version 7 document of `count` picture seals that all name the picture file at path,
// which is written with the bytes.
Bytes OldDocumentOfOnePicture(const QString& path, const Bytes& picture, int count) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(picture.data()), qint64(picture.size()));
  std::vector<TLegacySeal> seals(static_cast<size_t>(count));
  for (TLegacySeal& seal : seals) {
    seal.Type = stAnyImage;
    seal.Strings[5] = platform::UnicodeToGbk(path);
  }
  return LegacyDocument(7, 7, 100, 100, seals);
}

struct Target {
  QWidget page;
  TSealTarget target;
  Target() {
    target.Page = &page;
    target.PixelsPerMm = 10;
    target.PageZoom = 100;
  }
  int SealsOnPage() const { return int(page.findChildren<TSeal*>().size()); }
};

TEST(DocumentFile, Version8HeaderLayout) {
  std::vector<std::unique_ptr<TSeal>> seals;
  seals.push_back(MakeSeal(stEllipse));
  seals.push_back(MakeSeal(stHorzLine, 1));
  const Bytes file = Save(seals);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{0x00, 0x00, 0x00, 0x41}));
  const long double geometry[] = {210, 297, 12.5L, 7.25L};
  for (int i = 0; i < 4; ++i) {
    const platform::ExtendedBytes e = platform::EncodeExtended(geometry[i]);
    EXPECT_TRUE(std::equal(e.begin(), e.end(), file.begin() + 4 + 10 * i)) << i;
  }
  TByteReader count(file.data() + 44, 4);
  EXPECT_EQ(count.ReadInt32(), 2);
  TSealRecord record{};
  TByteWriter blocks;
  WriteSealBlock(record, blocks, *seals[0], true);
  WriteSealBlock(record, blocks, *seals[1], true);
  EXPECT_EQ(Bytes(file.begin() + 48, file.end()), blocks.Bytes());
}

TEST(DocumentFile, EmptyPageIsAValidFileOfNoSeals) {
  const Bytes file = Save({});
  ASSERT_EQ(file.size(), 48u);
  Target t;
  const TDocument doc = ReadDocument(file, t.target);
  EXPECT_TRUE(doc.Seals.empty());
  EXPECT_EQ(doc.Page.PageWidth, 210);
  EXPECT_EQ(doc.Page.PageHeight, 297);
}

TEST(DocumentFile, MarginsComeBackRightEqualsLeftBottomEqualsTop) {
  const TDocument doc = LoadDocument(Save({}, {100, 80, 5, 9, 25, 1}), Target().target);
  EXPECT_EQ(doc.Page.LeftMargin, 5);
  EXPECT_EQ(doc.Page.RightMargin, 5);
  EXPECT_EQ(doc.Page.TopMargin, 9);
  EXPECT_EQ(doc.Page.BottomMargin, 9);
}

TEST(DocumentFile, AllKindsWithPicturesSaveReopenAndSaveAgainByteForByte) {
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath(QString::fromUtf8("印章.dyz"));
  const std::vector<std::unique_ptr<TSeal>> seals = AllKinds();
  SaveFileAtomically(path, Save(seals));
  const Bytes first = ReadWholeFile(path);

  Target t;
  TDocument doc = ReadDocument(first, t.target);
  ASSERT_EQ(doc.Seals.size(), 24u);
  int pictures = 0;
  for (size_t i = 0; i < 24; ++i) {
    const TSeal& s = *doc.Seals[i];
    EXPECT_EQ(s.SealType(), int(i));
    EXPECT_EQ(s.parentWidget(), &t.page);
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(s.Left(), seals[i]->Left()) << i;
    EXPECT_EQ(s.Width(), seals[i]->Width()) << i;
    pictures += s.Picture().HasGraphic();
  }
  EXPECT_EQ(pictures, 6);
  SaveFileAtomically(path, SaveDocument(doc.Page, Pointers(doc.Seals)));
  EXPECT_EQ(ReadWholeFile(path), first);
}

TEST(DocumentFile, ProgressCountsTheSeals) {
  std::vector<std::unique_ptr<TSeal>> seals;
  seals.push_back(MakeSeal(stRect));
  seals.push_back(MakeSeal(stCell));
  std::vector<std::pair<int, int>> saved, loaded;
  const Bytes file = SaveDocument(A4(), Pointers(seals), [&](int p, int m) { saved.push_back({p, m}); });
  Target t;
  t.target.Progress = [&](int p, int m) { loaded.push_back({p, m}); };
  LoadDocument(file, t.target);
  const std::vector<std::pair<int, int>> expected = {{6, 7}, {7, 7}, {8, 7}};
  EXPECT_EQ(saved, expected);
  EXPECT_EQ(loaded, expected);
}

TEST(DocumentFile, SealsAreMadeByTheTargetFactory) {
  std::vector<std::unique_ptr<TSeal>> seals;
  seals.push_back(MakeSeal(stRect));
  Target t;
  int made = 0;
  t.target.CreateSeal = [&] {
    ++made;
    return std::make_unique<TSeal>();
  };
  t.target.PixelsPerMm = 4;
  t.target.PageZoom = 250;
  const TDocument doc = LoadDocument(Save(seals), t.target);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(doc.Seals[0]->PixelsPerMm(), 4);
  EXPECT_EQ(doc.Seals[0]->Zoom(), 250);
}

// Each cut of a sound file must be refused, leave no seal on the page and free what it made.
TEST(DocumentFile, TruncatedFilesAreRefused) {
  std::vector<std::unique_ptr<TSeal>> seals;
  seals.push_back(MakeSeal(stRect));
  seals.push_back(MakeSeal(stEllipse, 0));
  const Bytes file = Save(seals);
  Bytes first;
  {
    TSealRecord record{};
    TByteWriter w;
    WriteSealBlock(record, w, *seals[0], true);
    first = w.Take();
  }
  const size_t second = 48 + first.size();
  const size_t text = second + 660;  // count of the second seal's Text
  const size_t picture = file.size() - 10 - document_makers::PictureBytes(platform::TGraphicKind::Bitmap).size() - 1;
  struct Case {
    const char* where;
    size_t cut;
  } cases[] = {
      {"inside the stamp", 3},
      {"inside the page geometry", 20},
      {"inside the seal count", 46},
      {"inside the first record", 48 + 300},
      {"inside the second record", second + 659},
      {"inside a string count", text + 2},
      {"inside the string bytes", text + 4 + 3},
      {"before the picture flag", picture},
      {"inside the picture header", picture + 5},
      {"inside the picture bytes", file.size() - 20},
      {"one byte short", file.size() - 1},
  };
  for (const Case& c : cases) {
    Target t;
    const Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(c.cut));
    if (c.cut < 4)
      EXPECT_THROW(ReadDocument(cut, t.target), EOldDocument) << c.where;
    else
      EXPECT_THROW(ReadDocument(cut, t.target), EFormatError) << c.where;
    EXPECT_EQ(t.SealsOnPage(), 0) << c.where;
  }
  Target t;
  EXPECT_EQ(ReadDocument(file, t.target).Seals.size(), 2u);
}

TEST(DocumentFile, SealCountIsCheckedBeforeAnythingIsMade) {
  Target t;
  int made = 0;
  t.target.CreateSeal = [&] {
    ++made;
    return std::make_unique<TSeal>();
  };
  for (int32_t k : {-1, 1, 2, INT32_MAX}) {
    Bytes file = Save({});
    std::memcpy(file.data() + 44, &k, 4);
    file.resize(file.size() + 685 * (k == 2 ? 1 : 0), 0);
    EXPECT_THROW(LoadDocument(file, t.target), EFormatError) << k;
  }
  EXPECT_EQ(made, 0);
}

TEST(DocumentFile, TheStampChoosesTheReader) {
  TLegacySeal seal;
  seal.Face = document_makers::FaceWithTail("仿宋", 7);
  seal.TextPenWidth = 9;
  std::vector<std::unique_ptr<TSeal>> one;
  one.push_back(MakeSeal(stRect));
  ASSERT_TRUE(one[0]->Text1().empty());
  const Bytes current = Save(one);
  const Bytes legacy = LegacyDocument(7, 7.0f, 100, 80, {seal});
  // The counts of the first seal's Text1 (empty) and of the legacy seal's Text (empty).
  const size_t text1 = 48 + 660 + 4 + one[0]->Text().size();
  const size_t legacyText = 28 + 635;
  struct Case {
    const char* what;
    Bytes file;
    int64_t oldVersion;  // refused as a file of this version; -1 when read
    bool formatError;    // refused as not a document
    int faceRead;        // 0 no seal, 1 legacy without face, 2 legacy with face, 3 with pen widths, 8 current
  } cases[] = {
      {"empty", {}, 0, false, 0},
      {"one byte", {0x41}, 0, false, 0},
      {"three bytes", {0, 0, 0x41}, 0, false, 0},
      {"0.0", WithStamp(current, 0.0f), 0, false, 0},
      {"3.0", WithStamp(current, 3.0f), 3, false, 0},
      {"4.0", WithStamp(current, 4.0f), 4, false, 0},
      // Below 5 only a whole stamp from 0 up names a version; the rest never was a document.
      {"4.5, no whole number", WithStamp(current, 4.5f), -1, true, 0},
      {"0.25, no whole number", WithStamp(current, 0.25f), -1, true, 0},
      {"-3", WithStamp(current, -3.0f), -1, true, 0},
      {"-3e9", WithStamp(current, -3e9f), -1, true, 0},
      {"-2^63, the last 64-bit integer", WithStamp(current, -9223372036854775808.0f), -1, true, 0},
      {"random bytes read as -1.0456e16", WithStamp(current, -10456457585623040.0f), -1, true, 0},
      {"5.0", LegacyDocument(5, 5.0f, 100, 80, {seal}), -1, false, 1},
      {"5.5 rounds to 6", LegacyDocument(6, 5.5f, 100, 80, {seal}), -1, false, 2},
      {"6.5 rounds to 6", LegacyDocument(6, 6.5f, 100, 80, {seal}), -1, false, 2},
      {"7.4", LegacyDocument(7, 7.4f, 100, 80, {seal}), -1, false, 3},
      {"legacy string count -1", WithInt32(legacy, legacyText, -1), -1, false, 3},
      {"legacy string count -2^31", WithInt32(legacy, legacyText, INT32_MIN), -1, false, 3},
      {"7.5 rounds to 8", WithStamp(current, 7.5f), -1, false, 8},
      {"9.0", WithStamp(current, 9.0f), -1, false, 8},
      {"3e9", WithStamp(current, 3e9f), -1, false, 8},
      {"2^62", WithStamp(current, 4611686018427387904.0f), -1, false, 8},
      {"string count -1", WithInt32(current, text1, -1), -1, false, 8},
      {"string count -2^31", WithInt32(current, text1, INT32_MIN), -1, false, 8},
      {"NaN", WithStamp(current, std::numeric_limits<float>::quiet_NaN()), -1, true, 0},
      {"Inf", WithStamp(current, std::numeric_limits<float>::infinity()), -1, true, 0},
      {"-Inf", WithStamp(current, -std::numeric_limits<float>::infinity()), -1, true, 0},
      {"2^63, past 64 bits", WithStamp(current, 9223372036854775808.0f), -1, true, 0},
      {"1e30", WithStamp(current, 1e30f), -1, true, 0},
      {"-1e30", WithStamp(current, -1e30f), -1, true, 0},
  };
  for (const Case& c : cases) {
    Target t;
    if (c.oldVersion != -1) {
      try {
        ReadDocument(c.file, t.target);
        ADD_FAILURE() << c.what << " was read";
      } catch (const EOldDocument& e) {
        EXPECT_EQ(e.Version(), c.oldVersion) << c.what;
      }
    } else if (c.formatError) {
      EXPECT_THROW(ReadDocument(c.file, t.target), EFormatError) << c.what;
    } else {
      const TDocument doc = ReadDocument(c.file, t.target);
      ASSERT_EQ(doc.Seals.size(), 1u) << c.what;
      const TSeal& s = *doc.Seals[0];
      if (c.faceRead == 8) {
        EXPECT_EQ(Save(doc.Seals), Save(one)) << c.what;
        continue;
      }
      EXPECT_EQ(s.TextFontName() == seal.Face, c.faceRead >= 2) << c.what;
      EXPECT_EQ(s.CodeFontName() == seal.Face, c.faceRead >= 2) << c.what;
      EXPECT_EQ(s.TextPenWidth(), c.faceRead >= 3 ? 9 : 0) << c.what;
      EXPECT_EQ(s.Text(), "") << c.what;
      EXPECT_EQ(doc.Page.LeftMargin, 6);
    }
  }
}

TEST(DocumentFile, StampsOfShortFilesAndTheirVersions) {
  EXPECT_EQ(ReadFileStamp(Bytes{1, 2, 3}), 0.0f);
  EXPECT_EQ(ReadFileStamp(Bytes{0, 0, 0, 0x41, 9}), 8.0f);
  EXPECT_EQ(FileVersion(6.5f), 6);
  EXPECT_EQ(FileVersion(7.5f), 8);
  EXPECT_EQ(FileVersion(2147483520.0f), 2147483520);
  EXPECT_EQ(FileVersion(2147483648.0f), 2147483648LL);
  EXPECT_EQ(FileVersion(3e9f), 3000000000LL);
  // The largest Single below 2^63, and 2^63 itself, the first value past 64 bits.
  EXPECT_EQ(FileVersion(9223371487098961920.0f), 9223371487098961920LL);
  EXPECT_THROW(FileVersion(9223372036854775808.0f), EFormatError);
  EXPECT_EQ(FileVersion(-9223372036854775808.0f), INT64_MIN);
}

class LegacyDocumentTest : public ::testing::TestWithParam<int> {};

TEST_P(LegacyDocumentTest, CentresFromEdgesSixMillimetreMarginsAndPictureFiles) {
  const int n = GetParam();
  QTemporaryDir dir;
  const QString bmp = QDir(dir.path()).filePath(QString::fromUtf8("徽标.bmp"));
  const QString broken = QDir(dir.path()).filePath("broken.bmp");
  {
    QFile f(bmp);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const Bytes b = document_makers::PictureBytes(platform::TGraphicKind::Bitmap);
    f.write(reinterpret_cast<const char*>(b.data()), qint64(b.size()));
    QFile g(broken);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("not a picture");
  }
  const auto gbkPath = [](const QString& p) { return platform::UnicodeToGbk(p); };
  std::vector<TLegacySeal> seals(4);
  seals[0].Strings = {platform::Gbk("合同专用章"), "", "x", "", "0123", ""};
  seals[0].PenColor = 0x00336699;
  seals[1].Type = stAnyImage;
  seals[1].Strings[5] = gbkPath(bmp);
  seals[2].Type = stAnyImage;
  seals[2].Strings[5] = gbkPath(QDir(dir.path()).filePath("missing.bmp"));
  seals[3].Type = stAnyImage;
  seals[3].Strings[5] = gbkPath(broken);
  const Bytes file = LegacyDocument(n, float(n), 150.5L, 99.25L, seals);

  Target t;
  t.target.PixelsPerMm = 5;
  t.target.PageZoom = 200;
  const TDocument doc = ReadDocument(file, t.target);
  EXPECT_EQ(doc.Page.PageWidth, 150.5L);
  EXPECT_EQ(doc.Page.PageHeight, 99.25L);
  for (long double m : {doc.Page.LeftMargin, doc.Page.RightMargin, doc.Page.TopMargin, doc.Page.BottomMargin})
    EXPECT_EQ(m, 6);
  ASSERT_EQ(doc.Seals.size(), 4u);
  const TSeal& s = *doc.Seals[0];
  EXPECT_EQ(s.SealType(), stRect);
  EXPECT_EQ(s.RealWidth(), 30);
  EXPECT_EQ(s.RealHeight(), 20);
  // Edges 10 and 5 with a 30 x 20 mm seal; 10 px per mm at the reader's scale.
  EXPECT_EQ(s.RealCenterX(), 25);
  EXPECT_EQ(s.RealCenterY(), 15);
  EXPECT_EQ(s.Left(), 100);
  EXPECT_EQ(s.Top(), 50);
  EXPECT_EQ(s.Width(), 300);
  EXPECT_EQ(s.PenColor(), 0x00336699u);
  EXPECT_EQ(s.BrushColor(), 0x00336699u);
  EXPECT_EQ(s.PenWidth(), 1.5f);
  EXPECT_EQ(s.LineCount(), 3);
  EXPECT_EQ(s.TextAngle(), 450);
  EXPECT_EQ(s.Text(), platform::Gbk("合同专用章"));
  EXPECT_EQ(s.Text2(), "x");
  EXPECT_EQ(s.Code(), "0123");
  EXPECT_FALSE(s.PicClrChange());
  EXPECT_EQ(s.RealSR(), 0);
  EXPECT_EQ(s.TextFontName(), n >= 6 ? TFaceName{} : FaceName("宋体"));
  EXPECT_TRUE(doc.Seals[1]->Picture().HasGraphic());
  EXPECT_EQ(doc.Seals[1]->Picture().Width(), 8);
  EXPECT_FALSE(doc.Seals[2]->Picture().HasGraphic());
  EXPECT_FALSE(doc.Seals[3]->Picture().HasGraphic());

  // Saved again, the file picture travels inside the document.
  const TDocument again = LoadDocument(SaveDocument(doc.Page, Pointers(doc.Seals)), t.target);
  EXPECT_EQ(again.Seals[1]->Picture().Bytes(), doc.Seals[1]->Picture().Bytes());
  EXPECT_EQ(again.Seals[0]->RealCenterX(), 25);

  // A string running past the end is refused.
  for (size_t cut : {file.size() - 1, size_t(28 + 10), size_t(27)}) {
    Target u;
    EXPECT_THROW(ReadDocument(Bytes(file.begin(), file.begin() + std::ptrdiff_t(cut)), u.target), EFormatError);
    EXPECT_EQ(u.SealsOnPage(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, LegacyDocumentTest, ::testing::Values(5, 6, 7));

TEST(DocumentFile, LegacyColumnBlockKeepsItsSidesAndCorner) {
  TLegacySeal column;
  column.Type = stHorzText;
  column.RealWidth = 8;
  column.RealHeight = 40;
  Bytes file = LegacyDocument(7, 7, 100, 100, {column});
  file[28 + 266] = 0;  // RowCol False: a column
  Target t;
  const TDocument doc = ReadDocument(file, t.target);
  const TSeal& s = *doc.Seals[0];
  EXPECT_FALSE(s.RowCol());
  EXPECT_EQ(s.RealWidth(), 8);
  EXPECT_EQ(s.RealHeight(), 40);
  EXPECT_EQ(s.RealCenterX(), 14);
  EXPECT_EQ(s.RealCenterY(), 25);
}

TEST(DocumentFile, HostileLegacyValuesAreRefused) {
  TLegacySeal bad;
  bad.Type = TSealType(24);
  EXPECT_THROW(ReadDocument(LegacyDocument(7, 7, 10, 10, {bad}), Target().target), EFormatError);
  bad.Type = stRect;
  bad.LeftEdge = std::numeric_limits<float>::quiet_NaN();
  EXPECT_THROW(ReadDocument(LegacyDocument(6, 6, 10, 10, {bad}), Target().target), EFormatError);
  bad.LeftEdge = std::numeric_limits<float>::max();
  bad.RealWidth = std::numeric_limits<float>::max();
  EXPECT_THROW(ReadDocument(LegacyDocument(5, 5, 10, 10, {bad}), Target().target), EFormatError);
}

// A small file must not take gigabytes: the document's pictures share a budget, equal ones
// are decoded once, and a picture past what is left is kept with its bytes, undrawn.
TEST(DocumentFile, DecodedPicturesKeepToTheDocumentsBudget) {
  constexpr long long k1024 = 1024LL * 1024 * kBytesPerPicturePixel;
  struct Case {
    const char* what;
    int count, side;
    long long budget;
    int drawnSide;
  } cases[] = {
      {"eight equal of 1024 x 1024 within a budget for one", 8, 1024, k1024, 1024},
      {"eight equal of 1024 x 1024 past a budget for a half", 8, 1024, k1024 / 2, 0},
      {"eight of 8192 x 8192 past 100 MB", 8, 8192, 100LL * 1000 * 1000, 0},
  };
  for (const Case& c : cases) {
    const Bytes file = document_makers::DocumentOfBigGifs(c.count, c.side);
    EXPECT_LT(file.size(), 8000u) << c.what;
    Target t;
    std::vector<std::string> undrawn;
    t.target.PictureBudgetBytes = c.budget;
    t.target.UndrawnPictures = &undrawn;
    const TDocument doc = ReadDocument(file, t.target);
    ASSERT_EQ(doc.Seals.size(), size_t(c.count)) << c.what;
    for (const auto& s : doc.Seals) {
      EXPECT_TRUE(s->Picture().HasGraphic()) << c.what;
      EXPECT_EQ(s->Picture().Width(), c.drawnSide) << c.what;
    }
    EXPECT_EQ(undrawn.size(), c.drawnSide ? 0u : 1u) << c.what << ": one picture, named once";
    EXPECT_EQ(Save(doc.Seals, doc.Page), file) << c.what;
  }
}

// Pictures that differ share nothing: those past the budget open undrawn, the others drawn,
// and the read names each undrawn one once; a save writes them all back as they were.
TEST(DocumentFile, PicturesPastTheBudgetOpenUndrawnAndTheRestDrawn) {
  constexpr int kSide = 1000;
  std::vector<std::unique_ptr<TSeal>> seals;
  for (int i = 0; i < 6; ++i) {
    seals.push_back(MakeSeal(stAnyImage));
    platform::TPicture picture;
    picture.LoadFromBytes(platform::TGraphicKind::Gif, picture_makers::BigScreenGif(kSide + i));
    seals.back()->SetPicture(&picture);
  }
  const Bytes file = Save(seals);
  seals.clear();
  Target t;
  std::vector<std::string> undrawn;
  t.target.UndrawnPictures = &undrawn;
  // Room for the first two, decoded and recoloured, and not for a third.
  const auto cost = [](long long side) { return side * side * kBytesPerPicturePixel; };
  t.target.PictureBudgetBytes = cost(kSide) + cost(kSide + 1) + cost(kSide + 2) - kBytesPerPicturePixel;
  const TDocument doc = ReadDocument(file, t.target);
  ASSERT_EQ(doc.Seals.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    const platform::TPicture& p = doc.Seals[size_t(i)]->Picture();
    EXPECT_TRUE(p.HasGraphic()) << i;
    EXPECT_EQ(p.Width(), i < 2 ? kSide + i : 0) << i;
    EXPECT_EQ(p.Bytes(), picture_makers::BigScreenGif(kSide + i)) << i;
  }
  EXPECT_EQ(undrawn, std::vector<std::string>(4, kPictureTooLargeToDraw));
  EXPECT_EQ(Save(doc.Seals, doc.Page), file);
}

// Copied and pasted six times, a photograph of twelve million pixels is decoded and
// recoloured once for the page, and the document saved of them opens again.
TEST(DocumentFile, PastedCopiesOfAPhotographShareItsPixelsAndReopen) {
  constexpr int kSide = 3464;  // 12 million pixels
  Target t;
  std::vector<std::unique_ptr<TSeal>> page;
  page.push_back(MakeSeal(stAnyImage));
  {
    platform::TPicture photo;
    photo.LoadFromBytes(platform::TGraphicKind::Gif, picture_makers::BigScreenGif(kSide));
    page.back()->SetPicture(&photo);
  }
  Bytes clip;
  std::vector<TSeal*> selection{page[0].get()};
  CopySeals(clip, selection);
  for (int paste = 0; paste < 6; ++paste) {
    t.target.Present = Pointers(page);
    for (auto& s : ReadClipSeals(clip, t.target)) page.push_back(std::move(s));
  }
  ASSERT_EQ(page.size(), 7u);
  for (const auto& s : page) {
    EXPECT_EQ(s->Picture().Image().cacheKey(), page[0]->Picture().Image().cacheKey());
    EXPECT_EQ(s->RecolourBitmap()->Image().cacheKey(), page[0]->RecolourBitmap()->Image().cacheKey());
  }
  const Bytes file = Save(page);
  Target reopened;
  const TDocument doc = ReadDocument(file, reopened.target);
  ASSERT_EQ(doc.Seals.size(), 7u);
  for (const auto& s : doc.Seals) EXPECT_EQ(s->Picture().Width(), kSide);
}

// An old document whose ten seals name one picture file of 2896 x 2896 converts into a
// document that opens again with all ten pictures drawn.
TEST(DocumentFile, AnOldDocumentOfOnePictureConvertsIntoOneThatOpens) {
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath(QStringLiteral("印.gif"));
  Target t;
  const TDocument old = ReadDocument(OldDocumentOfOnePicture(path, picture_makers::BigScreenGif(2896), 10), t.target);
  ASSERT_EQ(old.Seals.size(), 10u);
  for (const auto& s : old.Seals) ASSERT_EQ(s->Picture().Width(), 2896);
  const Bytes converted = Save(old.Seals, old.Page);
  Target reopened;
  std::vector<std::string> undrawn;
  reopened.target.UndrawnPictures = &undrawn;
  const TDocument doc = ReadDocument(converted, reopened.target);
  ASSERT_EQ(doc.Seals.size(), 10u);
  for (const auto& s : doc.Seals) EXPECT_EQ(s->Picture().Width(), 2896);
  EXPECT_TRUE(undrawn.empty());
}

// A document that its reader would refuse for its size is refused before anything is made
// for it, with the size and the cap in the message.
TEST(DocumentFile, ADocumentPastTheReadCapIsRefusedBeforeItIsMade) {
  platform::TPicture undrawn;
  undrawn.KeepUndrawn(platform::TGraphicKind::Metafile, std::make_shared<const Bytes>(size_t(63) << 20, 7));
  std::vector<std::unique_ptr<TSeal>> seals;
  for (int i = 0; i < 10; ++i) {
    seals.push_back(MakeSeal(stAnyImage));
    seals.back()->SetPicture(&undrawn);
  }
  const long from = memory_peak::Restart();
  try {
    Save(seals);
    ADD_FAILURE() << "a document of 630 MiB was made";
  } catch (const EFileTooLarge& e) {
    EXPECT_NE(std::string(e.what()).find("630.0 MB"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("576.0 MB"), std::string::npos) << e.what();
  }
  EXPECT_LT(memory_peak::RiseKiB(from), memory_peak::AllowedKiB(16 * 1024));
}

// An old file names its pictures; one of the cap or more is never read, however large, and
// one past the budget is kept undrawn. The document opens either way.
TEST(DocumentFile, LegacyPictureFilesAreReadOnlyBelowTheCapAndWithinTheBudget) {
  QTemporaryDir dir;
  const auto file = [&](const char* name) { return QDir(dir.path()).filePath(QString::fromUtf8(name)); };
  for (auto [name, size] : {std::pair{"huge.gif", 3LL << 30}, std::pair{"cap.bmp", platform::kMaxPictureFileBytes}}) {
    QFile sparse(file(name));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(size)) << name;
  }
  {
    QFile f(file("fine.bmp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const Bytes b = document_makers::PictureBytes(platform::TGraphicKind::Bitmap);
    f.write(reinterpret_cast<const char*>(b.data()), qint64(b.size()));
  }
  std::vector<TLegacySeal> seals(3);
  const char* names[] = {"huge.gif", "cap.bmp", "fine.bmp"};
  for (size_t i = 0; i < 3; ++i) {
    seals[i].Type = stAnyImage;
    seals[i].Strings[5] = platform::UnicodeToGbk(file(names[i]));
  }
  const Bytes document = LegacyDocument(7, 7, 100, 100, seals);
  for (long long budget : {kPictureBudgetBytes, 10LL}) {
    Target t;
    t.target.PictureBudgetBytes = budget;
    const TDocument doc = ReadDocument(document, t.target);
    ASSERT_EQ(doc.Seals.size(), 3u);
    EXPECT_FALSE(doc.Seals[0]->Picture().HasGraphic());
    EXPECT_FALSE(doc.Seals[1]->Picture().HasGraphic());
    EXPECT_TRUE(doc.Seals[2]->Picture().HasGraphic()) << budget;
    EXPECT_EQ(doc.Seals[2]->Picture().Width() > 0, budget == kPictureBudgetBytes) << budget;
  }
}

// Twenty seals of an old file that name one picture file of 63 MiB: the file is read and
// counted once, its bytes and picture shared, so every seal keeps it; a save of them, which
// would pass the read cap, is refused before it takes the memory of a file.
TEST(DocumentFile, APictureFileNamedByManySealsIsReadOnceForAllOfThem) {
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath(QStringLiteral("大图.gif"));
  constexpr size_t kFileBytes = 63u << 20;
  std::vector<uint8_t> gif = picture_makers::BigScreenGif(16);
  gif.resize(kFileBytes, 0);  // behind the picture, never decoded
  const Bytes document = OldDocumentOfOnePicture(path, std::move(gif), 20);
  EXPECT_LT(document.size(), 14000u);
  Target t;
  const long readFrom = memory_peak::Restart();
  const TDocument doc = ReadDocument(document, t.target);
  const long readRise = memory_peak::RiseKiB(readFrom);
  ASSERT_EQ(doc.Seals.size(), 20u);
  for (size_t i = 0; i < doc.Seals.size(); ++i) {
    const platform::TPicture& picture = doc.Seals[i]->Picture();
    EXPECT_EQ(picture.Width(), 16) << i;
    EXPECT_EQ(&picture.Bytes(), &doc.Seals[0]->Picture().Bytes()) << "shared " << i;
  }
  EXPECT_LT(readRise, memory_peak::AllowedKiB(2 * 63 * 1024)) << "the file once, and the read of it";
  std::vector<const TSeal*> pointers;
  for (const auto& s : doc.Seals) pointers.push_back(s.get());
  const long saveFrom = memory_peak::Restart();
  EXPECT_THROW(SaveDocument(doc.Page, pointers), EFileTooLarge);
  EXPECT_LT(memory_peak::RiseKiB(saveFrom), memory_peak::AllowedKiB(16 * 1024));
  // Eight of them make a file below the cap, which opens again with every picture.
  pointers.resize(8);
  const Bytes saved = SaveDocument(doc.Page, pointers);
  Target reopened;
  const TDocument again = ReadDocument(saved, reopened.target);
  ASSERT_EQ(again.Seals.size(), 8u);
  for (const auto& s : again.Seals) EXPECT_EQ(s->Picture().Width(), 16);
}

// A metafile that the worker does not draw keeps no document shut: its seal holds the bytes
// as they were and draws without them, the read gives the reason, and a save writes the file
// back as it was read.
TEST(DocumentFile, AMetafileThatIsNotDrawnIsKeptAndTheDocumentOpens) {
  using picture_makers::EmfRecordOf;
  const Bytes shortText = picture_makers::MakeEmfOfRecords(0, 0, 99, 99, {EmfRecordOf(84, {0, 0, 99, 99})});
  auto withMetafile = MakeSeal(stAnyImage);
  platform::TPicture undrawn;
  undrawn.KeepUndrawn(platform::TGraphicKind::Metafile, std::make_shared<const Bytes>(shortText));
  withMetafile->SetPicture(&undrawn);
  auto withGif = MakeSeal(stEllipse, int(platform::TGraphicKind::Gif));
  const Bytes file = SaveDocument(A4(), std::vector<const TSeal*>{withMetafile.get(), withGif.get()});

  Target t;
  std::vector<std::string> reasons;
  t.target.UndrawnPictures = &reasons;
  const TDocument doc = ReadDocument(file, t.target);
  ASSERT_EQ(doc.Seals.size(), 2u);
  const platform::TPicture& kept = doc.Seals[0]->Picture();
  EXPECT_TRUE(kept.HasGraphic());
  EXPECT_EQ(kept.Kind(), platform::TGraphicKind::Metafile);
  EXPECT_EQ(kept.Bytes(), shortText);
  EXPECT_EQ(kept.Width(), 0);
  EXPECT_TRUE(kept.Image().isNull());
  EXPECT_GT(doc.Seals[1]->Picture().Width(), 0);
  EXPECT_EQ(reasons, std::vector<std::string>{platform::MetafileFaultText(platform::TMetafileFault::Damaged)});
  EXPECT_EQ(SaveDocument(doc.Page, std::vector<const TSeal*>{doc.Seals[0].get(), doc.Seals[1].get()}), file);

  auto tooLarge = MakeSeal(stAnyImage);
  platform::TPicture huge;
  huge.KeepUndrawn(platform::TGraphicKind::Metafile,
                   std::make_shared<const Bytes>(picture_makers::MakeEmf(0, 0, 16383, 16383)));
  tooLarge->SetPicture(&huge);
  // One too large for the budget is kept the same way, and named for what it is.
  Target small;
  std::vector<std::string> tooLargeReasons;
  small.target.PictureBudgetBytes = 1 << 20;
  small.target.UndrawnPictures = &tooLargeReasons;
  const Bytes tooLargeFile = SaveDocument(A4(), std::vector<const TSeal*>{tooLarge.get()});
  const TDocument tooLargeDoc = ReadDocument(tooLargeFile, small.target);
  ASSERT_EQ(tooLargeDoc.Seals.size(), 1u);
  EXPECT_EQ(tooLargeDoc.Seals[0]->Picture().Width(), 0);
  EXPECT_EQ(tooLargeReasons, std::vector<std::string>{kPictureTooLargeToDraw});
  EXPECT_EQ(SaveDocument(A4(), std::vector<const TSeal*>{tooLargeDoc.Seals[0].get()}), tooLargeFile);
}

// A picture past what one read has left is kept undrawn, saved and drawn by a read with room:
// whatever the budget, a read takes and refuses the same files, or a saved file may be
// refused on opening.
TEST(DocumentFile, APictureKeptForItsSizeIsOneAnyReadAccepts) {
  constexpr int kSide = 300;
  picture_makers::RawGif sound;
  sound.screenWidth = sound.screenHeight = kSide;
  sound.globalMap = std::vector<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)};
  sound.width = sound.height = 2;
  sound.codeSize = 2;
  sound.indices = {0, 1, 1, 0};
  picture_makers::RawGif strayColour = sound;
  strayColour.indices = {0, 1, 3, 0};
  const Bytes good = picture_makers::MakeGif(sound);
  const Bytes noPixels(good.begin(), good.end() - 6);
  const struct {
    const char* what;
    Bytes gif;
    bool sound;
  } cases[] = {
      {"sound", good, true},
      {"pixels cut off", noPixels, false},
      {"a colour outside the map", picture_makers::MakeGif(strayColour), false},
  };
  for (const auto& c : cases) {
    auto s = MakeSeal(stAnyImage);
    platform::TPicture picture;
    picture.KeepUndrawn(platform::TGraphicKind::Gif, std::make_shared<const Bytes>(c.gif));
    s->SetPicture(&picture);
    const Bytes file = SaveDocument(A4(), std::vector<const TSeal*>{s.get()});
    Target roomy, small;
    small.target.PictureBudgetBytes = 1 << 16;
    if (!c.sound) {
      EXPECT_THROW(ReadDocument(file, roomy.target), EFormatError) << c.what;
      EXPECT_THROW(ReadDocument(file, small.target), EFormatError) << c.what;
      continue;
    }
    const TDocument kept = ReadDocument(file, small.target);
    ASSERT_EQ(kept.Seals.size(), 1u);
    EXPECT_EQ(kept.Seals[0]->Picture().Width(), 0);
    const Bytes saved = SaveDocument(A4(), std::vector<const TSeal*>{kept.Seals[0].get()});
    EXPECT_EQ(saved, file);
    const TDocument drawn = ReadDocument(saved, roomy.target);
    ASSERT_EQ(drawn.Seals.size(), 1u);
    EXPECT_EQ(drawn.Seals[0]->Picture().Width(), kSide);
    EXPECT_EQ(drawn.Seals[0]->Picture().Image().pixel(1, 0), 0xFFFFFFFFu);
  }
}

// The worker draws each new metafile while the read goes on, and the seals get their pictures
// as a read one after the other would give them: in the read's order, equal bytes shared, a
// picture the worker refuses named where it comes, the budget spent in that order.
TEST(DocumentFile, MetafilesDrawnAheadReachTheirSealsInTheOrderOfTheRead) {
  using picture_makers::EmfRecordOf;
  using picture_makers::MetafileShape;
  const Bytes red = picture_makers::MakeEmf(0, 0, 99, 99, {{MetafileShape::Rectangle, 0, 0, 100, 100, 0x0000FF}});
  const Bytes damaged = picture_makers::MakeEmfOfRecords(0, 0, 99, 99, {EmfRecordOf(84, {0, 0, 99, 99})});
  const Bytes blue = picture_makers::MakeEmf(0, 0, 49, 49, {{MetafileShape::Rectangle, 0, 0, 50, 50, 0xFF0000}});
  constexpr int kGifSide = 300;
  const Bytes gif = picture_makers::BigScreenGif(kGifSide), otherGif = picture_makers::BigScreenGif(kGifSide + 1);
  const struct {
    platform::TGraphicKind kind;
    const Bytes* bytes;
    int drawnWidth;  // 0: kept undrawn
  } seals[] = {
      {platform::TGraphicKind::Metafile, &red, 100}, {platform::TGraphicKind::Gif, &gif, kGifSide},
      {platform::TGraphicKind::Metafile, &damaged, 0}, {platform::TGraphicKind::Metafile, &red, 100},
      {platform::TGraphicKind::Metafile, &blue, 50},  {platform::TGraphicKind::Gif, &otherGif, 0},
  };
  std::vector<std::unique_ptr<TSeal>> made;
  for (const auto& s : seals) {
    made.push_back(MakeSeal(stAnyImage));
    platform::TPicture picture;
    picture.KeepUndrawn(s.kind, std::make_shared<const Bytes>(*s.bytes));
    made.back()->SetPicture(&picture);
  }
  const Bytes file = Save(made);
  Target t;
  std::vector<std::string> reasons;
  t.target.UndrawnPictures = &reasons;
  // Room for the red, the GIF and the blue, decoded and recoloured, and not for the other GIF.
  const auto cost = [](long long side) { return side * side * kBytesPerPicturePixel; };
  t.target.PictureBudgetBytes = cost(100) + cost(kGifSide) + cost(50) + cost(kGifSide + 1) - 1;
  const TDocument doc = ReadDocument(file, t.target);
  ASSERT_EQ(doc.Seals.size(), std::size(seals));
  for (size_t i = 0; i < std::size(seals); ++i) {
    const platform::TPicture& p = doc.Seals[i]->Picture();
    EXPECT_TRUE(p.HasGraphic()) << i;
    EXPECT_EQ(p.Width(), seals[i].drawnWidth) << i;
    EXPECT_EQ(p.Bytes(), *seals[i].bytes) << i;
  }
  EXPECT_EQ(doc.Seals[0]->Picture().Image().pixel(50, 50), 0xFFFF0000u);
  EXPECT_EQ(doc.Seals[4]->Picture().Image().pixel(25, 25), 0xFF0000FFu);
  EXPECT_EQ(doc.Seals[3]->Picture().Image().cacheKey(), doc.Seals[0]->Picture().Image().cacheKey()) << "shared";
  EXPECT_EQ(reasons, (std::vector<std::string>{platform::MetafileFaultText(platform::TMetafileFault::Damaged),
                                               kPictureTooLargeToDraw}));
  EXPECT_EQ(Save(doc.Seals, doc.Page), file);
}

// A read that fails while the worker draws one of its metafiles leaves nothing owed between
// the two: the next picture, of another read, is its own.
TEST(DocumentFile, AReadThatFailsWhileAMetafileIsDrawnLeavesTheWorkerInStep) {
  const Bytes red = picture_makers::MakeEmf(0, 0, 99, 99,
                                            {{picture_makers::MetafileShape::Rectangle, 0, 0, 100, 100, 0x0000FF}});
  std::vector<std::unique_ptr<TSeal>> made;
  for (int i = 0; i < 2; ++i) {
    made.push_back(MakeSeal(stAnyImage));
    platform::TPicture picture;
    picture.KeepUndrawn(platform::TGraphicKind::Metafile, std::make_shared<const Bytes>(red));
    made.back()->SetPicture(&picture);
  }
  Bytes file = Save(made);
  file.resize(file.size() - 10);  // the second seal ends short
  Target t;
  EXPECT_THROW(ReadDocument(file, t.target), EFormatError);
  const Bytes blue = picture_makers::MakeEmf(0, 0, 49, 49,
                                             {{picture_makers::MetafileShape::Rectangle, 0, 0, 50, 50, 0xFF0000}});
  const QImage image = platform::DecodeMetafile(blue.data(), blue.size());
  ASSERT_EQ(image.size(), QSize(50, 50));
  EXPECT_EQ(image.pixel(25, 25), 0xFF0000FFu);
}

// A GIF of 777 bytes whose screen is 8192 × 8192 takes the whole budget once decoded and
// recoloured; painting its seal takes nothing like that again.
TEST(DocumentFile, TheLargestPictureIsReadAndPaintedWithinTheBudget) {
  Target t;
  const long readFrom = memory_peak::Restart();
  const TDocument doc = ReadDocument(document_makers::DocumentOfBigGifs(1, 8192), t.target);
  ASSERT_EQ(doc.Seals.size(), 1u);
  ASSERT_EQ(doc.Seals[0]->Picture().Width(), 8192);
  const long rise = memory_peak::RiseKiB(readFrom);
  EXPECT_LT(rise, memory_peak::AllowedKiB(kPictureBudgetBytes / 1024 + 32 * 1024));
  QImage page(800, 600, QImage::Format_RGB32);
  page.fill(Qt::white);
  const long paintFrom = memory_peak::Restart();
  {
    platform::TPainterCanvas canvas(&page);
    doc.Seals[0]->DrawTo(0, 0, &canvas, true);
  }
  EXPECT_LT(memory_peak::RiseKiB(paintFrom), memory_peak::AllowedKiB(16 * 1024));
}

TEST(WholeFile, SaveReplacesTheFileOrLeavesItAlone) {
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath("a.dyz");
  SaveFileAtomically(path, Bytes{1, 2, 3});
  SaveFileAtomically(path, Bytes{4, 5});
  EXPECT_EQ(ReadWholeFile(path), (Bytes{4, 5}));
  EXPECT_THROW(SaveFileAtomically(QDir(dir.path()).filePath("no/such/folder/b.dyz"), Bytes{1}), EFileError);
  // A folder in the way of the new file: the save fails and leaves the old file whole.
  const QString blocked = QDir(dir.path()).filePath("blocked");
  ASSERT_TRUE(QDir().mkpath(blocked + "/inner"));
  EXPECT_THROW(SaveFileAtomically(blocked, Bytes{9}), EFileError);
  EXPECT_TRUE(QDir(blocked + "/inner").exists());
  EXPECT_EQ(ReadWholeFile(path), (Bytes{4, 5}));
  EXPECT_THROW(ReadWholeFile(QDir(dir.path()).filePath("missing.dyz")), EFileError);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.dyz"});
}

// Ten metafiles that each take longer than a picture may: the document's read gives them its
// time together, so it opens within that bound (with room for the sanitizers' slower worker),
// each kept with its bytes and named. Read again, the one that had its whole time and timed
// out is refused at once, and the next one in the file takes the read's time.
TEST(DocumentFile, SlowMetafilesShareTheReadsTime) {
  std::vector<std::unique_ptr<TSeal>> seals;
  std::vector<const TSeal*> pointers;
  for (int i = 0; i < 10; ++i) {
    seals.push_back(MakeSeal(stAnyImage));
    platform::TPicture slow;
    slow.KeepUndrawn(platform::TGraphicKind::Metafile,
                     std::make_shared<const Bytes>(picture_makers::FullCanvasFills(4096, 2000 + i)));
    seals.back()->SetPicture(&slow);
    pointers.push_back(seals.back().get());
  }
  const Bytes file = SaveDocument(A4(), pointers);
  constexpr auto kMargin = std::chrono::milliseconds(1500);
  for (int read = 0; read < 2; ++read) {
    SCOPED_TRACE(read);
    Target t;
    std::vector<std::string> reasons;
    t.target.UndrawnPictures = &reasons;
    const auto start = std::chrono::steady_clock::now();
    const TDocument doc = ReadDocument(file, t.target);
    EXPECT_LT(std::chrono::steady_clock::now() - start, platform::TMetafileWorker::kReadTime + kMargin);
    ASSERT_EQ(doc.Seals.size(), 10u);
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(doc.Seals[size_t(i)]->Picture().Bytes(), pointers[size_t(i)]->Picture().Bytes()) << i;
      EXPECT_TRUE(doc.Seals[size_t(i)]->Picture().Image().isNull()) << i;
    }
    EXPECT_EQ(reasons.size(), 10u);
  }
}

}  // namespace
