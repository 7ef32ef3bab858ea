// The seal element's defaults, its setters' side effects and its pixel geometry, with
// expected values worked out by hand from millimetres, zoom and resolution.

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>

#include "platform/numeric.h"
#include "seal/seal.h"

using namespace seal;
using platform::TColor;

namespace {

// A picture decoded from a BMP of the given pixels ($00BBGGRR), rows top to bottom.
void LoadBmp(platform::TPicture& picture, int width, int height, const std::vector<TColor>& pixels) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, platform::ToQRgb(pixels[size_t(y * width + x)]));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QVERIFY(image.save(&buffer, "BMP"));
  picture.LoadFromBytes(platform::TGraphicKind::Bitmap, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

// A seal at 10 px/mm and 100 %, where pixel values are easy to work out.
void AtTenPixelsPerMm(TSeal& s) {
  s.SetPixelsPerMm(10);
  s.SetZoom(100);
}

// A property as a number, whatever its type, beside its expected value.
struct DefaultRow {
  template <class A, class E>
  DefaultRow(const char* n, A a, E e)
      : name(n), actual(static_cast<long double>(a)), expected(static_cast<long double>(e)) {}
  const char* name;
  long double actual, expected;
};

struct Counts {
  int invalidates, rebuilds;
};
Counts CountsOf(const TSeal& s) { return {s.InvalidateCount(), s.CutLineRebuildCount()}; }

}  // namespace

class SealModelTest : public QObject {
  Q_OBJECT

 private slots:
  void defaults();
  void faceNames();
  void createdHiddenUnderAShownParent();
  void bounds_data();
  void bounds();
  void pixelsForDrawing();
  void boundsBeyondWhatAWidgetTakes();
  void recomputeBoundsForANewResolution();
  void equalValuesDoNothingChangesRepaint_data();
  void equalValuesDoNothingChangesRepaint();
  void penColourDrivesBrushColour();
  void rowColCountOfZeroRefitsATextBlock();
  void rowColCountNeitherGrowingNorFittingRepaints();
  void columnBlockWidensToItsGlyphs();
  void rowColTurnsABlockAboutItsCorner();
  void realTextLengthIgnoredOnFrameKinds();
  void slantedAngleAndBounds();
  void slantedAngleQuadrantFromTheNormalisedOldAngle();
  void slantedWithoutLengthKeepsItsAngle();
  void zeroScaleKeepsTheCentre();
  void pixelsPerMmMovesButKeepsTheSize();
  void zoomRebuildsTheCutLines();
  void lineCountBounds();
  void pictureRecolouring_data();
  void pictureRecolouring();
  void pictureKeptAndDropped();
  void mouseEventsReachTheHandlers();
};

