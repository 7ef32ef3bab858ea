#include "picture_makers.h"

#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <initializer_list>

#include <QBuffer>
#include <QImageWriter>
#include <stdexcept>

namespace picture_makers {

std::vector<uint8_t> MakeJpeg(const QImage& image, const JpegOptions& options) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (options.grayscale) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  jpeg_set_quality(&cinfo, options.quality, TRUE);
  std::vector<jpeg_scan_info> scans;
  if (options.progressive) jpeg_simple_progression(&cinfo);
  if (options.scanPerCoefficient) {
    jpeg_scan_info dc{};
    dc.comps_in_scan = cinfo.num_components;
    for (int c = 0; c < cinfo.num_components; ++c) dc.component_index[c] = c;
    scans.push_back(dc);
    for (int c = 0; c < cinfo.num_components; ++c)
      for (int k = 1; k < 64; ++k) {
        jpeg_scan_info ac{};
        ac.comps_in_scan = 1;
        ac.component_index[0] = c;
        ac.Ss = ac.Se = k;
        scans.push_back(ac);
      }
    cinfo.scan_info = scans.data();
    cinfo.num_scans = static_cast<int>(scans.size());
  }
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return bytes;
}

std::vector<uint8_t> MakeCmykJpeg(int width, int height, const uint8_t cmyk[4]) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(width) * 4);
  for (int x = 0; x < width; ++x) std::copy(cmyk, cmyk + 4, row.begin() + long(x) * 4);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW line = row.data();
    jpeg_write_scanlines(&cinfo, &line, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return bytes;
}

size_t JpegSofSizeOffset(const std::vector<uint8_t>& jpeg) {
  for (size_t i = 2; i + 9 < jpeg.size();) {
    if (jpeg[i] != 0xFF) return std::string::npos;
    const uint8_t marker = jpeg[i + 1];
    if (marker >= 0xC0 && marker <= 0xC2) return i + 5;
    i += 2 + (size_t(jpeg[i + 2]) << 8 | jpeg[i + 3]);
  }
  return std::string::npos;
}

namespace {

void Put16(std::vector<uint8_t>& out, int v) {
  out.push_back(uint8_t(v & 0xFF));
  out.push_back(uint8_t(v >> 8 & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void Set32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(v >> (8 * i));
}

int MapBits(size_t size) {
  int bits = 1;
  while ((size_t(1) << bits) < size) ++bits;
  return bits;
}

void PutMap(std::vector<uint8_t>& out, const std::vector<QRgb>& map) {
  for (QRgb c : map) {
    out.push_back(uint8_t(qRed(c)));
    out.push_back(uint8_t(qGreen(c)));
    out.push_back(uint8_t(qBlue(c)));
  }
}

class BitPacker {
 public:
  void Put(int code, int width) {
    acc_ |= uint32_t(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      bytes.push_back(uint8_t(acc_ & 0xFF));
      acc_ >>= 8;
      bits_ -= 8;
    }
  }
  void Flush() {
    if (bits_ > 0) bytes.push_back(uint8_t(acc_ & 0xFF));
    acc_ = 0;
    bits_ = 0;
  }
  std::vector<uint8_t> bytes;

 private:
  uint32_t acc_ = 0;
  int bits_ = 0;
};

}  // namespace

std::vector<uint8_t> BigScreenGif(int side) {
  RawGif gif;
  gif.screenWidth = gif.screenHeight = side;
  gif.globalMap = std::vector<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)};
  gif.width = gif.height = 1;
  gif.codeSize = 2;
  gif.indices = {0};
  return MakeGif(gif);
}

