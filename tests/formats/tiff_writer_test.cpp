#include "formats/tiff_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <vector>

#include "bitmap_makers.h"
#include "peer_tools.h"
#include "platform/picture.h"
#include "formats/whole_file.h"

using formats::EncodeTiff;
using formats::SaveGraphicAsTiff;
using platform::RGBColor;
using platform::TBitmap;
using platform::TColor;
using platform::TPixelFormat;

namespace {

using TBytes = std::vector<uint8_t>;

using bitmap_makers::Distinct;
using bitmap_makers::U16;
using bitmap_makers::U32;

struct TEntry {
  uint16_t tag, type;
  uint32_t count, value;
  bool operator==(const TEntry&) const = default;
};
enum : uint16_t { ASCII = 2, SHORT = 3, LONG = 4, RATIONAL = 5 };

std::ostream& operator<<(std::ostream& os, const TEntry& e) {
  return os << "{" << e.tag << ", " << e.type << ", " << e.count << ", " << e.value << "}";
}

// The entries of the file's first directory, in file order, and the next-directory offset.
std::vector<TEntry> Directory(const TBytes& file, uint32_t* next = nullptr) {
  const uint32_t at = U32(file, 4);
  std::vector<TEntry> entries;
  for (size_t i = 0; i < U16(file, at); ++i) {
    const size_t e = at + 2 + 12 * i;
    const uint16_t type = U16(file, e + 2);
    const uint32_t count = U32(file, e + 4);
    const uint32_t value = type == SHORT && count == 1 ? U16(file, e + 8) : U32(file, e + 8);
    entries.push_back({U16(file, e), type, count, value});
  }
  if (next) *next = U32(file, at + 2 + 12 * entries.size());
  return entries;
}

uint32_t Field(const TBytes& file, uint16_t tag) {
  for (const TEntry& e : Directory(file))
    if (e.tag == tag) return e.value;
  ADD_FAILURE() << "no field " << tag;
  return 0;
}

std::string Text(const TBytes& file, size_t at, size_t n) { return std::string(file.begin() + long(at), file.begin() + long(at + n)); }

// A few colours in stripes, turned into a palette bitmap of the depth.
TBitmap Striped(int width, int height, TPixelFormat format) {
  const TColor colours[] = {platform::clRed, platform::clWhite, RGBColor(0, 0, 128), platform::clBlack, RGBColor(0, 255, 255)};
  TBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, colours[(x + 2 * y) % 5]);
  bitmap.SetPixelFormat(format);
  return bitmap;
}

