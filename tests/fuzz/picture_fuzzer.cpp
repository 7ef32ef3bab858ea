// The first byte picks the kind (bitmap or icon), the rest is the picture. Metafiles have
// a fuzzer of their own, on the metafile worker's decoding path (metafile_fuzzer.cpp).
#include <QGuiApplication>
#include <cstdlib>

#include "fuzz_application.h"
#include "fuzz_limits.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartApplication<QGuiApplication>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const platform::TGraphicKind kinds[] = {platform::TGraphicKind::Bitmap, platform::TGraphicKind::Icon};
  const platform::TGraphicKind kind = kinds[data[0] % 2];
  const std::vector<uint8_t> bytes(data + 1, data + size);
  platform::TPicture picture;
  try {
    picture.LoadFromBytes(kind, bytes);
  } catch (const platform::EPictureError&) {
    if (picture.HasGraphic()) std::abort();
    return 0;
  }
  if (!picture.HasGraphic() || picture.Kind() != kind || picture.Bytes() != bytes || picture.Width() < 0 ||
      picture.Height() < 0 || picture.Image().width() != picture.Width() ||
      picture.Image().height() != picture.Height())
    std::abort();
  return 0;
}
