// Printing into a PDF file through the print window, with the print options answered in the
// real dialogs library, and the sheet rendered by pdftoppm at 10 pixels per millimetre:
// true size and place from the sheet's edge on printers with even and uneven margins and at
// any preview zoom, mirrored printing, black printing, copies, the messages of an empty
// document and of no printer, a file asked for a PDF printer without one, and a failure
// part-way through a job.

#include <QBuffer>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <stdexcept>

#include "controls/kivdrawpanel.h"
#include "docfixture.h"
#include "modal_driver.h"
#include "platform/picture.h"
#include "print/print.h"
#include "print/printing.h"
#include "printers.h"

namespace {

// What the print options dialog is answered with.
struct TAnswer {
  bool accept = true;
  bool trueColor = true;
  bool mirror = false;
  int copies = 1;
};

// What the dialog showed when it opened.
struct TPresets {
  bool trueColor = false;
  bool mirror = false;
  QString copies;
};

// A seal whose picture recolouring fails once when armed: drawing it in black recolours
// its picture, so a black print fails while this seal is drawn.
class TFailingSeal : public seal::TSeal {
 public:
  using TSeal::TSeal;
  bool armed = false;
  void PictureChanged() override {
    if (armed) {
      armed = false;
      throw std::runtime_error("印章图象已损坏");
    }
    TSeal::PictureChanged();
  }
};

// A BMP picture of w x h pixels, black in its top-left quadrant and white elsewhere.
void LoadCornerPicture(platform::TPicture& picture, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < h / 2; ++y)
    for (int x = 0; x < w / 2; ++x) image.setPixel(x, y, qRgb(0, 0, 0));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  picture.LoadFromBytes(platform::TGraphicKind::Bitmap, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

struct PrintJobFixture {
  DocFixture doc;
  std::unique_ptr<TestPrinter> printer;
  TfrmChild* w = nullptr;
  std::unique_ptr<TfrmPrint> form;

  // margins: left, top, right, bottom in millimetres on an A4 sheet at 600 dots per inch.
  explicit PrintJobFixture(QMarginsF margins = {5, 5, 5, 5}) : printer(std::make_unique<TestPrinter>(600, margins)) {
    printer->Install();
    app::Services().DialogsLibraryPath = [] { return QStringLiteral(MERULIN_LIBRARY); };
    w = doc.NewDocument();
  }
  template <class Seal = seal::TSeal>
  Seal* Add(seal::TSealType type, float x, float y, float width, float height) {
    return AddSealOf<Seal>(w, type, x, y, width, height);
  }
  seal::TSeal* Round42(float x, float y) { return AddSeal(w, x, y); }
  TfrmPrint* Open() {
    form = std::make_unique<TfrmPrint>(nullptr, *w, false);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qWarning("print window not exposed");
    return form.get();
  }
  // The print command with the options dialog answered; what it showed on opening.
  TPresets Print(const TAnswer& answer) {
    TPresets shown;
    const TModalRun run = WhileModal([&] { Part<QAction>(form.get(), "FPrintAct")->trigger(); },
                                     [&](QDialog* d) {
                                       auto* colour = Part<QCheckBox>(d, "CheckBox1");
                                       auto* mirror = Part<QCheckBox>(d, "CheckBox2");
                                       auto* copies = Part<QLineEdit>(d, "Edit1");
                                       shown = {colour->isChecked(), mirror->isChecked(), copies->text()};
                                       colour->setChecked(answer.trueColor);
                                       mirror->setChecked(answer.mirror);
                                       copies->selectAll();
                                       QTest::keyClicks(copies, QString::number(answer.copies));
                                       QTest::mouseClick(Part(d, answer.accept ? "Button1" : "Button2"), Qt::LeftButton);
                                     });
    if (!run.Seen || run.LeftOpen) qWarning("the print options did not come up or stayed open");
    return shown;
  }
  QImage Sheet() const { return RenderSheet(printer->File()); }
  bool Printed() const { return QFileInfo::exists(printer->File()); }
  std::vector<FakeDesktop::Message>& Messages() { return doc.desk.messages; }
};

struct TScaleRecord {
  QRect bounds;
  float pixelsPerMm;
  int zoom;
  bool operator==(const TScaleRecord&) const = default;
};

std::vector<TScaleRecord> Scales(const std::vector<seal::TSeal*>& seals) {
  std::vector<TScaleRecord> r;
  for (const seal::TSeal* s : seals)
    r.push_back({QRect(s->Left(), s->Top(), s->Width(), s->Height()), s->PixelsPerMm(), s->Zoom()});
  return r;
}

// The share of the square of 2r + 1 pixels around (x, y) that the test holds.
double Share(const QImage& sheet, int x, int y, int r, bool (*test)(QRgb)) {
  int hits = 0, all = 0;
  for (int j = y - r; j <= y + r; ++j)
    for (int i = x - r; i <= x + r; ++i, ++all)
      if (test(sheet.pixel(i, j))) ++hits;
  return double(hits) / all;
}

bool IsWhite(QRgb c) { return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240; }

}  // namespace

class PrintingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (peer_tools::Find("pdftoppm").isEmpty() || peer_tools::Find("pdfinfo").isEmpty())
      QFAIL("poppler-utils (pdftoppm, pdfinfo) is needed to look at the printed sheets");
  }

  // 42 mm at 10 px/mm is 420 pixels; the seal centred on (60, 80) mm starts 39 mm from the
  // sheet's left edge and 59 mm from its top, wherever the printer's margins lie.
  void ARoundSealPrintsAtTrueSizeAndPlace_data() {
    QTest::addColumn<QMarginsF>("margins");
    QTest::addColumn<int>("previewZoom");
    QTest::newRow("even margins, fitting zoom") << QMarginsF(5, 5, 5, 5) << 0;
    QTest::newRow("even margins, zoom 100") << QMarginsF(5, 5, 5, 5) << 100;
    QTest::newRow("even margins, zoom 50") << QMarginsF(5, 5, 5, 5) << 50;
    QTest::newRow("uneven margins, zoom 100") << QMarginsF(25, 12, 5, 30) << 100;
    QTest::newRow("uneven margins, zoom 50") << QMarginsF(25, 12, 5, 30) << 50;
  }
  void ARoundSealPrintsAtTrueSizeAndPlace() {
    QFETCH(QMarginsF, margins);
    QFETCH(int, previewZoom);
    PrintJobFixture f(margins);
    f.Round42(60, 80);
    TfrmPrint* form = f.Open();
    if (previewZoom) form->SetPreviewZoom(previewZoom);
    const std::vector<TScaleRecord> before = Scales(f.w->Seals());
    f.Print({});
    QVERIFY(f.Messages().empty());
    const QImage sheet = f.Sheet();
    // An A4 sheet, 595 x 842 points.
    QCOMPARE(sheet.width(), 2100);
    QVERIFY(std::abs(sheet.height() - 2970) <= 1);
    const QRect ink = InkBounds(sheet, IsRed);
    QVERIFY2(std::abs(ink.width() - 420) <= 2, qPrintable(QString::number(ink.width())));
    QVERIFY2(std::abs(ink.height() - 420) <= 2, qPrintable(QString::number(ink.height())));
    QVERIFY2(std::abs(ink.left() - 390) <= 10, qPrintable(QString::number(ink.left())));
    QVERIFY2(std::abs(ink.top() - 590) <= 10, qPrintable(QString::number(ink.top())));
    QCOMPARE(InkBounds(sheet, IsNotWhite), ink);
    QCOMPARE(PdfPages(f.printer->File()), 1);
    QCOMPARE(f.printer->printer.Jobs(), 1);
    // Afterwards the seal shows at the preview's zoom and the screen's resolution again.
    QCOMPARE(Scales(f.w->Seals()), before);
    QCOMPARE(f.w->Seals()[0]->Zoom(), Part<TKivDrawPanel>(form, "PreviewPanel1")->Zoom());
    QVERIFY(!Part<QLabel>(form, "Panel1")->isVisible());
    QCOMPARE(Part<QProgressBar>(form, "ProgressBar1")->value(), 1);
    QCOMPARE(Part<QProgressBar>(form, "ProgressBar1")->maximum(), 1);
  }

  // On a sheet whose printable area runs from 25 to 205 mm, a seal 40 mm wide whose left
  // edge lies on the left margin prints with its right edge on the right margin, and its
  // picture, inked in its top-left quadrant, then inks the top-right one.
  void MirroredPrintingReflectsWithinThePrintableWidth_data() {
    QTest::addColumn<bool>("mirror");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("direct") << false << 250 << 450;
    QTest::newRow("mirrored") << true << 1850 << 2050;
  }
  void MirroredPrintingReflectsWithinThePrintableWidth() {
    QFETCH(bool, mirror);
    QFETCH(int, left);
    QFETCH(int, right);
    PrintJobFixture f({25, 12, 5, 30});
    seal::TSeal* s = f.Add(seal::stAnyImage, 45, 100, 40, 20);
    platform::TPicture picture;
    LoadCornerPicture(picture, 8, 4);
    s->SetHaveImage(true);
    s->SetPicture(&picture);
    f.Open();
    f.Print({.mirror = mirror});
    const QRect ink = InkBounds(f.Sheet(), IsRed);
    QVERIFY2(std::abs(ink.left() - left) <= 10, qPrintable(QString::number(ink.left())));
    QVERIFY2(std::abs(ink.right() - right) <= 10, qPrintable(QString::number(ink.right())));
    QVERIFY2(std::abs(ink.top() - 900) <= 10, qPrintable(QString::number(ink.top())));
    QVERIFY2(std::abs(ink.bottom() - 1000) <= 10, qPrintable(QString::number(ink.bottom())));
  }

  void AMirroredRoundSealKeepsItsSize() {
    PrintJobFixture f;
    f.Round42(60, 80);
    f.Open();
    f.Print({.mirror = true});
    // Printable from 5 to 205 mm: 39..81 mm reflects to 129..171 mm.
    const QRect ink = InkBounds(f.Sheet(), IsRed);
    QVERIFY2(std::abs(ink.width() - 420) <= 2, qPrintable(QString::number(ink.width())));
    QVERIFY2(std::abs(ink.left() - 1290) <= 10, qPrintable(QString::number(ink.left())));
    QVERIFY2(std::abs(ink.top() - 590) <= 10, qPrintable(QString::number(ink.top())));
  }

  // A filled red block with a filled white block over its middle: the white stays white in
  // black printing, and in mirrored printing too, where it is not the bitmap's background.
  void BlackPrintingKeepsWhiteWhite_data() {
    QTest::addColumn<bool>("trueColor");
    QTest::addColumn<bool>("mirror");
    QTest::newRow("colour") << true << false;
    QTest::newRow("black") << false << false;
    QTest::newRow("colour, mirrored") << true << true;
    QTest::newRow("black, mirrored") << false << true;
  }
  void BlackPrintingKeepsWhiteWhite() {
    QFETCH(bool, trueColor);
    QFETCH(bool, mirror);
    PrintJobFixture f;
    seal::TSeal* block = f.Add(seal::stRect, 60, 60, 40, 30);
    block->SetBrushStyle(platform::bsSolid);
    seal::TSeal* white = f.Add(seal::stRect, 60, 60, 10, 10);
    white->SetPenColor(platform::clWhite);
    white->SetBrushStyle(platform::bsSolid);
    f.Open();
    f.Print({.trueColor = trueColor, .mirror = mirror});
    const QImage sheet = f.Sheet();
    // The block's middle is 60 mm from the left, or 150 mm once reflected in 5..205 mm.
    const int x = mirror ? 1500 : 600;
    QVERIFY(Share(sheet, x, 600, 20, IsWhite) > 0.99);
    QVERIFY(Share(sheet, x - 150, 520, 20, trueColor ? IsRed : IsBlack) > 0.99);
    QVERIFY(Share(sheet, x + 150, 680, 20, trueColor ? IsRed : IsBlack) > 0.99);
    if (!trueColor) QVERIFY(InkBounds(sheet, IsRed).isEmpty());
    // The seals keep their colours.
    QCOMPARE(block->PenColor(), platform::clRed);
    QCOMPARE(white->PenColor(), platform::clWhite);
  }

  void CopiesAreTheDriversInOneJob() {
    PrintJobFixture f;
    f.Round42(60, 80);
    f.Round42(150, 200);
    f.Open();
    f.Print({.copies = 3});
    QCOMPARE(f.printer->printer.copyCount(), 3);
    QCOMPARE(f.printer->printer.Jobs(), 1);
    QCOMPARE(PdfPages(f.printer->File()), 1);
    const QRect ink = InkBounds(f.Sheet(), IsRed);
    QVERIFY(std::abs(ink.left() - 390) <= 10 && std::abs(ink.right() - 1710) <= 10);
  }

  // The dialog opens with the last answer, and a cancel comes back as colour, mirror and
  // one copy, not accepted.
  void TheOptionsAreKeptFromOneCommandToTheNext() {
    PrintJobFixture f;
    f.Round42(60, 80);
    TfrmPrint* form = f.Open();
    TPresets shown = f.Print({.accept = false});
    QCOMPARE(shown.trueColor, false);
    QCOMPARE(shown.mirror, false);
    QCOMPARE(shown.copies, QStringLiteral("1"));
    QVERIFY(!form->PrintSettings().Accepted);
    QVERIFY(form->PrintSettings().TrueColor && form->PrintSettings().Mirror);
    QCOMPARE(form->PrintSettings().Copies, 1);
    QVERIFY(!f.Printed());
    shown = f.Print({.trueColor = false, .copies = 4});
    QVERIFY(shown.trueColor && shown.mirror);
    QVERIFY(form->PrintSettings().Accepted);
    shown = f.Print({.accept = false});
    QVERIFY(!shown.trueColor && !shown.mirror);
    QCOMPARE(shown.copies, QStringLiteral("4"));
  }

  void AnEmptyDocumentHasNothingToPrint() {
    PrintJobFixture f;
    f.Open();
    f.Print({.accept = false});
    QVERIFY(f.Messages().empty());
    f.Print({});
    QCOMPARE(int(f.Messages().size()), 1);
    QCOMPARE(int(f.Messages()[0].kind), int(app::TMsgKind::Plain));
    QCOMPARE(f.Messages()[0].caption, QStringLiteral("提示："));
    QCOMPARE(f.Messages()[0].text, QStringLiteral("空白文档，有什么好打印的！"));
    QCOMPARE(f.Messages()[0].buttons, app::TMsgButtons(app::mbOK));
    QVERIFY(!f.Printed());
  }

  void WithoutAPrinterNothingPrintsAndItIsSaidAlsoAfterACancel_data() {
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
  }
  void WithoutAPrinterNothingPrintsAndItIsSaidAlsoAfterACancel() {
    QFETCH(bool, accept);
    PrintJobFixture f;
    f.Round42(60, 80);
    app::Services().PrinterNames = [] { return QStringList(); };
    f.Open();
    f.Print({.accept = accept});
    QCOMPARE(int(f.Messages().size()), 1);
    QCOMPARE(f.Messages()[0].text, QStringLiteral("您的计算机未安装打\n印机，不能打印！"));
    QCOMPARE(int(f.Messages()[0].kind), int(app::TMsgKind::Information));
    QVERIFY(!f.Printed());
  }

  void APdfPrinterWithoutAFileAsksForOne() {
    PrintJobFixture f;
    f.Round42(60, 80);
    f.printer->printer.setOutputFileName(QString());
    f.Open();
    f.Print({});
    QCOMPARE(f.doc.desk.offered, QStringList{QStringLiteral("文件1.pdf")});
    QVERIFY(!f.Printed());
    const QString chosen = f.printer->dir.filePath(QStringLiteral("印章"));
    f.doc.desk.chosen.push_back(chosen);
    f.Print({});
    QCOMPARE(PdfPages(chosen + QStringLiteral(".pdf")), 1);
    QVERIFY(f.printer->printer.outputFileName().isEmpty());
    QVERIFY(f.Messages().empty());
  }

  void AFailureWhileDrawingOneSealRestoresEverySealAndEndsTheJob() {
    PrintJobFixture f;
    f.Round42(60, 80);
    auto* broken = f.Add<TFailingSeal>(seal::stAnyImage, 100, 150, 30, 30);
    platform::TPicture picture;
    LoadCornerPicture(picture, 4, 4);
    broken->SetHaveImage(true);
    broken->SetPicture(&picture);
    f.Round42(150, 230);
    TfrmPrint* form = f.Open();
    form->SetPreviewZoom(50);
    const std::vector<TScaleRecord> before = Scales(f.w->Seals());
    broken->armed = true;
    f.Print({.trueColor = false});
    QCOMPARE(int(f.Messages().size()), 1);
    QCOMPARE(int(f.Messages()[0].kind), int(app::TMsgKind::Error));
    QCOMPARE(f.Messages()[0].text, QStringLiteral("印章图象已损坏"));
    QCOMPARE(Scales(f.w->Seals()), before);
    QVERIFY(!Part<QLabel>(form, "Panel1")->isVisible());
    QCOMPARE(Part<QProgressBar>(form, "ProgressBar1")->value(), 2);
    QVERIFY(!f.printer->printer.paintingActive());
    QVERIFY(Part<TKivDrawPanel>(form, "PreviewPanel1")->updatesEnabled());
    // The job was ended with what was drawn before the failure.
    QCOMPARE(PdfPages(f.printer->File()), 1);
    const QRect ink = InkBounds(f.Sheet(), IsBlack);
    QVERIFY2(std::abs(ink.left() - 390) <= 10 && std::abs(ink.right() - 810) <= 10,
             qPrintable(QStringLiteral("%1..%2").arg(ink.left()).arg(ink.right())));
  }

  void APrinterThatStartsNoJobIsReported() {
    PrintJobFixture f;
    f.Round42(60, 80);
    f.printer->printer.setOutputFileName(f.printer->dir.filePath(QStringLiteral("no/such/folder/sheet.pdf")));
    TfrmPrint* form = f.Open();
    const std::vector<TScaleRecord> before = Scales(f.w->Seals());
    f.Print({});
    QCOMPARE(int(f.Messages().size()), 1);
    QCOMPARE(f.Messages()[0].text, QStringLiteral("打印机无法开始打印！"));
    QCOMPARE(Scales(f.w->Seals()), before);
    QVERIFY(!Part<QLabel>(form, "Panel1")->isVisible());
  }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
