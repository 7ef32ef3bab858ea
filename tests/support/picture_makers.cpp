#include "picture_makers.h"

#include <cstdio>
#include <jpeglib.h>

#include <algorithm>

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
