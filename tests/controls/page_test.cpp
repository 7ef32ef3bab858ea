#include <QEvent>
#include <QtTest>

#include "controls/kivdrawpanel.h"
#include "pixels.h"

namespace {

constexpr platform::TColor kGrey = 0xF3F3F3;
constexpr platform::TColor kBlue = 0xFF0000;
constexpr platform::TColor kWhite = 0xFFFFFF;

class EventCounter : public QObject {
 public:
  int paints = 0;
  int resizes = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    if (e->type() == QEvent::Resize) ++resizes;
    return false;
  }
};

// A 100 x 100 mm page at 96 dpi without margins, so only the grid lies inside.
void SetUpGridPage(TKivDrawPanel& page, int zoom) {
  page.SetPixelsPerInch(96);
  page.SetZoom(zoom);
  page.SetPageWidth(100);
  page.SetPageHeight(100);
  page.SetLeftMargin(0);
  page.SetTopMargin(0);
  page.SetRightMargin(0);
  page.SetBottomMargin(0);
}

int CountColour(const QImage& image, platform::TColor colour, QRect area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += PixelAt(image, x, y) == colour;
  return n;
}

}  // namespace

class PageTest : public QObject {
  Q_OBJECT

 private slots:
  void CreatedHiddenWithDefaults() {
    TKivDrawPanel page;
    QCOMPARE(page.Zoom(), 100);
    QVERIFY(!page.isVisible());
    QCOMPARE(page.size(), QSize(0, 0));
    QVERIFY(page.Grid());
    QCOMPARE(double(page.LeftMargin()), 5.0);
    QCOMPARE(double(page.BottomMargin()), 5.0);
    QCOMPARE(page.TickFont().pointSize(), 6);
  }

  void Sizes_data() {
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<double>("mmWidth");
    QTest::addColumn<double>("mmHeight");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("A4 at 96 dpi") << 96 << 100 << 210.0 << 297.0 << QSize(794, 1123);
    // 10 px/mm: 2.5 rounds down to even, 7.5 up to even.
    QTest::newRow("halves to even") << 254 << 100 << 0.25 << 0.75 << QSize(2, 8);
    QTest::newRow("A4 at 96 dpi, 50%") << 96 << 50 << 210.0 << 297.0 << QSize(397, 561);
    QTest::newRow("empty page") << 96 << 100 << 0.0 << 0.0 << QSize(0, 0);
  }
  void Sizes() {
    QFETCH(int, ppi);
    QFETCH(int, zoom);
    QFETCH(double, mmWidth);
    QFETCH(double, mmHeight);
    QFETCH(QSize, pixels);
    // Page size first, then resolution and zoom: both orders must give the same size.
    TKivDrawPanel a;
    a.SetPageWidth(mmWidth);
    a.SetPageHeight(mmHeight);
    a.SetPixelsPerInch(ppi);
    a.SetZoom(zoom);
    QCOMPARE(a.size(), pixels);
    TKivDrawPanel b;
    b.SetPixelsPerInch(ppi);
    b.SetZoom(zoom);
    b.SetPageWidth(mmWidth);
    b.SetPageHeight(mmHeight);
    QCOMPARE(b.size(), pixels);
  }

  void EqualWritesDoNothing() {
    QWidget host;
    host.resize(900, 1200);
    TKivDrawPanel page(&host);
    page.SetPixelsPerInch(96);
    page.SetPageWidth(210);
    page.SetPageHeight(297);
    page.show();
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    EventCounter counter;
    page.installEventFilter(&counter);
    page.SetZoom(100);
    page.SetPixelsPerInch(96);
    page.SetPageWidth(210);
    page.SetPageHeight(297);
    page.SetLeftMargin(5);
    page.SetGrid(true);
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);
    QCOMPARE(counter.resizes, 0);

