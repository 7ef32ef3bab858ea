#include "formats/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/regularfile.h"

namespace formats {

namespace {

std::string SystemText(int error) {
  char buffer[256];
  // The GNU form returns the text, which need not be in the buffer.
  return strerror_r(error, buffer, sizeof buffer);
}

// What the user is told went wrong, for the errors a save meets most.
std::string Reason(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return "磁盘已满";
    case EROFS:
      return "文件系统是只读的";
    case EACCES:
    case EPERM:
      return "没有写入的权限";
    case ENOENT:
    case ENOTDIR:
      return "文件夹不存在";
    default:
      return SystemText(error);
  }
}

std::string Message(const QString& path, int error) {
  return "无法保存文件“" + path.toStdString() + "”：" + Reason(error) + "。";
}

[[noreturn]] void Fail(const QString& path, int error) { throw EFileError(Message(path, error), error); }

// The file a save replaces: through a link, the file the link names, also one that is not
// there yet, so that the link stays and names what was saved.
QString Target(const QString& path) {
  QFileInfo info(path);
  if (!info.isSymLink()) return path;
  if (info.exists()) return info.canonicalFilePath();
  // As many links as the system follows in one path.
  for (int depth = 0; depth < 40 && info.isSymLink(); ++depth) info = QFileInfo(info.symLinkTarget());
  return info.isSymLink() ? path : info.absoluteFilePath();
}

// A handle closed when it goes, unless closed before with its result looked at.
class THandle {
 public:
  explicit THandle(int handle = -1) : FHandle(handle) {}
  ~THandle() {
    if (FHandle >= 0) ::close(FHandle);
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  THandle& operator=(int handle) {
    if (FHandle >= 0) ::close(FHandle);
    FHandle = handle;
    return *this;
  }

  int Get() const { return FHandle; }
  // The result of the close is the last word on what was written: 0, else the error number.
  int Close() {
    const int result = ::close(FHandle);
    FHandle = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int FHandle;
};

// A new file beside the target, removed again unless it was renamed over the target or is
// kept for the user.
class TNewFile {
 public:
  // Beside an old file, the new one has its permissions before it holds any content, so
  // that no one may read in it what the old file kept from them.
  TNewFile(const QString& path, const QByteArray& target, const struct stat* old) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      FName = target + '.' + QByteArray::number(QRandomGenerator::system()->generate(), 36) + ".tmp";
      FHandle = ::open(FName.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, old ? old->st_mode & 0777 : 0666);
      if (FHandle.Get() >= 0) {
        if (old && ::fchmod(FHandle.Get(), old->st_mode & 0777) != 0) Fail(path, errno);
        return;
      }
      if (errno != EEXIST) Fail(path, errno);
    }
    Fail(path, EEXIST);
  }
  ~TNewFile() {
    if (!FKept) ::unlink(FName.constData());
  }
  TNewFile(const TNewFile&) = delete;
  TNewFile& operator=(const TNewFile&) = delete;

  int Handle() const { return FHandle.Get(); }
  const QByteArray& Name() const { return FName; }
  int Close() { return FHandle.Close(); }
  void Keep() { FKept = true; }

 private:
  QByteArray FName;
  THandle FHandle;
  bool FKept = false;
};

int WriteAll(int handle, const uint8_t* p, size_t left, off_t at) {
  while (left > 0) {
    const ssize_t n = ::pwrite(handle, p, left, at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    p += n;
    at += n;
    left -= static_cast<size_t>(n);
  }
  return 0;
}

// A file system that cannot flush a file (EINVAL) has nothing more to write.
int Flush(int handle) { return ::fsync(handle) == 0 || errno == EINVAL ? 0 : errno; }

// The whole content of from becomes the whole content of to, flushed to the disk.
int CopyContent(int from, int to) {
  static constexpr size_t kChunk = 1 << 16;
  std::vector<uint8_t> buffer(kChunk);
  off_t at = 0;
  for (;;) {
    const ssize_t n = ::pread(from, buffer.data(), kChunk, at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) break;
    if (const int error = WriteAll(to, buffer.data(), size_t(n), at)) return error;
    at += n;
  }
  if (::ftruncate(to, at) != 0) return errno;
  return Flush(to);
}

// The new file takes the old one's owner, group and mode; false when the process may not
// give it them.
bool TakeOwnerAndMode(int handle, const struct stat& old) {
  struct stat now {};
  if (::fstat(handle, &now) != 0) return false;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && ::fchown(handle, old.st_uid, old.st_gid) != 0)
    return false;
  // After the owner, which clears the set-id bits.
  return ::fchmod(handle, old.st_mode & 07777) == 0;
}

// The new content written through the old file itself, so that every name of it and its
// owner, group and mode stay; the old content is copied aside first and written back when
// the new one does not go through, and the copy is left for the user if even that fails.
void WriteThrough(const QString& path, const QByteArray& target, const struct stat& mode, TNewFile& content) {
  THandle old(::open(target.constData(), O_RDONLY | O_CLOEXEC));
  if (old.Get() < 0) Fail(path, errno);
  THandle through(::open(target.constData(), O_WRONLY | O_CLOEXEC));
  if (through.Get() < 0) Fail(path, errno);
  TNewFile copy(path, target, &mode);
  if (const int error = CopyContent(old.Get(), copy.Handle())) Fail(path, error);
  int error = CopyContent(content.Handle(), through.Get());
  if (error == 0) error = through.Close();
  if (error == 0) return;
  if (through.Get() < 0) through = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
  if (through.Get() >= 0 && CopyContent(copy.Handle(), through.Get()) == 0 && through.Close() == 0) Fail(path, error);
  copy.Keep();
  throw EFileError(Message(path, error) + "原来的内容保存在“" + QFile::decodeName(copy.Name()).toStdString() + "”。",
                   error);
}

void Replace(const QString& path, const std::function<int(int handle, const QByteArray& name)>& fill) {
  const QByteArray target = QFile::encodeName(Target(path));
  struct stat old {};
  const bool exists = ::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode);
  // Renaming would replace a file that its owner made read-only; the check is the user's,
  // as the file system would make it for a write.
  if (exists && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0) Fail(path, errno);
  TNewFile file(path, target, exists ? &old : nullptr);
  const bool through = exists && (old.st_nlink > 1 || !TakeOwnerAndMode(file.Handle(), old));
  if (const int error = fill(file.Handle(), file.Name())) Fail(path, error);
  if (const int error = Flush(file.Handle())) Fail(path, error);
  if (through) {
    WriteThrough(path, target, old, file);
    return;
  }
  if (const int error = file.Close()) Fail(path, error);
  if (::rename(file.Name().constData(), target.constData()) != 0) Fail(path, errno);
  file.Keep();
}

}  // namespace

void SaveFileAtomically(const QString& path, std::span<const uint8_t> bytes) {
  Replace(path, [bytes](int handle, const QByteArray&) { return WriteAll(handle, bytes.data(), bytes.size(), 0); });
}

void SaveFileAtomically(const QString& path, const TFileWriter& write) {
  Replace(path, [&write](int, const QByteArray& name) { return write(QFile::decodeName(name)); });
}

std::vector<uint8_t> ReadWholeFile(const QString& path, long long maxBytes) {
  try {
    return platform::ReadRegularFile(path.toStdString(), maxBytes);
  } catch (const platform::EFileReadError& e) {
    throw EFileError("无法读取文件“" + QFileInfo(path).fileName().toStdString() + "”：" + e.what() + "。", e.Error());
  }
}

}  // namespace formats
