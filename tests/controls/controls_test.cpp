#include <QBuffer>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QtTest>

#include "controls/kivcontrols.h"
#include "pixels.h"
#include "platform/syscolors.h"

namespace {

void Enter(QWidget& w) {
  QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QCoreApplication::sendEvent(&w, &e);
}

void Leave(QWidget& w) {
  QEvent e(QEvent::Leave);
  QCoreApplication::sendEvent(&w, &e);
}

void LoadSolidPicture(platform::TPicture& picture, int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  picture.LoadFromBytes(platform::TGraphicKind::Bitmap, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

constexpr platform::TColor kGold = 0x40B0EF;
constexpr platform::TColor kBlue = 0xFF0000;
constexpr QRgb kUnder = 0xFF808080;

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void ButtonDefaults() {
    TKivButton b;
    QCOMPARE(b.size(), QSize(70, 22));
    QCOMPARE(b.Caption(), QStringLiteral("KivBtn"));
    QCOMPARE(b.BtnState(), TButtonState::bsUp);
  }

  void ButtonWidthByState_data() {
    QTest::addColumn<QList<int>>("states");
    QTest::addColumn<QList<int>>("widths");
    using S = TButtonState;
    QTest::newRow("down and up") << QList<int>{int(S::bsDown), int(S::bsUp)} << QList<int>{69, 60};
    QTest::newRow("down then active") << QList<int>{int(S::bsDown), int(S::bsActive)} << QList<int>{69, 60};
    QTest::newRow("down twice") << QList<int>{int(S::bsDown), int(S::bsDown)} << QList<int>{69, 69};
    QTest::newRow("active keeps width") << QList<int>{int(S::bsActive), int(S::bsUp)} << QList<int>{60, 60};
  }
  void ButtonWidthByState() {
    QFETCH(QList<int>, states);
    QFETCH(QList<int>, widths);
    TKivButton b;
    b.resize(60, 18);
    for (int i = 0; i < states.size(); ++i) {
      b.SetBtnState(TButtonState(states[i]));
      QCOMPARE(b.width(), widths[i]);
      QCOMPARE(b.height(), 18);
    }
  }

  void ButtonHoverAndPress() {
    QWidget host;
    TKivButton b(&host);
    Enter(b);
    QCOMPARE(b.BtnState(), TButtonState::bsActive);
    Leave(b);
    QCOMPARE(b.BtnState(), TButtonState::bsUp);

    QSignalSpy downs(&b, &TKivButton::MouseDown);
    QTest::mousePress(&b, Qt::RightButton);
    QCOMPARE(downs.count(), 1);
    QCOMPARE(b.BtnState(), TButtonState::bsUp);
    QTest::mousePress(&b, Qt::LeftButton);
    QCOMPARE(b.BtnState(), TButtonState::bsDown);
    QCOMPARE(b.width(), 70 + 11);
    Enter(b);
    Leave(b);
    QCOMPARE(b.BtnState(), TButtonState::bsDown);
    QTest::mousePress(&b, Qt::LeftButton);
    QCOMPARE(b.BtnState(), TButtonState::bsUp);
    QCOMPARE(downs.count(), 3);
  }

  void ButtonPaintsEachState() {
    TKivButton b;
    b.SetCaption(QStringLiteral("徽标集"));
    const QImage up = RenderWidget(b);
    // The slanted right side leaves the top right corner uncovered.
    QCOMPARE(up.pixel(68, 2), kUnder);
    QCOMPARE(PixelAt(up, 1, 10), platform::clBlack);
    b.SetBtnState(TButtonState::bsDown);
    const QImage down = RenderWidget(b);
    QCOMPARE(PixelAt(down, 2, 10), platform::clBlack);
    QCOMPARE(down.pixel(5, 5), platform::HighlightColor().rgb());
    b.SetBtnState(TButtonState::bsActive);
    const QImage active = RenderWidget(b);
    QCOMPARE(PixelAt(active, 2, 10), platform::clWhite);
    QCOMPARE(PixelAt(active, 10, 2), platform::clWhite);
  }

  void FitTable_data() {
    QTest::addColumn<QSize>("tile");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("drawn");
    QTest::newRow("fits: unscaled, centred") << QSize(50, 50) << QSize(40, 20) << QRect(5, 15, 40, 20);
    QTest::newRow("wide: fitted to the width") << QSize(50, 50) << QSize(200, 100) << QRect(2, 13, 46, 23);
    QTest::newRow("tall: fitted to the height") << QSize(50, 50) << QSize(100, 200) << QRect(13, 2, 23, 46);
    QTest::newRow("exact size") << QSize(50, 50) << QSize(50, 50) << QRect(0, 0, 50, 50);
    QTest::newRow("one pixel too wide") << QSize(50, 50) << QSize(51, 51) << QRect(2, 2, 46, 46);
    QTest::newRow("4 px tile") << QSize(4, 4) << QSize(10, 10) << QRect();
    QTest::newRow("4 px high tile") << QSize(50, 4) << QSize(100, 10) << QRect();
    QTest::newRow("fitted away to nothing") << QSize(10, 10) << QSize(100, 3) << QRect();
    QTest::newRow("empty picture") << QSize(50, 50) << QSize(0, 0) << QRect();
  }
  void FitTable() {
    QFETCH(QSize, tile);
    QFETCH(QSize, picture);
    QFETCH(QRect, drawn);
    QCOMPARE(TImagePreview::PictureRect(tile.width(), tile.height(), picture.width(), picture.height()), drawn);
  }

  void TileFrames() {
    TImagePreview tile;
    tile.resize(50, 50);
    LoadSolidPicture(tile.Picture(), 200, 100, 0xFF00FF00);
    QImage img = RenderWidget(tile, kUnder);
    QCOMPARE(img.pixel(2, 13), QRgb(0xFF00FF00));
    QCOMPARE(img.pixel(47, 35), QRgb(0xFF00FF00));
    QCOMPARE(img.pixel(25, 12), kUnder);  // nothing erased around the picture
    QCOMPARE(PixelAt(img, 1, 1), kGold);
    QCOMPARE(PixelAt(img, 48, 48), kGold);
    QCOMPARE(img.pixel(49, 49), kUnder);

    Enter(tile);
    QVERIFY(tile.Actived());
    img = RenderWidget(tile, kUnder);
    QCOMPARE(PixelAt(img, 1, 1), kBlue);

    QTest::mousePress(&tile, Qt::LeftButton);
    QVERIFY(tile.Selected());
    img = RenderWidget(tile, kUnder);
    QCOMPARE(img.pixel(2, 2), platform::HighlightColor().rgb());
    QCOMPARE(img.pixel(0, 0), platform::HighlightColor().rgb());
    QTest::mousePress(&tile, Qt::RightButton);
    QVERIFY(tile.Selected());
    QTest::mousePress(&tile, Qt::LeftButton);
    QVERIFY(!tile.Selected());
    Leave(tile);
    QVERIFY(!tile.Actived());
  }

  void TileWithoutPicture() {
    TImagePreview tile;
    tile.resize(30, 30);
    QImage img = RenderWidget(tile, kUnder);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x) QCOMPARE(img.pixel(x, y), kUnder);
    tile.SetActived(true);
    img = RenderWidget(tile, kUnder);
    int changed = 0;
    for (int x = 0; x < 30; ++x) changed += img.pixel(x, 0) != kUnder;
    QVERIFY(changed > 0 && changed < 30);
    QCOMPARE(img.pixel(15, 15), kUnder);
  }

  void TinyTileDrawsOnlyItsFrame() {
    TImagePreview tile;
    tile.resize(4, 4);
    LoadSolidPicture(tile.Picture(), 10, 10, 0xFF00FF00);
    const QImage img = RenderWidget(tile, kUnder);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) QVERIFY(img.pixel(x, y) != QRgb(0xFF00FF00));
  }

