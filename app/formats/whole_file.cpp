#include "formats/whole_file.h"

#include <QFileInfo>

#include "platform/atomicfile.h"
#include "platform/regularfile.h"

namespace formats {

namespace {

// The save's own error as the formats' error, message and number unchanged.
template <typename TSave>
void Save(const TSave& save) {
  try {
    save();
  } catch (const platform::EFileSaveError& e) {
    throw EFileError(e.what(), e.Error());
  }
}

}  // namespace

void SaveFileAtomically(const QString& path, std::span<const uint8_t> bytes) {
  Save([&] { platform::SaveFileAtomically(path, bytes); });
}

void SaveFileAtomically(const QString& path, const TFileWriter& write) {
  Save([&] { platform::SaveFileAtomically(path, write); });
}

std::vector<uint8_t> ReadWholeFile(const QString& path, long long maxBytes) {
  try {
    return platform::ReadRegularFile(path.toStdString(), maxBytes);
  } catch (const platform::EFileReadError& e) {
    throw EFileError("无法读取文件“" + QFileInfo(path).fileName().toStdString() + "”：" + e.what() + "。", e.Error());
  }
}

}  // namespace formats
