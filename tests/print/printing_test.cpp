// Printing into a PDF file through the print window, with the print options answered in the
// real dialogs library, and the sheet rendered by pdftoppm at 10 pixels per millimetre:
// true size and place from the sheet's edge on printers with even and uneven margins and at
// any preview zoom, mirrored printing (the direct sheet reflected, no larger), black
// printing, copies as sheets of one job, the window shown again before a print holds it,
// the messages of an empty document and of no printer, and a failure part-way through a job.

#include <QBuffer>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <optional>
#include <stdexcept>

#include "controls/kivdrawpanel.h"
#include "platform/gbk.h"
#include "platform/picture.h"
#include "print/printing.h"
#include "seal/seal_fields.h"
#include "printjob.h"

namespace {

struct TScaleRecord {
  QRect bounds;
  float pixelsPerMm;
  int zoom;
  bool operator==(const TScaleRecord&) const = default;
};

// All an element holds: its stored design and strings, its scale, its pixel bounds and
// those of its widget, its cut lines, its recoloured picture, and how often its setters
// repainted it or built its cut lines.
struct TElementState {
  std::vector<seal::TFieldValue> design;
  std::vector<std::string> strings;
  TScaleRecord scale;
  QRect widget;
  seal::TArrayPoints cutLines;
  QImage recoloured;
  int invalidated;
  int cutLinesBuilt;
  bool operator==(const TElementState&) const = default;
};

std::vector<TElementState> States(std::span<const seal::TSeal* const> seals) {
  std::vector<TElementState> r;
  for (const seal::TSeal* s : seals) {
    TElementState state{{}, {}, {QRect(s->Left(), s->Top(), s->Width(), s->Height()), s->PixelsPerMm(), s->Zoom()},
                        s->geometry(), {}, s->RecolourBitmap() ? s->RecolourBitmap()->Image() : QImage(),
                        s->InvalidateCount(), s->CutLineRebuildCount()};
    for (const seal::TStoredField& field : seal::StoredFields(*s)) state.design.push_back(field.Value);
    for (const seal::TSealString& string : seal::SealStrings()) state.strings.push_back(std::string((s->*string.Access.Get)()));
    state.cutLines = s->CutLinePoints();
    r.push_back(std::move(state));
  }
  return r;
}

std::vector<TScaleRecord> Scales(std::span<const seal::TSeal* const> seals) {
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

// Stands for what the window system reports once a dialog has gone, as the uncovering of the
// window below it: an event posted as any dialog hides, and whether it has been handled.
class TAfterADialogWent : public QObject {
 public:
  TAfterADialogWent() { qApp->installEventFilter(this); }
  ~TAfterADialogWent() override { qApp->removeEventFilter(this); }
  bool Handled() const { return FHandled; }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    FHandled = true;
    return true;
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Hide && qobject_cast<QDialog*>(watched)) {
      FHandled = false;
      QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
    return false;
  }

 private:
  bool FHandled = false;
};

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
    // A print into a file runs on a printer of its own: the program's printer begins none.
    QCOMPARE(f.printer->printer.Jobs(), 0);
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

  // Qt's PDF output makes no copies: three copies are three sheets of one job, each with
  // every seal, mirrored or not.
  void CopiesAreSheetsWhereThePrinterMakesNone_data() {
    QTest::addColumn<bool>("mirror");
    QTest::newRow("direct") << false;
    QTest::newRow("mirrored") << true;
  }
  void CopiesAreSheetsWhereThePrinterMakesNone() {
    QFETCH(bool, mirror);
    PrintJobFixture f;
    f.Round42(60, 80);
    f.Round42(150, 200);
    TfrmPrint* form = f.Open();
    f.Print({.mirror = mirror, .copies = 3});
    QVERIFY(f.Messages().empty());
    QCOMPARE(PdfPages(f.printer->File()), 3);
    QCOMPARE(f.printer->printer.Jobs(), 0);
    QCOMPARE(f.printer->printer.copyCount(), 1);
    // The two seals' place, 39..171 mm, reflects onto itself.
    const QRect first = InkBounds(f.Sheet(), IsRed);
    QVERIFY2(std::abs(first.left() - 390) <= 10 && std::abs(first.right() - 1710) <= 10,
             qPrintable(QStringLiteral("%1..%2").arg(first.left()).arg(first.right())));
    for (int page : {2, 3}) QCOMPARE(InkBounds(RenderSheet(f.printer->File(), page), IsRed), first);
    QCOMPARE(Part<QProgressBar>(form, "ProgressBar1")->maximum(), 6);
    QCOMPARE(Part<QProgressBar>(form, "ProgressBar1")->value(), 6);
  }

