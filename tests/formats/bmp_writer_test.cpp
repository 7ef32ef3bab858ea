#include "formats/bmp_writer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "bitmap_makers.h"
#include "platform/picture.h"

using formats::EncodeBmp;
using platform::RGBColor;
using platform::TBitmap;
using platform::TColor;

namespace {

using TBytes = std::vector<uint8_t>;

using bitmap_makers::Distinct;
using bitmap_makers::U16;
using bitmap_makers::U32;

TEST(BmpWriter, HeaderAndBottomUpRowsByteByByte) {
  TBitmap bitmap(3, 2);
  const TColor top[] = {RGBColor(1, 2, 3), RGBColor(4, 5, 6), RGBColor(7, 8, 9)};
  const TColor bottom[] = {RGBColor(11, 12, 13), RGBColor(14, 15, 16), RGBColor(17, 18, 19)};
  for (int x = 0; x < 3; ++x) {
    bitmap.SetPixel(x, 0, top[x]);
    bitmap.SetPixel(x, 1, bottom[x]);
  }
  const TBytes file = EncodeBmp(bitmap);
  ASSERT_EQ(file.size(), 54u + 2 * 12);
  EXPECT_EQ(TBytes(file.begin(), file.begin() + 2), (TBytes{'B', 'M'}));
  const struct {
    size_t at;
    uint32_t value;
    int bytes;
    const char* field;
  } fields[] = {
      {2, 78, 4, "file size"},   {6, 0, 4, "reserved"},       {10, 54, 4, "pixel offset"},
      {14, 40, 4, "info size"},  {18, 3, 4, "width"},         {22, 2, 4, "height, bottom-up"},
      {26, 1, 2, "planes"},      {28, 24, 2, "bits"},         {30, 0, 4, "no compression"},
      {34, 24, 4, "rows size"},  {38, 0, 4, "x resolution"},  {42, 0, 4, "y resolution"},
      {46, 0, 4, "colours used"}, {50, 0, 4, "colours important"},
  };
  for (const auto& f : fields) EXPECT_EQ(f.bytes == 2 ? U16(file, f.at) : U32(file, f.at), f.value) << f.field;
  // The bottom row first, blue-green-red, each row padded to 12 bytes with zeros.
  EXPECT_EQ(TBytes(file.begin() + 54, file.end()),
            (TBytes{13, 12, 11, 16, 15, 14, 19, 18, 17, 0, 0, 0, 3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0}));
}

TEST(BmpWriter, RowsArePaddedToFourBytesAndReadBackByQt) {
  for (int w : {1, 2, 3, 4, 5}) {
    TBitmap bitmap = Distinct(w, 3);
    const TBytes file = EncodeBmp(bitmap);
    const uint32_t stride = (uint32_t(w) * 3 + 3) / 4 * 4;
    EXPECT_EQ(file.size(), 54 + 3 * stride) << w;
    EXPECT_EQ(U32(file, 2), file.size()) << w;
    for (int row = 0; row < 3; ++row)
      for (uint32_t pad = uint32_t(w) * 3; pad < stride; ++pad) EXPECT_EQ(file[54 + row * stride + pad], 0) << w;
    const QImage read = QImage::fromData(file.data(), int(file.size()), "BMP");
    ASSERT_EQ(read.size(), QSize(w, 3)) << w;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) EXPECT_EQ(platform::FromQRgb(read.pixel(x, y)), bitmap.Pixel(x, y)) << w << ": " << x << "," << y;
  }
}

TEST(BmpWriter, PaletteBitmapsAreWrittenWithTheirColours) {
  TBitmap bitmap = Distinct(4, 2);
  bitmap.SetPixelFormat(platform::TPixelFormat::pf4bit);
  const TBytes file = EncodeBmp(bitmap);
  EXPECT_EQ(U16(file, 28), 24u);
  const QImage read = QImage::fromData(file.data(), int(file.size()), "BMP");
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(platform::FromQRgb(read.pixel(x, y)), bitmap.Pixel(x, y)) << x << "," << y;
}

TEST(BmpWriter, RefusesAnEmptyBitmap) { EXPECT_THROW(EncodeBmp(TBitmap()), platform::EPictureError); }

}  // namespace
