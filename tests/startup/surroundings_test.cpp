// The program among what lies around it: Qt's own translation, which puts Qt's buttons and
// dialogs into Chinese, and the data folders that the build lays out beside the program.
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "fakedesktop.h"
#include "mainwindow/mainform.h"
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
    const QString documents = desk.dir.filePath(QStringLiteral("我的印章"));
    QCOMPARE(folders, QStringList({documents, documents}));
    for (const char* name : kDataFolders) QVERIFY2(!QDir(desk.dir.path()).exists(QString::fromUtf8(name)), name);
  }
};

QTEST_MAIN(SurroundingsTest)
#include "surroundings_test.moc"
