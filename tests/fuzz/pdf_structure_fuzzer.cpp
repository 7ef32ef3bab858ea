#include <cstdint>
#include <string_view>

#include "print/pdfstructure.h"

// Any bytes get an answer, read within their bounds and without memory beyond what they
// could hold.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static_cast<void>(app::IsWholePdf(std::string_view(reinterpret_cast<const char*>(data), size)));
  return 0;
}
