#include "services/savename.h"

#include <QFileInfo>

namespace app {

QString ChooseSaveName(QWidget* parent, const std::function<QString(const QString& offered)>& dialog,
                       const std::function<QString(const QString& chosen)>& complete, QString name,
                       TNewFileQuestion newFile) {
  for (;;) {
    name = dialog(name);
    if (name.isEmpty()) return name;
    name = complete(name);
    const bool exists = QFileInfo::exists(name);
    if (!exists && newFile == TNewFileQuestion::None) return name;
    if (ShowMessage(parent, exists ? kOverwriteQuestion : kCreateQuestion, name) == mbYes) return name;
  }
}

}  // namespace app
