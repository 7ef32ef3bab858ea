// Any bytes as a seal library file: its thumbnail and its seals are refused with a format
// error or read whole, leaving no seal behind when refused, and every seal read lies at a
// finite place. Saving again is left to the format tests: drawing the thumbnail of each
// input would cost the fuzzer nearly all its time.
#include <QWidget>
#include <cmath>
#include <cstdlib>

#include "formats/library_file.h"
#include "formats_qt.h"
#include "fuzz_limits.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartFormatsApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  try {
    const std::vector<uint8_t> gif = formats::ReadLibraryPreview(bytes);
    platform::DecodeGif(gif.data(), gif.size(), kFuzzMaxPixels);
  } catch (const platform::EFormatError&) {
  } catch (const platform::EPictureError&) {
  }

  QWidget page;
  formats::TSealTarget target;
  target.Page = &page;
  target.PixelsPerMm = 4;
  target.PageZoom = 75;
  target.CreateSeal = [&page] { return std::make_unique<seal::TSeal>(&page); };
  std::vector<std::unique_ptr<seal::TSeal>> seals;
  try {
    seals = formats::ReadLibrarySeals(bytes, target, 12.5L, 30);
  } catch (const platform::EFormatError&) {
    if (!page.children().isEmpty()) std::abort();
    return 0;
  }
  for (const auto& s : seals)
    if (!std::isfinite(s->RealCenterX()) || !std::isfinite(s->RealCenterY()) || s->parentWidget() != &page)
      std::abort();
  return 0;
}
