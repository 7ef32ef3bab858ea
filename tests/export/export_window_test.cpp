// The export command of the main window with the real dialogs library: when it asks for
// options at all, that the options dialog is modal to the document window, and that its
// answer reaches the file; a library that cannot be loaded is reported in the error box.

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "mainfixture.h"
#include "modal_driver.h"
#include "services/services.h"

namespace {

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

// Answers the export options: resolution typed in, the format picked from the list, the
// mirror box checked when asked, then the export button.
std::function<void(QDialog*)> Answer(const char* dpi, int format, bool mirror, QWidget** parent = nullptr) {
  return [=](QDialog* d) {
    if (parent) *parent = d->parentWidget();
    auto* edit = Part<QLineEdit>(d, "Edit1");
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(dpi));
    auto* list = Part<QListWidget>(d, "List");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(format)).center());
    if (mirror) Click(Part(d, "CheckBox1"));
    Click(Part(d, "Button1"));
  };
}

}  // namespace

class ExportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void TheCommandIsInTheEditAndSealMenus() {
    MainFixture f;
    QAction* action = f.Tool("actEditSealSaveToImage");
    QCOMPARE(action->text(), QStringLiteral("导出为图象…"));
    QVERIFY(Part<QMenu>(f.main.get(), "PopupMenu1")->actions().contains(action));
  }

  // No document, or nothing selected: no options are asked, so not even a missing library
  // is reported.
  void NothingToExportAsksNothing() {
    MainFixture f;
    app::Services().DialogsLibraryPath = [] { return QStringLiteral("/nonexistent/libmerulin.so"); };
    const TModalRun none = WhileModal([&] { f.Tool("actEditSealSaveToImage")->trigger(); });
    TfrmChild* w = f.NewDocument();
    AddSeal(w, 50, 50);
    const TModalRun unselected = WhileModal([&] { f.Tool("actEditSealSaveToImage")->trigger(); });
    QVERIFY(!none.Seen);
    QVERIFY(!unselected.Seen);
    QVERIFY(f.asked.empty());
    QVERIFY(f.desk.pictureDialogs.empty());
  }

  void AMissingLibraryIsReported() {
    MainFixture f;
    app::Services().DialogsLibraryPath = [] { return QStringLiteral("/nonexistent/libmerulin.so"); };
    TfrmChild* w = f.NewDocument();
    w->SetSelection({AddSeal(w, 50, 50)});
    f.Tool("actEditSealSaveToImage")->trigger();
    QCOMPARE(f.asked.size(), size_t(1));
    QCOMPARE(f.asked[0].kind, app::TMsgKind::Error);
    QCOMPARE(f.asked[0].text, QStringLiteral("文件缺失！"));
    QVERIFY(f.desk.pictureDialogs.empty());
  }

  void CancelledOptionsExportNothing() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    w->SetSelection({AddSeal(w, 50, 50)});
    const TModalRun run = WhileModal([&] { f.Tool("actEditSealSaveToImage")->trigger(); },
                                     [](QDialog* d) { Click(Part(d, "Button2")); });
    QVERIFY(run.Seen);
    QVERIFY(f.desk.pictureDialogs.empty());
    QVERIFY(f.asked.empty());
  }

  // A 42 mm seal is 159 pixels on the 96-dpi page, 159 x 300 / 96 = 496.875 pixels at 300
  // dpi: 497 and the margins.
  void TheOptionsReachTheFile() {
    MainFixture f;
    f.desk.answer = app::mbYes;
    TfrmChild* w = f.NewDocument();
    QCOMPARE(w->PixelsPerMm(), float(96 / 25.4L));
    w->SetSelection({AddSeal(w, 50, 50)});
    const QString name = f.Path("round");
    f.chosen = {name};
    QWidget* parent = nullptr;
    const TModalRun run =
        WhileModal([&] { f.Tool("actEditSealSaveToImage")->trigger(); }, Answer("300", 3, true, &parent));
    QVERIFY(run.Seen);
    QVERIFY(!run.LeftOpen);
    QCOMPARE(parent, static_cast<QWidget*>(w));
    QCOMPARE(f.desk.pictureDialogs.size(), size_t(1));
    QCOMPARE(f.desk.pictureDialogs[0].filter, QStringLiteral("CompuServe GIF(*.gif)"));
    QCOMPARE(f.desk.pictureDialogs[0].folder, f.main->ProgramFolder() + QStringLiteral("我的导出图象/"));
    const QImage gif(name + QStringLiteral(".gif"));
    QCOMPARE(gif.size(), QSize(513, 513));
    QCOMPARE(f.asked.size(), size_t(1));  // only the question before the file is made
  }

  // The options refuse a resolution that is not a whole number above zero themselves and
  // stay open, before any file is asked for; a whole number then exports.
  void AResolutionThatIsNoPositiveWholeNumberKeepsTheOptionsOpen_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("decimal") << QStringLiteral("600.5");
    QTest::newRow("zero") << QStringLiteral("0");
    QTest::newRow("no number") << QStringLiteral("abc");
    QTest::newRow("negative") << QStringLiteral("-5");
  }
  void AResolutionThatIsNoPositiveWholeNumberKeepsTheOptionsOpen() {
    QFETCH(QString, typed);
    MainFixture f;
    f.desk.answer = app::mbYes;
    TfrmChild* w = f.NewDocument();
    w->SetSelection({AddSeal(w, 50, 50)});
    const QString name = f.Path("round");
    f.chosen = {name};
    QString said;
    bool stayedOpen = false;
    size_t filesAsked = 1;
    const TModalRun run = WhileModal([&] { f.Tool("actEditSealSaveToImage")->trigger(); },
                                     [&](QDialog* d) {
                                       auto* edit = Part<QLineEdit>(d, "Edit1");
                                       edit->selectAll();
                                       QTest::keyClicks(edit, typed);
                                       said = ClickAnswering(Part(d, "Button1"));
                                       stayedOpen = d->isVisible();
                                       filesAsked = f.desk.pictureDialogs.size();
                                       Answer("300", 0, false)(d);
                                     });
    QVERIFY(run.Seen);
    QVERIFY(!run.LeftOpen);
    QCOMPARE(said, QStringLiteral("图象精度必须是大于零的整数！"));
    QVERIFY(stayedOpen);
    QCOMPARE(filesAsked, size_t(0));
    QCOMPARE(QImage(name + QStringLiteral(".bmp")).size(), QSize(513, 513));
  }
};

QTEST_MAIN(ExportWindowTest)
#include "export_window_test.moc"