std::vector<uint8_t> MakeGif(const RawGif& g) {
  std::vector<uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
  Put16(out, g.screenWidth);
  Put16(out, g.screenHeight);
  out.push_back(g.globalMap ? uint8_t(0x80 | 0x70 | (MapBits(g.globalMap->size()) - 1)) : uint8_t(0x70));
  out.push_back(0);
  out.push_back(0);
  if (g.globalMap) PutMap(out, *g.globalMap);
  if (g.transparentIndex) {
    out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, uint8_t(*g.transparentIndex), 0});
  }
  out.push_back(0x2C);
  Put16(out, g.left);
  Put16(out, g.top);
  Put16(out, g.width);
  Put16(out, g.height);
  uint8_t flags = g.interlaced ? 0x40 : 0;
  if (g.localMap) flags |= uint8_t(0x80 | (MapBits(g.localMap->size()) - 1));
  out.push_back(flags);
  if (g.localMap) PutMap(out, *g.localMap);
  out.push_back(uint8_t(g.codeSize));
  const int clear = 1 << g.codeSize, end = clear + 1, width = g.codeSize + 1;
  BitPacker bits;
  // After a clear code the table grows by one entry per code; restarting well before it
  // reaches the next power of two keeps every code the same width.
  const int run = clear / 2;
  int sinceClear = run;
  for (uint8_t index : g.indices) {
    if (sinceClear == run) {
      bits.Put(clear, width);
      sinceClear = 0;
    }
    bits.Put(index, width);
    ++sinceClear;
  }
  bits.Put(end, width);
  bits.Flush();
  for (size_t i = 0; i < bits.bytes.size(); i += 255) {
    const size_t n = std::min<size_t>(255, bits.bytes.size() - i);
    out.push_back(uint8_t(n));
    out.insert(out.end(), bits.bytes.begin() + long(i), bits.bytes.begin() + long(i + n));
  }
  out.push_back(0);
  out.push_back(0x3B);
  return out;
}

namespace {

// Enhanced metafile records: type and size, then the 32-bit fields.
void EmfRecord(std::vector<uint8_t>& out, uint32_t type, std::initializer_list<uint32_t> fields) {
  Put32(out, type);
  Put32(out, uint32_t(8 + 4 * fields.size()));
  for (uint32_t f : fields) Put32(out, f);
}

// Windows metafile records: size in 16-bit words and function, then 16-bit parameters.
void WmfRecord(std::vector<uint8_t>& out, int function, std::initializer_list<int> params) {
  Put32(out, uint32_t(3 + params.size()));
  Put16(out, function);
  for (int p : params) Put16(out, p);
}

constexpr uint32_t kEmfNullPen = 0x80000008;

// A bottom-up 2 x 2 24-bit bitmap of one colour: its 40-byte header, then two rows of
// 8 bytes (6 of pixels, 2 of padding).
std::vector<uint8_t> Dib(uint32_t colour) {
  std::vector<uint8_t> dib;
  Put32(dib, 40);
  Put32(dib, 2);
  Put32(dib, 2);
  Put16(dib, 1);
  Put16(dib, 24);
  for (uint32_t v : {0u, 16u, 0u, 0u, 0u, 0u}) Put32(dib, v);  // uncompressed, bits size, ...
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 2; ++x) {
      dib.push_back(uint8_t(colour >> 16));  // blue, green, red
      dib.push_back(uint8_t(colour >> 8));
      dib.push_back(uint8_t(colour));
    }
    dib.push_back(0);
    dib.push_back(0);
  }
  return dib;
}
constexpr size_t kDibHeader = 40;
constexpr uint32_t kSourceCopy = 0x00CC0020;

// StretchDIBits of the bitmap over the box.
void EmfBitmap(std::vector<uint8_t>& out, const MetafileShape& s) {
  const std::vector<uint8_t> dib = Dib(s.colour);
  constexpr uint32_t kHeaderAt = 80;
  Put32(out, 81);
  Put32(out, uint32_t(kHeaderAt + dib.size()));
  for (int v : {0, 0, -1, -1}) Put32(out, uint32_t(v));  // bounds, unknown
  for (int v : {s.left, s.top, 0, 0, 2, 2}) Put32(out, uint32_t(v));
  for (uint32_t v : {kHeaderAt, uint32_t(kDibHeader), uint32_t(kHeaderAt + kDibHeader), uint32_t(dib.size() - kDibHeader),
                     0u, kSourceCopy, uint32_t(s.right - s.left), uint32_t(s.bottom - s.top)})
    Put32(out, v);
  out.insert(out.end(), dib.begin(), dib.end());
}

