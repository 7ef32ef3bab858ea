// The desktop's picture dialogs: they start where they are told, preview the picture file
// the cursor is on, ask nothing themselves about the name and hand back what was chosen.

#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QTreeView>
#include <functional>
#include <QtTest>

#include "modal_driver.h"
#include "picture_makers.h"
#include "services/services.h"

namespace {

// A red picture of that size saved under the name in dir; its path.
QString SavedPicture(const QTemporaryDir& dir, const char* name, QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(Qt::red);
  const QString path = dir.filePath(QString::fromUtf8(name));
  if (!picture.save(path)) qFatal("cannot write %s", name);
  return path;
}

}  // namespace

class PictureDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { app::ResetServices(); }

  // Every file dialog, the documents' too, names a folder's type in Chinese and shows its
  // dates whole.
  void TypesInChineseAndDatesWhole() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("我的印章")));
    SavedPicture(dir, "seal.bmp", QSize(10, 10));
    struct Case {
      const char* what;
      std::function<void()> open;
    } cases[] = {
        {"open", [&] { app::Services().OpenFileName(nullptr, dir.path(), QStringLiteral("印章文件(*.dyz)")); }},
        {"save", [&] { app::Services().SaveFileName(nullptr, dir.path(), QStringLiteral("印章文件(*.dyz)"), "a.dyz"); }},
        {"picture",
         [&] { app::Services().OpenPictureFileName(nullptr, dir.path(), QStringLiteral("Windows位图(*.bmp)")); }},
    };
    for (const Case& c : cases) {
      QString type;
      bool datesWhole = false;
      const TModalRun run = WhileModal(c.open, [&](QDialog* d) {
        auto* dialog = qobject_cast<QFileDialog*>(d);
        QVERIFY(dialog);
        dialog->setViewMode(QFileDialog::Detail);
        auto* details = d->findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(details);
        const QAbstractItemModel* files = details->model();
        const QModelIndex root = details->rootIndex();
        QTRY_VERIFY(files->rowCount(root) > 0);
        for (int row = 0; row < files->rowCount(root); ++row)
          if (files->index(row, 0, root).data().toString() == QStringLiteral("我的印章"))
            type = files->index(row, 2, root).data().toString();
        // The widest date, with room for the cell's margins.
        const auto widest = [&] {
          int w = 0;
          for (int row = 0; row < files->rowCount(root); ++row)
            w = std::max(w, details->fontMetrics().horizontalAdvance(files->index(row, 3, root).data().toString()));
          return w + 6;
        };
        // ... and in sight, the view not scrolled.
        const auto whole = [&] {
          return details->columnWidth(3) >= widest() &&
                 details->header()->sectionViewportPosition(3) + details->columnWidth(3) <=
                     details->viewport()->width();
        };
        QTRY_VERIFY(whole());
        datesWhole = whole();
        dialog->reject();
      });
      QVERIFY2(run.Seen, c.what);
      QVERIFY2(type == QStringLiteral("文件夹"), qPrintable(QStringLiteral("%1: %2").arg(c.what, type)));
      QVERIFY2(datesWhole, c.what);
    }
  }

  void PreviewsThePictureAndReturnsTheName() {
    QTemporaryDir dir;
    const QString existing = SavedPicture(dir, "seal.bmp", QSize(400, 100));
    QString directory, filter;
    QSize preview;
    bool previewEmptyForNothing = false;
    QString chosen;
    const TModalRun run = WhileModal(
        [&] {
          chosen = app::Services().SavePictureFileName(nullptr, dir.path(), QStringLiteral("Windows位图(*.bmp)"), QString());
        },
        [&](QDialog* d) {
          auto* dialog = qobject_cast<QFileDialog*>(d);
          QVERIFY(dialog);
          directory = dialog->directory().absolutePath();
          filter = dialog->selectedNameFilter();
          auto* label = d->findChild<QLabel*>(QStringLiteral("Preview"));
          QVERIFY(label);
          previewEmptyForNothing = label->pixmap().isNull();
          emit dialog->currentChanged(existing);
          preview = label->pixmap().size();
          // An existing name is taken without a question of the dialog's own.
          dialog->selectFile(QStringLiteral("seal.bmp"));
          QMetaObject::invokeMethod(dialog, "accept");
        });
    QVERIFY(run.Seen);
    QVERIFY(!run.LeftOpen);
    QCOMPARE(directory, QDir(dir.path()).absolutePath());
    QCOMPARE(filter, QStringLiteral("Windows位图(*.bmp)"));
    QVERIFY(previewEmptyForNothing);
    QCOMPARE(preview, QSize(200, 50));
    QCOMPARE(chosen, existing);
  }

  // The preview widens the dialog: its folder box keeps the width it has without one.
  void ThePreviewLeavesTheFolderBoxItsWidth() {
    QTemporaryDir dir;
    QFileDialog plain(nullptr, QString(), dir.path(), QStringLiteral("Windows位图(*.bmp)"));
    plain.setOptions(QFileDialog::DontUseNativeDialog);
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    const int folderBox = plain.findChild<QComboBox*>(QStringLiteral("lookInCombo"))->width();
    plain.hide();
    int shown = 0;
    const TModalRun run = WhileModal(
        [&] { app::Services().SavePictureFileName(nullptr, dir.path(), QStringLiteral("Windows位图(*.bmp)"), QString()); },
        [&](QDialog* d) {
          shown = d->findChild<QComboBox*>(QStringLiteral("lookInCombo"))->width();
          d->reject();
        });
    QVERIFY(run.Seen);
    QVERIFY2(shown >= folderBox, qPrintable(QStringLiteral("%1 < %2").arg(shown).arg(folderBox)));
  }

  // Opened on a file, as after a refused replace, the dialog shows it at once.
  void PreviewsTheFileItOpensOn() {
    QTemporaryDir dir;
    const QString existing = SavedPicture(dir, "seal.jpg", QSize(100, 300));
    QSize preview;
    const TModalRun run = WhileModal(
        [&] {
          app::Services().SavePictureFileName(nullptr, dir.path(), QStringLiteral("JPEG压缩影像(*.jpg)"), existing);
        },
        [&](QDialog* d) {
          preview = d->findChild<QLabel*>(QStringLiteral("Preview"))->pixmap().size();
          d->reject();
        });
    QVERIFY(run.Seen);
    QCOMPARE(preview, QSize(66, 200));  // 100 x 200 / 300, cut down
  }

  // The open dialog for a picture previews the same way and takes only an existing file.
  void OpenDialogPreviewsAnExistingPicture() {
    QTemporaryDir dir;
    const QString existing = SavedPicture(dir, "emblem.bmp", QSize(50, 80));
    QSize preview;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QString chosen;
    const TModalRun run = WhileModal(
        [&] { chosen = app::Services().OpenPictureFileName(nullptr, dir.path(), QStringLiteral("图象文件 (*.bmp)")); },
        [&](QDialog* d) {
          auto* dialog = qobject_cast<QFileDialog*>(d);
          QVERIFY(dialog);
          mode = dialog->fileMode();
          emit dialog->currentChanged(existing);
          preview = d->findChild<QLabel*>(QStringLiteral("Preview"))->pixmap().size();
          dialog->selectFile(QStringLiteral("emblem.bmp"));
          QMetaObject::invokeMethod(dialog, "accept");
        });
    QVERIFY(run.Seen);
    QCOMPARE(mode, QFileDialog::ExistingFile);
    QCOMPARE(preview, QSize(50, 80));  // small pictures are shown as they are
    QCOMPARE(chosen, existing);
  }

  // Metafiles, which Qt has no reader for, are drawn for the preview by the metafile worker
  // at the preview's size, however large they are; one it refuses shows nothing.
  void OpenDialogPreviewsMetafilesThroughTheWorker() {
    QTemporaryDir dir;
    using picture_makers::MetafileShape;
    const auto write = [&](const char* name, const std::vector<uint8_t>& bytes) {
      QFile file(dir.filePath(QString::fromUtf8(name)));
      if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", name);
      file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
      return file.fileName();
    };
    const QString small = write("emblem.emf", picture_makers::MakeEmf(0, 0, 49, 79, {{MetafileShape::Rectangle, 0, 0, 50, 80, 0x0000FF}}));
    const QString wide = write("wide.wmf", picture_makers::MakePlaceableWmf(0, 0, 16000, 4000, 96,
                                                                            {{MetafileShape::Rectangle, 0, 0, 16000, 4000, 0x0000FF}}));
    const QString bad = write("bad.emf", picture_makers::MakeEmf(0, 0, 49, 79, {}, false));
    QList<QImage> previews;
    const TModalRun run = WhileModal(
        [&] { app::Services().OpenPictureFileName(nullptr, dir.path(), QStringLiteral("图象文件 (*.emf *.wmf)")); },
        [&](QDialog* d) {
          auto* dialog = qobject_cast<QFileDialog*>(d);
          auto* label = d->findChild<QLabel*>(QStringLiteral("Preview"));
          for (const QString& path : {small, wide, bad}) {
            emit dialog->currentChanged(path);
            previews.append(label->pixmap().toImage());
          }
          d->reject();
        });
    QVERIFY(run.Seen);
    QCOMPARE(previews[0].size(), QSize(50, 80));
    QCOMPARE(previews[0].pixel(25, 40), qRgb(255, 0, 0));
    QCOMPARE(previews[1].size(), QSize(200, 50));
    QCOMPARE(previews[1].pixel(100, 25), qRgb(255, 0, 0));
    QVERIFY(previews[2].isNull());
  }

  void CancelGivesNoName() {
    QTemporaryDir dir;
    QString chosen = QStringLiteral("unset");
    const TModalRun run = WhileModal([&] {
      chosen = app::Services().SavePictureFileName(nullptr, dir.path(), QStringLiteral("CompuServe GIF(*.gif)"),
                                                   QStringLiteral("seal.gif"));
    });
    QVERIFY(run.Seen);
    QCOMPARE(chosen, QString());
  }
};

QTEST_MAIN(PictureDialogTest)
#include "picture_dialog_test.moc"
