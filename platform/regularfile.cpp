#include "platform/regularfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/errorreasons.h"

namespace platform {

namespace {

const char* FaultText(TFileFault fault) {
  switch (fault) {
    case TFileFault::CannotOpen:
      return "无法打开文件";
    case TFileFault::NotRegular:
      return "不是普通文件";
    case TFileFault::TooLarge:
      return "文件太大";
    case TFileFault::Changed:
      return "文件在读取时发生了变化";
    case TFileFault::CannotRead:
      return "无法读取文件";
  }
  return "无法读取文件";
}

}  // namespace

// A fault the system gave a number for is said by its reason.
EFileReadError::EFileReadError(TFileFault fault, int error)
    : std::runtime_error(error != 0 ? ReadErrorReason(error) : std::string(FaultText(fault))),
      fault_(fault),
      error_(error) {}

TRegularFile::TRegularFile(const std::string& utf8Path, long long maxBytes) {
  // Opening a FIFO for reading waits for a writer unless it is opened without blocking.
  fd_ = ::open(utf8Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0) throw EFileReadError(TFileFault::CannotOpen, errno);
  struct stat info {};
  TFileFault fault = TFileFault::CannotRead;
  int error = 0;
  if (::fstat(fd_, &info) != 0)
    error = errno;
  else if (!S_ISREG(info.st_mode))
    fault = TFileFault::NotRegular;
  else if (info.st_size >= maxBytes)
    fault = TFileFault::TooLarge;
  else {
    size_ = uint64_t(info.st_size);
    return;
  }
  ::close(fd_);
  throw EFileReadError(fault, error);
}

TRegularFile::~TRegularFile() { ::close(fd_); }

size_t TRegularFile::ReadAt(uint8_t* to, uint64_t offset, size_t n) const {
  size_t got = 0;
  while (got < n) {
    const ssize_t r = ::pread(fd_, to + got, n - got, off_t(offset + got));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) throw EFileReadError(TFileFault::CannotRead, errno);
    if (r == 0) break;
    got += size_t(r);
  }
  return got;
}

std::vector<uint8_t> TRegularFile::Read(uint64_t offset, size_t n) const {
  if (offset > size_ || n > size_ - offset) throw EFileReadError(TFileFault::CannotRead, 0);
  std::vector<uint8_t> bytes(n);
  if (ReadAt(bytes.data(), offset, n) != n) throw EFileReadError(TFileFault::Changed, 0);
  return bytes;
}

std::vector<uint8_t> TRegularFile::ReadAll() const {
  // One byte more than the file said it held tells a file that grew.
  std::vector<uint8_t> bytes(size_ + 1);
  const size_t got = ReadAt(bytes.data(), 0, bytes.size());
  if (got > size_) throw EFileReadError(TFileFault::Changed, 0);
  bytes.resize(got);
  return bytes;
}

std::vector<uint8_t> ReadRegularFile(const std::string& utf8Path, long long maxBytes) {
  return TRegularFile(utf8Path, maxBytes).ReadAll();
}

}  // namespace platform
