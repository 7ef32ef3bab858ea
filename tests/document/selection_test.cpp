#include "docfixture.h"
#include "document/dragoverlay.h"
#include "document/grabhandles.h"
#include "document/selectframe.h"

using app::TRect;
using seal::TSeal;

namespace {

// A document with one element made by the five-star tool and then given bounds in pixels.
TSeal* PlaceElement(DocFixture& f, TfrmChild* w, int x, int y, const QRect& bounds) {
  f.Arm("actDrawFiveStar");
  w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, x, y);
  TSeal* s = nullptr;
  w->EditCurrentSeal([&](TSeal& made) {
    made.SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    s = &made;
  });
  return s;
}

TRect BoundsOf(const TSeal* s) { return {s->Left(), s->Top(), s->Left() + s->Width(), s->Top() + s->Height()}; }

// Presses a handle at its centre, which lies on its anchor, so that a move to page point p
// puts the dragged edges at p.
void Press(TGrabHandle* h) {
  const int half = h->width() / 2;
  h->BeginResize(half, half);
}
void MoveTo(TGrabHandle* h, TfrmChild* w, QPoint p) {
  const QPoint local = p - h->mapTo(PageOf(w), QPoint(0, 0));
  h->ResizeTo(local.x(), local.y());
}

}  // namespace

class SelectionTest : public QObject {
  Q_OBJECT

