// Any bytes as a document file: refused with a format error or read whole, and what was
// read saves into a file that reads back and saves as the same bytes again.
#include <QWidget>
#include <cstdlib>

#include "formats/document_file.h"
#include "formats_qt.h"
#include "fuzz_limits.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartFormatsApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QWidget page;
  formats::TSealTarget target;
  target.Page = &page;
  target.PixelsPerMm = 4;
  target.PageZoom = 75;
  target.PictureBudgetBytes = kFuzzMaxPixels * formats::kBytesPerPicturePixel;
  formats::TDocument doc;
  try {
    doc = formats::ReadDocument(std::span<const uint8_t>(data, size), target);
  } catch (const platform::EFormatError&) {
    if (!page.findChildren<seal::TSeal*>().isEmpty()) std::abort();
    return 0;
  } catch (const formats::EOldDocument&) {
    return 0;
  }
  std::vector<const seal::TSeal*> seals;
  for (const auto& s : doc.Seals) seals.push_back(s.get());
  std::vector<uint8_t> saved;
  try {
    saved = formats::SaveDocument(doc.Page, seals);
  } catch (const platform::EFormatError&) {
    // The setters can carry a value past what is stored (a slanted length beyond a
    // Single); such a seal is refused rather than written unreadable.
    return 0;
  }
  target.PageZoom = 400;
  const formats::TDocument again = formats::ReadDocument(saved, target);
  if (again.Seals.size() != doc.Seals.size()) std::abort();
  std::vector<const seal::TSeal*> reread;
  for (const auto& s : again.Seals) reread.push_back(s.get());
  if (formats::SaveDocument(again.Page, reread) != saved) std::abort();
  return 0;
}
