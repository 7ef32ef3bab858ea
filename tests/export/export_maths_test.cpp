// The export's sizes, limits, names and drawing, measured against values worked out by hand:
// a selection's millimetres at the chosen resolution with an 8-pixel margin, the limits of
// the export and of each format, the extension a name ends up with, and the picture drawn
// from a scratch seal while the page's seals stay as they were.

#include <gtest/gtest.h>

#include <QWidget>
#include <cmath>
#include <limits>
#include <vector>

#include "document_makers.h"
#include "export/exportformats.h"
#include "export/pictureexport.h"
#include "export_seals.h"
#include "formats/seal_block.h"
#include "platform/stream.h"
#include "seal/bounds_mm.h"
#include "test_images.h"

using app::ExportBitmapSize;
using app::ExportFormatOf;
using app::ExportRefusal;
using app::TExportSize;
using export_seals::Box;
using export_seals::kBlue;
using export_seals::kRed;
using seal::TBoundsMm;
using seal::TSeal;

namespace {

const QString kTooLarge = QStringLiteral(
    "导出图象太大，系统无法处理！\n\n您可以这样来解决：\n\n  A、图象导出精度适当降低；\n\n  B、页面上选择面积适当减小；");
const QString kNoResolution = QStringLiteral("导出精度必须大于零！");

constexpr long double kDpi600 = 600 / 25.4L;

TBoundsMm Mm(long double left, long double top, long double right, long double bottom) {
  return {right, bottom, left, top, true};
}

TEST(ExportFormats, TableByNumber) {
  struct Row {
    int code;
    const char* extension;
    const char* filter;
    const char* mime;
  };
  const Row rows[] = {
      {0, ".bmp", "Windows位图(*.bmp)", "image/bmp"},       {1, ".emf", "Windows矢量图(*.emf)", "image/x-emf"},
      {2, ".jpg", "JPEG压缩影像(*.jpg)", "image/jpeg"},      {3, ".gif", "CompuServe GIF(*.gif)", "image/gif"},
      {4, ".tiff", "Tag影像(*.tiff)", nullptr},              {5, ".bmp", "Windows位图(*.bmp)", "image/bmp"},
      {255, ".bmp", "Windows位图(*.bmp)", "image/bmp"},
  };
  for (const Row& r : rows) {
    const app::TExportFormat& f = ExportFormatOf(uint8_t(r.code));
    EXPECT_STREQ(f.Extension, r.extension) << r.code;
    EXPECT_STREQ(f.Filter, r.filter) << r.code;
    if (r.mime)
      EXPECT_STREQ(f.MimeType, r.mime) << r.code;
    else
      EXPECT_EQ(f.MimeType, nullptr) << "TIFF never goes to the clipboard";
  }
}

TEST(ExportSize, MillimetresAtTheResolutionPlusTheMargins) {
  struct Row {
    TBoundsMm bounds;
    long double ppm;
    TExportSize size;
  };
  const Row rows[] = {
      // 40 x 600 / 25.4 = 944.88 pixels.
      {Mm(0, 0, 40, 40), kDpi600, {961, 961}},
      {Mm(12.5L, 3, 52.5L, 43), kDpi600, {961, 961}},
      // 0.5 mm at 1 px/mm: the half goes to the even neighbour.
      {Mm(0, 0, 0.5L, 1.5L), 1, {16, 18}},
      {Mm(0, 0, 2.5L, 3.5L), 1, {18, 20}},
      {Mm(0, 0, 358.4L, 358.4L), 10, {3600, 3600}},
      {Mm(0, 0, 358.5L, 358.4L), 10, {3601, 3600}},
      // A resolution beyond every limit is held where 64 bits still add and multiply.
      {Mm(0, 0, 1000, 1000), 1e30L, {1'000'000'016, 1'000'000'016}},
      {Mm(0, 0, 0, 1), std::numeric_limits<long double>::infinity(), {1'000'000'016, 1'000'000'016}},
  };
  for (const Row& r : rows) EXPECT_EQ(ExportBitmapSize(r.bounds, r.ppm), r.size) << double(r.ppm);
}

TEST(ExportSize, RefusedByTheResolutionThePixelsAndTheFormatsSides) {
  struct Row {
    long double ppm;
    TExportSize size;
    int format;
    bool tooLarge;
  };
  const Row rows[] = {
      {kDpi600, {3600, 3600}, 0, false},
      {kDpi600, {3601, 3600}, 0, true},
      {kDpi600, {3600, 3601}, 4, true},
      {kDpi600, {3601, 3599}, 1, false},  // 12,959,999 pixels
      {kDpi600, {3602, 3599}, 1, true},
      {kDpi600, {1'000'000'016, 1'000'000'016}, 0, true},  // the product passes 64 bits unchecked
      {kDpi600, {810'000, 16}, 0, false},
      {kDpi600, {810'001, 16}, 0, true},
      // GIF describes 65535 a side, JPEG 65500; BMP, EMF and TIFF only the export's limit.
      {kDpi600, {65535, 16}, 3, false},
      {kDpi600, {65536, 16}, 3, true},
      {kDpi600, {16, 65536}, 3, true},
      {kDpi600, {65500, 16}, 2, false},
      {kDpi600, {65501, 16}, 2, true},
      {kDpi600, {16, 65501}, 2, true},
      {kDpi600, {65536, 16}, 0, false},
      {kDpi600, {65536, 16}, 1, false},
      {kDpi600, {65536, 16}, 4, false},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ExportRefusal(r.ppm, r.size, ExportFormatOf(uint8_t(r.format))), r.tooLarge ? kTooLarge : QString())
        << r.size.Width << " x " << r.size.Height << " format " << r.format;
  // No resolution is refused before any size is looked at.
  for (long double ppm : {0.0L, -0.0L, -23.6L, std::numeric_limits<long double>::quiet_NaN(),
                          -std::numeric_limits<long double>::infinity()})
    EXPECT_EQ(ExportRefusal(ppm, {16, 16}, ExportFormatOf(0)), kNoResolution) << double(ppm);
}

TEST(ExportName, ExtensionOfTheFileNameAloneInLowerCase) {
  struct Row {
    const char* chosen;
    int format;
    const char* written;
  };
  const Row rows[] = {
      {"/x/seal", 0, "/x/seal.bmp"},
      {"/x/seal.bmp", 0, "/x/seal.bmp"},
      {"/x/seal.BMP", 0, "/x/seal.BMP"},
      {"/x/seal.png", 2, "/x/seal.jpg"},
      {"/x/seal.jpeg", 2, "/x/seal.jpg"},
      {"/x/seal.tif", 4, "/x/seal.tiff"},
      {"/x/seal.gif.bmp", 3, "/x/seal.gif.gif"},
      {"/x/seal.", 1, "/x/seal.emf"},
      {"/x/my.pictures/seal", 3, "/x/my.pictures/seal.gif"},
      {"/x/my.pictures/seal.jpg", 3, "/x/my.pictures/seal.gif"},
      {"/x/我的导出图象/印章.Gif", 3, "/x/我的导出图象/印章.Gif"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(app::WithExportExtension(QString::fromUtf8(r.chosen), ExportFormatOf(uint8_t(r.format))),
              QString::fromUtf8(r.written))
        << r.chosen;
}

// The first seal's zoom and resolution convert every seal's page pixels.
TEST(ExportSize, SealsAtDifferentZoomsTakeTheFirstSealsFactor) {
  const auto a = Box(20, 20, 10, 10, kRed);               // 150..250 px
  const auto b = Box(40, 20, 10, 10, kBlue, 10, 200);     // 700..900 x 300..500 px
  std::vector<TSeal*> ab{a.get(), b.get()}, ba{b.get(), a.get()};
  // By a's 1/10 mm a pixel, b spans 70..90 x 30..50 mm.
  EXPECT_EQ(ExportBitmapSize(seal::GetSelectionBoundsMm(ab), 10), (TExportSize{766, 366}));
  // By b's 1/20, a spans 7.5..12.5 mm and b 35..45 x 15..25 mm.
  EXPECT_EQ(ExportBitmapSize(seal::GetSelectionBoundsMm(ba), 10), (TExportSize{391, 191}));
}

class ExportDrawing : public ::testing::Test {
 protected:
  // The picture of seals exported at ppm, as the command draws it.
  platform::TBitmap Draw(const std::vector<TSeal*>& seals, long double ppm, bool mirror) {
    const TBoundsMm bounds = seal::GetSelectionBoundsMm(seals);
    return app::DrawExportBitmap(seals, bounds, ppm, ExportBitmapSize(bounds, ppm), mirror, &owner_);
  }
  QWidget owner_;
};

TEST_F(ExportDrawing, SealsPlacedByTheirMillimetresInsideTheMargin) {
  // 20 x 10 mm at 40,40 and 10 x 10 mm at 70,40: bounds 30..75 x 35..45 mm.
  const auto red = Box(40, 40, 20, 10, kRed);
  const auto blue = Box(70, 40, 10, 10, kBlue);
  const platform::TBitmap plain = Draw({red.get(), blue.get()}, 10, false);
  ASSERT_EQ(plain.Width(), 450 + 16);
  ASSERT_EQ(plain.Height(), 100 + 16);
  EXPECT_EQ(testimages::ColorBounds(plain.Image(), kRed), QRect(8, 8, 199, 99));
  EXPECT_EQ(testimages::ColorBounds(plain.Image(), kBlue), QRect(358, 8, 99, 99));
  EXPECT_EQ(testimages::InkBounds(plain.Image()), QRect(8, 8, 449, 99));
  EXPECT_TRUE(plain.Transparent());
  EXPECT_EQ(plain.PixelFormat(), platform::TPixelFormat::pf24bit);
  // Twice the resolution doubles every distance but the margin's.
  const platform::TBitmap fine = Draw({red.get(), blue.get()}, 20, false);
  ASSERT_EQ(fine.Width(), 900 + 16);
  EXPECT_EQ(testimages::ColorBounds(fine.Image(), kRed), QRect(8, 8, 399, 199));
  EXPECT_EQ(testimages::ColorBounds(fine.Image(), kBlue), QRect(708, 8, 199, 199));
}

TEST_F(ExportDrawing, MirrorPutsTheLeftmostSealAtTheRightEdge) {
  const auto red = Box(40, 40, 20, 10, kRed);
  const auto blue = Box(70, 40, 10, 10, kBlue);
  const platform::TBitmap mirrored = Draw({red.get(), blue.get()}, 10, true);
  ASSERT_EQ(mirrored.Width(), 466);
  // The red seal's ink, columns 8..206, lands on 259..457; the blue one's, 358..456, on 9..107.
  EXPECT_EQ(testimages::ColorBounds(mirrored.Image(), kRed), QRect(259, 8, 199, 99));
  EXPECT_EQ(testimages::ColorBounds(mirrored.Image(), kRed).right(), mirrored.Width() - 1 - 8);
  EXPECT_EQ(testimages::ColorBounds(mirrored.Image(), kBlue), QRect(9, 8, 99, 99));
}

TEST_F(ExportDrawing, ASealAtAnotherZoomDrawsAtItsTrueMillimetres) {
  const auto a = Box(20, 20, 10, 10, kRed);
  const auto b = Box(40, 20, 10, 10, kBlue, 10, 200);
  const platform::TBitmap bitmap = Draw({a.get(), b.get()}, 10, false);
  ASSERT_EQ(bitmap.Width(), 766);
  ASSERT_EQ(bitmap.Height(), 366);
  EXPECT_EQ(testimages::ColorBounds(bitmap.Image(), kRed), QRect(8, 8, 99, 99));
  // 35 mm is 350 pixels, 150 of them left of the bounds.
  EXPECT_EQ(testimages::ColorBounds(bitmap.Image(), kBlue), QRect(208, 8, 99, 99));
}

// Only the scratch seal is set and drawn: every selected seal keeps its stored bytes, its
// pixels and its scale, and is not even repainted; the scratch seal is gone afterwards.
TEST_F(ExportDrawing, ThePageSealsAreUntouched) {
  std::vector<std::unique_ptr<TSeal>> kinds = document_makers::AllKinds();
  std::vector<TSeal*> seals;
  for (auto& s : kinds) seals.push_back(s.get());
  const auto state = [&] {
    std::vector<std::vector<int>> geometry;
    platform::TByteWriter blocks;
    formats::TSealRecord record;
    for (const TSeal* s : seals) {
      formats::WriteSealBlock(record, blocks, *s, true);
      geometry.push_back({s->Left(), s->Top(), s->Width(), s->Height(), s->Zoom(), int(s->PixelsPerMm() * 1000),
                          s->InvalidateCount(), s->CutLineRebuildCount()});
    }
    return std::make_pair(blocks.Bytes(), geometry);
  };
  const auto before = state();
  const platform::TBitmap bitmap = Draw(seals, kDpi600, true);
  EXPECT_EQ(state(), before);
  EXPECT_FALSE(testimages::InkBounds(bitmap.Image()).isNull());
  EXPECT_TRUE(owner_.findChildren<TSeal*>().isEmpty());
}

}  // namespace
