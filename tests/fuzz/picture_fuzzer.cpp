// The first byte picks the kind (bitmap, icon or metafile), the rest is the picture.
#include <QGuiApplication>
#include <cstdlib>

#include "fuzz_limits.h"
#include "platform/picture.h"

// Metafiles draw their texts with the fonts of an application.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Qt SVG names every element it leaves out and QFont every size it cannot take; at
  // thousands of inputs a second that would bury the fuzzer's own report.
  setenv("QT_LOGGING_RULES", "qt.svg*=false;default.warning=false", 1);
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
  if (kind == platform::TGraphicKind::Metafile) {
    // The decoder itself, so that the fuzzer's lower pixel cap also holds for the bitmaps
    // inside; the full caps are the tests' to try.
    try {
      const QImage image = platform::DecodeMetafile(bytes.data(), bytes.size(), kFuzzMaxPixels);
      int width = 0, height = 0;
      if (!platform::MetafileSize(bytes, &width, &height) || image.size() != QSize(width, height) ||
          image.format() != QImage::Format_RGB32)
        std::abort();
    } catch (const platform::EPictureError&) {
    }
    return 0;
  }
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