void SealModelTest::defaults() {
  TSeal s;
  const int screenPpi =
      QGuiApplication::primaryScreen() ? platform::Round(QGuiApplication::primaryScreen()->logicalDotsPerInch()) : 96;
  const DefaultRow rows[] = {
      {"SealType", s.SealType(), stName22},
      {"PenColor", s.PenColor(), 0x0000FF},
      {"BrushColor", s.BrushColor(), 0x0000FF},
      {"BrushStyle", s.BrushStyle(), platform::bsClear},
      {"HaveImage", s.HaveImage(), false},
      {"ImageIsStar", s.ImageIsStar(), false},
      {"PicClrChange", s.PicClrChange(), true},
      {"PicTransParnt", s.PicTransParnt(), true},
      {"ImageWidth", s.ImageWidth(), 12},
      {"ImageHeight", s.ImageHeight(), 12},
      {"ImageCenterX", s.ImageCenterX(), 0},
      {"ImageCenterY", s.ImageCenterY(), 0},
      {"PenWidth3", s.PenWidth3(), 0},
      {"RealWidth", s.RealWidth(), 42},
      {"RealHeight", s.RealHeight(), 42},
      {"RealCenterX", s.RealCenterX(), 0},
      {"RealCenterY", s.RealCenterY(), 0},
      {"Zoom", s.Zoom(), 1},
      {"PixelsPerMm", s.PixelsPerMm(), screenPpi},
      {"RealTextLength", s.RealTextLength(), 0},
      {"NameSealFrameType", s.NameSealFrameType(), ftRectangle},
      {"PenWidth", s.PenWidth(), 1.2f},
      {"PenWidth1", s.PenWidth1(), 0},
      {"PenWidth2", s.PenWidth2(), 0},
      {"OutInDelta", s.OutInDelta(), 0.8f},
      {"InDelta", s.InDelta(), 8},
      {"RealSR", s.RealSR(), 0},
      {"LineCount", s.LineCount(), 0},
      {"LineWidth", s.LineWidth(), 0.08f},
      {"LineAngle", s.LineAngle(), 3000},
      {"LineType", s.LineType(), false},
      {"InSide", s.InSide(), true},
      {"OutSide", s.OutSide(), true},
      {"CLWidth", s.CLWidth(), 20},
      {"CLHeight", s.CLHeight(), 6},
      {"CLineCenterX", s.CLineCenterX(), 0},
      {"CLineCenterY", s.CLineCenterY(), 0},
      {"LineABW", s.LineABW(), 0},
      {"PenWidth4", s.PenWidth4(), 0},
      {"IsZhuanLunA", s.IsZhuanLunA(), false},
      {"CodeOn", s.CodeOn(), true},
      {"CodeTopOrDown", s.CodeTopOrDown(), false},
      {"CodeWidth", s.CodeWidth(), 0.8f},
      {"CodeHeight", s.CodeHeight(), 1.1f},
      {"CodeToFrame", s.CodeToFrame(), 0.8f},
      {"CodeLength", s.CodeLength(), 16},
      {"CodeAngle", s.CodeAngle(), 600},
      {"CodeWeight", s.CodeWeight(), 700},
      {"CodePenWidth", s.CodePenWidth(), 0},
      {"CBlank", s.CBlank(), false},
      {"CBold", s.CBold(), false},
      {"CItalic", s.CItalic(), false},
      {"TextWidth", s.TextWidth(), 4.5f},
      {"TextWidth1", s.TextWidth1(), 3},
      {"TextWidth2", s.TextWidth2(), 4},
      {"TextWidth3", s.TextWidth3(), 3.5f},
      {"TextHeight", s.TextHeight(), 7.5f},
      {"TextHeight1", s.TextHeight1(), 5},
      {"TextHeight2", s.TextHeight2(), 6},
      {"TextHeight3", s.TextHeight3(), 5.5f},
      {"TextsWidth", s.TextsWidth(), 39},
      {"TextsWidth1", s.TextsWidth1(), 25},
      {"TextsWidth2", s.TextsWidth2(), 25},
      {"TextsWidth3", s.TextsWidth3(), 39},
      {"TextsHeight", s.TextsHeight(), 39},
      {"TextsHeight1", s.TextsHeight1(), 25},
      {"TextsHeight2", s.TextsHeight2(), 25},
      {"TextsHeight3", s.TextsHeight3(), 39},
      {"TextCenterX", s.TextCenterX(), 0},
      {"TextCenterX1", s.TextCenterX1(), 0},
      {"TextCenterX2", s.TextCenterX2(), 0},
      {"TextCenterX3", s.TextCenterX3(), 0},
      {"TextCenterY", s.TextCenterY(), 0},
      {"TextCenterY1", s.TextCenterY1(), 0},
      {"TextCenterY2", s.TextCenterY2(), 7},
      {"TextCenterY3", s.TextCenterY3(), 14},
      {"TextWeight", s.TextWeight(), 700},
      {"TextWeight1", s.TextWeight1(), 700},
      {"TextWeight2", s.TextWeight2(), 700},
      {"TextWeight3", s.TextWeight3(), 700},
      {"TextAngle", s.TextAngle(), 2600},
      {"TextAngle1", s.TextAngle1(), 2600},
      {"TextAngle2", s.TextAngle2(), 900},
      {"TextAngle3", s.TextAngle3(), 900},
      {"TextPenWidth", s.TextPenWidth(), 0},
      {"TextPenWidth3", s.TextPenWidth3(), 0},
      {"IsEllipse", s.IsEllipse(), true},
      {"IsEllipse1", s.IsEllipse1(), false},
      {"IsEllipse2", s.IsEllipse2(), false},
      {"IsEllipse3", s.IsEllipse3(), false},
      {"TopOrDown", s.TopOrDown(), true},
      {"TopOrDown1", s.TopOrDown1(), true},
      {"TopOrDown2", s.TopOrDown2(), false},
      {"TopOrDown3", s.TopOrDown3(), false},
      {"RowColCount", s.RowColCount(), 1},
      {"RowColCount1", s.RowColCount1(), 1},
      {"RowColCount2", s.RowColCount2(), 1},
      {"RowColCount3", s.RowColCount3(), 1},
      {"RowCol", s.RowCol(), true},
      {"RowCol3", s.RowCol3(), true},
      {"LeftRight", s.LeftRight(), true},
      {"LeftRight3", s.LeftRight3(), true},
      {"Blank", s.Blank(), false},
      {"Italic", s.Italic(), false},
      {"Bold", s.Bold(), false},
      {"Bold3", s.Bold3(), false},
      {"Left", s.Left(), 0},
      {"Top", s.Top(), 0},
      {"Width", s.Width(), 0},
      {"Height", s.Height(), 0},
      {"CutLinePoints", s.CutLinePoints().size(), 0},
      {"Visible", s.isVisible(), false},
  };
  for (const DefaultRow& row : rows)
    QVERIFY2(
        row.actual == row.expected,
        qPrintable(QStringLiteral("%1 is %2, not %3").arg(row.name).arg(double(row.actual)).arg(double(row.expected))));
  QVERIFY(s.Text().empty() && s.Text3().empty() && s.Code().empty() && s.Image().empty());
  QVERIFY(!s.Picture().HasGraphic());
  QVERIFY(s.RecolourBitmap() == nullptr);
}

