// Any bytes as one seal block: refused with a format error or read, and a seal that was
// read writes a block that reads back into a seal that writes the same block again.
#include <cstdlib>

#include "formats/seal_block.h"
#include "formats_qt.h"
#include "fuzz_limits.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartFormatsApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  formats::TSealRecord record{};
  seal::TSeal s;
  platform::TByteReader reader(data, size);
  formats::TPictureBudget budget(kFuzzMaxPixels * formats::kBytesPerPicturePixel);
  try {
    formats::ReadSealBlock(record, reader, s, nullptr, 10, 100, &budget);
  } catch (const platform::EFormatError&) {
    return 0;
  }
  if (reader.Position() > size) std::abort();
  platform::TByteWriter writer;
  try {
    formats::WriteSealBlock(record, writer, s, true);
  } catch (const platform::EFormatError&) {
    return 0;
  }
  seal::TSeal back;
  platform::TByteReader again(writer.Bytes());
  // At another zoom: the stored values come back whatever the scale.
  formats::ReadSealBlock(record, again, back, nullptr, 3.7795f, 275);
  if (!again.AtEnd()) std::abort();
  platform::TByteWriter rewritten;
  formats::WriteSealBlock(record, rewritten, back, true);
  if (rewritten.Bytes() != writer.Bytes()) std::abort();
  return 0;
}