TEST(TiffWriter, TwoByTwoRgbFileByteByByte) {
  TBitmap bitmap(2, 2);
  bitmap.SetPixel(0, 0, RGBColor(1, 2, 3));
  bitmap.SetPixel(1, 0, RGBColor(4, 5, 6));
  bitmap.SetPixel(0, 1, RGBColor(7, 8, 9));
  bitmap.SetPixel(1, 1, RGBColor(10, 11, 12));
  const TBytes file = EncodeTiff(bitmap);
  ASSERT_EQ(file.size(), 238u);  // 40 bytes of fixed data, 12 of pixels, 186 of directory
  EXPECT_EQ(TBytes(file.begin(), file.begin() + 4), (TBytes{0x49, 0x49, 42, 0}));
  EXPECT_EQ(U32(file, 4), 52u);
  EXPECT_EQ((std::vector<uint32_t>{U32(file, 8), U32(file, 12), U32(file, 16), U32(file, 20)}),
            (std::vector<uint32_t>{877, 10, 877, 10}));
  EXPECT_EQ((std::vector<uint16_t>{U16(file, 24), U16(file, 26), U16(file, 28)}), (std::vector<uint16_t>{8, 8, 8}));
  EXPECT_EQ(Text(file, 30, 10), "Pelzi soft");
  // Top row first, red-green-blue.
  EXPECT_EQ(TBytes(file.begin() + 40, file.begin() + 52), (TBytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  uint32_t next = 1;
  EXPECT_EQ(Directory(file, &next), (std::vector<TEntry>{{254, LONG, 1, 0},
                                                         {256, SHORT, 1, 2},
                                                         {257, SHORT, 1, 2},
                                                         {258, SHORT, 3, 24},
                                                         {259, SHORT, 1, 1},
                                                         {262, SHORT, 1, 2},
                                                         {273, LONG, 1, 40},
                                                         {277, SHORT, 1, 3},
                                                         {278, LONG, 1, 2},
                                                         {279, LONG, 1, 12},
                                                         {282, RATIONAL, 1, 8},
                                                         {283, RATIONAL, 1, 16},
                                                         {284, SHORT, 1, 1},
                                                         {296, SHORT, 1, 2},
                                                         {305, ASCII, 10, 30}}));
  EXPECT_EQ(next, 0u);
  EXPECT_EQ(U16(file, 52), 15u);
}

// Widths whose 24-bit rows a bitmap pads (W mod 4 of 1, 2 and 3): every pixel of every row
// must come out in place, with nothing of the padding between the rows.
TEST(TiffWriter, RgbRowsCarryNoPaddingAndStayInPlace) {
  for (int w : {1, 2, 3, 5, 6}) {
    const int h = 3;
    const TBitmap bitmap = Distinct(w, h);
    const TBytes file = EncodeTiff(bitmap);
    EXPECT_EQ(Field(file, 279), uint32_t(w * h * 3)) << w;
    EXPECT_EQ(file.size(), 40u + w * h * 3 + 186) << w;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const size_t at = 40 + size_t(y * w + x) * 3;
        const TColor c = bitmap.Pixel(x, y);
        EXPECT_EQ(TBytes(file.begin() + long(at), file.begin() + long(at + 3)),
                  (TBytes{platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c)}))
            << "width " << w << " at " << x << "," << y;
      }
  }
}

TEST(TiffWriter, ThirtyTwoBitBitmapsWriteAsTwentyFourBit) {
  TBitmap bitmap = Distinct(5, 4);
  const TBytes rgb = EncodeTiff(bitmap);
  bitmap.SetPixelFormat(TPixelFormat::pf32bit);
  EXPECT_EQ(EncodeTiff(bitmap), rgb);
}

TEST(TiffWriter, SidesBeyond65535AreLongFields) {
  const struct {
    int w, h;
    TEntry width, length;
  } cases[] = {
      {65535, 1, {256, SHORT, 1, 65535}, {257, SHORT, 1, 1}},
      {65536, 1, {256, LONG, 1, 65536}, {257, SHORT, 1, 1}},
      {1, 70000, {256, SHORT, 1, 1}, {257, LONG, 1, 70000}},
  };
  for (const auto& c : cases) {
    const TBytes file = EncodeTiff(TBitmap(c.w, c.h));
    const std::vector<TEntry> entries = Directory(file);
    EXPECT_EQ(entries[1], c.width) << c.w << "x" << c.h;
    EXPECT_EQ(entries[2], c.length) << c.w << "x" << c.h;
  }
}

