#include "services/folderfiles.h"

#include <QDirIterator>
#include <algorithm>

namespace app {

QString UpperAscii(const QString& text) {
  QString upper = text;
  for (QChar& c : upper)
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 'a' + 'A');
  return upper;
}

bool SameIgnoringAsciiCase(const QString& a, const QString& b) { return UpperAscii(a) == UpperAscii(b); }

QStringList ListFolderFiles(const QString& folder, std::initializer_list<const char*> extensions, bool namesOnly) {
  QStringList list;
  // Regular files only: a folder, a pipe or a device of a picture's name is no picture.
  QDirIterator it(folder, QDir::Files | QDir::Hidden);
  while (it.hasNext()) {
    it.next();
    const QString name = it.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) continue;
    const QString extension = name.mid(dot);
    if (std::none_of(extensions.begin(), extensions.end(),
                     [&](const char* e) { return SameIgnoringAsciiCase(extension, QString::fromUtf8(e)); }))
      continue;
    list.append(namesOnly ? name : folder + name);
  }
  return list;
}

QString DataFolder(const QString& appPath, const char* name) {
  QString folder = appPath;
  if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder + QString::fromUtf8(name) + QLatin1Char('/');
}

}  // namespace app
