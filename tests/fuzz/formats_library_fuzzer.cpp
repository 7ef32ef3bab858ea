// Any bytes as a seal library file: its thumbnail and its seals are refused with a format
// error or read whole, leaving no seal behind when refused; a design read whole saves into a
// file that reads back with as many seals.
#include <QWidget>
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
  if (seals.empty()) return 0;
  std::vector<seal::TSeal*> pointers;
  for (const auto& s : seals) pointers.push_back(s.get());
  std::vector<uint8_t> saved;
  try {
    saved = formats::SaveLibraryFile(pointers);
  } catch (const formats::EThumbnailTooLarge&) {
    // Seals spread too widely for a thumbnail are refused before anything is drawn.
    return 0;
  } catch (const platform::EFormatError&) {
    // A value the setters carried past what is stored is refused rather than written.
    return 0;
  }
  if (formats::ReadLibrarySeals(saved, target, 0, 0).size() != seals.size()) std::abort();
  return 0;
}