  void PictureIsCopied() {
    platform::TPicture source;
    LoadSolidPicture(source, 8, 6, 0xFFFF0000);
    TImagePreview tile;
    tile.SetPicture(source);
    source.Clear();
    QVERIFY(tile.Picture().HasGraphic());
    QCOMPARE(tile.Picture().Width(), 8);
  }

  void FlatPanel() {
    TKivFlatPanel panel;
    QCOMPARE(panel.size(), QSize(100, 22));
    QCOMPARE(panel.FrameWidth(), 6);
    const QRgb face = platform::ButtonFaceColor().rgb();

    panel.SetFrameWidth(1);
    panel.SetColorA(0x00FFFF);
    QImage img = RenderWidget(panel);
    QCOMPARE(PixelAt(img, 0, 10), platform::clBlack);
    QCOMPARE(img.pixel(3, 10), face);
    QCOMPARE(PixelAt(img, 6, 1), platform::clBlack);
    QCOMPARE(PixelAt(img, 99, 20), platform::clBlack);
    QCOMPARE(PixelAt(img, 50, 10), platform::TColor(0x00FFFF));
    QCOMPARE(img.pixel(50, 0), face);
    QCOMPARE(img.pixel(50, 21), face);

    panel.SetFrameWidth(0);
    panel.SetPenColor(0x808000);
    panel.SetColorA(platform::clWhite);
    img = RenderWidget(panel);
    QCOMPARE(PixelAt(img, 0, 0), platform::TColor(0x808000));
    QCOMPARE(PixelAt(img, 99, 21), platform::TColor(0x808000));
    QCOMPARE(PixelAt(img, 50, 10), platform::clWhite);

    panel.SetPanelStyle(TPanelStyle::psDefault);
    img = RenderWidget(panel);
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < 100; ++x) QCOMPARE(img.pixel(x, y), face);
  }

  void ImageExReportsEnterAndLeave() {
    TImageEx image;
    QSignalSpy enters(&image, &TImageEx::MouseEnter);
    QSignalSpy leaves(&image, &TImageEx::MouseLeave);
    Enter(image);
    Leave(image);
    QCOMPARE(enters.count(), 1);
    QCOMPARE(leaves.count(), 1);
    QCOMPARE(enters.at(0).at(0).value<QObject*>(), &image);
  }

  void StatusPanelsSurviveMessages() {
    TKivStatusBar bar;
    bar.resize(600, 24);
    bar.AddPanel(QStringLiteral("a"), 100);
    bar.AddPanel(QStringLiteral("b"), 50);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.showMessage(QStringLiteral("transient"));
    QCoreApplication::processEvents();
    QVERIFY(bar.Panel(0)->isVisible());
    QCOMPARE(bar.PanelText(1), QStringLiteral("b"));
    QCOMPARE(bar.PanelWidth(0), 100);
    bar.SetPanelWidth(1, 70);
    QCOMPARE(bar.PanelWidth(1), 70);
  }

  // A hint gives the panel back to what it showed, or to what was set for it meanwhile.
  void StatusHintPassesAndThePanelShowsWhatItHad() {
    TKivStatusBar bar;
    bar.AddPanel(QStringLiteral("地址"), 100);
    bar.AddPanel(QStringLiteral("文件状态：无文件"), 100);
    bar.ShowHint(0, QStringLiteral("提示一"), 20);
    bar.ShowHint(0, QStringLiteral("提示二"), 40);
    QCOMPARE(bar.PanelText(0), QStringLiteral("提示二"));
    // What the program sets meanwhile shows once the hint has passed.
    bar.SetPanelText(0, QStringLiteral("新地址"));
    bar.SetPanelText(1, QStringLiteral("文件状态：已修改"));
    QCOMPARE(bar.PanelText(0), QStringLiteral("提示二"));
    QCOMPARE(bar.PanelText(1), QStringLiteral("文件状态：已修改"));
    QTRY_COMPARE(bar.PanelText(0), QStringLiteral("新地址"));
    // A hint in another panel ends the first at once.
    bar.ShowHint(0, QStringLiteral("提示三"), 10000);
    bar.ShowHint(1, QStringLiteral("提示四"), 20);
    QCOMPARE(bar.PanelText(0), QStringLiteral("新地址"));
    QTRY_COMPARE(bar.PanelText(1), QStringLiteral("文件状态：已修改"));
  }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
