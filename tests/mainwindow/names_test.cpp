// How the document commands name windows and files.
#include <QtTest>

#include "mainwindow/mainform_file.h"

class NamesTest : public QObject {
  Q_OBJECT

 private slots:
  void NewDocumentsCountTheWindowsBeforeThem() {
    QCOMPARE(app::NewDocumentCaption(0), QStringLiteral("文件1.dyz"));
    QCOMPARE(app::NewDocumentCaption(1), QStringLiteral("文件2.dyz"));
    QCOMPARE(app::NewDocumentCaption(11), QStringLiteral("文件12.dyz"));
  }

  void NeverSavedIsACaptionBeginningWithTheNewName() {
    QVERIFY(app::IsNeverSaved(QStringLiteral("文件1.dyz")));
    QVERIFY(app::IsNeverSaved(QStringLiteral("文件夹.dyz")));
    QVERIFY(!app::IsNeverSaved(QStringLiteral("/home/u/文件1.dyz")));
    QVERIFY(!app::IsNeverSaved(QStringLiteral("abc.dyz")));
  }

  void SaveAsNames_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no extension") << "/d/abc" << "/d/abc.dyz";
    QTest::newRow("other extension") << "/d/abc.txt" << "/d/abc.txt";
    QTest::newRow("document extension") << "/d/abc.dyz" << "/d/abc.dyz";
    QTest::newRow("dotted folder") << "/d.e/abc" << "/d.e/abc.dyz";
    QTest::newRow("trailing dot") << "/d/abc." << "/d/abc.";
    QTest::newRow("Chinese name") << "/d/印章" << "/d/印章.dyz";
  }
  void SaveAsNames() {
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QCOMPARE(app::WithDocumentExtension(chosen), saved);
  }
};

QTEST_MAIN(NamesTest)
#include "names_test.moc"