// 32-bit fields of a font: height -12 (a 12-unit cell), width, escapement, orientation,
// weight 400; then italic, underline, strike-out, charset, precisions, quality, pitch.
void PutLogFontHead(std::vector<uint8_t>& out) {
  for (uint32_t v : {uint32_t(-12), 0u, 0u, 0u, 400u}) Put32(out, v);
  for (int i = 0; i < 8; ++i) out.push_back(i == 3 ? 1 : 0);  // default charset
}

// Font 2 selected, the text colour set, one ExtTextOutW and the font deleted again.
void EmfText(std::vector<uint8_t>& out, const MetafileShape& s) {
  std::vector<uint8_t> font;
  Put32(font, 2);
  PutLogFontHead(font);
  const std::u16string face = u"Arial";
  for (size_t i = 0; i < 32; ++i) Put16(font, i < face.size() ? face[i] : 0);
  Put32(out, 82);  // create font
  Put32(out, uint32_t(8 + font.size()));
  out.insert(out.end(), font.begin(), font.end());
  EmfRecord(out, 37, {2});
  EmfRecord(out, 24, {s.colour});  // text colour

  const uint32_t chars = uint32_t(s.text.size());
  const uint32_t textAt = 76, spacingAt = textAt + (2 * chars + 3) / 4 * 4;
  std::vector<uint8_t> text;
  for (int v : {0, 0, -1, -1}) Put32(text, uint32_t(v));  // bounds, unknown
  Put32(text, 1);                                          // compatible graphics mode
  Put32(text, 0x3F800000);                                 // scales 1.0
  Put32(text, 0x3F800000);
  for (uint32_t v : {uint32_t(s.left), uint32_t(s.top), chars, textAt, s.glyphNumbers ? 0x10u : 0u, 0u, 0u, 0u, 0u,
                     spacingAt})
    Put32(text, v);
  for (char16_t c : s.text) Put16(text, c);
  while (text.size() + 8 < spacingAt) text.push_back(0);
  for (uint32_t i = 0; i < chars; ++i) Put32(text, 8);  // advance of each character
  Put32(out, 84);  // ExtTextOutW
  Put32(out, uint32_t(8 + text.size()));
  out.insert(out.end(), text.begin(), text.end());
  EmfRecord(out, 40, {2});
}

}  // namespace

namespace {

// An enhanced metafile: its header for the bounds, the records (`count` of them), and its
// end record when `end` is set.
std::vector<uint8_t> EmfAround(int left, int top, int right, int bottom, const std::vector<uint8_t>& body,
                               uint32_t count, bool end) {
  std::vector<uint8_t> out;
  Put32(out, 1);  // header record
  Put32(out, 88);
  for (int v : {left, top, right, bottom}) Put32(out, uint32_t(v));
  // The frame in hundredths of a millimetre, at 96 pixels per inch.
  for (int64_t v : {int64_t(left), int64_t(top), int64_t(right) + 1, int64_t(bottom) + 1})
    Put32(out, uint32_t(v * 2540 / 96));
  Put32(out, 0x464D4520);  // " EMF"
  Put32(out, 0x10000);     // version
  Put32(out, 0);           // file size, set below
  Put32(out, 0);           // record count, set below
  Put16(out, 3);           // handles: the reserved one, the brush and the font
  Put16(out, 0);
  Put32(out, 0);  // description
  Put32(out, 0);
  Put32(out, 0);  // palette entries
  for (uint32_t v : {1024u, 768u, 271u, 203u}) Put32(out, v);  // reference device in pixels and mm
  out.insert(out.end(), body.begin(), body.end());
  uint32_t records = 1 + count;
  if (end) {
    EmfRecord(out, 14, {0, 16, 20});  // no palette; the size of this record last
    ++records;
  }
  Set32(out, 48, uint32_t(out.size()));
  Set32(out, 52, records);
  return out;
}

// A placeable metafile: its placeable header for the box and inch, the Windows header, the
// records and the end record when `end` is set.
std::vector<uint8_t> PlaceableAround(int left, int top, int right, int bottom, int inch, std::vector<uint8_t> records,
                                     bool end) {
  if (end) WmfRecord(records, 0x0000, {});
  std::vector<uint8_t> out;
  Put32(out, 0x9AC6CDD7);  // placeable key
  Put16(out, 0);           // handle
  for (int v : {left, top, right, bottom}) Put16(out, v);
  Put16(out, inch);
  Put32(out, 0);
  uint16_t checksum = 0;
  for (size_t i = 0; i < out.size(); i += 2) checksum ^= uint16_t(out[i] | out[i + 1] << 8);
  Put16(out, checksum);
  Put16(out, 1);       // in memory
  Put16(out, 9);       // header words
  Put16(out, 0x0300);  // version
  Put32(out, uint32_t((18 + records.size()) / 2));
  Put16(out, 2);   // objects: the pen and a brush or font
  Put32(out, 42);  // largest record, in words: a bitmap
  Put16(out, 0);
  out.insert(out.end(), records.begin(), records.end());
  return out;
}

}  // namespace

