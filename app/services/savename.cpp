#include "services/savename.h"

#include <QFileInfo>

namespace app {

QString ChooseSaveName(QWidget* parent, const std::function<QString(const QString& offered)>& dialog,
                       const std::function<QString(const QString& chosen)>& complete, QString name) {
  for (;;) {
    name = dialog(name);
    if (name.isEmpty()) return name;
    name = complete(name);
    const TMessageSpec& question = QFileInfo::exists(name) ? kOverwriteQuestion : kCreateQuestion;
    if (ShowMessage(parent, question, name) == mbYes) return name;
  }
}

}  // namespace app
