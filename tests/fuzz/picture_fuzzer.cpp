// The first byte picks the kind (bitmap, icon or metafile), the rest is the picture.
#include <cstdlib>

#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const platform::TGraphicKind kinds[] = {platform::TGraphicKind::Bitmap, platform::TGraphicKind::Icon,
                                                 platform::TGraphicKind::Metafile};
  const platform::TGraphicKind kind = kinds[data[0] % 3];
  const std::vector<uint8_t> bytes(data + 1, data + size);
  platform::TPicture picture;
  try {
    picture.LoadFromBytes(kind, bytes);
  } catch (const platform::EPictureError&) {
    if (picture.HasGraphic()) std::abort();
    return 0;
  }
  if (!picture.HasGraphic() || picture.Kind() != kind || picture.Bytes() != bytes || picture.Width() < 0 ||
      picture.Height() < 0)
    std::abort();
  if (kind != platform::TGraphicKind::Metafile &&
      (picture.Image().width() != picture.Width() || picture.Image().height() != picture.Height()))
    std::abort();
  return 0;
}
