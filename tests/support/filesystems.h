#pragma once
// File systems that fail a save on purpose: a small one of its own that fills up or turns
// read-only, and the user nobody, for whom permissions count even when the tests run as
// root; and the message a failed save gives.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

// Root passes every permission check, so as root the process acts as the user nobody for
// as long as this lives; any other user stays who it is. Nobody may not enter the folder the
// project was cloned into, so only the file work is done as nobody: whatever the program
// reads besides is made reachable first (ReachableCopy).
class TAsAnotherUser {
 public:
  TAsAnotherUser() : FWasRoot(::geteuid() == 0) {
    FOk = !FWasRoot || (::setegid(65534) == 0 && ::seteuid(65534) == 0);
  }
  ~TAsAnotherUser() {
    if (FWasRoot && (::seteuid(0) != 0 || ::setegid(0) != 0)) std::abort();
  }
  TAsAnotherUser(const TAsAnotherUser&) = delete;
  TAsAnotherUser& operator=(const TAsAnotherUser&) = delete;

  // False when the process could not become nobody.
  bool Ok() const { return FOk; }

 private:
  bool FWasRoot;
  bool FOk;
};

// A copy of file in folder (made readable by every user, as the folder must be), for what a
// step acting as another user reads from the build tree; empty when it cannot be made.
inline QString ReachableCopy(const QString& file, const QString& folder) {
  const QString copy = QDir(folder).filePath(QFileInfo(file).fileName());
  QFile::remove(copy);
  if (!QFile::copy(file, copy) ||
      !QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther))
    return QString();
  return copy;
}

// A small file system of its own, unmounted again at the end.
class TMount {
 public:
  TMount(const QString& at, const char* options) : FAt(QFile::encodeName(at)) {
    QDir().mkpath(at);
    if (::mount("tmpfs", FAt.constData(), "tmpfs", 0, options) != 0) FError = std::strerror(errno);
  }
  ~TMount() {
    if (FError.empty()) ::umount2(FAt.constData(), MNT_DETACH);
  }
  TMount(const TMount&) = delete;
  TMount& operator=(const TMount&) = delete;

  // Empty when mounted, else why not.
  const std::string& Error() const { return FError; }
  bool MakeReadOnly() {
    return ::mount("tmpfs", FAt.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  QByteArray FAt;
  std::string FError;
};

// What a save that failed for that reason says about the file.
inline QString SaveFailure(const QString& path, const char* reason) {
  return QStringLiteral("无法保存文件“") + path + QStringLiteral("”：") + QString::fromUtf8(reason) +
         QStringLiteral("。");
}