void SealModelTest::faceNames() {
  TSeal s;
  // 宋体 and 黑体 in GBK, then zeros to the end of the 64 bytes.
  TFaceName song{}, hei{};
  const unsigned char songBytes[] = {0xCB, 0xCE, 0xCC, 0xE5}, heiBytes[] = {0xBA, 0xDA, 0xCC, 0xE5};
  std::copy(std::begin(songBytes), std::end(songBytes), song.begin());
  std::copy(std::begin(heiBytes), std::end(heiBytes), hei.begin());
  QVERIFY(s.TextFontName() == song && s.TextFontName1() == song && s.TextFontName2() == song &&
          s.TextFontName3() == song);
  QVERIFY(s.CodeFontName() == hei);

  // All 64 bytes count: a difference after the terminator is a change.
  TFaceName tail = song;
  tail[63] = 'x';
  const Counts before = CountsOf(s);
  s.SetTextFontName(song);
  QCOMPARE(s.InvalidateCount(), before.invalidates);
  s.SetTextFontName(tail);
  QCOMPARE(s.InvalidateCount(), before.invalidates + 1);
  QVERIFY(s.TextFontName() == tail);
}

void SealModelTest::createdHiddenUnderAShownParent() {
  QWidget page;
  page.resize(200, 200);
  page.show();
  TSeal s(&page);
  QVERIFY(!s.isVisible());
  QVERIFY(!s.autoFillBackground());
  QVERIFY(s.testAttribute(Qt::WA_NoSystemBackground));
  QCOMPARE(s.parentWidget(), &page);
}

void SealModelTest::bounds_data() {
  QTest::addColumn<float>("ppm");
  QTest::addColumn<int>("zoom");
  QTest::addColumn<float>("mm");
  QTest::addColumn<float>("centre");
  QTest::addColumn<int>("size");
  QTest::addColumn<int>("corner");
  // 96 dpi as Single: 42 x 3.7795277 = 158.74; corner -21 x 3.7795277 = -79.37.
  QTest::newRow("42 mm at 96 dpi") << 3.7795277f << 100 << 42.f << 0.f << 159 << -79;
  // 600 / 25.4 = 23.622047: 992.13 and -496.06.
  QTest::newRow("42 mm at 600 dpi") << float(600 / 25.4) << 100 << 42.f << 0.f << 992 << -496;
  // Halves go to the even neighbour.
  QTest::newRow("4.25 mm ties down") << 10.f << 100 << 4.25f << 0.f << 42 << -21;
  QTest::newRow("4.75 mm ties up") << 10.f << 100 << 4.75f << 0.f << 48 << -24;
  QTest::newRow("corner at -2.5 px") << 10.f << 100 << 1.f << 0.25f << 10 << -2;
  QTest::newRow("corner at -3.5 px") << 10.f << 20 << 4.f << 0.25f << 8 << -4;
  // 42 mm centred at 30 mm: corner at 9 mm.
  QTest::newRow("zoom 50") << 10.f << 50 << 42.f << 30.f << 210 << 45;
  QTest::newRow("zoom 100") << 10.f << 100 << 42.f << 30.f << 420 << 90;
  QTest::newRow("zoom 250") << 10.f << 250 << 42.f << 30.f << 1050 << 225;
}

void SealModelTest::bounds() {
  QFETCH(float, ppm);
  QFETCH(int, zoom);
  QFETCH(float, mm);
  QFETCH(float, centre);
  QFETCH(int, size);
  QFETCH(int, corner);

  // Sizes first and the scale last, as the seal reader sets them...
  TSeal a;
  a.SetRealWidth(mm);
  a.SetRealHeight(mm);
  a.SetRealCenterX(centre);
  a.SetRealCenterY(centre);
  a.SetPixelsPerMm(ppm);
  a.SetZoom(zoom);
  // ... or the scale first and the sizes after, as a new element gets them.
  TSeal b;
  b.SetPixelsPerMm(ppm);
  b.SetZoom(zoom);
  b.SetRealWidth(mm);
  b.SetRealHeight(mm);
  b.SetRealCenterX(centre);
  b.SetRealCenterY(centre);
  for (const TSeal* s : {&a, &b}) {
    QCOMPARE(s->Width(), size);
    QCOMPARE(s->Height(), size);
    QCOMPARE(s->Left(), corner);
    QCOMPARE(s->Top(), corner);
    QCOMPARE(s->geometry(), QRect(corner, corner, size, size));
  }
}

void SealModelTest::pixelsForDrawing() {
  TSeal s;
  s.SetPixelsPerMm(10);
  s.SetZoom(250);
  QCOMPARE(double(s.Scale()), 25.0);
  // 1.7 mm x 25 = 42.5 as Single (1.70000005): just above the half.
  QCOMPARE(s.MmToPixels(1.7f), 43);
  QCOMPARE(s.MmToPixels(0.5L), 12);
  QCOMPARE(s.MmToPixels(-0.5L), -12);
  // Hundredths of a millimetre: 10 x 25 / 100 = 2.5 and 14 x 25 / 100 = 3.5.
  QCOMPARE(s.HundredthsToPixels(10), 2);
  QCOMPARE(s.HundredthsToPixels(14), 4);
}

