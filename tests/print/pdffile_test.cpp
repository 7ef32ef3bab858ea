// Printing into PDF files: every print asks for its file, starting at the last one chosen,
// also after the printer set-up, and asks before replacing one; a print that fails for the
// file's sake (a full disk, a read-only file system, folder or file, a missing folder)
// leaves the old file byte for byte, leaves nothing beside it and says why and where; a
// file's other names stay; and what counts as a whole PDF file.

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

#include "controls/kivdrawpanel.h"
#include "filesystems.h"
#include "formats/whole_file.h"
#include "memory_peak.h"
#include "pdf_makers.h"
#include "platform/gbk.h"
#include "print/pdffile.h"
#include "print/pdfstructure.h"
#include "print/printing.h"
#include "printjob.h"

namespace {

const QByteArray kOld(10000, 'o');

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QString Replace(const QString& file) { return file + QStringLiteral(" 已存在。\n要替换它吗？"); }

void SetMode(const QString& path, mode_t mode) {
  if (::chmod(QFile::encodeName(path).constData(), mode) != 0) qWarning("cannot change the mode of %s", qPrintable(path));
}

// A sheet of text, code and pictures, large enough not to fit a small disk beside an old
// file.
void AddSheet(PrintJobFixture& f) {
  for (float y : {60.0f, 120.0f, 180.0f}) {
    seal::TSeal* round = f.Round42(60, y);
    round->SetText(platform::Gbk("北京市某某科技发展有限公司"));
    round->SetCode(platform::Gbk("1101080012345"));
  }
}

// Each of the changed files, written at probe, is not a whole PDF file.
void ExpectNotWhole(const QString& probe, const std::vector<std::pair<const char*, QByteArray>>& changed) {
  for (const auto& [what, bytes] : changed) {
    WriteFile(probe, bytes);
    QVERIFY2(app::PdfFileError(probe) == EIO, what);
  }
}

// The bytes of a file another writer made from the file at input: tool run with args, where
// "%in" stands for input and "%out" for the file it writes. Empty when it could not.
QByteArray WrittenBy(const QString& tool, const QStringList& args, const QString& input, const QString& output) {
  QStringList arguments;
  for (const QString& arg : args)
    arguments << (arg == QLatin1String("%in") ? input : arg == QLatin1String("%out") ? output : arg);
  const peer_tools::TRun run = peer_tools::Run(tool, arguments);
  if (!run.finished || run.exitCode != 0) return QByteArray();
  return ReadFile(output);
}

}  // namespace

class PdfFileTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (peer_tools::Find("pdfinfo").isEmpty()) QFAIL("poppler-utils (pdfinfo) is needed to count the printed sheets");
  }

  // The first question starts at the file the printer names; a cancel prints nothing; each
  // later question starts at the file chosen last; an existing file is replaced only after a
  // Yes, and a No goes back to the question.
  void EveryPrintAsksForItsFileStartingAtTheLastOneChosen() {
    PrintJobFixture f;
    f.Round42(60, 80);
    f.Open();
    const QString first = f.printer->dir.filePath(QStringLiteral("印章"));
    const QString firstPdf = first + QStringLiteral(".pdf");
    const QString other = f.printer->dir.filePath(QStringLiteral("另一个.pdf"));
    f.Print({.files = QStringList{QString()}});
    QVERIFY(Entries(f.printer->dir.path()).isEmpty());
    f.Print({.files = QStringList{first}});
    QCOMPARE(PdfPages(firstPdf), 1);
    f.doc.desk.answers = {app::mbNo};
    f.Print({.files = QStringList{firstPdf, other}});
    QCOMPARE(f.doc.desk.offered, (QStringList{f.printer->File(), f.printer->File(), firstPdf, firstPdf}));
    QCOMPARE(f.Messages().size(), size_t(1));
    QCOMPARE(f.Messages()[0].text, Replace(firstPdf));
    QCOMPARE(int(f.Messages()[0].kind), int(app::TMsgKind::Confirmation));
    QCOMPARE(PdfPages(other), 1);
    QCOMPARE(f.printer->printer.outputFileName(), other);
    const QStringList written = Entries(f.printer->dir.path());
    QCOMPARE(QSet<QString>(written.begin(), written.end()),
             (QSet<QString>{QStringLiteral("另一个.pdf"), QStringLiteral("印章.pdf")}));
  }

  // After the printer set-up, confirmed in its own dialog, each of two prints asks for the
  // file, and the second asks before replacing the first one's.
  void AfterTheSetUpEachPrintAsksForItsFile() {
    const auto desktopSetup = app::Services().SetupPrinter;
    PrintJobFixture f;
    app::Services().SetupPrinter = desktopSetup;
    f.Round42(60, 80);
    TfrmPrint* form = f.Open();
    QString title, ok;
    const TModalRun setup = WhileModal([&] { Part<QAction>(form, "FSetupAct")->trigger(); },
                                       [&](QDialog* d) {
                                         title = d->windowTitle();
                                         QPushButton* button = d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
                                         ok = button->text();
                                         QTest::mouseClick(button, Qt::LeftButton);
                                       });
    QVERIFY(setup.Seen && !setup.LeftOpen);
    QCOMPARE(title, QStringLiteral("设置打印机"));
    QCOMPARE(ok, QStringLiteral("确定(&O)"));
    f.Print({});
    f.Print({});
    QCOMPARE(f.doc.desk.offered, (QStringList{f.printer->File(), f.printer->File()}));
    QCOMPARE(f.Messages().size(), size_t(1));
    QCOMPARE(f.Messages()[0].text, Replace(f.printer->File()));
    QCOMPARE(PdfPages(f.printer->File()), 1);
  }

  // The set-up only sets the printer up: with the printer's file already there it shows no
  // output file to fill in, asks nothing about the file, and leaves it and its name as they
  // were.
  void TheSetUpAsksNothingAboutFiles() {
    const auto desktopSetup = app::Services().SetupPrinter;
    PrintJobFixture f;
    app::Services().SetupPrinter = desktopSetup;
    f.Round42(60, 80);
    TfrmPrint* form = f.Open();
    QFile old(f.printer->File());
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    bool fileBoxShown = true;
    QString asked;
    const TModalRun setup = WhileModal([&] { Part<QAction>(form, "FSetupAct")->trigger(); },
                                       [&](QDialog* d) {
                                         auto* box = d->findChild<QWidget*>(QStringLiteral("filename"));
                                         fileBoxShown = box && box->isVisibleTo(d);
                                         asked = ClickAnswering(
                                             d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
                                       });
    QVERIFY(setup.Seen && !setup.LeftOpen);
    QVERIFY(!fileBoxShown);
    QCOMPARE(asked, QString());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    QCOMPARE(f.printer->printer.outputFileName(), f.printer->File());
    QCOMPARE(f.printer->printer.outputFormat(), QPrinter::PdfFormat);
  }

  // The old file, where there is one, stays byte for byte and nothing is left beside it;
  // the message names the file and the reason. Permissions are tried as another user, as
  // root passes them all.
  void AFailedPrintKeepsTheOldFile_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("asAnotherUser");
    QTest::newRow("full disk") << QStringLiteral("full disk") << QStringLiteral("磁盘已满") << false;
    QTest::newRow("read-only file system") << QStringLiteral("read-only disk") << QStringLiteral("文件系统是只读的")
                                           << false;
    QTest::newRow("read-only folder") << QStringLiteral("read-only folder") << QStringLiteral("没有写入的权限") << true;
    QTest::newRow("read-only file") << QStringLiteral("read-only file") << QStringLiteral("没有写入的权限") << true;
    QTest::newRow("missing folder") << QStringLiteral("missing folder") << QStringLiteral("文件夹不存在") << false;
  }
  void AFailedPrintKeepsTheOldFile() {
    QFETCH(QString, where);
    QFETCH(QString, reason);
    QFETCH(bool, asAnotherUser);
    PrintJobFixture f;
    AddSheet(f);
    f.Open();
    // Another user must reach the folders the cases make.
    SetMode(f.printer->dir.path(), 0755);
    const QString folder = f.printer->dir.filePath(QStringLiteral("folder"));
    QVERIFY(QDir().mkpath(folder));
    const QString file = QDir(folder).filePath(QStringLiteral("印章.pdf"));
    std::unique_ptr<TMount> disk;
    if (where.endsWith(QLatin1String("disk"))) {
      disk = std::make_unique<TMount>(folder, "size=32k");
      if (!disk->Error().empty()) QSKIP(qPrintable(QStringLiteral("cannot mount a small file system here: ") +
                                                  QString::fromStdString(disk->Error())));
    }
    const bool old = where != QLatin1String("missing folder");
    if (old) WriteFile(file, kOld);
    if (where == QLatin1String("read-only disk")) QVERIFY(disk->MakeReadOnly());
    if (where == QLatin1String("read-only folder")) SetMode(folder, 0555);
    if (where == QLatin1String("read-only file")) {
      SetMode(folder, 0777);
      SetMode(file, 0444);
    }
    const QString target = old ? file : f.printer->dir.filePath(QStringLiteral("no such folder/印章.pdf"));
    const QStringList before = Entries(folder);
    if (asAnotherUser) {
      // The print options come from the dialogs library, which the other user must reach.
      const QString dialogs = ReachableCopy(QStringLiteral(MERULIN_LIBRARY), f.printer->dir.path());
      QVERIFY(!dialogs.isEmpty());
      app::Services().DialogsLibraryPath = [dialogs] { return dialogs; };
      const TAsAnotherUser user;
      QVERIFY(user.Ok());
      f.Print({.files = QStringList{target}});
    } else {
      f.Print({.files = QStringList{target}});
    }
    QCOMPARE(f.Messages().size(), size_t(old ? 2 : 1));
    if (old) QCOMPARE(f.Messages()[0].text, Replace(file));
    QCOMPARE(int(f.Messages().back().kind), int(app::TMsgKind::Error));
    QCOMPARE(f.Messages().back().text, SaveFailure(target, qPrintable(reason)));
    if (old) QCOMPARE(ReadFile(file), kOld);
    QCOMPARE(Entries(folder), before);
    QVERIFY(!f.printer->printer.paintingActive());
    SetMode(folder, 0755);
  }

  // A full disk at the first copy, and at the second one, where the printer can start no
  // further sheet: the old file stays whole, nothing is left beside it, the message names
  // the file and the reason, the progress is put away and the page paints again; and the
  // next print, to a disk with room, is as good as the first one of the process.
  void AFullDiskLeavesTheOldFileAndTheNextPrintGood_data() {
    QTest::addColumn<int>("copies");
    QTest::newRow("one copy") << 1;
    QTest::newRow("two copies") << 2;
  }
  void AFullDiskLeavesTheOldFileAndTheNextPrintGood() {
    QFETCH(int, copies);
    PrintJobFixture f;
    AddSheet(f);
    TfrmPrint* form = f.Open();
    const QString folder = f.printer->dir.filePath(QStringLiteral("folder"));
    const TMount disk(folder, "size=32k");
    if (!disk.Error().empty())
      QSKIP(qPrintable(QStringLiteral("cannot mount a small file system here: ") + QString::fromStdString(disk.Error())));
    const QString file = QDir(folder).filePath(QStringLiteral("印章.pdf"));
    WriteFile(file, kOld);
    f.Print({.copies = copies, .files = QStringList{file}});
    QCOMPARE(f.Messages().size(), size_t(2));
    QCOMPARE(f.Messages()[1].text, SaveFailure(file, "磁盘已满"));
    QCOMPARE(ReadFile(file), kOld);
    QCOMPARE(Entries(folder), QStringList{QStringLiteral("印章.pdf")});
    QVERIFY(!Part<QLabel>(form, "Panel1")->isVisible());
    QVERIFY(Part<TKivDrawPanel>(form, "PreviewPanel1")->updatesEnabled());
    QVERIFY(!f.printer->printer.paintingActive());
    f.Messages().clear();
    const QString good = f.printer->dir.filePath(QStringLiteral("好.pdf"));
    f.Print({.copies = copies, .files = QStringList{good}});
    QVERIFY(f.Messages().empty());
    QCOMPARE(PdfPages(good), copies);
  }

  // A printer that can start no further sheet, at any copy, stands for a file that could
  // not be written: the message names the file and the reason, and the old file stays.
  void APrinterThatCannotGoOnNamesTheFileAndTheReason_data() {
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full disk") << true << QStringLiteral("磁盘已满");
    QTest::newRow("room left") << false << QStringLiteral("磁盘读写出错");
  }
  void APrinterThatCannotGoOnNamesTheFileAndTheReason() {
    QFETCH(bool, fullDisk);
    QFETCH(QString, reason);
    TestPrinter printer;
    const QString folder = printer.dir.filePath(QStringLiteral("folder"));
    QVERIFY(QDir().mkpath(folder));
    std::unique_ptr<TMount> disk;
    if (fullDisk) {
      disk = std::make_unique<TMount>(folder, "size=32k");
      if (!disk->Error().empty()) QSKIP(qPrintable(QString::fromStdString(disk->Error())));
    }
    const QString file = QDir(folder).filePath(QStringLiteral("印章.pdf"));
    WriteFile(file, kOld);
    QString message;
    try {
      app::PrintIntoFile(printer.printer, file, [](QPrinter&) { throw app::EPrintError("打印机无法打印下一页！"); });
    } catch (const formats::EFileError& e) {
      message = QString::fromUtf8(e.what());
    }
    QCOMPARE(message, SaveFailure(file, qPrintable(reason)));
    QCOMPARE(ReadFile(file), kOld);
    QCOMPARE(Entries(folder), QStringList{QStringLiteral("印章.pdf")});
  }

  // A PDF file with two names printed through one reads back through the other.
  void AHardLinkedFileKeepsBothNames() {
    PrintJobFixture f;
    f.Round42(60, 80);
    f.Open();
    const QString second = f.printer->dir.filePath(QStringLiteral("副本.pdf"));
    WriteFile(f.printer->File(), kOld);
    QVERIFY(::link(QFile::encodeName(f.printer->File()).constData(), QFile::encodeName(second).constData()) == 0);
    f.Print({});
    QCOMPARE(PdfPages(second), 1);
    QCOMPARE(ReadFile(second), ReadFile(f.printer->File()));
  }

  // What Qt writes is whole; cut anywhere, or with its header or one listed place changed,
  // it is not.
  void AWholePdfFileIsToldFromACutOrChangedOne() {
    PrintJobFixture f;
    f.Round42(60, 80);
    f.Open();
    f.Print({});
    const QByteArray whole = ReadFile(f.printer->File());
    QCOMPARE(app::PdfFileError(f.printer->File()), 0);
    const QString probe = f.printer->dir.filePath(QStringLiteral("probe.pdf"));
    const qsizetype table = whole.lastIndexOf("\nxref\n") + 1;
    QByteArray header = whole, listed = whole;
    header[1] = 'X';
    // The first object's place, in the entry after the free one.
    const qsizetype entry = whole.indexOf("0000000000 65535 f", table) + 20;
    listed[entry + 9] = listed[entry + 9] == '9' ? '0' : char(listed[entry + 9] + 1);
    const std::vector<std::pair<const char*, QByteArray>> changed{
        {"no end mark", whole.left(whole.size() - 4)},
        {"no trailer", whole.left(whole.lastIndexOf("trailer"))},
        {"half the table", whole.left(table + (whole.size() - table) / 2)},
        {"half the file", whole.left(whole.size() / 2)},
        {"only the header", whole.left(9)},
        {"empty", QByteArray()},
        {"another header", header},
        {"an object elsewhere", listed}};
    ExpectNotWhole(probe, changed);
  }

  // Another writer's layout: poppler's pdfunite joins two of Qt's files into one whose
  // table lists its objects out of order with free entries between them. It is whole; cut
  // or with one listed place or its startxref changed, it is not.
  void AnotherWritersLayoutIsToldWholeOrNot() {
    const QString unite = peer_tools::Find("pdfunite");
    if (unite.isEmpty()) QFAIL("poppler-utils (pdfunite) is needed for a PDF file of another writer");
    PrintJobFixture f;
    f.Round42(60, 80);
    f.Open();
    f.Print({});
    const QString joined = f.printer->dir.filePath(QStringLiteral("joined.pdf"));
    const peer_tools::TRun run = peer_tools::Run(unite, {f.printer->File(), f.printer->File(), joined});
    QVERIFY(run.finished && run.exitCode == 0);
    QCOMPARE(app::PdfFileError(joined), 0);
    const QByteArray whole = ReadFile(joined);
    const qsizetype table = whole.lastIndexOf("\nxref\n") + 1;
    const qsizetype entry = whole.indexOf(" 00000 n", table) - 10;
    QByteArray listed = whole, pointer = whole;
    listed[entry + 9] = listed[entry + 9] == '9' ? '0' : char(listed[entry + 9] + 1);
    const qsizetype start = pointer.lastIndexOf("startxref") + 10;
    pointer[start] = pointer[start] == '9' ? '1' : char(pointer[start] + 1);
    const QString probe = f.printer->dir.filePath(QStringLiteral("probe.pdf"));
    const std::vector<std::pair<const char*, QByteArray>> changed{
        {"half the table", whole.left(table + (whole.size() - table) / 2)},
        {"no trailer", whole.left(whole.lastIndexOf("trailer"))},
        {"an object elsewhere", listed},
        {"startxref elsewhere", pointer}};
    ExpectNotWhole(probe, changed);
  }

  // A cross-reference stream, compressed with a PNG predictor as writers of PDF 1.5 make
  // it, lists its objects too: whole as written, not with an object moved.
  void ACrossReferenceStreamIsFollowed() {
    QTemporaryDir dir;
    for (bool moved : {false, true}) {
      const QString path = dir.filePath(QStringLiteral("stream.pdf"));
      WriteFile(path, pdf_makers::ListedStreamPdf(moved));
      QVERIFY2(app::PdfFileError(path) == (moved ? EIO : 0), moved ? "moved" : "whole");
    }
  }

  // The layouts other writers make of one of Qt's files: pdfunite's table, and qpdf's with
  // the objects packed into object streams listed by a cross-reference stream, linearized
  // with a first page's section chaining to the rest, and both. Each is whole as written;
  // cut, without its end mark or its startxref, pointing elsewhere, or with every object a
  // byte later than listed, it is not.
  void OtherWritersLayoutsAreToldWholeOrNot_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("args");
    const QString in = QStringLiteral("%in"), out = QStringLiteral("%out");
    QTest::newRow("pdfunite") << QStringLiteral("pdfunite") << QStringList{in, in, out};
    QTest::newRow("object streams") << QStringLiteral("qpdf")
                                    << QStringList{QStringLiteral("--object-streams=generate"), in, out};
    QTest::newRow("linearized") << QStringLiteral("qpdf") << QStringList{QStringLiteral("--linearize"), in, out};
    QTest::newRow("linearized, object streams")
        << QStringLiteral("qpdf")
        << QStringList{QStringLiteral("--linearize"), QStringLiteral("--object-streams=generate"), in, out};
  }
  void OtherWritersLayoutsAreToldWholeOrNot() {
    QFETCH(QString, tool);
    QFETCH(QStringList, args);
    const QString program = peer_tools::Find(qPrintable(tool));
    if (program.isEmpty()) QFAIL(qPrintable(tool + QStringLiteral(" is needed for a PDF file of another writer")));
    PrintJobFixture f;
    f.Round42(60, 80);
    f.Open();
    f.Print({});
    const QString written = f.printer->dir.filePath(QStringLiteral("written.pdf"));
    const QByteArray whole = WrittenBy(program, args, f.printer->File(), written);
    QVERIFY(!whole.isEmpty());
    QCOMPARE(app::PdfFileError(written), 0);
    QByteArray pointer = whole, later = whole;
    const qsizetype start = pointer.lastIndexOf("startxref") + 10;
    pointer[start] = pointer[start] == '9' ? '1' : char(pointer[start] + 1);
    later.insert(later.indexOf('\n') + 1, '\n');
    const QString probe = f.printer->dir.filePath(QStringLiteral("probe.pdf"));
    const std::vector<std::pair<const char*, QByteArray>> changed{
        {"half the file", whole.left(whole.size() / 2)},
        {"no end mark", whole.left(whole.lastIndexOf("%%EOF"))},
        {"no startxref", whole.left(whole.lastIndexOf("startxref"))},
        {"startxref elsewhere", pointer},
        {"every object a byte later", later}};
    ExpectNotWhole(probe, changed);
  }

  // Cross-reference streams whose numbers no file could hold are not whole, and reading them
  // asks for no more than the file: rows of more columns than all the rows' bytes, fields of
  // eight bytes that do not fit a signed number, and counts whose sum runs past any number.
  void ACrossReferenceStreamOfImpossibleNumbersIsNotWhole_data() {
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("columns past the rows")
        << QByteArray("/Size 0 /W [1 2 1] /DecodeParms << /Predictor 12 /Columns 999999999999 >>") << QByteArray();
    QTest::newRow("eight-byte fields") << QByteArray("/Size 1 /W [8 8 8]")
                                       << QByteArray(7, '\0') + '\x01' + QByteArray(8, char(0xFF)) + QByteArray(8, '\0');
    // Eighteen counts of 10^18 - 1 and one more make 2^64 + 1.
    QByteArray index = "/Size 1 /W [1 2 1] /Index [";
    for (int i = 0; i < 18; ++i) index += "0 999999999999999999 ";
    index += "0 446744073709551635]";
    QTest::newRow("counts past any number") << index << QByteArray(4, '\0');
  }
  void ACrossReferenceStreamOfImpossibleNumbersIsNotWhole() {
    QFETCH(QByteArray, entries);
    QFETCH(QByteArray, data);
    const QByteArray pdf = pdf_makers::WithXrefStream(pdf_makers::PdfHead(), entries, data);
    QVERIFY(!app::IsWholePdf(std::string_view(pdf.constData(), size_t(pdf.size()))));
  }

  // A cross-reference stream is inflated only as far as its rows go: one whose rows are
  // followed by 128 MiB of zeros, which zlib keeps in a few hundred kilobytes, is whole and
  // read within a few megabytes.
  void ACrossReferenceStreamIsInflatedOnlyAsFarAsItsRows() {
    const pdf_makers::TPdfHead head = pdf_makers::PdfHead();
    QByteArray rows;
    for (const int offset : {0, head.Catalog, head.Pages, int(head.Bytes.size())})
      rows += QByteArray(1, char(offset == 0 ? 0 : 1)) + char(offset >> 8) + char(offset) + char(offset == 0 ? 255 : 0);
    QByteArray pdf;
    {
      QByteArray inflated = rows + QByteArray(128 * 1024 * 1024, '\0');
      const QByteArray deflated = qCompress(inflated).mid(4);
      inflated = QByteArray();
      pdf = pdf_makers::WithXrefStream(head, "/Size 4 /W [1 2 1] /Filter /FlateDecode", deflated);
    }
    const long before = memory_peak::Restart();
    QVERIFY(app::IsWholePdf(std::string_view(pdf.constData(), size_t(pdf.size()))));
    const long rise = memory_peak::RiseKiB(before);
    QVERIFY2(rise < memory_peak::AllowedKiB(8 * 1024), qPrintable(QString::number(rise) + QStringLiteral(" KiB")));
  }
};

QTEST_MAIN(PdfFileTest)
#include "pdffile_test.moc"