 private slots:
  void HandleSizeFollowsTheScreen_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("side");
    QTest::newRow("96 dpi") << 96 << 8;
    QTest::newRow("120 dpi") << 120 << 10;
  }
  void HandleSizeFollowsTheScreen() {
    QFETCH(int, dpi);
    QFETCH(int, side);
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    PageOf(w)->SetPixelsPerInch(dpi);
    TSeal* s = PlaceElement(f, w, 200, 200, QRect(100, 100, 81, 41));
    w->SetSelection({s});
    const QPoint anchors[8] = {{100, 141}, {100, 120}, {100, 100}, {140, 100},
                               {181, 100}, {181, 120}, {181, 141}, {140, 141}};
    const Qt::CursorShape cursors[8] = {Qt::SizeBDiagCursor, Qt::SizeHorCursor, Qt::SizeFDiagCursor,
                                        Qt::SizeVerCursor,   Qt::SizeBDiagCursor, Qt::SizeHorCursor,
                                        Qt::SizeFDiagCursor, Qt::SizeVerCursor};
    for (int i = 0; i < 8; ++i) {
      const TGrabHandle* h = w->GrabHandles()->Handle(i);
      QCOMPARE(h->AnchorPoint(), anchors[i]);
      QCOMPARE(h->geometry(), QRect(anchors[i] - QPoint(side / 2, side / 2), QSize(side, side)));
      QCOMPARE(h->cursor().shape(), cursors[i]);
      QVERIFY(h->isVisible());
      QCOMPARE(h->FrameColor(), platform::TColor(0xFF0000));
    }
  }

  void HandleFrameDarkensUnderTheMouse() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    PlaceElement(f, w, 200, 200, QRect(100, 100, 80, 40));
    TGrabHandle* h = w->GrabHandles()->Handle(3);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(h, &enter);
    QCOMPARE(h->FrameColor(), platform::TColor(0));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(h, &leave);
    QCOMPARE(h->FrameColor(), platform::TColor(0xFF0000));
    // Painted: a blue outline around white.
    const QImage shown = h->grab().toImage();
    QCOMPARE(shown.pixelColor(0, 0), QColor(0, 0, 255));
    QCOMPARE(shown.pixelColor(h->width() / 2, h->height() / 2), QColor(Qt::white));
  }

  void ResizeToEveryHandle_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("expected");  // left, top, right, bottom as x, y, width, height fields
    // The element spans (100, 100) to (180, 140).
    QTest::newRow("0 out") << 0 << QPoint(90, 150) << QRect(90, 100, 180, 150);
    QTest::newRow("0 past") << 0 << QPoint(200, 60) << QRect(180, 60, 200, 100);
    QTest::newRow("1 out") << 1 << QPoint(90, 0) << QRect(90, 100, 180, 140);
    QTest::newRow("1 past") << 1 << QPoint(190, 0) << QRect(180, 100, 190, 140);
    QTest::newRow("2 in") << 2 << QPoint(110, 105) << QRect(110, 105, 180, 140);
    QTest::newRow("2 past") << 2 << QPoint(185, 150) << QRect(180, 140, 185, 150);
    QTest::newRow("3 out") << 3 << QPoint(0, 80) << QRect(100, 80, 180, 140);
    QTest::newRow("3 past") << 3 << QPoint(0, 150) << QRect(100, 140, 180, 150);
    QTest::newRow("4 out") << 4 << QPoint(190, 90) << QRect(100, 90, 190, 140);
    QTest::newRow("4 past") << 4 << QPoint(95, 145) << QRect(95, 140, 100, 145);
    QTest::newRow("5 out") << 5 << QPoint(200, 0) << QRect(100, 100, 200, 140);
    QTest::newRow("5 past left") << 5 << QPoint(70, 0) << QRect(70, 100, 100, 140);
    QTest::newRow("6 out") << 6 << QPoint(200, 160) << QRect(100, 100, 200, 160);
    QTest::newRow("6 past") << 6 << QPoint(90, 95) << QRect(90, 95, 100, 100);
    QTest::newRow("7 out") << 7 << QPoint(0, 150) << QRect(100, 100, 180, 150);
    QTest::newRow("7 past") << 7 << QPoint(0, 90) << QRect(100, 90, 180, 100);
  }
  void ResizeToEveryHandle() {
    QFETCH(int, index);
    QFETCH(QPoint, to);
    QFETCH(QRect, expected);
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    PlaceElement(f, w, 200, 200, QRect(100, 100, 80, 40));
    TGrabHandle* h = w->GrabHandles()->Handle(index);
    Press(h);
    QVERIFY(!w->GrabHandles()->Shown());
    QVERIFY(PointerHeld(w));
    QCOMPARE(Glass(w), std::vector<QRect>{QRect(100, 100, 80, 40)});
    MoveTo(h, w, to);
    const TRect want{expected.x(), expected.y(), expected.width(), expected.height()};
    QCOMPARE(h->DraggedRect(), want);
    // Only the last rectangle stays on the glass.
    QCOMPARE(Glass(w), std::vector<QRect>{want.ToQRect()});
    QCOMPARE(Part<TDragOverlay>(w, "PageCanvas")->Shown()[0], want.ToQRect());
  }

  void EndResizeSetsTheSizeInMillimetres() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    // Ten pixels to the millimetre, so that pixel sizes are exact millimetres.
    PageOf(w)->SetPixelsPerInch(254);
    w->SetPixelsPerMm(10);
    f.Arm("actDrawGZh");
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 600, 600);
    const TSeal* s = w->CurrentSeal();
    QCOMPARE(s->Width(), 420);
    w->EditCurrentSeal([](TSeal& edited) { edited.SetIsEllipse2(true); });
    QVERIFY(s->IsEllipse() && !s->IsEllipse1() && s->IsEllipse2() && !s->IsEllipse3());
    w->ForgetChanges();
    const TRect before = BoundsOf(s);
    TGrabHandle* right = w->GrabHandles()->Handle(5);
    Press(right);
    MoveTo(right, w, QPoint(before.Right + 50, 0));
    right->EndResize();
    QCOMPARE(BoundsOf(s), TRect({before.Left, before.Top, before.Right + 50, before.Bottom}));
    QCOMPARE(s->RealWidth(), 47.0f);
    QCOMPARE(s->RealHeight(), 42.0f);
    // The elliptic bands grow by the same 5 mm; the others keep their size.
    QCOMPARE(s->TextsWidth(), 44.0f);
    QCOMPARE(s->TextsWidth2(), 30.0f);
    QCOMPARE(s->TextsWidth1(), 25.0f);
    QCOMPARE(s->TextsWidth3(), 39.0f);
    QCOMPARE(s->TextsHeight(), 39.0f);
    QCOMPARE(s->TextsHeight2(), 25.0f);
    QVERIFY(w->Modified());
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
    QVERIFY(w->GrabHandles()->Shown());
    QVERIFY(!PointerHeld(w));
    QVERIFY(Glass(w).empty());
    QVERIFY(s->isVisible());
    QCOMPARE(right->AnchorPoint(), QPoint(before.Right + 50, before.Top + 210));
  }

  void UnchangedReleaseStillMarksTheDocument() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = PlaceElement(f, w, 200, 200, QRect(100, 100, 80, 40));
    w->ForgetChanges();
    TGrabHandle* h = w->GrabHandles()->Handle(6);
    Press(h);
    h->EndResize();
    QVERIFY(w->Modified());
    QCOMPARE(BoundsOf(s), TRect({100, 100, 180, 140}));
    const long double k = 100 / (100 * static_cast<long double>(w->PixelsPerMm()));
    QCOMPARE(s->RealWidth(), float(80 * float(k)));
  }

  void ResizeThroughRealEventsKeepsTheGrab() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    w->resize(900, 600);
    TSeal* s = PlaceElement(f, w, 200, 200, QRect(100, 100, 80, 40));
    TGrabHandle* h = w->GrabHandles()->Handle(5);
    // Through the top-level window, so that Qt routes every event to the widget that holds
    // the mouse, as it does on a desktop.
    QWindow* window = f.area.windowHandle();
    const QPoint centre = h->mapTo(&f.area, QPoint(h->width() / 2, h->height() / 2));
    QCOMPARE(f.area.childAt(centre), h);
    QTest::mousePress(window, Qt::LeftButton, {}, centre);
    QVERIFY(h->Resizing());
    QTest::mouseMove(window, centre + QPoint(30, 0));
    QTest::mouseMove(window, centre + QPoint(40, 3));
    QCOMPARE(h->DraggedRect(), TRect({100, 100, 220, 140}));
    QTest::mouseRelease(window, Qt::LeftButton, {}, centre + QPoint(40, 3));
    QVERIFY(!h->Resizing());
    QCOMPARE(BoundsOf(s), TRect({100, 100, 220, 140}));
    QVERIFY(w->Modified());
    QVERIFY(w->GrabHandles()->Shown());
  }

  void DragIsConfinedToThePage() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    PlaceElement(f, w, 200, 200, QRect(100, 100, 80, 40));
    TGrabHandle* h = w->GrabHandles()->Handle(6);
    Press(h);
    MoveTo(h, w, QPoint(5000, -300));
    QCOMPARE(h->DraggedRect(), TRect({100, 0, PageOf(w)->width() - 1, 100}));
  }

  void SelectionBoundsGrowByTwo() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = PlaceElement(f, w, 200, 200, QRect(10, 20, 100, 50));
    QCOMPARE(w->SelectionBounds(), TRect({8, 18, 112, 72}));
    TSeal* b = PlaceElement(f, w, 300, 300, QRect(150, 5, 20, 200));
    w->SetSelection({a, b});
    QCOMPARE(w->SelectionBounds(), TRect({8, 3, 172, 207}));
  }

  void BandSelectsWithAFrame() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = PlaceElement(f, w, 200, 200, QRect(10, 20, 100, 50));
    TSeal* b = PlaceElement(f, w, 300, 300, QRect(150, 5, 20, 200));
    PlaceElement(f, w, 500, 500, QRect(400, 400, 20, 20));
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 5, 2);
    QCOMPARE(Glass(w), std::vector<QRect>{QRect(5, 2, 0, 0)});
    QVERIFY(!w->GrabHandles() && !w->CurrentSeal() && w->Selection().empty());
    w->DrawPanel1MouseMove(seal::ssLeft, 200, 300);
    w->DrawPanel1MouseUp(seal::mbLeft, 0, 200, 300);
    QVERIFY(std::ranges::equal(w->Selection(), std::vector<TSeal*>({a, b})));
    QVERIFY(w->SelectFrame() && w->SelectFrame()->isVisible());
    QVERIFY(!w->GrabHandles() && !w->CurrentSeal());
    QCOMPARE(w->SelectFrame()->geometry(), QRect(QPoint(8, 3), QPoint(171, 206)));
    QCOMPARE(w->SelectFrame()->PenColor(), platform::TColor(0xFF0000));
    QVERIFY(Part<TDragOverlay>(w, "PageCanvas")->Shown().empty());
    // A zoom places the frame around the zoomed elements.
    w->ApplyZoom(200);
    const TRect r = w->SelectionBounds();
    QCOMPARE(w->SelectFrame()->geometry(), r.ToQRect());
    // Selecting one element frees the frame.
    w->SealMouseDown(a, seal::mbRight, seal::ssRight, 3, 3);
    QVERIFY(!w->SelectFrame());
    QVERIFY(w->GrabHandles() && w->CurrentSeal() == a);
  }

  void StackingKeepsTheHandlesOnTop() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = PlaceElement(f, w, 200, 200, QRect(10, 20, 100, 50));
    a->raise();  // as bring to front or a paste would
    w->RaiseAdornments();
    const QObjectList& order = PageOf(w)->children();
    const auto at = [&](const QObject* o) { return order.indexOf(const_cast<QObject*>(o)); };
    for (int i = 0; i < 8; ++i) QVERIFY(at(w->GrabHandles()->Handle(i)) > at(a));
    QCOMPARE(order.last(), Part<TDragOverlay>(w, "PageCanvas"));
  }

  void BandDrawnTwiceRestoresThePage() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    PlaceElement(f, w, 200, 200, QRect(10, 20, 100, 50));
    w->FreeGrabHandles();
    const QImage before = PageOf(w)->grab().toImage();
    const TRect band{30, 40, 300, 200};
    w->DrawDragRect(band, true);
    const QImage drawn = PageOf(w)->grab().toImage();
    QVERIFY(drawn != before);
    // The outline inverts what lies below: the white page turns black on its dots.
    QCOMPARE(before.pixelColor(300 - 1, 200 - 1), QColor(Qt::white));
    QCOMPARE(drawn.pixelColor(300 - 1, 200 - 1), QColor(Qt::black));
    QCOMPARE(drawn.pixelColor(31, 100), before.pixelColor(31, 100));
    w->DrawDragRect(band, true);
    QCOMPARE(PageOf(w)->grab().toImage(), before);
  }
};

QTEST_MAIN(SelectionTest)
#include "selection_test.moc"
