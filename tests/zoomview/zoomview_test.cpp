// The zoom view: how a selection fits the screen, what the window shows and how it closes,
// and the command of the main window that opens it over the active document's selection.
#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "mainfixture.h"
#include "platform/gbk.h"
#include "seal/seal.h"
#include "zoomview/zoomview.h"

using seal::TSeal;

namespace {

// A seal of 10 pixels per millimetre at 100 %, unparented: its pixel bounds are its
// millimetres times ten.
std::unique_ptr<TSeal> Seal(seal::TSealType type, float width, float height, float cx, float cy) {
  auto s = std::make_unique<TSeal>();
  s->SetPixelsPerMm(10);
  s->SetZoom(100);
  s->SetSealType(type);
  s->SetRealWidth(width);
  s->SetRealHeight(height);
  s->SetRealCenterX(cx);
  s->SetRealCenterY(cy);
  return s;
}

seal::TBoundsMm Box(long double left, long double top, long double right, long double bottom) {
  seal::TBoundsMm b;
  b.Left = left;
  b.Top = top;
  b.Right = right;
  b.Bottom = bottom;
  b.Any = true;
  return b;
}

bool IsWhite(const platform::TBitmap& b, int x, int y) { return b.Pixel(x, y) == platform::clWhite; }

// Runs the call, which opens a modal view, and hands the view to drive once it is up; a
// view left open is closed after a while, so that a failing test does not hang.
void WhileViewOpen(const std::function<void()>& call, const std::function<void(TfrmZoomView*)>& drive) {
  QTimer::singleShot(0, [drive] {
    auto* view = qobject_cast<TfrmZoomView*>(QApplication::activeModalWidget());
    QVERIFY(view);
    drive(view);
  });
  QTimer::singleShot(3000, [] {
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
  });
  call();
}

}  // namespace

class ZoomViewTest : public QObject {
  Q_OBJECT

