// Any bytes as one seal block: refused with a format error or read, and a seal that was
// read writes a block that reads back.
#include <cstdlib>

#include "formats_qt.h"
#include "formats/seal_block.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartFormatsApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  formats::TSealRecord record{};
  seal::TSeal s;
  platform::TByteReader reader(data, size);
  try {
    formats::ReadSealBlock(record, reader, s, nullptr, nullptr, 10, 100);
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
  formats::ReadSealBlock(record, again, back, nullptr, nullptr, 10, 100);
  if (!again.AtEnd()) std::abort();
  return 0;
}
