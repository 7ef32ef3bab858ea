#include "platform/jpegwriter.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/jpegerrors.h"
#include "platform/picture.h"

namespace platform {

namespace {

struct JpegEncoder {
  jpeg_compress_struct cinfo;
  JpegErrorManager err;
  unsigned char* buffer = nullptr;  // malloc'ed by libjpeg, ours to free
  unsigned long size = 0;
};

// Runs libjpeg between setjmp and the jump back; every object it touches lives in *s.
bool RunJpegEncoder(JpegEncoder* s, const QImage& rgb) {
  if (setjmp(s->err.jump)) return false;
  jpeg_create_compress(&s->cinfo);
  jpeg_mem_dest(&s->cinfo, &s->buffer, &s->size);
  s->cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  s->cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  s->cinfo.input_components = 4;
  s->cinfo.in_color_space = JCS_EXT_BGRX;  // Format_RGB32 as it lies in memory
  jpeg_set_defaults(&s->cinfo);
  jpeg_set_quality(&s->cinfo, 100, TRUE);
  // After the defaults, which would otherwise choose the method again.
  s->cinfo.dct_method = JDCT_ISLOW;
  for (int c = 0; c < s->cinfo.num_components; ++c) {
    s->cinfo.comp_info[c].h_samp_factor = 1;
    s->cinfo.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&s->cinfo, TRUE);
  while (s->cinfo.next_scanline < s->cinfo.image_height) {
    // libjpeg reads the rows only; its row type is not const.
    JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(static_cast<int>(s->cinfo.next_scanline)));
    jpeg_write_scanlines(&s->cinfo, &row, 1);
  }
  jpeg_finish_compress(&s->cinfo);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(const QImage& image) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0)
    throw EPictureError("空白图象不能保存为 JPEG 图象");
  if (image.width() > kMaxJpegSide || image.height() > kMaxJpegSide)
    throw EPictureError("图象太大，不能保存为 JPEG 图象");
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  auto s = std::make_unique<JpegEncoder>();
  s->cinfo.err = JpegErrors(s->err);
  const bool ok = RunJpegEncoder(s.get(), rgb);
  jpeg_destroy_compress(&s->cinfo);
  std::vector<uint8_t> bytes;
  if (ok) bytes.assign(s->buffer, s->buffer + s->size);
  std::free(s->buffer);
  if (!ok) throw EPictureError(s->err.message[0] ? s->err.message : "JPEG 图象无法写入");
  return bytes;
}

}  // namespace platform
