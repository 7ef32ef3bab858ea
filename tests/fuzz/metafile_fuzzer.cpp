// Any bytes as a metafile, through the metafile worker's own decoding path: one drawer for
// all inputs, its fonts (Qt's and libwmf's) set up before the first, as in the worker. Each
// input is drawn at its header's size or refused with its reason; nothing else may come out.
#include <QGuiApplication>
#include <cstdlib>
#include <vector>

#include "fuzz_application.h"
#include "fuzz_limits.h"
#include "platform/metafile.h"
#include "platform/metafiles/draw.h"
#include "platform/picture.h"

namespace {

platform::metafiles::TMetafileDrawer* drawer = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Qt SVG names every element it leaves out and QFont every size it cannot take; at
  // thousands of inputs a second that would bury the fuzzer's own report.
  setenv("QT_LOGGING_RULES", "qt.svg*=false;default.warning=false", 1);
  StartApplication<QGuiApplication>();
  drawer = new platform::metafiles::TMetafileDrawer;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<platform::TMetafileHeader> header = platform::ReadMetafileHeader(data, size);
  const int width = header ? header->Width : 1, height = header ? header->Height : 1;
  // Room only for what may be drawn: anything larger must be refused before a pixel is set.
  const bool fits = header && width > 0 && height > 0 && platform::WithinPictureCaps(width, height, kFuzzMaxPixels);
  std::vector<uint8_t> pixels(fits ? size_t(width) * size_t(height) * 4 : 0);
  try {
    drawer->Draw(data, size, width, height, kFuzzMaxPixels, [&] {
      if (!fits) std::abort();
      return pixels.data();
    });
    if (!fits) std::abort();
  } catch (const platform::EMetafileError& e) {
    if (e.Fault() > platform::kLastWorkerFault) std::abort();
  }
  return 0;
}
