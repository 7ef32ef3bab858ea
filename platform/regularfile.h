#pragma once
// Reading a file the user named, which may be anything: only a regular file is read (a
// FIFO, a device or a folder would block or never end), it is opened without blocking, and
// only below a size cap, checked before anything is allocated and again while it is read,
// so that a file that claims little and grows is not read on without end.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

enum class TFileFault { CannotOpen, NotRegular, TooLarge, Changed, CannotRead };

class EFileReadError : public std::runtime_error {
 public:
  // The message names the fault in Chinese, by the system's reason where there is an error
  // number (the system's, 0 for none).
  EFileReadError(TFileFault fault, int error);
  TFileFault Fault() const { return fault_; }
  int Error() const { return error_; }

 private:
  TFileFault fault_;
  int error_;
};

// A regular file of fewer than maxBytes bytes, open for reading. Throws EFileReadError.
class TRegularFile {
 public:
  TRegularFile(const std::string& utf8Path, long long maxBytes);
  ~TRegularFile();
  TRegularFile(const TRegularFile&) = delete;
  TRegularFile& operator=(const TRegularFile&) = delete;

  // The size the file had when it was opened.
  uint64_t Size() const { return size_; }
  // Exactly n bytes from offset, all of them within Size(); throws EFileReadError when they
  // are not all there.
  std::vector<uint8_t> Read(uint64_t offset, size_t n) const;
  // The whole file; throws EFileReadError when it grew past its size.
  std::vector<uint8_t> ReadAll() const;

 private:
  size_t ReadAt(uint8_t* to, uint64_t offset, size_t n) const;
  int fd_ = -1;
  uint64_t size_ = 0;
};

// The whole file, of fewer than maxBytes bytes. Throws EFileReadError.
std::vector<uint8_t> ReadRegularFile(const std::string& utf8Path, long long maxBytes);

}  // namespace platform
