#include "services/picturefiles.h"

#include "services/services.h"

namespace app {

QString PickPictureFile(QWidget* parent, const QString& appPath, platform::TPicture& picture) {
  const QString path = Services().OpenPictureFileName(parent, appPath + QString::fromUtf8(kEmblemFolder),
                                               QString::fromUtf8(kPictureFilter));
  if (!path.isEmpty()) picture.LoadFromFile(path.toStdString());
  return path;
}

}  // namespace app
