#pragma once
// Whole-file writes that either replace the old file completely or leave it untouched.

#include <QString>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>

namespace platform {

class EFileSaveError : public std::runtime_error {
 public:
  EFileSaveError(const std::string& message, int error) : std::runtime_error(message), FError(error) {}
  // The system's error number behind the failure; 0 when there is none, -1 for a target
  // that is no regular file.
  int Error() const { return FError; }

 private:
  int FError = 0;
};

// Writes into a new file beside the target, checking every write, the flush to the disk and
// the close, and puts it in the target's place: the old file keeps its owner, group and
// mode, and its other names. Where a rename would lose any of them (a file with several hard
// links, or one whose owner or group the process may not give a new file), the old content
// is copied aside, the new content written through the old file, and the copy written back
// should that fail. A read-only target is not replaced, nor one (or one a link names) that
// is no regular file: a device, a FIFO or a folder. Throws EFileSaveError with a message for
// the user, in Chinese, that names the file as given and the reason (disk full, read-only
// file system, no permission, folder missing, not a regular file, or the system's own
// text); the old file is then unchanged and no new file is left behind.
void SaveFileAtomically(const QString& path, std::span<const uint8_t> bytes);

// The same for a file that a writer of its own makes by name (the new file exists, empty):
// it returns 0 when what it wrote is whole, else the system's error number for why not.
using TFileWriter = std::function<int(const QString& newFile)>;
void SaveFileAtomically(const QString& path, const TFileWriter& write);

}  // namespace platform