std::vector<uint8_t> EmfRecordOf(uint32_t type, const std::vector<uint32_t>& fields, const std::vector<uint8_t>& tail) {
  std::vector<uint8_t> out;
  Put32(out, type);
  Put32(out, uint32_t(8 + 4 * fields.size() + tail.size()));
  for (uint32_t f : fields) Put32(out, f);
  out.insert(out.end(), tail.begin(), tail.end());
  return out;
}

std::vector<uint8_t> WmfRecordOf(int function, const std::vector<int>& params, const std::vector<uint8_t>& tail) {
  std::vector<uint8_t> out;
  Put32(out, uint32_t(3 + params.size() + tail.size() / 2));
  Put16(out, function);
  for (int p : params) Put16(out, p);
  out.insert(out.end(), tail.begin(), tail.end());
  return out;
}

std::vector<uint8_t> MakeEmfOfRecords(int left, int top, int right, int bottom,
                                      const std::vector<std::vector<uint8_t>>& records) {
  std::vector<uint8_t> body;
  for (const auto& r : records) body.insert(body.end(), r.begin(), r.end());
  return EmfAround(left, top, right, bottom, body, uint32_t(records.size()), true);
}

std::vector<uint8_t> FullCanvasFills(int side, int fills) {
  std::vector<std::vector<uint8_t>> records{EmfRecordOf(39, {1, 0, 0x0000FF, 0}), EmfRecordOf(37, {1})};
  for (int i = 0; i < fills; ++i) records.push_back(EmfRecordOf(43, {0, 0, uint32_t(side), uint32_t(side)}));
  return MakeEmfOfRecords(0, 0, side - 1, side - 1, records);
}

std::vector<uint8_t> MakePlaceableWmfOfRecords(int left, int top, int right, int bottom, int inch,
                                               const std::vector<std::vector<uint8_t>>& records) {
  std::vector<uint8_t> body;
  for (const auto& r : records) body.insert(body.end(), r.begin(), r.end());
  return PlaceableAround(left, top, right, bottom, inch, body, true);
}

std::vector<uint8_t> MakeEmf(int left, int top, int right, int bottom, const std::vector<MetafileShape>& shapes,
                             bool end) {
  std::vector<uint8_t> out;
  uint32_t records = 0;
  EmfRecord(out, 37, {kEmfNullPen});  // select object
  ++records;
  for (const MetafileShape& s : shapes) {
    if (s.figure == MetafileShape::Text) {
      EmfText(out, s);
      records += 5;
      continue;
    }
    if (s.figure == MetafileShape::Bitmap) {
      EmfBitmap(out, s);
      ++records;
      continue;
    }
    EmfRecord(out, 39, {1, 0, s.colour, 0});  // create brush 1: solid
    EmfRecord(out, 37, {1});
    EmfRecord(out, s.figure == MetafileShape::Ellipse ? 42 : 43,
              {uint32_t(s.left), uint32_t(s.top), uint32_t(s.right), uint32_t(s.bottom)});
    EmfRecord(out, 40, {1});  // delete object
    records += 4;
  }
  return EmfAround(left, top, right, bottom, out, records, end);
}