 private slots:
  // 1024 × 768 client, a strip of 24 pixels (96 dots per inch div 4): free space
  // 1024 − 12 = 1012 by 768 − 24 − 12 = 732.
  void FitFollowsTheNarrowerDirection_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("k");
    QTest::addColumn<int>("fit");
    QTest::addColumn<QSize>("bitmap");
    // Square, 50 mm at 10 px/mm: 1012 / 500 = 2.024 across, 732 / 500 = 1.464 down; the
    // height decides: fit 146, e = 14.6, bitmap 50 × 14.6 = 730 + 4.
    QTest::newRow("square, landscape screen") << 50.0 << 50.0 << 10.0 << 146 << QSize(734, 734);
    // The same at 96 dots per inch (k = 3.7795276): 732 / 188.97638 = 3.8735 → 387;
    // e = 14.62677, 50 × e = 731.34 → 731 + 4.
    QTest::newRow("square, screen millimetres") << 50.0 << 50.0 << double(float(96 / 25.4L)) << 387 << QSize(735, 735);
    // Wide, 200 × 20 mm: 1012 / 2000 = 0.506 across, 732 / 200 = 3.66 down → 51 %;
    // e = 5.1: 1020 + 4 by 102 + 4.
    QTest::newRow("wide: the width decides") << 200.0 << 20.0 << 10.0 << 51 << QSize(1024, 106);
    // Tall, 20 × 200 mm: 1012 / 200 = 5.06, 732 / 2000 = 0.366 → 37 %; e = 3.7:
    // 74 + 4 by 740 + 4.
    QTest::newRow("tall: the height decides") << 20.0 << 200.0 << 10.0 << 37 << QSize(78, 744);
    // A horizontal line has no height: the width alone, 1012 / 900 = 1.1244 → 112;
    // e = 11.2: 1008 + 4 by 0 + 4.
    QTest::newRow("no height: the width alone") << 90.0 << 0.0 << 10.0 << 112 << QSize(1012, 4);
    // A vertical line has no width: 732 / 300 = 2.44 → 244; e = 24.4: 4 by 732 + 4.
    QTest::newRow("no width: the height alone") << 0.0 << 30.0 << 10.0 << 244 << QSize(4, 736);
    // A thousand screens: 732 / 1000000 → 0.07 %, taken as 1 %; e = 0.1.
    QTest::newRow("huge: at least one percent") << 100000.0 << 100000.0 << 10.0 << 1 << QSize(10004, 10004);
  }
  void FitFollowsTheNarrowerDirection() {
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, k);
    QFETCH(int, fit);
    QFETCH(QSize, bitmap);
    const std::optional<zoomview::TZoomFit> f = zoomview::FitSelection(Box(10, 20, 10 + width, 20 + height), QSize(1012, 732), k);
    QVERIFY(f);
    QCOMPARE(f->Fit, fit);
    QVERIFY(qFuzzyCompare(double(f->PixelsPerMm), fit * k / 100));
    QCOMPARE(f->Bitmap, bitmap);
  }

  void NoExtentNoFit() {
    QVERIFY(!zoomview::FitSelection(Box(30, 40, 30, 40), QSize(1012, 732), 10));
  }

  void WindowShowsTheSelectionCentredBelowTheStrip() {
    const std::unique_ptr<TSeal> round = Seal(seal::stEllipse, 50, 50, 60, 50);
    round->SetText(platform::Gbk("测试印章有限公司"));
    round->SetImageIsStar(true);
    TSeal* const selection[] = {round.get()};
    TfrmZoomView view(nullptr, QSize(1024, 768));
    QCOMPARE(view.size(), QSize(1024, 768));
    QVERIFY(view.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(Part<QLabel>(&view, "Panel1")->geometry(), QRect(0, 0, 1024, 24));
    QCOMPARE(Part<QLabel>(&view, "Panel1")->font().pixelSize(), 16);
    QCOMPARE(Part<QLabel>(&view, "Panel1")->palette().color(QPalette::WindowText), QColor(0, 128, 255));
    QCOMPARE(view.FreeSpace(), QSize(1012, 732));
    QVERIFY(view.ViewBitmap().Empty());

    QVERIFY(view.ShowSelection(selection, 10));
    QCOMPARE(Part<QLabel>(&view, "Panel1")->text(), QStringLiteral("当前放大倍数是： 146%"));
    QCOMPARE(QSize(view.ViewBitmap().Width(), view.ViewBitmap().Height()), QSize(734, 734));
    // The scratch element at 14.6 px/mm is 730 pixels across, its left edge at
    // Round(35 × 14.6) = 511 and its top at Round(25 × 14.6) = 365 on its own page, so it
    // lies at 511 − 35 × 14.6 + 2 = 2 and 365 − 25 × 14.6 + 2 = 2 on the bitmap: its ring
    // touches columns and rows 2 and 731, never the 2-pixel margin.
    const platform::TBitmap& b = view.ViewBitmap();
    for (int i : {0, 1, 732, 733}) {
      QVERIFY2(IsWhite(b, i, 367) && IsWhite(b, 367, i), qPrintable(QString::number(i)));
    }
    for (int i : {3, 730}) {
      QCOMPARE(b.Pixel(i, 367), platform::clRed);
      QCOMPARE(b.Pixel(367, i), platform::clRed);
    }
    // Centred: (1024 − 734) div 2 + 2 across; (768 − 2 − 24 − 734) div 2 + 24 + 2 down.
    QCOMPARE(view.BitmapPos(), QPoint(147, 30));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage shown = view.grab().toImage();
    QCOMPARE(shown.pixelColor(147 + 3, 30 + 367), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(100, 400), QColor(Qt::white));
    // The rule under the strip: two pixels of RGB(255, 128, 192) on rows 23 and 24, the first
    // of them under the strip.
    QCOMPARE(shown.pixelColor(500, 24), QColor(255, 128, 192));
    QCOMPARE(shown.pixelColor(500, 25), QColor(Qt::white));
  }

  void ElementsKeepTheirPlacesInTheView() {
    // A name seal over 10 .. 40 mm and a star over 65 .. 85 mm across, both from 30 mm
    // down: the selection is 75 × 30 mm and the width decides (1012 / 750 = 1.3493,
    // 732 / 300 = 2.44): 135 %, e = 13.5.
    const std::unique_ptr<TSeal> name = Seal(seal::stName22, 30, 30, 25, 45);
    const std::unique_ptr<TSeal> star = Seal(seal::stFiveStar, 20, 20, 75, 40);
    TSeal* const selection[] = {name.get(), star.get()};
    TfrmZoomView view(nullptr, QSize(1024, 768));
    QVERIFY(view.ShowSelection(selection, 10));
    QCOMPARE(view.Fit()->Fit, 135);
    // 75 × 13.5 = 1012.5, which rounds to the even 1012, + 4; 30 × 13.5 = 405 + 4.
    QCOMPARE(QSize(view.ViewBitmap().Width(), view.ViewBitmap().Height()), QSize(1016, 409));
    // The name seal covers 2 .. 406 across (its left is the selection's, 405 wide). The
    // star's scratch left is Round(65 × 13.5) = Round(877.5) = 878, so it lies at
    // 878 − 10 × 13.5 + 2 = 745 across, 270 wide, and 2 .. 271 down.
    const platform::TBitmap& b = view.ViewBitmap();
    QCOMPARE(b.Pixel(3, 200), platform::clRed);
    QVERIFY(IsWhite(b, 1, 200));
    for (int x = 408; x < 744; ++x)
      for (int y : {2, 100, 200, 300, 406}) QVERIFY2(IsWhite(b, x, y), qPrintable(QStringLiteral("%1 %2").arg(x).arg(y)));
    int starLeft = -1;
    int starBottom = -1;
    for (int x = 408; x < b.Width(); ++x)
      for (int y = 0; y < b.Height(); ++y)
        if (b.Pixel(x, y) == platform::clRed) {
          if (starLeft < 0) starLeft = x;
          starBottom = std::max(starBottom, y);
        }
    QVERIFY(starLeft >= 745 && starLeft < 760);
    QVERIFY(starBottom > 200 && starBottom <= 271);
  }

  void ClickAnywhereClosesNoKeyDoes() {
    const std::unique_ptr<TSeal> round = Seal(seal::stEllipse, 40, 40, 30, 30);
    TSeal* const selection[] = {round.get()};
    for (const bool onStrip : {false, true}) {
      TfrmZoomView view(nullptr, QSize(640, 480));
      QVERIFY(view.ShowSelection(selection, 10));
      view.show();
      QVERIFY(QTest::qWaitForWindowExposed(&view));
      for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_A})
        QTest::keyClick(&view, key);
      QVERIFY(view.isVisible());
      QWidget* target = onStrip ? static_cast<QWidget*>(Part<QLabel>(&view, "Panel1")) : &view;
      QTest::mouseClick(target, Qt::RightButton, {}, QPoint(100, 10));
      QVERIFY(view.isVisible());
      QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(100, onStrip ? 10 : 300));
      QVERIFY(!view.isVisible());
      QCOMPARE(view.result(), int(QDialog::Accepted));
    }
  }

  // The command, through the Edit menu's action on the active document.
  void CommandShowsTheSelectionAndChangesNothing() {
    MainFixture f;
    QAction* zoomAll = f.main->Action(QStringLiteral("actViewZoomAll"));
    // Without a document, and with nothing selected, nothing opens.
    bool opened = false;
    const auto watch = [&opened] {
      QTimer::singleShot(0, [&opened] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
          opened = true;
          d->reject();
        }
      });
    };
    watch();
    zoomAll->trigger();
    TfrmChild* w = f.NewDocument();
    AddSeal(w, 60, 80);
    watch();
    zoomAll->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!opened);

    TSeal* second = AddSeal(w, 120, 80);
    w->SetSelection({w->Seals().begin(), w->Seals().end()});
    const std::vector<const TSeal*> before(w->Selection().begin(), w->Selection().end());
    QVERIFY(!w->Modified());
    const seal::TBoundsMm bounds = seal::GetSelectionBoundsMm(w->Selection());
    bool seen = false;
    WhileViewOpen([&] { zoomAll->trigger(); },
                  [&](TfrmZoomView* view) {
                    seen = true;
                    QCOMPARE(view->size(), view->screen()->geometry().size());
                    const std::optional<zoomview::TZoomFit> fit =
                        zoomview::FitSelection(bounds, view->FreeSpace(), w->PixelsPerMm());
                    QVERIFY(fit);
                    QCOMPARE(Part<QLabel>(view, "Panel1")->text(), zoomview::FitCaption(fit->Fit));
                    QCOMPARE(view->ViewBitmap().Width(), fit->Bitmap.width());
                    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, view->height() - 5));
                  });
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(std::ranges::equal(w->Selection(), before));
    QVERIFY(!w->Modified());
    QCOMPARE(second->Zoom(), 100);
    QCOMPARE(double(second->PixelsPerMm()), double(w->PixelsPerMm()));

    // A selection without extent has nothing to enlarge: nothing opens.
    TSeal* point = AddSeal(w, 200, 200);
    point->SetBounds(point->Left(), point->Top(), 0, 0);
    w->SetSelection({point});
    watch();
    zoomAll->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!opened);
  }
};

QTEST_MAIN(ZoomViewTest)
#include "zoomview_test.moc"
