// The print and preview commands: the print window over the active document in its two
// modes, the main window hidden while it runs and shown again after, and the advice given
// when no printer is installed.

#include <QtTest>

#include "mainfixture.h"
#include "modal_driver.h"
#include "print/print.h"
#include "seal/seal.h"

namespace {

const QString kOnlyPreviewAdvice = QStringLiteral(
    "您的计算机没有安装打印机，这里您只能预览一下\n本软件的打印管理功能，确实要打印的话，建议您\n"
    "安装分辨率在600 dpi以上的激光打印机!");

// What the print window showed of itself and its surroundings while it ran.
struct TSeen {
  bool opened = false;
  bool mainVisible = true;
  bool previewOnly = false;
  bool quitsOnClose = true;
  int sealsOnItsPage = 0;
};

TSeen RunCommand(MainFixture& f, const char* action) {
  TSeen seen;
  const TModalRun run = WhileModal([&] { f.main->Action(QString::fromUtf8(action))->trigger(); },
                                   [&](QDialog* d) {
                                     auto* form = qobject_cast<TfrmPrint*>(d);
                                     if (!form) return;
                                     seen.opened = true;
                                     seen.mainVisible = f.main->isVisible();
                                     seen.previewOnly = form->PreviewOnly();
                                     seen.quitsOnClose = form->testAttribute(Qt::WA_QuitOnClose);
                                     seen.sealsOnItsPage = SealsOn(Part<TKivDrawPanel>(form, "PreviewPanel1"));
                                     d->close();
                                   });
  if (run.LeftOpen) qWarning("the print window stayed open");
  return seen;
}

}  // namespace

class PrintCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void OpenThePrintWindowInItsMode_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("previewOnly");
    QTest::addColumn<int>("mode");
    QTest::newRow("print") << "actFilePrint" << false << 0;
    QTest::newRow("preview") << "actFilePreView" << true << 1;
  }
  void OpenThePrintWindowInItsMode() {
    QFETCH(QString, action);
    QFETCH(bool, previewOnly);
    QFETCH(int, mode);
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    for (float x : {50.f, 120.f}) AddSeal(w, x, 80);
    const TSeen seen = RunCommand(f, action.toUtf8().constData());
    QVERIFY(seen.opened);
    QVERIFY(!seen.mainVisible);
    QCOMPARE(seen.previewOnly, previewOnly);
    QVERIFY(!seen.quitsOnClose);
    QCOMPARE(seen.sealsOnItsPage, 2);
    QCOMPARE(int(f.main->PrintMode()), mode);
    QVERIFY(f.main->isVisible());
    QVERIFY(f.main->updatesEnabled());
    QCOMPARE(SealsOn(PageOf(w)), 2);
    QVERIFY(f.main->findChildren<TfrmPrint*>().isEmpty());
    QVERIFY(f.asked.empty());
  }

  void WithoutAPrinterTheAdviceComesFirst() {
    MainFixture f;
    f.desk.printers.clear();
    f.NewDocument();
    const TSeen seen = RunCommand(f, "actFilePreView");
    QVERIFY(seen.opened);
    QCOMPARE(int(f.asked.size()), 1);
    QCOMPARE(f.asked[0].text, kOnlyPreviewAdvice);
    QCOMPARE(int(f.asked[0].kind), int(app::TMsgKind::Information));
    QCOMPARE(f.asked[0].buttons, app::TMsgButtons(app::mbOK));
    QVERIFY(f.main->isVisible());
  }

  void WithoutADocumentNothingOpens() {
    MainFixture f;
    for (const char* action : {"actFilePrint", "actFilePreView"}) QVERIFY(!RunCommand(f, action).opened);
    QVERIFY(f.asked.empty());
    QVERIFY(f.main->isVisible());
  }
};

QTEST_MAIN(PrintCommandsTest)
#include "print_commands_test.moc"
