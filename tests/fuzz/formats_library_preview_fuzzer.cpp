// Any bytes as a seal library file, read as the library panel reads it: from a file, only
// its head and the thumbnail the head announces, the thumbnail decoded within the pixels a
// thumbnail may have. The reader asks for bytes inside the file only, never for more than
// the head and the thumbnail, and refuses with a format or file error or gives exactly the
// thumbnail's bytes.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <optional>

#include "formats/library_file.h"
#include "fuzz_limits.h"
#include "platform/picture.h"
#include "platform/regularfile.h"

namespace {

QTemporaryDir* folder = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  folder = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/library_preview_fuzzer-XXXXXX"));
  return folder->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  std::optional<std::vector<uint8_t>> asRead;
  size_t asked = 0;
  try {
    asRead = formats::ReadLibraryPreview(size, [&](uint64_t offset, size_t n) {
      if (offset > size || n > size - offset) std::abort();
      asked += n;
      return std::vector<uint8_t>(bytes.begin() + long(offset), bytes.begin() + long(offset + n));
    });
    if (asked != 12 + asRead->size()) std::abort();
  } catch (const platform::EFormatError&) {
  }

  const QString path = folder->filePath(QStringLiteral("DESIGN.YZL"));
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
  }
  std::optional<std::vector<uint8_t>> fromFile;
  try {
    fromFile = formats::ReadLibraryPreviewFile(path);
  } catch (const platform::EFormatError&) {
  } catch (const platform::EFileReadError&) {
    std::abort();  // a regular file below the cap is always read
  }
  if (fromFile != asRead) std::abort();
  if (!fromFile) return 0;
  platform::TPicture picture;
  try {
    picture.LoadFromBytes(platform::TGraphicKind::Gif, *fromFile, kFuzzMaxPixels);
  } catch (const platform::EPictureError&) {
  }
  return 0;
}
