#include "documentcommands.h"

#include <QFileInfo>

namespace app {

TMsgButton ShowMessage(QWidget* parent, const TMessageSpec& message, const QString& argument) {
  QString text = QString::fromUtf8(message.Text);
  if (text.contains(QLatin1String("%1"))) text = text.arg(argument);
  return ShowMessage(parent, message.Kind, text, message.Buttons);
}

QString NewDocumentCaption(int windowCount) {
  return QStringLiteral("文件") + QString::number(windowCount + 1) + QString::fromUtf8(kDocumentExtension);
}

bool IsNeverSaved(const QString& caption) { return caption.startsWith(QStringLiteral("文件")); }

// The extension is everything from the last dot of the name itself, so a dotted folder
// gives none, and a name ending in a dot has one.
QString WithDocumentExtension(const QString& name) {
  if (QFileInfo(name).fileName().contains(QLatin1Char('.'))) return name;
  return name + QString::fromUtf8(kDocumentExtension);
}

}  // namespace app
