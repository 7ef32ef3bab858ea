#pragma once
// Picture files made by the tests themselves: JPEG through libjpeg's compressor, GIF bytes and
// metafile records laid out field by field, so that hostile variants can be built as easily
// as sound ones.

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace picture_makers {

struct JpegOptions {
  int quality = 100;
  bool progressive = false;
  bool grayscale = false;
  // One scan per coefficient and component: 190 scans for a colour picture.
  bool scanPerCoefficient = false;
};
std::vector<uint8_t> MakeJpeg(const QImage& image, const JpegOptions& options = {});
// A flat CMYK JPEG of the four stored sample values, with the Adobe marker.
std::vector<uint8_t> MakeCmykJpeg(int width, int height, const uint8_t cmyk[4]);

// Offset of the SOF marker's height field, or npos.
size_t JpegSofSizeOffset(const std::vector<uint8_t>& jpeg);

struct RawGif {
  int screenWidth = 0, screenHeight = 0;
  std::optional<std::vector<QRgb>> globalMap;  // size a power of two, 2..256
  int left = 0, top = 0, width = 0, height = 0;
  std::optional<std::vector<QRgb>> localMap;
  std::optional<int> transparentIndex;
  bool interlaced = false;
  int codeSize = 8;                 // LZW minimum code size
  std::vector<uint8_t> indices;     // width * height, in stored row order
};
// A GIF89a file laid out as given, pixels coded with a clear code often enough that every
// code is a literal.
std::vector<uint8_t> MakeGif(const RawGif& gif);
// A GIF of a few bytes whose one-pixel frame lies on a screen of side x side pixels: what it
// claims, not what it holds, is what decoding it costs.
std::vector<uint8_t> BigScreenGif(int side);

// One filled figure of a metafile, in the file's own units, with GDI's box (right and
// bottom exclusive) and colour ($00BBGGRR); drawn with the null pen, so without outline.
// Text is written from (left, top) in a 12-unit Arial, its characters taken as glyph
// numbers when `glyphNumbers` is set (an enhanced metafile's glyph-index option). A bitmap
// is a 2 x 2 24-bit bitmap of the colour, stretched over the box.
struct MetafileShape {
  enum Figure { Rectangle, Ellipse, Text, Bitmap } figure = Rectangle;
  int left = 0, top = 0, right = 0, bottom = 0;
  uint32_t colour = 0x0000FF;
  std::u16string text = {};
  bool glyphNumbers = false;
};
// An enhanced metafile whose header bounds are (left, top) .. (right, bottom), inclusive
// device pixels; without the end record when `end` is false.
std::vector<uint8_t> MakeEmf(int left, int top, int right, int bottom, const std::vector<MetafileShape>& shapes = {},
                             bool end = true);
// A placeable Windows metafile whose box is (left, top) .. (right, bottom) in units of
// `inch` per inch (0 leaves the inch out), with the window set to that box.
std::vector<uint8_t> MakePlaceableWmf(int left, int top, int right, int bottom, int inch,
                                      const std::vector<MetafileShape>& shapes = {}, bool end = true);

// Metafiles of records the caller lays out, for hostile ones: an enhanced metafile's header
// for the bounds, the records and the end record; a placeable metafile's headers for the box
// and inch, the records and the end record. A record of an enhanced metafile: its type, its
// size, the 32-bit fields and the bytes of the tail; of a Windows metafile: its size in
// words, the function, the 16-bit parameters and the tail (of an even size).
std::vector<uint8_t> EmfRecordOf(uint32_t type, const std::vector<uint32_t>& fields,
                                 const std::vector<uint8_t>& tail = {});
std::vector<uint8_t> WmfRecordOf(int function, const std::vector<int>& params, const std::vector<uint8_t>& tail = {});
std::vector<uint8_t> MakeEmfOfRecords(int left, int top, int right, int bottom,
                                      const std::vector<std::vector<uint8_t>>& records);
std::vector<uint8_t> MakePlaceableWmfOfRecords(int left, int top, int right, int bottom, int inch,
                                               const std::vector<std::vector<uint8_t>>& records);

// A red brush and `fills` rectangles over the whole of a side × side enhanced metafile:
// thousands of fills on a large canvas take far longer to draw than a picture may.
std::vector<uint8_t> FullCanvasFills(int side, int fills);

std::vector<uint8_t> EncodeWithQt(const QImage& image, const char* format);

// A picture of four flat quadrants: red, green, blue, white.
QImage Quadrants(int width, int height);

}  // namespace picture_makers
