#pragma once
// Whole-file writes that either replace the old file completely or leave it untouched.

#include <QString>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/atomicfile.h"

namespace formats {

class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  EFileError(const std::string& message, int error) : std::runtime_error(message), FError(error) {}
  // The system's error number behind the failure; 0 when there is none.
  int Error() const { return FError; }

 private:
  int FError = 0;
};

// The platform's atomic save (platform/atomicfile.h), throwing EFileError with its message.
void SaveFileAtomically(const QString& path, std::span<const uint8_t> bytes);
using TFileWriter = platform::TFileWriter;
void SaveFileAtomically(const QString& path, const TFileWriter& write);

// The largest document read, and the cap of a file read whole without one of its own: the
// 512 MiB a document's pictures may take and a picture file's worth more, so that whatever a
// save wrote reads again; far more than a page of a thousand seals with an emblem each.
inline constexpr long long kMaxDocumentFileBytes = 576LL * 1024 * 1024;

// The whole file, a regular file below maxBytes (platform/regularfile.h), which is refused
// before it is read. Throws EFileError with a message for the user, in Chinese, that names
// the file and why it cannot be read.
std::vector<uint8_t> ReadWholeFile(const QString& path, long long maxBytes = kMaxDocumentFileBytes);

}  // namespace formats
