#pragma once
// Whole-file writes that either replace the old file completely or leave it untouched.

#include <QString>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

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

// Writes into a new file beside the target, checking every write, the flush to the disk and
// the close, and puts it in the target's place: the old file keeps its owner, group and
// mode, and its other names. Where a rename would lose any of them (a file with several hard
// links, or one whose owner or group the process may not give a new file), the old content
// is copied aside, the new content written through the old file, and the copy written back
// should that fail. A read-only target is not replaced. Throws EFileError with a message for
// the user, in Chinese, that names the file as given and the reason (disk full, read-only
// file system, no permission, folder missing, or another, all in Chinese); the old file is
// then unchanged and no new file is left behind.
void SaveFileAtomically(const QString& path, std::span<const uint8_t> bytes);

// The same for a file that a writer of its own makes by name (the new file exists, empty):
// it returns 0 when what it wrote is whole, else the system's error number for why not.
using TFileWriter = std::function<int(const QString& newFile)>;
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