void SealModelTest::boundsBeyondWhatAWidgetTakes() {
  TSeal s;
  s.SetPixelsPerMm(1e6f);
  s.SetZoom(100);
  s.SetRealCenterX(-100);
  // 42e6 px wide with its corner at -121e6 px: the model keeps them, the widget is clamped.
  QCOMPARE(s.Width(), 42000000);
  QCOMPARE(s.Left(), -121000000);
  QCOMPARE(s.geometry().width(), QWIDGETSIZE_MAX);
  QCOMPARE(s.geometry().left(), -QWIDGETSIZE_MAX);
  s.SetRealWidth(-5);
  QCOMPARE(s.Width(), -5000000);
  QCOMPARE(s.geometry().width(), 0);
}

void SealModelTest::recomputeBoundsForANewResolution() {
  TSeal s;
  s.SetPixelsPerMm(3.7795277f);
  s.SetZoom(100);
  s.SetSealType(stRect);
  s.SetLineCount(4);
  QCOMPARE(s.Width(), 159);
  // A printer at 600 dpi: the scale moves the corner but keeps the size ...
  s.SetPixelsPerMm(float(600 / 25.4));
  QCOMPARE(s.Width(), 159);
  QCOMPARE(s.Left(), -496);
  // ... and Zoom is already 100, so only the explicit recompute resizes.
  s.SetZoom(100);
  QCOMPARE(s.Width(), 159);
  const Counts before = CountsOf(s);
  s.RecomputeBounds();
  QCOMPARE(s.Width(), 992);
  QCOMPARE(s.Height(), 992);
  QCOMPARE(s.CutLineRebuildCount(), before.rebuilds + 1);
  QVERIFY(s.InvalidateCount() > before.invalidates);
  // The outer ends of a square's four lines sit at its corners, one pixel out.
  QCOMPARE(s.CutLinePoints().at(1).X, 993);
}

void SealModelTest::equalValuesDoNothingChangesRepaint_data() {
  using Change = std::function<void(TSeal&, bool)>;
  QTest::addColumn<Change>("change");
  QTest::addColumn<bool>("rebuilds");
  const auto row = [](const char* name, Change change, bool rebuilds) { QTest::newRow(name) << change << rebuilds; };
  // Store and repaint.
  row(
      "Text", [](TSeal& s, bool c) { s.SetText(c ? "A" : s.Text()); }, false);
  row(
      "Code", [](TSeal& s, bool c) { s.SetCode(c ? "12" : s.Code()); }, false);
  row(
      "BrushColor", [](TSeal& s, bool c) { s.SetBrushColor(c ? 0x00FF00 : s.BrushColor()); }, false);
  row(
      "BrushStyle", [](TSeal& s, bool c) { s.SetBrushStyle(c ? platform::bsSolid : s.BrushStyle()); }, false);
  row(
      "CodeWidth", [](TSeal& s, bool c) { s.SetCodeWidth(c ? 2.f : s.CodeWidth()); }, false);
  row(
      "TextsHeight2", [](TSeal& s, bool c) { s.SetTextsHeight2(c ? 2.f : s.TextsHeight2()); }, false);
  row(
      "CodeAngle", [](TSeal& s, bool c) { s.SetCodeAngle(c ? 1 : s.CodeAngle()); }, false);
  row(
      "RowColCount3", [](TSeal& s, bool c) { s.SetRowColCount3(c ? 3 : s.RowColCount3()); }, false);
  row(
      "Italic2", [](TSeal& s, bool c) { s.SetItalic2(c ? true : s.Italic2()); }, false);
  row(
      "IsEllipse", [](TSeal& s, bool c) { s.SetIsEllipse(c ? false : s.IsEllipse()); }, false);
  // Store, rebuild the cut lines, repaint.
  row(
      "SealType", [](TSeal& s, bool c) { s.SetSealType(c ? stEllipse : s.SealType()); }, true);
  row(
      "LineAngle", [](TSeal& s, bool c) { s.SetLineAngle(c ? 900 : s.LineAngle()); }, true);
  row(
      "NameSealFrameType", [](TSeal& s, bool c) { s.SetNameSealFrameType(c ? ftEllipse : s.NameSealFrameType()); },
      true);
  row(
      "InSide", [](TSeal& s, bool c) { s.SetInSide(c ? false : s.InSide()); }, true);
  row(
      "OutSide", [](TSeal& s, bool c) { s.SetOutSide(c ? false : s.OutSide()); }, true);
  row(
      "CodeTopOrDown", [](TSeal& s, bool c) { s.SetCodeTopOrDown(c ? true : s.CodeTopOrDown()); }, true);
  row(
      "LineCount", [](TSeal& s, bool c) { s.SetLineCount(c ? 7 : s.LineCount()); }, true);
  row(
      "PenWidth", [](TSeal& s, bool c) { s.SetPenWidth(c ? 2.f : s.PenWidth()); }, true);
  row(
      "RealWidth", [](TSeal& s, bool c) { s.SetRealWidth(c ? 30.f : s.RealWidth()); }, true);
  row(
      "RealHeight", [](TSeal& s, bool c) { s.SetRealHeight(c ? 30.f : s.RealHeight()); }, true);
  row(
      "Zoom", [](TSeal& s, bool c) { s.SetZoom(c ? 150 : s.Zoom()); }, true);
  // Their own rules, none of which rebuilds the cut lines.
  row(
      "PenColor", [](TSeal& s, bool c) { s.SetPenColor(c ? 0xFF0000 : s.PenColor()); }, false);
  row(
      "PicTransParnt", [](TSeal& s, bool c) { s.SetPicTransParnt(c ? false : s.PicTransParnt()); }, false);
  row(
      "PicClrChange", [](TSeal& s, bool c) { s.SetPicClrChange(c ? false : s.PicClrChange()); }, false);
  row(
      "HaveImage", [](TSeal& s, bool c) { s.SetHaveImage(c ? true : s.HaveImage()); }, false);
  row(
      "ImageIsStar", [](TSeal& s, bool c) { s.SetImageIsStar(c ? true : s.ImageIsStar()); }, false);
  row(
      "TextWidth", [](TSeal& s, bool c) { s.SetTextWidth(c ? 9.f : s.TextWidth()); }, false);
  row(
      "TextHeight", [](TSeal& s, bool c) { s.SetTextHeight(c ? 9.f : s.TextHeight()); }, false);
  row(
      "RowCol", [](TSeal& s, bool c) { s.SetRowCol(c ? false : s.RowCol()); }, false);
  row(
      "RowColCount", [](TSeal& s, bool c) { s.SetRowColCount(c ? 4 : s.RowColCount()); }, false);
  row(
      "TextAngle", [](TSeal& s, bool c) { s.SetTextAngle(c ? 100 : s.TextAngle()); }, false);
  row(
      "RealCenterX", [](TSeal& s, bool c) { s.SetRealCenterX(c ? 5.f : s.RealCenterX()); }, false);
  row(
      "RealCenterY", [](TSeal& s, bool c) { s.SetRealCenterY(c ? 5.f : s.RealCenterY()); }, false);
  row(
      "PixelsPerMm", [](TSeal& s, bool c) { s.SetPixelsPerMm(c ? 20.f : s.PixelsPerMm()); }, false);
}