TEST(TiffWriter, EightBitPaletteFileByteByByte) {
  const TBitmap bitmap = Striped(10, 3, TPixelFormat::pf8bit);
  const std::vector<TColor> palette = bitmap.Palette();
  ASSERT_EQ(palette.size(), 256u);
  const TBytes file = EncodeTiff(bitmap);
  constexpr uint32_t n = 256, pixels = 34 + 6 * n;
  ASSERT_EQ(file.size(), pixels + 10 * 3 + 186);  // 10 bytes a row, not the padded 12
  EXPECT_EQ(U32(file, 4), pixels + 30);
  for (uint32_t i = 0; i < n; ++i) {
    EXPECT_EQ(U16(file, 8 + 2 * i), platform::RedOf(palette[i]) * 256) << i;
    EXPECT_EQ(U16(file, 8 + 2 * (n + i)), platform::GreenOf(palette[i]) * 256) << i;
    EXPECT_EQ(U16(file, 8 + 2 * (2 * n + i)), platform::BlueOf(palette[i]) * 256) << i;
  }
  EXPECT_EQ((std::vector<uint32_t>{U32(file, 8 + 6 * n), U32(file, 12 + 6 * n), U32(file, 16 + 6 * n),
                                   U32(file, 20 + 6 * n)}),
            (std::vector<uint32_t>{877, 10, 877, 10}));
  EXPECT_EQ(Text(file, 24 + 6 * n, 10), "Pelzi soft");
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(file[pixels + size_t(y * 10 + x)], bitmap.PixelIndex(x, y)) << x << "," << y;
  uint32_t next = 1;
  EXPECT_EQ(Directory(file, &next), (std::vector<TEntry>{{254, LONG, 1, 0},
                                                         {256, SHORT, 1, 10},
                                                         {257, SHORT, 1, 3},
                                                         {258, SHORT, 1, 8},
                                                         {259, SHORT, 1, 1},
                                                         {262, SHORT, 1, 3},
                                                         {273, LONG, 1, pixels},
                                                         {277, SHORT, 1, 1},
                                                         {278, LONG, 1, 3},
                                                         {279, LONG, 1, 30},
                                                         {282, RATIONAL, 1, 8 + 6 * n},
                                                         {283, RATIONAL, 1, 16 + 6 * n},
                                                         {296, SHORT, 1, 2},
                                                         {305, ASCII, 10, 24 + 6 * n},
                                                         {320, SHORT, 768, 8}}));
  EXPECT_EQ(next, 0u);
}

TEST(TiffWriter, FourBitWidthIsCutToAMultipleOfFour) {
  const TBitmap bitmap = Striped(7, 2, TPixelFormat::pf4bit);
  ASSERT_EQ(bitmap.Palette().size(), 16u);
  const TBytes file = EncodeTiff(bitmap);
  constexpr uint32_t pixels = 34 + 6 * 16;
  EXPECT_EQ(Field(file, 256), 4u);
  EXPECT_EQ(Field(file, 258), 4u);
  EXPECT_EQ(Field(file, 273), pixels);
  EXPECT_EQ(Field(file, 279), 4u);  // 2 bytes a row
  EXPECT_EQ(Directory(file).back(), (TEntry{320, SHORT, 48, 8}));
  ASSERT_EQ(file.size(), pixels + 4 + 186);
  // Two pixels a byte, the first in the high half; top row first.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      const uint8_t byte = file[pixels + size_t(y * 2 + x / 2)];
      EXPECT_EQ(x % 2 == 0 ? byte >> 4 : byte & 0x0F, bitmap.PixelIndex(x, y)) << x << "," << y;
    }
}

TEST(TiffWriter, RefusesWhatItCannotWrite) {
  TBitmap oneBit(8, 8);
  oneBit.SetPixelFormat(TPixelFormat::pf1bit);
  const struct {
    const char* name;
    TBitmap bitmap;
  } cases[] = {
      {"no bitmap", TBitmap()},
      {"1-bit", oneBit},
      {"4-bit narrower than 4 pixels", Striped(3, 2, TPixelFormat::pf4bit)},
  };
  for (const auto& c : cases) EXPECT_THROW(EncodeTiff(c.bitmap), platform::EPictureError) << c.name;
}

// A failed write leaves the old file as it was and no temporary file behind; a good one
// replaces it whole.
TEST(TiffWriter, SavesThroughATemporaryFile) {
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath("seal.tiff");
  formats::SaveFileAtomically(path, TBytes{'o', 'l', 'd'});
  TBitmap oneBit(4, 4);
  oneBit.SetPixelFormat(TPixelFormat::pf1bit);
  EXPECT_THROW(SaveGraphicAsTiff(path, oneBit), platform::EPictureError);
  EXPECT_EQ(formats::ReadWholeFile(path), (TBytes{'o', 'l', 'd'}));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"seal.tiff"});

  const TBitmap bitmap = Distinct(3, 2);
  SaveGraphicAsTiff(path, bitmap);
  EXPECT_EQ(formats::ReadWholeFile(path), EncodeTiff(bitmap));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"seal.tiff"});
  EXPECT_THROW(SaveGraphicAsTiff(QDir(dir.path()).filePath("no-folder/seal.tiff"), bitmap), formats::EFileError);
}

