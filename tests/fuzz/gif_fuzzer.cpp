#include <cstdlib>

#include "fuzz_limits.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const QImage image = platform::DecodeGif(data, size, kFuzzMaxPixels);
    if (image.isNull() || static_cast<long long>(image.width()) * image.height() > kFuzzMaxPixels ||
        (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32))
      std::abort();
  } catch (const platform::EPictureError&) {
  }
  return 0;
}
