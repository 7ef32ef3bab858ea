#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>

#include "docfixture.h"
#include "document/dragoverlay.h"
#include "document/selectframe.h"

using app::TRect;
using seal::TSeal;

namespace {

TRect BoundsOf(const TSeal* s) { return {s->Left(), s->Top(), s->Left() + s->Width(), s->Top() + s->Height()}; }

TSeal* Make(DocFixture& f, TfrmChild* w, const char* tool, const QRect& bounds) {
  f.Arm(tool);
  w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, bounds.center().x(), bounds.center().y());
  TSeal* s = nullptr;
  w->EditCurrentSeal([&](TSeal& made) {
    made.SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    s = &made;
  });
  return s;
}

void Band(TfrmChild* w, QPoint from, QPoint to) {
  w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, from.x(), from.y());
  w->DrawPanel1MouseMove(seal::ssLeft, to.x(), to.y());
  w->DrawPanel1MouseUp(seal::mbLeft, 0, to.x(), to.y());
}

}  // namespace

class MouseTest : public QObject {
  Q_OBJECT

 private slots:

  void PressOnAnInnerElementSelectsIt() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* star = Make(f, w, "actDrawFiveStar", QRect(100, 150, 60, 60));
    TSeal* ring = Make(f, w, "actDrawGZh", QRect(100, 100, 200, 200));  // above the star
    w->SealMouseDown(ring, seal::mbLeft, seal::ssLeft, 130 - 100, 170 - 100);
    QCOMPARE(w->CurrentSeal(), star);
    QCOMPARE(Glass(w), std::vector<QRect>{star->geometry()});
    w->SealMouseUp(ring, seal::mbLeft, 0, 30, 70);
    QVERIFY(Glass(w).empty() && !PointerHeld(w));
    // Equally near the star's edge and the ring's: the element that got the press.
    w->SealMouseDown(ring, seal::mbRight, seal::ssRight, 110 - 100, 180 - 100);
    QCOMPARE(w->CurrentSeal(), ring);
    QCOMPARE(w->SealAtPoint(ring, 10, 80), ring);
    QCOMPARE(w->SealAtPoint(star, 10, 30), star);
  }

  void ClickWithoutMovementChangesNothing() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = Make(f, w, "actDrawFiveStar", QRect(100, 100, 60, 60));
    w->ForgetChanges();
    const float cx = s->RealCenterX(), cy = s->RealCenterY();
    w->SealMouseDown(s, seal::mbLeft, seal::ssLeft, 20, 20);
    QVERIFY(PointerHeld(w));
    QVERIFY(!w->GrabHandles()->Shown());
    QCOMPARE(Glass(w), std::vector<QRect>{s->geometry()});
    w->SealMouseUp(s, seal::mbLeft, 0, 20, 20);
    QVERIFY(!w->Modified());
    QCOMPARE(s->RealCenterX(), cx);
    QCOMPARE(s->RealCenterY(), cy);
    QVERIFY(w->GrabHandles()->Shown());
    QVERIFY(Part<TDragOverlay>(w, "PageCanvas")->Shown().empty());
    QVERIFY(!QApplication::overrideCursor());
  }

  void MovingASelectionStoresMillimetres() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = Make(f, w, "actDrawFiveStar", QRect(100, 100, 60, 60));
    TSeal* b = Make(f, w, "actDrawGZh", QRect(200, 120, 100, 100));
    Band(w, QPoint(90, 90), QPoint(310, 230));
    QVERIFY(w->SelectFrame());
    const QPoint frameAt = w->SelectFrame()->pos();
    const float ax = a->RealCenterX(), ay = a->RealCenterY(), bx = b->RealCenterX(), by = b->RealCenterY();
    w->ForgetChanges();
    w->FrameMouseDown(FrameOf(w), seal::mbLeft, seal::ssLeft, 50, 50);
    QCOMPARE(Glass(w), std::vector<QRect>{FrameOf(w)->geometry()});
    QVERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::DragCopyCursor);
    w->FrameMouseMove(FrameOf(w), seal::ssLeft, 70, 50);
    w->FrameMouseMove(FrameOf(w), seal::ssLeft, 88, 50);
    w->FrameMouseUp(FrameOf(w), seal::mbLeft, 0, 88, 50);
    // 38 pixels at 96 dpi and 100 %: 38 / 3.7795... = 10.054 mm.
    QVERIFY(std::abs(a->RealCenterX() - ax - 10.054) < 1e-3);
    QVERIFY(std::abs(b->RealCenterX() - bx - 10.054) < 1e-3);
    QCOMPARE(a->RealCenterY(), ay);
    QCOMPARE(b->RealCenterY(), by);
    QCOMPARE(w->SelectFrame()->pos(), frameAt + QPoint(38, 0));
    QVERIFY(w->Modified());
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
    QVERIFY(!QApplication::overrideCursor());
  }

  void DraggingOneElementThroughRealEvents() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    w->resize(900, 600);
    f.Arm("actDrawFiveStar");
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 130, 130);
    const TSeal* s = w->CurrentSeal();
    const TRect before = BoundsOf(s);
    const float cx = s->RealCenterX();
    QWindow* window = f.area.windowHandle();
    const QPoint from = s->mapTo(&f.area, QPoint(20, 20));
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, from + QPoint(20, 10));
    QTest::mouseMove(window, from + QPoint(40, 25));
    const TRect dragged{before.Left + 40, before.Top + 25, before.Right + 40, before.Bottom + 25};
    QCOMPARE(Glass(w), std::vector<QRect>{dragged.ToQRect()});
    QTest::mouseRelease(window, Qt::LeftButton, {}, from + QPoint(40, 25));
    QCOMPARE(BoundsOf(s), dragged);
    QVERIFY(std::abs(s->RealCenterX() - cx - 40 / (96 / 25.4)) < 1e-3);
    QCOMPARE(w->GrabHandles()->Handle(2)->AnchorPoint(), QPoint(before.Left + 40, before.Top + 25));
  }

  void BandIsTakenAsDragged() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = Make(f, w, "actDrawFiveStar", QRect(100, 100, 80, 40));
    f.host.colour = 0x123456;
    Band(w, QPoint(181, 141), QPoint(99, 99));
    QVERIFY(w->Selection().empty());
    QVERIFY(!w->GrabHandles() && !w->SelectFrame());
    Band(w, QPoint(100, 100), QPoint(180, 140));
    QVERIFY(std::ranges::equal(w->Selection(), std::vector<TSeal*>{s}));
    QVERIFY(w->GrabHandles() && w->CurrentSeal() == s);
    QCOMPARE(f.host.colour, s->PenColor());
    Band(w, QPoint(101, 100), QPoint(180, 140));
    QVERIFY(w->Selection().empty());
    QVERIFY(Glass(w).empty());
    QVERIFY(!PointerHeld(w));
  }

  void PressOnAnElementWithAToolArmedActsOnThePage() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* ring = Make(f, w, "actDrawGZh", QRect(100, 100, 200, 200));
    f.Arm("actDrawFiveStar");
    w->SealMouseDown(ring, seal::mbRight, seal::ssRight, 100, 100);
    QCOMPARE(w->Seals().size(), size_t(2));
    const TSeal* star = w->Seals()[1];
    QCOMPARE(w->CurrentSeal(), star);
    QVERIFY(std::abs(2 * star->Left() + star->Width() - 400) <= 2);
    QCOMPARE(f.host.armed, 0);
  }

  void GrabScrollFollowsThePointer() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    w->resize(400, 300);
    QScrollBar* h = Part<QScrollArea>(w, "ScrollBox")->horizontalScrollBar();
    QScrollBar* v = Part<QScrollArea>(w, "ScrollBox")->verticalScrollBar();
    QCOMPARE(h->value(), 0);
    f.Arm("actScrollPage");
    QVERIFY(HasSlotCursor(PageOf(w), 2));
    TKivDrawPanel* page = PageOf(w);
    const QPoint start = page->mapToGlobal(QPoint(200, 200));
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 200, 200);
    QVERIFY(PointerHeld(w));
    const QPoint moved = page->mapFromGlobal(start - QPoint(50, 40));
    w->DrawPanel1MouseMove(seal::ssLeft, moved.x(), moved.y());
    QCOMPARE(h->value(), 50);
    QCOMPARE(v->value(), 40);
    const QPoint back = page->mapFromGlobal(start - QPoint(30, 40));
    w->DrawPanel1MouseUp(seal::mbLeft, 0, back.x(), back.y());
    QCOMPARE(h->value(), 30);
    // Released, the page no longer follows the pointer.
    w->DrawPanel1MouseMove(0, moved.x(), moved.y());
    QCOMPARE(h->value(), 30);
    QVERIFY(!PointerHeld(w));
    QCOMPARE(f.host.armed, app::kGrabScrollTool);
    QVERIFY(!w->Modified());
  }

  void PointerPositionInMillimetres_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QString>("vertical");
    QTest::newRow("100 mm") << 378 << 0 << " 水平坐标：100mm" << "垂直坐标：0mm";
    QTest::newRow("tenths") << 47 << 1123 << " 水平坐标：12.4mm" << "垂直坐标：297.1mm";
    QTest::newRow("left of the page") << -2 << 3 << " 水平坐标：-0.5mm" << "垂直坐标：0.8mm";
  }
  void PointerPositionInMillimetres() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QString, horizontal);
    QFETCH(QString, vertical);
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    w->DrawPanel1MouseMove(0, x, y);
    QCOMPARE(f.Panel(0), horizontal);
    QCOMPARE(f.Panel(1), vertical);
    // The same point reported by an element in its own coordinates.
    TSeal* s = Make(f, w, "actDrawFiveStar", QRect(100, 100, 60, 60));
    f.host.panels[0].clear();
    w->SealMouseMove(s, 0, x - 100, y - 100);
    QCOMPARE(f.Panel(0), horizontal);
    QCOMPARE(f.Panel(1), vertical);
  }

  // Moves without a button, as the desktop delivers them: the page, an element and the
  // frame each report the pointer, and the frame shows that it moves the selection.
  void HoverShowsThePointerEverywhereOnThePage() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    w->resize(900, 600);
    TSeal* a = Make(f, w, "actDrawFiveStar", QRect(100, 100, 60, 60));
    Make(f, w, "actDrawGZh", QRect(200, 120, 100, 100));
    Band(w, QPoint(90, 90), QPoint(310, 230));
    QVERIFY(w->SelectFrame());
    TSelectFrame* frame = FrameOf(w);
    TKivDrawPanel* page = PageOf(w);
    QWindow* window = f.area.windowHandle();
    struct Case {
      QPoint at;  // page pixels, 96 dots per inch, 100 %
      const char* horizontal;
      const char* vertical;
      const QWidget* under;
    };
    // The frame lies over (98, 98)-(302, 222); mm = round(px × 1000 / (100 × 96 / 25.4)) / 10.
    const Case cases[] = {
        {{378, 300}, " 水平坐标：100mm", "垂直坐标：79.4mm", page},
        {{620, 41}, " 水平坐标：164mm", "垂直坐标：10.8mm", page},
        {{130, 130}, " 水平坐标：34.4mm", "垂直坐标：34.4mm", frame},
        {{180, 110}, " 水平坐标：47.6mm", "垂直坐标：29.1mm", frame},
    };
    for (const Case& c : cases) {
      f.host.panels[0].clear();
      f.host.panels[1].clear();
      QCOMPARE(f.area.childAt(page->mapTo(&f.area, c.at)), c.under);
      QTest::mouseMove(window, page->mapTo(&f.area, c.at));
      QCOMPARE(f.Panel(0), QString::fromUtf8(c.horizontal));
      QCOMPARE(f.Panel(1), QString::fromUtf8(c.vertical));
    }
    QVERIFY(frame->testAttribute(Qt::WA_SetCursor));
    QCOMPARE(frame->cursor().shape(), Qt::SizeAllCursor);

    // An element alone reports in its own pixels; the panels show page millimetres.
    w->SetSelection({a});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    f.host.panels[0].clear();
    QTest::mouseMove(window, page->mapTo(&f.area, QPoint(125, 150)));
    QCOMPARE(f.area.childAt(page->mapTo(&f.area, QPoint(125, 150))), a);
    QCOMPARE(f.Panel(0), QStringLiteral(" 水平坐标：33.1mm"));
    QCOMPARE(f.Panel(1), QStringLiteral("垂直坐标：39.7mm"));
  }

  // With a tool armed a press on the frame is the tool's press on the page, so the frame
  // shows the page's tool cursor rather than its own.
  void FrameShowsTheToolCursorWhileAToolIsArmed() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    Make(f, w, "actDrawFiveStar", QRect(100, 100, 60, 60));
    Make(f, w, "actDrawGZh", QRect(200, 120, 100, 100));
    Band(w, QPoint(90, 90), QPoint(310, 230));
    TSelectFrame* frame = FrameOf(w);
    w->FrameMouseMove(frame, 0, 10, 10);
    QCOMPARE(frame->cursor().shape(), Qt::SizeAllCursor);
    f.Arm("actPageZoomIn");
    w->FrameMouseMove(frame, 0, 10, 10);
    QVERIFY(!frame->testAttribute(Qt::WA_SetCursor));
    QVERIFY(HasSlotCursor(PageOf(w), 4));
    QCOMPARE(frame->cursor().pixmap().toImage(), PageOf(w)->cursor().pixmap().toImage());
  }

  // A right press disarms a page tool and does nothing else: the page menu, whose first
  // entry clears the page, stays shut. Without a tool the same press opens it.
  void RightPressThatDisarmsAPageToolOpensNoMenu_data() {
    QTest::addColumn<QString>("tool");
    QTest::newRow("grab and scroll") << "actScrollPage";
    QTest::newRow("zoom in") << "actPageZoomIn";
    QTest::newRow("zoom out") << "actPageZoomOut";
  }
  void RightPressThatDisarmsAPageToolOpensNoMenu() {
    QFETCH(QString, tool);
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    Make(f, w, "actDrawFiveStar", QRect(100, 100, 60, 60));
    QWindow* window = f.area.windowHandle();
    const QPoint at = PageOf(w)->mapTo(&f.area, QPoint(400, 300));
    f.Arm(tool.toUtf8().constData());
    const int zoom = PageOf(w)->Zoom();
    QTest::mousePress(window, Qt::RightButton, {}, at);
    QTest::mouseRelease(window, Qt::RightButton, {}, at);
    QCoreApplication::processEvents();
    QCOMPARE(f.host.armed, 0);
    QVERIFY(!PageOf(w)->testAttribute(Qt::WA_SetCursor));
    QVERIFY(f.host.pageMenus.empty());
    QCOMPARE(PageOf(w)->Zoom(), zoom);
    QCOMPARE(w->Seals().size(), size_t(1));

    // The next right press, with no tool armed, opens the page menu again.
    QTest::mousePress(window, Qt::RightButton, {}, at);
    QTest::mouseRelease(window, Qt::RightButton, {}, at);
    QTRY_COMPARE(f.host.pageMenus.size(), size_t(1));
  }

  // A right click asks the host for the menu of what it hits, at the point it hit: the
  // element's for an element and for the frame around several, the page's for the page.
  void RightClickAsksForTheMenuOfWhatItHits() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    Make(f, w, "actDrawFiveStar", QRect(100, 100, 60, 60));
    Make(f, w, "actDrawFiveStar", QRect(200, 100, 60, 60));
    AskMenuOnPage(w, QPoint(130, 130));
    QCOMPARE(f.host.sealMenus, std::vector<QPoint>({PageOf(w)->mapToGlobal(QPoint(130, 130))}));
    QVERIFY(f.host.pageMenus.empty());
    AskMenuOnPage(w, QPoint(400, 300));
    QCOMPARE(f.host.pageMenus, std::vector<QPoint>({PageOf(w)->mapToGlobal(QPoint(400, 300))}));
    Band(w, QPoint(90, 90), QPoint(270, 170));
    QVERIFY(FrameOf(w));
    AskMenuOnPage(w, QPoint(180, 100));
    QCOMPARE(f.host.sealMenus.size(), size_t(2));
    QCOMPARE(f.host.sealMenus.back(), PageOf(w)->mapToGlobal(QPoint(180, 100)));
    QCOMPARE(f.host.pageMenus.size(), size_t(1));
  }
};

QTEST_MAIN(MouseTest)
#include "mouse_test.moc"