void SealModelTest::equalValuesDoNothingChangesRepaint() {
  using Change = std::function<void(TSeal&, bool)>;
  QFETCH(Change, change);
  QFETCH(bool, rebuilds);
  TSeal s;
  AtTenPixelsPerMm(s);
  s.SetSealType(stRect);
  s.SetRealCenterX(40);
  s.SetRealCenterY(30);
  s.SetLineCount(4);
  const QRect bounds(s.Left(), s.Top(), s.Width(), s.Height());
  const TArrayPoints points = s.CutLinePoints();

  Counts before = CountsOf(s);
  change(s, false);
  QCOMPARE(s.InvalidateCount(), before.invalidates);
  QCOMPARE(s.CutLineRebuildCount(), before.rebuilds);
  QCOMPARE(QRect(s.Left(), s.Top(), s.Width(), s.Height()), bounds);
  QVERIFY(s.CutLinePoints() == points);

  before = CountsOf(s);
  change(s, true);
  QVERIFY(s.InvalidateCount() > before.invalidates);
  QCOMPARE(s.CutLineRebuildCount(), before.rebuilds + (rebuilds ? 1 : 0));
}

void SealModelTest::penColourDrivesBrushColour() {
  TSeal s;
  s.SetBrushColor(0x00FF00);
  const Counts before = CountsOf(s);
  s.SetPenColor(0x0000FF);
  QCOMPARE(s.BrushColor(), TColor(0x00FF00));
  QCOMPARE(s.InvalidateCount(), before.invalidates);
  s.SetPenColor(0xFF0000);
  QCOMPARE(s.PenColor(), TColor(0xFF0000));
  QCOMPARE(s.BrushColor(), TColor(0xFF0000));
  s.SetBrushColor(0x123456);
  QCOMPARE(s.PenColor(), TColor(0xFF0000));
}

void SealModelTest::rowColCountOfZeroRefitsATextBlock() {
  TSeal block;
  AtTenPixelsPerMm(block);
  block.SetSealType(stHorzText);
  // A 20 x 20 block of one row: the count 0 is stored as 1 and the row fits its glyphs.
  block.SetRowColCount(2);
  block.SetRealWidth(20);
  block.SetRealHeight(20);
  block.SetRowColCount(0);
  QCOMPARE(block.RowColCount(), 1);
  QCOMPARE(block.RealHeight(), 7.5f);
  QCOMPARE(block.Height(), 75);
  QCOMPARE(block.RealWidth(), 20.f);

  TSeal frame;
  AtTenPixelsPerMm(frame);
  frame.SetRowColCount(2);
  const Counts before = CountsOf(frame);
  frame.SetRowColCount(0);
  QCOMPARE(frame.RowColCount(), 1);
  QCOMPARE(frame.Height(), 420);
  QCOMPARE(frame.InvalidateCount(), before.invalidates + 1);
  QCOMPARE(frame.CutLineRebuildCount(), before.rebuilds);
}

