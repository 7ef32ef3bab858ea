#pragma once
// Reading a whole file the user named, which may be anything: only a regular file is read
// (a FIFO, a device or a folder would block or never end), it is opened without blocking,
// and only below a size cap, checked before anything is allocated and again while it is
// read, so that a file that claims little and grows is not read on without end.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

enum class TFileFault { CannotOpen, NotRegular, TooLarge, Changed, CannotRead };

class EFileReadError : public std::runtime_error {
 public:
  // The message names the fault in Chinese; the error number is the system's, 0 for none.
  EFileReadError(TFileFault fault, int error);
  TFileFault Fault() const { return fault_; }
  int Error() const { return error_; }

 private:
  TFileFault fault_;
  int error_;
};

// The whole file, of fewer than maxBytes bytes. Throws EFileReadError.
std::vector<uint8_t> ReadRegularFile(const std::string& utf8Path, long long maxBytes);

// True for a regular file, or a link to one, found without opening it.
bool IsRegularFile(const std::string& utf8Path);

}  // namespace platform
