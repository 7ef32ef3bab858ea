#include "services/picturefiles.h"

#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "services/services.h"

namespace app {

QString PickPictureFile(QWidget* parent, const QString& appPath, platform::TPicture& picture) {
  const QString path = Services().OpenPictureFileName(parent, appPath + QString::fromUtf8(kEmblemFolder),
                                               QString::fromUtf8(kPictureFilter));
  if (!path.isEmpty()) picture.LoadFromFile(path.toStdString());
  return path;
}

void ShowUndrawnPictures(QWidget* parent, const QString& fileName, const std::vector<std::string>& reasons) {
  if (reasons.empty()) return;
  QStringList why;
  for (const std::string& reason : reasons)
    if (!why.contains(QString::fromStdString(reason))) why.append(QString::fromStdString(reason));
  const QString text =
      QStringLiteral("文件“%1”中有 %2 个图元文件无法显示：%3。\n这些图象原样保留在文件中，只是不画出来。")
          .arg(QFileInfo(fileName).fileName())
          .arg(reasons.size())
          .arg(why.join(QStringLiteral("；")));
  QTimer::singleShot(0, parent, [parent, text] { ShowMessage(parent, TMsgKind::Warning, text, mbOK); });
}

}  // namespace app