std::vector<uint8_t> MakePlaceableWmf(int left, int top, int right, int bottom, int inch,
                                      const std::vector<MetafileShape>& shapes, bool end) {
  std::vector<uint8_t> records;
  WmfRecord(records, 0x020B, {top, left});                  // window origin, y first
  WmfRecord(records, 0x020C, {bottom - top, right - left});  // window extent, y first
  WmfRecord(records, 0x02FA, {5, 0, 0, 0, 0});               // create pen 0: null, width 0, black
  WmfRecord(records, 0x012D, {0});                           // select object
  for (const MetafileShape& s : shapes) {
    if (s.figure == MetafileShape::Text) {
      // Font 1: height -12, weight 400, default charset, Arial; then TextOut.
      std::vector<int> font{-12, 0, 0, 0, 400, 0, 1 << 8, 0, 0, 'A' | 'r' << 8, 'i' | 'a' << 8, 'l'};
      std::vector<uint8_t> params;
      for (int v : font) Put16(params, v);
      Put32(records, uint32_t(3 + font.size()));
      Put16(records, 0x02FB);  // create font
      records.insert(records.end(), params.begin(), params.end());
      WmfRecord(records, 0x012D, {1});
      WmfRecord(records, 0x0209, {int(s.colour & 0xFFFF), int(s.colour >> 16)});  // text colour
      std::vector<int> textOut{int(s.text.size())};
      for (size_t i = 0; i < s.text.size(); i += 2)
        textOut.push_back((s.text[i] & 0xFF) | (i + 1 < s.text.size() ? (s.text[i + 1] & 0xFF) << 8 : 0));
      textOut.push_back(s.top);
      textOut.push_back(s.left);
      std::vector<uint8_t> textParams;
      for (int v : textOut) Put16(textParams, v);
      Put32(records, uint32_t(3 + textOut.size()));
      Put16(records, 0x0521);  // TextOut: count, bytes, y, x
      records.insert(records.end(), textParams.begin(), textParams.end());
      WmfRecord(records, 0x01F0, {1});
      continue;
    }
    if (s.figure == MetafileShape::Bitmap) {
      // StretchDIB: raster operation, colours as RGB, the source 2 x 2, the box; the bitmap.
      const std::vector<uint8_t> dib = Dib(s.colour);
      Put32(records, uint32_t(3 + 11 + dib.size() / 2));
      Put16(records, 0x0F43);
      Put32(records, kSourceCopy);
      for (int v : {0, 2, 2, 0, 0, s.bottom - s.top, s.right - s.left, s.top, s.left}) Put16(records, v);
      records.insert(records.end(), dib.begin(), dib.end());
      continue;
    }
    WmfRecord(records, 0x02FC, {0, int(s.colour & 0xFFFF), int(s.colour >> 16), 0});  // create brush 1: solid
    WmfRecord(records, 0x012D, {1});
    WmfRecord(records, s.figure == MetafileShape::Ellipse ? 0x0418 : 0x041B, {s.bottom, s.right, s.top, s.left});
    WmfRecord(records, 0x01F0, {1});  // delete object
  }
  return PlaceableAround(left, top, right, bottom, inch, std::move(records), end);
}

std::vector<uint8_t> EncodeWithQt(const QImage& image, const char* format) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (!writer.write(image)) throw std::runtime_error("Qt cannot write " + std::string(format));
  return std::vector<uint8_t>(data.begin(), data.end());
}

QImage Quadrants(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2, bottom = y >= height / 2;
      image.setPixel(x, y, !bottom ? (right ? 0xFF00FF00u : 0xFFFF0000u) : (right ? 0xFFFFFFFFu : 0xFF0000FFu));
    }
  return image;
}

}  // namespace picture_makers
