// The main window and its document windows: what it names and opens them with, and how its
// zoom box, status bar, tool cursor and lock caption follow the active one.
#include <QComboBox>
#include <QMenuBar>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "mainfixture.h"
#include "mainwindow/cascade.h"
#include "property/proprty.h"

using seal::TSeal;

namespace {

void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The pixels of the program icon's red.
int RedPixels(const QPixmap& shot) {
  const QImage image = shot.toImage();
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 80 && c.blue() < 80) ++n;
    }
  return n;
}

// The document area below the rolled-up property window, which hangs over its top: where
// new and cascaded windows go, so that the window covers none of their captions.
QRect Inside(MainFixture& f) {
  const auto* client = static_cast<const QMdiArea*>(Part(f.main.get(), "ClientWindow"));
  QRect inside = client->viewport()->rect();
  if (frmProprty) {
    const QRect frame = frmProprty->frameGeometry();
    const int rolledUp = frame.height() - frmProprty->height() + frmProprty->Layout().barHeight;
    inside.setTop(client->viewport()->mapFromGlobal(frame.topLeft()).y() + rolledUp);
  }
  return inside;
}

}  // namespace

class DocumentWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void NewDocumentsAreNamedByCount() {
    MainFixture f;
    TfrmChild* first = f.NewDocument();
    TfrmChild* second = f.NewDocument();
    QCOMPARE(first->windowTitle(), QStringLiteral("文件1.dyz"));
    QCOMPARE(second->windowTitle(), QStringLiteral("文件2.dyz"));
    QCOMPARE(f.main->ActiveChild(), second);
    QVERIFY(PageOf(second)->isVisible());
    QCOMPARE(PageOf(second)->Zoom(), 100);
    // 96 dots per inch: an A4 page of 794 x 1123 pixels.
    QCOMPARE(PageOf(second)->size(), QSize(794, 1123));
    QCOMPARE(double(second->PixelsPerMm()), double(float(96 / 25.4L)));
    QPointer<TfrmChild> gone = first;
    first->close();
    Flush();
    QVERIFY(gone.isNull());
    QCOMPARE(f.NewDocument()->windowTitle(), QStringLiteral("文件2.dyz"));
  }

  // New or opened, a document window bears the program's red seal as its icon on its
  // caption bar, and on the menu bar while it is maximised, not the toolkit's green logo.
  void DocumentWindowsBearTheProgramsIcon() {
    MainFixture f;
    TfrmChild* fresh = f.NewDocument();
    QVERIFY(RedPixels(fresh->grab(QRect(0, 0, 40, 30))) > 20);
    const QString path = f.Path("icon.dyz");
    AddSeal(fresh, 40, 40);
    fresh->SaveDocument(path);
    f.main->OpenDocument(path);
    TfrmChild* opened = f.main->ActiveChild();
    QVERIFY(opened != fresh);
    QVERIFY(RedPixels(opened->grab(QRect(0, 0, 40, 30))) > 20);
    opened->showMaximized();
    QWidget* corner = f.main->menuBar()->cornerWidget(Qt::TopLeftCorner);
    QVERIFY(corner && corner->isVisible());
    QVERIFY(RedPixels(corner->grab()) > 20);
  }

  // Each new window, opened or new, lies a caption's height further in than the one before,
  // three quarters of the area large, and starts again at the corner where the next would
  // reach past the area: its caption and buttons always lie inside.
  void NewWindowsLieInsideTheDocumentArea() {
    MainFixture f;
    TfrmChild* made = f.NewDocument();
    const QString path = f.Path("first.dyz");
    AddSeal(made, 40, 40);
    made->SaveDocument(path);
    made->close();
    Flush();
    f.main->OpenDocument(path);
    const QRect inside = Inside(f);
    const int step = app::CascadeStep(*f.main->ActiveChild());
    QVERIFY(step >= 16);
    const QSize size(inside.width() * 3 / 4, inside.height() * 3 / 4);
    std::vector<QPoint> places;
    for (int i = 0; i < 12; ++i) {
      if (i) f.NewDocument();
      const QRect g = f.main->ActiveChild()->geometry();
      QCOMPARE(g.size(), size);
      QVERIFY2(inside.contains(g), qPrintable(QStringLiteral("window %1").arg(i)));
      places.push_back(g.topLeft());
    }
    const int deepest = std::min(inside.width() - size.width(), inside.height() - size.height()) / step;
    QVERIFY(deepest < 11);
    for (int i = 0; i < 12; ++i)
      QCOMPARE(places[size_t(i)], inside.topLeft() + QPoint(1, 1) * (i % (deepest + 1)) * step);
  }

  // The cascade keeps windows a person can work in: as large as lets the deepest fit, each
  // a caption's height further in, the front one deepest; many windows start over so that
  // each keeps half the area. Minimised windows stay where they are.
  void CascadeKeepsWorkableWindowsInsideTheArea() {
    MainFixture f;
    for (int i = 0; i < 3; ++i) f.NewDocument();
    TfrmChild* front = f.main->ActiveChild();
    front->showMaximized();
    const QRect inside = Inside(f);
    const int step = app::CascadeStep(*front);
    f.Tool("WindowCascade1")->trigger();
    const QSize size = inside.size() - QSize(2 * step, 2 * step);
    std::vector<TfrmChild*> windows = f.main->DocumentWindows(QMdiArea::StackingOrder);
    QCOMPARE(windows.back(), front);
    QVERIFY(!front->isMaximized());
    for (int i = 0; i < 3; ++i)
      QCOMPARE(windows[size_t(i)]->geometry(), QRect(inside.topLeft() + QPoint(i * step, i * step), size));

    windows.front()->showMinimized();
    const QRect minimised = windows.front()->geometry();
    for (int i = 0; i < 37; ++i) f.NewDocument();
    f.Tool("WindowCascade1")->trigger();
    QCOMPARE(windows.front()->geometry(), minimised);
    for (TfrmChild* w : f.main->DocumentWindows()) {
      if (w->isMinimized()) continue;
      QVERIFY(inside.contains(w->geometry()));
      QVERIFY(w->width() >= inside.width() / 2 && w->height() >= inside.height() / 2);
    }
  }

  // The places and sizes themselves, at the edges.
  void CascadePlacesAndSizes() {
    const QSize area(800, 500);
    QCOMPARE(app::CascadePlace(area, QSize(600, 375), 25, 0), QPoint(0, 0));
    QCOMPARE(app::CascadePlace(area, QSize(600, 375), 25, 5), QPoint(125, 125));
    QCOMPARE(app::CascadePlace(area, QSize(600, 375), 25, 6), QPoint(0, 0));
    // A window larger than the area, or no step at all, always goes to the corner.
    QCOMPARE(app::CascadePlace(area, QSize(900, 375), 25, 3), QPoint(0, 0));
    QCOMPARE(app::CascadePlace(area, QSize(600, 375), 0, 3), QPoint(0, 0));
    QCOMPARE(app::CascadeSize(area, 25, 1), area);
    QCOMPARE(app::CascadeSize(area, 25, 4), QSize(725, 425));
    // At most 500 / 2 / 25 + 1 = 11 deep: each window keeps half the area's height.
    QCOMPARE(app::CascadeSize(area, 25, 11), QSize(550, 250));
    QCOMPARE(app::CascadeSize(area, 25, 40), QSize(550, 250));
    QCOMPARE(app::CascadeSize(area, 0, 40), area);
  }

  // Without a document the status bar says what it said at start-up, however the last
  // window went; while one is left it shows that one's.
  void WithoutADocumentTheStatusBarShowsWhatStartUpShowed() {
    MainFixture f;
    const QStringList start{f.Panel(0), f.Panel(1), QStringLiteral("文件状态：无文件"), f.Panel(3)};
    QCOMPARE(start[0], QStringLiteral(" 水平坐标："));
    const auto status = [&f] { return QStringList{f.Panel(0), f.Panel(1), f.Panel(2), f.Panel(3)}; };
    int pointer = 150;
    for (const char* closing : {"WindowsCloseAll", "WindowClose1"}) {
      TfrmChild* kept = f.NewDocument();
      TfrmChild* w = f.NewDocument();
      f.Draw(w, "actDrawEllipse", QRect(100, 100, 80, 80));
      QTest::mouseMove(PageOf(w), QPoint(pointer += 10, 120));
      QCOMPARE(f.Panel(3), QStringLiteral("已画图形：1"));
      QVERIFY(f.Panel(0) != start[0]);
      f.answers = {app::mbNo, app::mbNo};
      if (QLatin1String(closing) == QLatin1String("WindowClose1")) {
        f.Tool(closing)->trigger();
        Flush();
        QCOMPARE(f.main->ActiveChild(), kept);
        QCOMPARE(f.Panel(2), QStringLiteral("文件状态：未修改"));
        QCOMPARE(f.Panel(3), QStringLiteral("已画图形：0"));
      }
      f.Tool(closing)->trigger();
      Flush();
      QCOMPARE(f.WindowCount(), 0);
      QCOMPARE(status(), start);
    }
  }

  // Scrolling moves the page under a pointer that stands still: the coordinates follow at
  // once, not at the next move of the mouse.
  void ScrollingWithTheWheelShowsTheCoordinatesUnderThePointer() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    auto* box = Part<QScrollArea>(w, "ScrollBox");
    TKivDrawPanel* page = PageOf(w);
    QVERIFY(box->verticalScrollBar()->maximum() > 100);
    const QPoint at = box->viewport()->rect().center();
    QCursor::setPos(box->viewport()->mapToGlobal(at));
    QTest::mouseMove(box->viewport(), at);
    const QString before = f.Panel(1);
    const int top = page->mapFrom(box->viewport(), at).y();
    QWheelEvent wheel(QPointF(at), QPointF(box->viewport()->mapToGlobal(at)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(box->viewport(), &wheel);
    const int y = page->mapFrom(box->viewport(), at).y();
    QVERIFY(y > top);
    // At 100 % and the screen's pixels per millimetre, to one decimal.
    const long double mm = std::nearbyintl(y * 10 / static_cast<long double>(w->PixelsPerMm())) / 10;
    QCOMPARE(f.Panel(1), QStringLiteral("垂直坐标：") + QString::number(double(mm), 'g', 6) + QStringLiteral("mm"));
    QVERIFY(f.Panel(1) != before);
  }

  void NewDocumentZoomFromTheZoomBox() {
    MainFixture f;
    Part<QComboBox>(f.main.get(), "DispComboBox")->setEditText(QStringLiteral("50%"));
    QCOMPARE(PageOf(f.NewDocument())->Zoom(), 50);
    // Text that is no number is reported before any window is made, rather than leaving a
    // window whose page is never shown.
    Part<QComboBox>(f.main.get(), "DispComboBox")->setEditText(QStringLiteral("abc%"));
    f.main->Action("actFileNew")->trigger();
    QCOMPARE(f.desk.messages.size(), size_t(1));
    QCOMPARE(f.desk.messages[0].kind, app::TMsgKind::Error);
    QCOMPARE(Part<TMdiClient>(f.main.get(), "ClientWindow")->subWindowList().size(), 1);
  }

  // The box shows the zoom a new or an opened window took from it, not the zoom its page had
  // as the window became active.
  void TheZoomBoxShowsTheZoomANewOrOpenedDocumentTook() {
    MainFixture f;
    QComboBox* box = Part<QComboBox>(f.main.get(), "DispComboBox");
    box->setEditText(QStringLiteral("150"));
    TfrmChild* made = f.NewDocument();
    QCOMPARE(made->Zoom(), 150);
    QCOMPARE(box->currentText(), QStringLiteral("150%"));
    const QString path = f.Path("zoomed.dyz");
    made->SaveDocument(path);
    box->setEditText(QStringLiteral("75%"));
    f.main->OpenDocument(path);
    QCOMPARE(f.main->ActiveChild()->Zoom(), 75);
    QCOMPARE(box->currentText(), QStringLiteral("75%"));
  }

  // The status panels and the zoom box follow the document window's signals and nothing
  // else: what it announces is what they show.
  void ThePanelsAndTheZoomBoxFollowWhatTheDocumentAnnounces() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    QComboBox* box = Part<QComboBox>(f.main.get(), "DispComboBox");
    emit w->FileStateChanged(app::TFileState::Saved, 7);
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已保存"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：7"));
    emit w->ZoomChanged(330);
    QCOMPARE(box->currentText(), QStringLiteral("330%"));

    AddSeal(w, 40, 40);
    AddSeal(w, 100, 40);
    w->MarkModified();
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：2"));
    w->MarkSaved();
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已保存"));
    w->ApplyZoom(130);
    QCOMPARE(box->currentText(), QStringLiteral("130%"));
    w->Clear();
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：未修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：0"));
  }

  void ActivationShowsThatDocument() {
    MainFixture f;
    TfrmChild* a = f.NewDocument();
    f.Arm("actDrawFiveStar");
    a->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 100, 100);
    a->ApplyZoom(150);
    TfrmChild* b = f.NewDocument();
    b->ApplyZoom(75);
    QCOMPARE(Part<QComboBox>(f.main.get(), "DispComboBox")->currentText(), QStringLiteral("75%"));
    Part<TMdiClient>(f.main.get(), "ClientWindow")->setActiveSubWindow(a);
    QCOMPARE(Part<QComboBox>(f.main.get(), "DispComboBox")->currentText(), QStringLiteral("150%"));
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：1"));
    Part<TMdiClient>(f.main.get(), "ClientWindow")->setActiveSubWindow(b);
    QCOMPARE(Part<QComboBox>(f.main.get(), "DispComboBox")->currentText(), QStringLiteral("75%"));
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：未修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：0"));
  }

  void ArmedToolCursorFollowsTheActiveWindow() {
    MainFixture f;
    TfrmChild* a = f.NewDocument();
    TfrmChild* b = f.NewDocument();
    f.Arm("actPageZoomIn");
    QVERIFY(HasSlotCursor(PageOf(b), 4));
    Part<TMdiClient>(f.main.get(), "ClientWindow")->setActiveSubWindow(a);
    QVERIFY(HasSlotCursor(PageOf(a), 4));
    QVERIFY(HasSlotCursor(PageOf(b), 0));
  }

  void ExitAsksEveryModifiedDocument() {
    MainFixture f;
    TfrmChild* a = f.NewDocument();
    f.NewDocument();
    a->MarkModified();
    f.desk.answer = app::mbCancel;
    f.main->close();
    // A refusal keeps every window: they are all asked before any closes.
    QCOMPARE(Part<TMdiClient>(f.main.get(), "ClientWindow")->subWindowList().size(), 2);
    QCOMPARE(f.desk.messages.size(), size_t(1));
  }

  void LockedElementIsSelectedButNotMoved() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = f.Draw(w, "actDrawFiveStar", QRect(100, 100, 60, 60));
    TSeal* b = f.Draw(w, "actDrawFiveStar", QRect(300, 100, 60, 60));
    w->SetSelection({a});
    w->ToggleCurrentSealLock();
    w->SetSelection({b});
    w->SealMouseDown(a, seal::mbLeft, seal::ssLeft, 10, 10);
    QCOMPARE(w->CurrentSeal(), a);
    QVERIFY(Glass(w).empty() && !PointerHeld(w));
    QVERIFY(w->GrabHandles()->Shown());
    w->SealMouseDown(a, seal::mbRight, seal::ssRight, 10, 10);
    QCOMPARE(f.Tool("actLockSeal")->text(), QStringLiteral("解锁印章(&U)"));
    w->SealMouseDown(b, seal::mbRight, seal::ssRight, 10, 10);
    QCOMPARE(f.Tool("actLockSeal")->text(), QStringLiteral("锁定印章位置(&L)"));
    QCOMPARE(f.main->CurrentColor(), b->PenColor());
  }
};

QTEST_MAIN(DocumentWindowsTest)
#include "document_windows_test.moc"