void SealModelTest::rowColCountNeitherGrowingNorFittingRepaints() {
  TSeal s;
  AtTenPixelsPerMm(s);
  s.SetSealType(stHorzText);
  // Three rows of 7.5 mm glyphs fit in 42 mm either way: nothing moves, yet it repaints.
  const Counts before = CountsOf(s);
  s.SetRowColCount(3);
  QCOMPARE(s.RowColCount(), 3);
  QCOMPARE(s.RealWidth(), 42.f);
  QCOMPARE(s.RealHeight(), 42.f);
  QVERIFY(s.InvalidateCount() > before.invalidates);
}

void SealModelTest::columnBlockWidensToItsGlyphs() {
  TSeal s;
  AtTenPixelsPerMm(s);
  s.SetSealType(stHorzText);
  s.SetRowCol(false);
  s.SetRowColCount(2);
  s.SetRealWidth(3);
  QCOMPARE(s.TextWidth(), 4.5f);
  // One column of 4.5 mm glyphs in 3 mm: 4.5 + 0.2 through the width setter, which keeps
  // a one-column block's glyph width equal to its width.
  s.SetRowColCount(1);
  QCOMPARE(s.RealWidth(), 4.7f);
  QCOMPARE(s.TextWidth(), 4.7f);
  QCOMPARE(s.Width(), 47);
}

void SealModelTest::rowColTurnsABlockAboutItsCorner() {
  TSeal s;
  AtTenPixelsPerMm(s);
  s.SetSealType(stHorzText);
  s.SetRowColCount(2);
  s.SetRealWidth(20);
  s.SetRealHeight(8);
  s.SetRealCenterX(50);
  s.SetRealCenterY(30);
  QCOMPARE(QRect(s.Left(), s.Top(), s.Width(), s.Height()), QRect(400, 260, 200, 80));
  s.SetRowCol(false);
  QCOMPARE(s.RealWidth(), 8.f);
  QCOMPARE(s.RealHeight(), 20.f);
  QCOMPARE(QRect(s.Left(), s.Top(), s.Width(), s.Height()), QRect(400, 260, 80, 200));
  QCOMPARE(s.RealCenterX(), 44.f);
  QCOMPARE(s.RealCenterY(), 36.f);

  // A square block looks the same turned, but the layout inside has changed.
  s.SetRealWidth(10);
  s.SetRealHeight(10);
  const Counts before = CountsOf(s);
  s.SetRowCol(true);
  QCOMPARE(s.InvalidateCount(), before.invalidates + 1);
  QCOMPARE(s.Width(), 100);
}

void SealModelTest::realTextLengthIgnoredOnFrameKinds() {
  TSeal s;
  s.SetSealType(stRect);
  const Counts before = CountsOf(s);
  s.SetRealTextLength(25);
  QCOMPARE(s.RealTextLength(), 0.f);
  QCOMPARE(s.InvalidateCount(), before.invalidates);
}

void SealModelTest::slantedAngleAndBounds() {
  TSeal s;
  AtTenPixelsPerMm(s);
  s.SetSealType(stAnyAngleLine);
  s.SetRealTextLength(20);
  // 30 degrees: 20 cos 30 = 17.32 mm by 10 mm.
  s.SetTextAngle(300);
  QCOMPARE(s.Width(), 173);
  QCOMPARE(s.Height(), 100);
  const QRect at300(s.Left(), s.Top(), s.Width(), s.Height());
  // 150 degrees has the same bounds; only the angle tells the direction.
  const Counts before = CountsOf(s);
  s.SetTextAngle(1500);
  QCOMPARE(QRect(s.Left(), s.Top(), s.Width(), s.Height()), at300);
  QCOMPARE(s.InvalidateCount(), before.invalidates + 1);
  QCOMPARE(s.CutLineRebuildCount(), before.rebuilds);

  // At 120 degrees: 10 x 17.32 mm; widening to 17.32 x sqrt 3 = 30 mm doubles the length
  // to 34.64 mm at 30 degrees from the horizontal, in the second quadrant.
  s.SetTextAngle(1200);
  QCOMPARE(s.Width(), 100);
  QCOMPARE(s.Height(), 173);
  s.SetRealWidth(float(s.RealHeight() * std::sqrt(3.0L)));
  QCOMPARE(s.TextAngle(), 1500);
  QVERIFY(std::fabs(s.RealTextLength() - 2 * s.RealHeight()) < 1e-4f);
  QCOMPARE(s.Width(), 300);
}

void SealModelTest::slantedAngleQuadrantFromTheNormalisedOldAngle() {
  struct Row {
    int oldAngle, expected;
  } rows[] = {
      {-900, 3150},  // -90 degrees is 270: fourth quadrant
      {4000, 450},   // 400 degrees is 40: first quadrant
      {3600, 450},   // a full turn is east
      {1000, 1350}, {2000, 2250},
  };
  for (const Row& row : rows) {
    TSeal s;
    AtTenPixelsPerMm(s);
    s.SetSealType(stAnyAngleText);
    s.SetRealTextLength(10);
    s.SetTextAngle(row.oldAngle);
    // A square box is 45 degrees from the horizontal.
    s.SetRealWidth(9);
    s.SetRealHeight(9);
    QCOMPARE(s.TextAngle(), row.expected);
  }
}