    // A margin repaints at once and never resizes the page.
    page.SetRightMargin(20);
    QVERIFY(counter.paints > 0);
    QCOMPARE(counter.resizes, 0);
    QCOMPARE(page.size(), QSize(794, 1123));
  }

  void TickFontIsCopied() {
    TKivDrawPanel page;
    QFont font(QStringLiteral("Serif"), 11);
    page.SetTickFont(font);
    font.setPointSize(20);
    QCOMPARE(page.TickFont().pointSize(), 11);
  }

  void GridAtZoom50() {
    TKivDrawPanel page;
    SetUpGridPage(page, 50);
    QCOMPARE(page.size(), QSize(189, 189));
    const QImage img = RenderWidget(page);
    // 10 mm = 18.9 px -> 19, solid; 5 mm would be 9: no line there.
    for (int y = 1; y < 188; ++y) QCOMPARE(PixelAt(img, 19, y), kGrey);
    for (int x = 1; x < 188; ++x) QCOMPARE(PixelAt(img, x, 38), kGrey);
    for (int y = 1; y < 19; ++y) QCOMPARE(PixelAt(img, 9, y), kWhite);
    QCOMPARE(CountColour(img, platform::clBlack, img.rect()), 0);
  }

  void GridAtZoom51() {
    TKivDrawPanel page;
    SetUpGridPage(page, 51);
    QCOMPARE(page.size(), QSize(193, 193));
    const QImage img = RenderWidget(page);
    // 5 mm = 9.64 px -> 10, dotted: between the crossing lines at 10 and 19 it is broken.
    const int dots = CountColour(img, kGrey, QRect(10, 11, 1, 8));
    QVERIFY2(dots > 0 && dots < 8, qPrintable(QString::number(dots)));
    // 10 mm = 19.28 px -> 19, solid.
    QCOMPARE(CountColour(img, kGrey, QRect(19, 20, 1, 9)), 9);
    QCOMPARE(CountColour(img, kGrey, QRect(20, 19, 9, 1)), 9);
    // Label "1" right of the 10 mm line at the top, and at the left below the 10 mm row.
    QVERIFY(CountColour(img, platform::clBlack, QRect(20, 0, 9, 10)) > 0);
    QVERIFY(CountColour(img, platform::clBlack, QRect(1, 20, 9, 9)) > 0);
    // No label at the dotted 5 mm line.
    QCOMPARE(CountColour(img, platform::clBlack, QRect(11, 0, 8, 9)), 0);
  }

  void MarginRectangle() {
    TKivDrawPanel page;
    page.SetPixelsPerInch(96);
    page.SetPageWidth(210);
    page.SetPageHeight(297);
    page.SetGrid(false);
    const QImage img = RenderWidget(page);
    // 5 mm = 18.9 px -> 19; the right and bottom edges lie one pixel inside 794 - 19 and 1123 - 19.
    const QRect inner(20, 20, 774 - 20, 1103 - 20);
    const int left = CountColour(img, kBlue, QRect(19, inner.top(), 1, inner.height()));
    QVERIFY(left > inner.height() / 3 && left < inner.height());
    QVERIFY(CountColour(img, kBlue, QRect(774, inner.top(), 1, inner.height())) > 0);
    QVERIFY(CountColour(img, kBlue, QRect(inner.left(), 19, inner.width(), 1)) > 0);
    QVERIFY(CountColour(img, kBlue, QRect(inner.left(), 1103, inner.width(), 1)) > 0);
    QCOMPARE(CountColour(img, kBlue, QRect(775, 0, 1, img.height())), 0);
    QCOMPARE(CountColour(img, kBlue, QRect(0, 1104, img.width(), 1)), 0);
    QCOMPARE(CountColour(img, kBlue, inner), 0);
    // Grid off: nothing but the margins and white.
    QCOMPARE(CountColour(img, kGrey, img.rect()), 0);
    QCOMPARE(CountColour(img, kBlue, img.rect()) + CountColour(img, kWhite, img.rect()),
             img.width() * img.height());
  }

  void NonPositiveScaleDrawsNoGrid() {
    for (const int zoom : {0, -50}) {
      TKivDrawPanel page;
      page.SetPageWidth(100);
      page.SetPageHeight(100);
      page.SetZoom(zoom);
      page.resize(40, 40);
      const QImage img = RenderWidget(page);
      QCOMPARE(CountColour(img, kGrey, img.rect()), 0);
    }
  }

  void ZeroPageDrawsNothing() {
    TKivDrawPanel page;
    page.SetPageWidth(0);
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(0xFF123456);
    page.render(&img);
    QCOMPARE(img.pixel(5, 5), QRgb(0xFF123456));
  }
};

QTEST_MAIN(PageTest)
#include "page_test.moc"
