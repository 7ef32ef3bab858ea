// The first byte picks the kind (bitmap, icon or metafile), the rest is the picture.
#include <QGuiApplication>
#include <cstdlib>

#include "fuzz_limits.h"
#include "platform/picture.h"

// Metafiles draw their texts with the fonts of an application.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Qt SVG names every element it leaves out; at thousands of inputs a second that would
  // bury the fuzzer's own report.
  setenv("QT_LOGGING_RULES", "qt.svg*=false", 1);
  static int argc = 1;
  static char name[] = "picture_fuzzer";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const platform::TGraphicKind kinds[] = {platform::TGraphicKind::Bitmap, platform::TGraphicKind::Icon,
                                                 platform::TGraphicKind::Metafile};
  const platform::TGraphicKind kind = kinds[data[0] % 3];
  const std::vector<uint8_t> bytes(data + 1, data + size);
  // A metafile is drawn at the size its header claims; the full caps are the tests' to try.
  int width = 0, height = 0;
  if (kind == platform::TGraphicKind::Metafile && platform::MetafileSize(bytes, &width, &height) &&
      static_cast<long long>(width) * height > kFuzzMaxPixels)
    return 0;
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
  if (kind == platform::TGraphicKind::Metafile &&
      (picture.Image().format() != QImage::Format_RGB32 || !platform::MetafileSize(bytes, &width, &height) ||
       picture.Image().size() != QSize(width, height)))
    std::abort();
  return 0;
}