void SealModelTest::slantedWithoutLengthKeepsItsAngle() {
  TSeal s;
  AtTenPixelsPerMm(s);
  s.SetSealType(stAnyAngleLine);
  s.SetTextAngle(1350);  // no length yet: a box of nothing
  QCOMPARE(s.RealWidth(), 0.f);
  QCOMPARE(s.RealHeight(), 0.f);
  s.SetRealHeight(5);  // straight up in the second quadrant: 1800 - 900
  QCOMPARE(s.TextAngle(), 900);
  s.SetRealHeight(0);
  QCOMPARE(s.TextAngle(), 900);
  QCOMPARE(s.RealTextLength(), 0.f);

  // A width that is not a number reaches neither the angle nor a pixel value.
  s.SetRealCenterX(12);
  s.SetRealWidth(std::numeric_limits<float>::quiet_NaN());
  QCOMPARE(s.TextAngle(), 900);
  QCOMPARE(s.Width(), 0);
  QCOMPARE(s.RealCenterX(), 12.f);
}

void SealModelTest::zeroScaleKeepsTheCentre() {
  TSeal s;
  AtTenPixelsPerMm(s);
  s.SetRealCenterX(30);
  s.SetRealCenterY(20);
  s.SetZoom(0);
  QCOMPARE(s.Width(), 0);
  s.SetRealWidth(10);
  s.SetRealHeight(10);
  s.SetSealType(stHorzText);
  s.SetRowColCount(9);
  QCOMPARE(s.RealCenterX(), 30.f);
  QCOMPARE(s.RealCenterY(), 20.f);
  QCOMPARE(s.Left(), 0);
}

void SealModelTest::pixelsPerMmMovesButKeepsTheSize() {
  TSeal s;
  AtTenPixelsPerMm(s);
  s.SetRealCenterX(50);
  s.SetRealCenterY(40);
  const Counts before = CountsOf(s);
  s.SetPixelsPerMm(20);
  QCOMPARE(s.Left(), 580);  // (50 - 21) x 20
  QCOMPARE(s.Top(), 380);   // (40 - 21) x 20
  QCOMPARE(s.Width(), 420);
  QCOMPARE(s.Height(), 420);
  QCOMPARE(s.CutLineRebuildCount(), before.rebuilds);
}

void SealModelTest::zoomRebuildsTheCutLines() {
  TSeal s;
  s.SetSealType(stRect);
  s.SetPixelsPerMm(10);
  s.SetRealWidth(10);
  s.SetRealHeight(10);
  s.SetPenWidth(0.8f);
  s.SetInSide(false);
  s.SetOutSide(false);
  s.SetLineCount(4);
  s.SetZoom(100);
  // 100 x 100 px, pw 8, ends inside the band.
  const TArrayPoints at100 = {{2, 2}, {98, 2}, {98, 98}, {2, 98}, {6, 6}, {94, 6}, {94, 98}, {6, 94}};
  QVERIFY(s.CutLinePoints() == at100);
  // 200 x 200 px, pw 16: so = si = 4, outer spacing (800 - 32) / 4 = 192.
  s.SetZoom(200);
  QCOMPARE(s.CutLinePoints().size(), size_t(8));
  QCOMPARE(s.CutLinePoints()[0], (TPoint{4, 4}));
  QCOMPARE(s.CutLinePoints()[1], (TPoint{196, 4}));
  QCOMPARE(s.CutLinePoints()[2], (TPoint{196, 196}));
  QCOMPARE(s.CutLinePoints()[3], (TPoint{4, 196}));
}

void SealModelTest::lineCountBounds() {
  TSeal frame;
  AtTenPixelsPerMm(frame);
  frame.SetSealType(stEllipse);
  frame.SetLineCount(6);
  QCOMPARE(frame.CutLinePoints().size(), size_t(12));
  frame.SetLineCount(-3);
  QVERIFY(frame.CutLinePoints().empty());
  frame.SetLineCount(2000000000);
  QCOMPARE(frame.CutLinePoints().size(), size_t(2 * kMaxCutLines));

  // The free kinds have no cut lines to build: the array only follows the count.
  TSeal line;
  line.SetSealType(stHorzLine);
  line.SetLineCount(5);
  QCOMPARE(line.CutLinePoints().size(), size_t(5));
  line.SetLineCount(2000000000);
  QCOMPARE(line.CutLinePoints().size(), size_t(kMaxCutLines));
  line.SetLineCount(0);
  QVERIFY(line.CutLinePoints().empty());
}

