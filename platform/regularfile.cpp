#include "platform/regularfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

class TDescriptor {
 public:
  explicit TDescriptor(int fd) : fd_(fd) {}
  ~TDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

EFileReadError::EFileReadError(TFileFault fault, int error)
    : std::runtime_error(FaultText(fault)), fault_(fault), error_(error) {}

std::vector<uint8_t> ReadRegularFile(const std::string& utf8Path, long long maxBytes) {
  // Opening a FIFO for reading waits for a writer unless it is opened without blocking.
  const TDescriptor file(::open(utf8Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0) throw EFileReadError(TFileFault::CannotOpen, errno);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) throw EFileReadError(TFileFault::CannotRead, errno);
  if (!S_ISREG(info.st_mode)) throw EFileReadError(TFileFault::NotRegular, 0);
  if (info.st_size >= maxBytes) throw EFileReadError(TFileFault::TooLarge, 0);
  // One byte more than the file says it holds tells a file that grew.
  std::vector<uint8_t> bytes(size_t(info.st_size) + 1);
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(file.Get(), bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EFileReadError(TFileFault::CannotRead, errno);
    if (n == 0) break;
    got += size_t(n);
  }
  if (got > size_t(info.st_size)) throw EFileReadError(TFileFault::Changed, 0);
  bytes.resize(got);
  return bytes;
}

bool IsRegularFile(const std::string& utf8Path) {
  struct stat info {};
  return ::stat(utf8Path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace platform