// The colours of a TIFF file as libtiff reads them: tiff2rgba writes them uncompressed in one
// strip of red, green, blue and alpha bytes, top row first.
std::vector<TColor> ReadBackThroughLibtiff(const QString& tiff2rgba, const QString& in, const QString& out,
                                           int height, int* width) {
  const peer_tools::TRun run = peer_tools::Run(tiff2rgba, {"-c", "none", "-r", QString::number(height), in, out});
  EXPECT_TRUE(run.finished && run.exitCode == 0) << run.err.toStdString();
  const TBytes file = formats::ReadWholeFile(out);
  *width = int(Field(file, 256));
  EXPECT_EQ(Field(file, 257), uint32_t(height));
  EXPECT_EQ(Field(file, 259), 1u);
  const size_t strip = Field(file, 273);
  std::vector<TColor> colours;
  for (size_t i = 0; i < size_t(*width) * size_t(height); ++i) {
    const size_t at = strip + 4 * i;
    EXPECT_EQ(file.at(at + 3), 255) << i;
    colours.push_back(RGBColor(file.at(at), file.at(at + 1), file.at(at + 2)));
  }
  return colours;
}

TEST(TiffWriter, LibtiffReadsThePixelsBack) {
  const QString tiffinfo = peer_tools::Find("tiffinfo"), tiff2rgba = peer_tools::Find("tiff2rgba");
  if (tiffinfo.isEmpty() || tiff2rgba.isEmpty()) GTEST_SKIP() << "libtiff-tools is not installed";
  QTemporaryDir dir;
  const struct {
    const char* name;
    TBitmap bitmap;
    int writtenWidth;
    const char* photometric;
  } cases[] = {
      {"rgb", Distinct(5, 3), 5, "RGB color"},
      {"rgb-odd", Distinct(3, 3), 3, "RGB color"},
      {"palette8", Striped(10, 3, TPixelFormat::pf8bit), 10, "palette color"},
      {"palette4", Striped(7, 2, TPixelFormat::pf4bit), 4, "palette color"},
  };
  for (const auto& c : cases) {
    const QString path = QDir(dir.path()).filePath(QString::fromLatin1(c.name) + ".tiff");
    SaveGraphicAsTiff(path, c.bitmap);
    const peer_tools::TRun info = peer_tools::Run(tiffinfo, {path});
    EXPECT_TRUE(info.finished && info.exitCode == 0) << c.name << ": " << info.err.toStdString();
    // The Software text is stored without a terminating zero, which libtiff notes and
    // reads all the same; it must say nothing else.
    for (const QByteArray& line : info.err.trimmed().split('\n'))
      EXPECT_TRUE(line.isEmpty() || line.contains("Software\" does not end in null byte")) << c.name << ": " << line.toStdString();
    const QString text = QString::fromUtf8(info.out);
    EXPECT_TRUE(text.contains(QString("Image Width: %1 Image Length: %2").arg(c.writtenWidth).arg(c.bitmap.Height())))
        << c.name << ": " << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String(c.photometric))) << c.name << ": " << text.toStdString();
    EXPECT_TRUE(text.contains("Pelzi soft")) << c.name;

    int width = 0;
    const std::vector<TColor> colours =
        ReadBackThroughLibtiff(tiff2rgba, path, path + ".rgba", c.bitmap.Height(), &width);
    ASSERT_EQ(width, c.writtenWidth) << c.name;
    for (int y = 0; y < c.bitmap.Height(); ++y)
      for (int x = 0; x < width; ++x)
        EXPECT_EQ(colours[size_t(y * width + x)], c.bitmap.Pixel(x, y)) << c.name << " at " << x << "," << y;
  }
}

}  // namespace
