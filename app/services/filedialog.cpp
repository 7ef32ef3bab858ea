#include "services/filedialog.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QTreeView>

namespace app {

namespace {

class TFileTypes final : public QFileIconProvider {
 public:
  QString type(const QFileInfo& info) const override {
    if (info.isDir()) return QStringLiteral("文件夹");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("文件") : QStringLiteral("%1 文件").arg(suffix.toUpper());
  }
};

}  // namespace

QString RunFileDialog(QFileDialog& dialog) {
  // One for the whole run: a dialog keeps asking its provider until it goes, and takes no
  // other once it has one.
  static TFileTypes* const types = new TFileTypes;
  dialog.setIconProvider(types);
  if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    // The name takes what the other columns leave: none of them runs out of sight.
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
      header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
  if (dialog.exec() != QDialog::Accepted) return QString();
  return dialog.selectedFiles().value(0);
}

}  // namespace app