  // A mirrored sheet is the direct sheet reflected about the middle of the printable area
  // (5 to 205 mm, so pixel x goes to about 2099 - x), texts, code, pictures and white
  // knock-outs alike, and its file is no larger than twice the direct one's.
  void AMirroredSheetIsTheDirectSheetReflected() {
    PrintJobFixture f;
    seal::TSeal* round = f.Round42(60, 80);
    round->SetText(platform::Gbk("北京市某某科技发展有限公司"));
    round->SetCode(platform::Gbk("1101080012345"));
    seal::TSeal* block = f.Add(seal::stRect, 150, 150, 40, 30);
    block->SetBrushStyle(platform::bsSolid);
    seal::TSeal* picture = f.Add(seal::stAnyImage, 150, 150, 12, 8);
    platform::TPicture corner;
    LoadCornerPicture(corner, 8, 4);
    picture->SetHaveImage(true);
    picture->SetPicture(&corner);
    f.Open();
    QImage sheets[2];
    qint64 sizes[2];
    for (const bool mirror : {false, true}) {
      f.Print({.mirror = mirror});
      sheets[mirror] = f.Sheet();
      sizes[mirror] = QFileInfo(f.printer->File()).size();
    }
    QCOMPARE(sheets[1].size(), sheets[0].size());
    // The reflection's axis lies between the rendering's pixels, so an edge may move by one
    // pixel, on a slant either way.
    const auto kind = [](QRgb c) { return IsRed(c) ? 2 : IsNotWhite(c) ? 1 : 0; };
    const auto reflected = [&](int x, int y) {
      const int m = 2099 - x;
      return m >= 0 && m < sheets[1].width() && y >= 0 && y < sheets[1].height() ? kind(sheets[1].pixel(m, y)) : 0;
    };
    int ink = 0, differ = 0;
    for (int y = 1; y + 1 < sheets[0].height(); ++y)
      for (int x = 1; x + 1 < sheets[0].width(); ++x) {
        const int direct = kind(sheets[0].pixel(x, y));
        if (direct) ++ink;
        bool matched = false;
        for (int dy = -1; dy <= 1 && !matched; ++dy)
          for (int dx = -1; dx <= 1 && !matched; ++dx) matched = direct == reflected(x + dx, y + dy);
        if (!matched) ++differ;
      }
    QVERIFY(ink > 10000);
    QVERIFY2(differ * 200 < ink, qPrintable(QStringLiteral("%1 of %2 ink pixels differ").arg(differ).arg(ink)));
    QVERIFY2(sizes[1] <= 2 * sizes[0], qPrintable(QStringLiteral("%1 against %2 bytes").arg(sizes[1]).arg(sizes[0])));
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

  // A print holds the window until it ends, so what the window system reported once the
  // print options went (the sheet uncovered, to be shown again) is handled before the first
  // seal is drawn.
  void TheSheetIsShownAgainBeforeThePrintHoldsTheWindow() {
    PrintJobFixture f;
    f.Round42(60, 80);
    f.Round42(150, 200);
    TfrmPrint* form = f.Open();
    const TAfterADialogWent uncovered;
    std::optional<bool> handledBeforeTheFirstSeal;
    QObject::connect(Part<QProgressBar>(form, "ProgressBar1"), &QProgressBar::valueChanged, form, [&](int value) {
      if (value == 1) handledBeforeTheFirstSeal = uncovered.Handled();
    });
    f.Print({});
    QVERIFY(f.Messages().empty());
    QVERIFY(handledBeforeTheFirstSeal.has_value());
    QVERIFY(*handledBeforeTheFirstSeal);
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

  // A print that throws half-way through its sheet, directly or mirrored, in colour or in
  // black (which recolours a picture): the job ends, and every element is as it was, not
  // one of its setters having run, so that nothing of the printer's scale could show or stay.
  void APrintThatThrowsHalfWayLeavesEveryElementAsItWas_data() {
    QTest::addColumn<bool>("trueColor");
    QTest::addColumn<bool>("mirror");
    QTest::newRow("colour") << true << false;
    QTest::newRow("black, mirrored") << false << true;
  }
  void APrintThatThrowsHalfWayLeavesEveryElementAsItWas() {
    QFETCH(bool, trueColor);
    QFETCH(bool, mirror);
    PrintJobFixture f;
    f.Round42(60, 80)->SetCode(platform::Gbk("1101080012345"));
    seal::TSeal* pictured = f.Add(seal::stAnyImage, 100, 150, 30, 30);
    platform::TPicture picture;
    LoadCornerPicture(picture, 4, 4);
    pictured->SetHaveImage(true);
    pictured->SetPicture(&picture);
    f.Round42(150, 230);
    TfrmPrint* form = f.Open();
    form->SetPreviewZoom(50);
    const std::vector<TElementState> before = States(f.w->Seals());
    TestPrinter sheet;
    int drawn = 0;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             app::PrintSeals(sheet.printer, f.w->Seals(), {trueColor, mirror, 2}, [&] {
                               if (++drawn == 2) throw std::runtime_error("half-way");
                             }));
    QCOMPARE(drawn, 2);
    QVERIFY(!sheet.printer.paintingActive());
    QVERIFY(States(f.w->Seals()) == before);
  }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