void SealModelTest::pictureRecolouring_data() {
  QTest::addColumn<bool>("recolour");
  QTest::addColumn<bool>("transparent");
  QTest::addColumn<TColor>("penColor");
  QTest::addColumn<std::vector<TColor>>("expected");
  // Picture: black, white, grey on the top row; white (the bottom-left key), black, grey.
  // Black takes the fill, white stays, and $808080 OR red is (255, 128, 128).
  QTest::newRow("red") << true << true << TColor(0x0000FF)
                       << std::vector<TColor>{0x0000FF, 0xFFFFFF, 0x8080FF, 0xFFFFFF, 0x0000FF, 0x8080FF};
  QTest::newRow("blue, opaque") << true << false << TColor(0xFF0000)
                                << std::vector<TColor>{0xFF0000, 0xFFFFFF, 0xFF8080, 0xFFFFFF, 0xFF0000, 0xFF8080};
  QTest::newRow("own colours") << false << true << TColor(0x0000FF)
                               << std::vector<TColor>{0x000000, 0xFFFFFF, 0x808080, 0xFFFFFF, 0x000000, 0x808080};
}

void SealModelTest::pictureRecolouring() {
  QFETCH(bool, recolour);
  QFETCH(bool, transparent);
  QFETCH(TColor, penColor);
  QFETCH(std::vector<TColor>, expected);
  TSeal s;
  s.SetHaveImage(true);
  s.SetPicClrChange(recolour);
  s.SetPicTransParnt(transparent);
  s.SetPenColor(penColor);
  platform::TPicture picture;
  LoadBmp(picture, 3, 2, {0x000000, 0xFFFFFF, 0x808080, 0xFFFFFF, 0x000000, 0x808080});
  const Counts before = CountsOf(s);
  s.SetPicture(&picture);
  QVERIFY(s.InvalidateCount() > before.invalidates);
  const platform::TBitmap* bitmap = s.RecolourBitmap();
  QVERIFY(bitmap);
  QCOMPARE(bitmap->Width(), 3);
  QCOMPARE(bitmap->Height(), 2);
  for (int i = 0; i < 6; ++i) QCOMPARE(bitmap->Pixel(i % 3, i / 3), expected[size_t(i)]);
  QCOMPARE(bitmap->Transparent(), transparent);
  QCOMPARE(bitmap->TransparentColor(), expected[3]);
}

void SealModelTest::pictureKeptAndDropped() {
  TSeal s;
  s.SetHaveImage(true);
  platform::TPicture picture;
  LoadBmp(picture, 2, 1, {0x000000, 0xFFFFFF});
  s.SetPicture(&picture);
  QCOMPARE(s.RecolourBitmap()->Pixel(0, 0), TColor(0x0000FF));

  // A new seal colour recolours the picture; switching recolouring off shows its own.
  s.SetPenColor(0x00FF00);
  QCOMPARE(s.RecolourBitmap()->Pixel(0, 0), TColor(0x00FF00));
  s.SetPicClrChange(false);
  QCOMPARE(s.RecolourBitmap()->Pixel(0, 0), TColor(0x000000));
  s.SetPicClrChange(true);

  // Emptying the picture keeps the last recolouring; only the emblem setters free it.
  s.SetPicture(nullptr);
  QVERIFY(!s.Picture().HasGraphic());
  QVERIFY(s.RecolourBitmap());
  QCOMPARE(s.RecolourBitmap()->Pixel(0, 0), TColor(0x00FF00));

  // The star replaces the picture.
  s.SetPicture(&picture);
  s.SetImageIsStar(true);
  QVERIFY(s.HaveImage());
  QVERIFY(!s.Picture().HasGraphic());
  QVERIFY(!s.RecolourBitmap());
  // No emblem at all clears the star too.
  s.SetHaveImage(false);
  QVERIFY(!s.ImageIsStar());
  // Clearing the star keeps HaveImage: a picture emblem, empty until one is given.
  s.SetImageIsStar(true);
  s.SetImageIsStar(false);
  QVERIFY(s.HaveImage());
  s.SetPicture(&picture);
  QVERIFY(s.Picture().HasGraphic());
  s.SetHaveImage(false);
  QVERIFY(!s.Picture().HasGraphic());
  QVERIFY(!s.RecolourBitmap());
}

void SealModelTest::mouseEventsReachTheHandlers() {
  QWidget page;
  page.resize(300, 300);
  TSeal s(&page);
  AtTenPixelsPerMm(s);
  s.SetRealCenterX(10);
  s.SetRealCenterY(10);
  s.setVisible(true);
  page.show();
  QVERIFY(QTest::qWaitForWindowExposed(&page));

  QStringList log;
  s.OnMouseDown = [&](TSeal* sender, TMouseButton b, TShiftState shift, int x, int y) {
    QCOMPARE(sender, &s);
    log << QStringLiteral("down %1 %2 %3,%4").arg(int(b)).arg(int(bool(shift & ssLeft))).arg(x).arg(y);
  };
  s.OnMouseUp = [&](TSeal*, TMouseButton b, TShiftState, int x, int y) {
    log << QStringLiteral("up %1 %2,%3").arg(int(b)).arg(x).arg(y);
  };
  s.OnClick = [&](TSeal*) { log << QStringLiteral("click"); };
  QTest::mouseClick(&s, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
  QCOMPARE(log, QStringList({"down 0 1 30,40", "click", "up 0 30,40"}));
  log.clear();
  QTest::mouseClick(&s, Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
  QCOMPARE(log, QStringList({"down 1 0 5,6", "up 1 5,6"}));
}

QTEST_MAIN(SealModelTest)
#include "seal_model_test.moc"
