// What the picture writers cost against the libraries' own ways of doing the same job, on a
// 2400 × 2400 bitmap of a round official seal: the GIF palette quantiser against giflib's
// GifQuantizeBuffer (whose 5-bit median cut would not keep exact colours), and the JPEG
// writer against a bare libjpeg-turbo encode with the same settings. A photograph-like
// bitmap of 65536 colours shows the quantiser where every pixel is a colour of its own.
// Goals: quantiser within 1.5 × GifQuantizeBuffer on the seal and 3 × on the photograph, JPEG
// within 1.2 × the bare encode.

#include <benchmark/benchmark.h>
#include <gif_lib.h>
// jpeglib.h needs size_t and FILE declared before it.
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include <QImage>
#include <algorithm>
#include <vector>

#include "official_seal.h"
#include "platform/canvas.h"
#include "platform/jpegwriter.h"
#include "platform/quantizer.h"
#include "ratio_report.h"

namespace {

constexpr int kSide = 2400;

const QImage& SealBitmap() {
  static const QImage image = [] {
    QImage bitmap(kSide, kSide, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    const auto seal = bench::MakeOfficialSeal(56);  // 42 mm at 56 px/mm: 2352 pixels
    platform::TPainterCanvas canvas(&bitmap);
    seal->DrawTo(24, 24, &canvas, true);
    return bitmap;
  }();
  return image;
}

const QImage& PhotoBitmap() {
  static const QImage image = [] {
    QImage bitmap(kSide, kSide, QImage::Format_RGB32);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        const int texture = (x * 7 + y * 13) % 9 - 4;
        bitmap.setPixel(x, y, qRgb(std::clamp(x * 255 / kSide + texture, 0, 255),
                                   std::clamp(y * 255 / kSide - texture, 0, 255),
                                   std::clamp((x + y) * 255 / (2 * kSide) + texture, 0, 255)));
      }
    return bitmap;
  }();
  return image;
}

void TimeQuantizer(benchmark::State& state, const QImage& image) {
  for (auto _ : state) {
    platform::TQuantizedImage q = platform::QuantizeImage(image);
    benchmark::DoNotOptimize(q.Indices.data());
  }
}

// giflib takes the picture as three planes of bytes, made here once outside the timing.
void TimeGifQuantizeBuffer(benchmark::State& state, const QImage& image) {
  const size_t n = size_t(image.width()) * size_t(image.height());
  std::vector<GifByteType> red(n), green(n), blue(n), out(n);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      const size_t i = size_t(y) * size_t(image.width()) + size_t(x);
      red[i] = GifByteType(qRed(c));
      green[i] = GifByteType(qGreen(c));
      blue[i] = GifByteType(qBlue(c));
    }
  std::vector<GifColorType> map(256);
  for (auto _ : state) {
    int size = 256;
    if (GifQuantizeBuffer(unsigned(image.width()), unsigned(image.height()), &size, red.data(), green.data(),
                          blue.data(), out.data(), map.data()) == GIF_ERROR)
      state.SkipWithError("GifQuantizeBuffer failed");
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_QuantizeSeal(benchmark::State& state) { TimeQuantizer(state, SealBitmap()); }
void BM_GifQuantizeBufferSeal(benchmark::State& state) { TimeGifQuantizeBuffer(state, SealBitmap()); }
void BM_QuantizePhoto(benchmark::State& state) { TimeQuantizer(state, PhotoBitmap()); }
void BM_GifQuantizeBufferPhoto(benchmark::State& state) { TimeGifQuantizeBuffer(state, PhotoBitmap()); }

void BM_EncodeJpegSeal(benchmark::State& state) {
  const QImage& image = SealBitmap();
  for (auto _ : state) {
    std::vector<uint8_t> jpeg = platform::EncodeJpeg(image);
    benchmark::DoNotOptimize(jpeg.data());
  }
}

// The same settings straight through libjpeg-turbo, into its own memory buffer.
void BM_BareLibjpegSeal(benchmark::State& state) {
  const QImage& image = SealBitmap();
  for (auto _ : state) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    for (int c = 0; c < cinfo.num_components; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
      JSAMPROW row = const_cast<uchar*>(image.constScanLine(int(cinfo.next_scanline)));
      jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    benchmark::DoNotOptimize(buffer);
    std::free(buffer);
  }
}

BENCHMARK(BM_QuantizeSeal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifQuantizeBufferSeal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuantizePhoto)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifQuantizeBufferPhoto)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeJpegSeal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareLibjpegSeal)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(argc, argv,
                              {{"seal, quantiser / GifQuantizeBuffer (goal 1.5)", "BM_QuantizeSeal", "BM_GifQuantizeBufferSeal"},
                               {"photo, quantiser / GifQuantizeBuffer (goal 3)", "BM_QuantizePhoto", "BM_GifQuantizeBufferPhoto"},
                               {"seal, JPEG writer / bare libjpeg-turbo (goal 1.2)", "BM_EncodeJpegSeal", "BM_BareLibjpegSeal"}});
}
