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

[[noreturn]] void Fail(const QString& path, int error) {
  throw EFileError("无法保存文件“" + path.toStdString() + "”：" + Reason(error) + "。", error);
}

// The file a save replaces: through a link, the file the link names.
QString Target(const QString& path) {
  const QFileInfo info(path);
  if (info.isSymLink() && info.exists()) return info.canonicalFilePath();
  return path;
}

// The new file beside the target, removed again unless it was renamed over the target.
class TNewFile {
 public:
  TNewFile(const QString& path, const QByteArray& target) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      FName = target + '.' + QByteArray::number(QRandomGenerator::system()->generate(), 36) + ".tmp";
      FHandle = ::open(FName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (FHandle >= 0) return;
      if (errno != EEXIST) Fail(path, errno);
    }
    Fail(path, EEXIST);
  }
  ~TNewFile() {
    if (FHandle >= 0) ::close(FHandle);
    if (!FRenamed) ::unlink(FName.constData());
  }
  TNewFile(const TNewFile&) = delete;
  TNewFile& operator=(const TNewFile&) = delete;

  int Handle() const { return FHandle; }
  const QByteArray& Name() const { return FName; }
  // Closes the file; the result of the close is the last word on what was written.
  int Close() {
    const int result = ::close(FHandle);
    FHandle = -1;
    return result;
  }
  void Renamed() { FRenamed = true; }

 private:
  QByteArray FName;
  int FHandle = -1;
  bool FRenamed = false;
};

void WriteAll(const QString& path, int handle, std::span<const uint8_t> bytes) {
  const uint8_t* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(handle, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(path, errno);
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
}

}  // namespace

void SaveFileAtomically(const QString& path, std::span<const uint8_t> bytes) {
  const QByteArray target = QFile::encodeName(Target(path));
  struct stat old {};
  const bool exists = ::stat(target.constData(), &old) == 0;
  // Renaming would replace a file that its owner made read-only; the check is the user's,
  // as the file system would make it for a write.
  if (exists && S_ISREG(old.st_mode) && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
    Fail(path, errno);
  TNewFile file(path, target);
  if (exists && S_ISREG(old.st_mode) && ::fchmod(file.Handle(), old.st_mode & 07777) != 0) Fail(path, errno);
  WriteAll(path, file.Handle(), bytes);
  // A file system that cannot flush a file (EINVAL) has nothing more to write.
  if (::fsync(file.Handle()) != 0 && errno != EINVAL) Fail(path, errno);
  if (file.Close() != 0) Fail(path, errno);
  if (::rename(file.Name().constData(), target.constData()) != 0) Fail(path, errno);
  file.Renamed();
}

std::vector<uint8_t> ReadWholeFile(const QString& path, long long maxBytes) {
  try {
    return platform::ReadRegularFile(path.toStdString(), maxBytes);
  } catch (const platform::EFileReadError& e) {
    throw EFileError("无法读取文件“" + QFileInfo(path).fileName().toStdString() + "”：" + e.what() + "。", e.Error());
  }
}

}  // namespace formats
