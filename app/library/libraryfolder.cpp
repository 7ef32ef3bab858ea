#include "library/libraryfolder.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <unistd.h>

#include "formats/whole_file.h"
#include "platform/errorreasons.h"
#include "services/datafolders.h"
#include "services/folderfiles.h"

namespace app {

QString LibraryFolder(const QString& appPath) { return DataFolder(appPath, kLibraryFolderName); }

QStringList ListLibraryFiles(const QString& folder, bool namesOnly) {
  return ListFolderFiles(folder, {kLibraryExtension}, namesOnly);
}

void SortLibraryNames(QStringList& names) {
  std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const QString ua = UpperAscii(a);
    const QString ub = UpperAscii(b);
    return ua != ub ? ua < ub : a < b;
  });
}

QString LibraryNameFault(const QString& name) {
  if (name.isEmpty()) return QStringLiteral("请给印章提供一个名字！");
  if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QChar(0)) ||
      name == QLatin1String(".") || name == QLatin1String(".."))
    return QStringLiteral("章名中不能有路径符号！");
  return QString();
}

QString NewLibraryPath(const QString& folder, const QString& name) {
  return folder + UpperAscii(name) + QString::fromUtf8(kLibraryExtension);
}

QString LibraryDesignName(const QString& path) { return QFileInfo(path).completeBaseName(); }

void DeleteLibraryFile(const QString& path) {
  if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT) return;
  const int error = errno;
  throw formats::EFileError(
      "无法删除文件“" + QFileInfo(path).fileName().toStdString() + "”：" + platform::ErrorReason(error) + "。", error);
}

}  // namespace app
