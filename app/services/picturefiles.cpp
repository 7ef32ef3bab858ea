#include "services/picturefiles.h"

#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "services/folderfiles.h"
#include "services/services.h"

namespace app {

QString AskPictureFile(QWidget* parent, const QString& appPath) {
  return Services().OpenPictureFileName(parent, DataFolder(appPath, kEmblemFolder), QString::fromUtf8(kPictureFilter));
}

QString PickPictureFile(QWidget* parent, const QString& appPath, platform::TPicture& picture) {
  const QString path = AskPictureFile(parent, appPath);
  if (!path.isEmpty()) picture.LoadFromFile(path.toStdString());
  return path;
}

void ShowUndrawnPictures(QWidget* parent, const QString& fileName, const std::vector<std::string>& reasons) {
  if (reasons.empty()) return;
  QStringList why;
  for (const std::string& reason : reasons)
    if (!why.contains(QString::fromStdString(reason))) why.append(QString::fromStdString(reason));
  const QString where = fileName.isEmpty() ? QStringLiteral("粘贴的元素")
                                            : QStringLiteral("文件“%1”").arg(QFileInfo(fileName).fileName());
  const QString text = QStringLiteral("%1中有 %2 个图象无法显示：%3。\n这些图象原样保留%4，只是不画出来。")
                           .arg(where)
                           .arg(reasons.size())
                           .arg(why.join(QStringLiteral("；")))
                           .arg(fileName.isEmpty() ? QString() : QStringLiteral("在文件中"));
  QTimer::singleShot(0, parent, [parent, text] { ShowMessage(parent, TMsgKind::Warning, text, mbOK); });
}

}  // namespace app
