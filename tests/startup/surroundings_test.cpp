// The program among what lies around it: Qt's own translation, which puts Qt's buttons and
// dialogs into Chinese, and the data folders that the build lays out beside the program.
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "fakedesktop.h"
#include "mainwindow/mainform.h"
#include "platform/registry.h"
#include "startup/startup.h"

namespace {

const char* const kDataFolders[] = {"我的印章", "我的印章库", "我的徽标库", "我的导出图象"};

QStringList MessageBoxButtons() {
  QMessageBox box;
  QStringList texts;
  for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
    texts.append(box.addButton(b)->text());
  return texts;
}

QStringList ColourDialogButtons() {
  QColorDialog dialog;
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  QStringList texts;
  const QDialogButtonBox* buttons = dialog.findChild<QDialogButtonBox*>();
  for (QDialogButtonBox::StandardButton b : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel})
    texts.append(buttons->button(b)->text());
  return texts;
}

// The main window, on the screen within five seconds of its start; nothing otherwise.
std::unique_ptr<TfrmMain> StartedQuickly() {
  QElapsedTimer started;
  started.start();
  auto main = std::make_unique<TfrmMain>();
  main->show();
  if (!QTest::qWaitForWindowExposed(main.get()) || started.elapsed() >= 5000) return nullptr;
  return main;
}

}  // namespace

class SurroundingsTest : public QObject {
  Q_OBJECT

 private slots:
  // Where the translation is missing the buttons stay English and nothing is said; once
  // it is loaded they are Chinese. (The order matters: an installed translation stays.)
  void QtsOwnButtonsSpeakChinese() {
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    const QTemporaryDir empty;
    QVERIFY(!LoadQtTranslations(empty.path()));
    QVERIFY(!LoadQtTranslations(empty.filePath(QStringLiteral("missing"))));
    QCOMPARE(MessageBoxButtons(), QStringList({"OK", "&Yes", "&No", "Cancel"}));

    QVERIFY(LoadQtTranslations(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCOMPARE(MessageBoxButtons(), QStringList({"确定", "是(&Y)", "否(&N)", "取消"}));
    QCOMPARE(ColourDialogButtons(), QStringList({"确定", "取消"}));
  }

  // A wallpaper stored as the path of a FIFO: the picture reader would wait for a writer
  // for ever; the program starts as without a wallpaper.
  void AWallpaperThatNamesAFifoStartsNormally() {
    FakeDesktop desk;
    const QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("壁纸.bmp"));
    QCOMPARE(::mkfifo(fifo.toUtf8().constData(), 0600), 0);
    desk.SetRegistry("SOFTWARE\\Taverlin\\Brelvonix\\UserInfo", "BackGround", fifo.toUtf8().constData());
    const std::unique_ptr<TfrmMain> main = StartedQuickly();
    QVERIFY(main);
    QCOMPARE(main->windowTitle(), QStringLiteral("Brelvonix 8"));
  }

  // A settings file that is no regular file, or one too large to be settings: the program
  // starts quickly with its defaults, says once that the file was left unread, and leaves
  // it as it was, a device node (of the test's own, where it may make one) a device.
  void ASettingsFileThatCannotBeReadIsLeftAsItIs_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"FIFO", "folder", "link to a device", "2 MB"}) QTest::newRow(kind) << kind;
  }
  void ASettingsFileThatCannotBeReadIsLeftAsItIs() {
    QFETCH(QString, kind);
    FakeDesktop desk;
    const QByteArray settings = QFile::encodeName(platform::RegistryFile());
    const QByteArray node = QFile::encodeName(desk.Path("null"));
    const QByteArray large(2 << 20, 'x');
    if (kind == "FIFO") QCOMPARE(::mkfifo(settings.constData(), 0600), 0);
    if (kind == "folder") QVERIFY(QDir().mkpath(QFile::decodeName(settings)));
    if (kind == "link to a device") {
      if (::mknod(node.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0) QSKIP("no device node of the test's own here");
      QCOMPARE(::symlink(node.constData(), settings.constData()), 0);
    }
    if (kind == "2 MB") {
      QFile file(QFile::decodeName(settings));
      QVERIFY(file.open(QIODevice::WriteOnly));
      QCOMPARE(file.write(large), qint64(large.size()));
    }
    QVERIFY(StartedQuickly());
    int told = 0;
    for (const auto& m : desk.messages) told += m.text.contains(QStringLiteral("设置文件"));
    QCOMPARE(told, 1);
    QVERIFY(desk.messages.front().text.contains(QStringLiteral("默认设置")));
    struct stat info {};
    QCOMPARE(::lstat(settings.constData(), &info), 0);
    if (kind == "FIFO") QVERIFY(S_ISFIFO(info.st_mode));
    if (kind == "folder") QVERIFY(S_ISDIR(info.st_mode));
    if (kind == "link to a device") {
      QVERIFY(S_ISLNK(info.st_mode));
      QCOMPARE(::lstat(node.constData(), &info), 0);
      QVERIFY(S_ISCHR(info.st_mode));
    }
    if (kind == "2 MB") {
      QFile file(QFile::decodeName(settings));
      QVERIFY(file.open(QIODevice::ReadOnly));
      QCOMPARE(file.readAll(), large);
    }
  }

  // The build lays the folders out beside the program (the tests lie beside it too); the
  // program itself makes none of them, not even where it opens and saves.
  void DataFoldersLieBesideTheProgramWhichNeverMakesThem() {
    for (const char* name : kDataFolders)
      QVERIFY2(QDir(QCoreApplication::applicationDirPath()).exists(QString::fromUtf8(name)), name);

    FakeDesktop desk;
    QStringList folders;
    app::Services().OpenFileName = [&](QWidget*, const QString& folder, const QString&) {
      folders.append(folder);
      return QString();
    };
    app::Services().SaveFileName = [&](QWidget*, const QString& folder, const QString&, const QString&) {
      folders.append(folder);
      return QString();
    };
    {
      TfrmMain main;
      main.show();
      QVERIFY(QTest::qWaitForWindowExposed(&main));
      main.Action("actFileNew")->trigger();
      main.Action("actFileSaveAs")->trigger();
      main.Action("actFileOpen")->trigger();
    }
    const QString documents = desk.dir.filePath(QStringLiteral("我的印章/"));
    QCOMPARE(folders, QStringList({documents, documents}));
    for (const char* name : kDataFolders) QVERIFY2(!QDir(desk.dir.path()).exists(QString::fromUtf8(name)), name);
  }
};

QTEST_MAIN(SurroundingsTest)
#include "surroundings_test.moc"
