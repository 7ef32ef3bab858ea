#include <QComboBox>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>

#include "docfixture.h"
#include "controls/kivcontrols.h"

namespace {

const QString kSaveQuestion = QStringLiteral("当前文件尚未保存或者已被修改，是否\n保存（修改后的）文件？");

void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void PageFromPrinter_data() {
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<bool>("hasCaps");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("horzSize");
    QTest::addColumn<int>("vertSize");
    QTest::addColumn<double>("margin");
    QTest::addColumn<double>("vmargin");
    QTest::newRow("200 x 287 on A4") << QStringList{"Laser"} << true << 254 << 200 << 287 << 5.0 << 5.0;
    // The printable area's offset on the sheet plays no part: the margins come in pairs.
    QTest::newRow("uneven area") << QStringList{"Laser"} << true << 254 << 199 << 280 << 5.5 << 8.5;
    QTest::newRow("no printer") << QStringList{} << true << 254 << 200 << 287 << 6.0 << 6.0;
    QTest::newRow("no default printer") << QStringList{"Laser"} << false << 254 << 0 << 0 << 6.0 << 6.0;
    QTest::newRow("no resolution") << QStringList{"Laser"} << true << 0 << 200 << 287 << 6.0 << 6.0;
  }
  void PageFromPrinter() {
    QFETCH(QStringList, printers);
    QFETCH(bool, hasCaps);
    QFETCH(int, dpi);
    QFETCH(int, horzSize);
    QFETCH(int, vertSize);
    QFETCH(double, margin);
    QFETCH(double, vmargin);
    DocFixture f;
    f.desk.printers = printers;
    f.caps = hasCaps ? std::optional<app::TPrinterCaps>({dpi, dpi, 2100, 2970, horzSize, vertSize}) : std::nullopt;
    TfrmChild* w = f.NewDocument();
    const TKivDrawPanel* page = PageOf(w);
    QCOMPARE(double(page->PageWidth()), 210.0);
    QCOMPARE(double(page->PageHeight()), 297.0);
    QCOMPARE(double(page->LeftMargin()), margin);
    QCOMPARE(double(page->RightMargin()), margin);
    QCOMPARE(double(page->TopMargin()), vmargin);
    QCOMPARE(double(page->BottomMargin()), vmargin);
    QVERIFY(f.desk.messages.empty());
  }

  void ZoomKeepsTheScrollPosition() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    w->resize(400, 300);
    QScrollBar* h = Part<QScrollArea>(w, "ScrollBox")->horizontalScrollBar();
    QScrollBar* v = Part<QScrollArea>(w, "ScrollBox")->verticalScrollBar();
    const int halfW = Part<QWidget>(w, "Sheet")->width() / 2;
    const int halfH = Part<QWidget>(w, "Sheet")->height() / 2;
    h->setValue(halfW);
    v->setValue(halfH);
    QCOMPARE(h->value(), halfW);
    QCOMPARE(v->value(), halfH);
    const double rh = double(halfW) / Part<QWidget>(w, "Sheet")->width();
    const double rv = double(halfH) / Part<QWidget>(w, "Sheet")->height();
    w->ApplyZoom(200);
    QCOMPARE(PageOf(w)->size(), QSize(1587, 2245));
    QCOMPARE(h->value(), platform::Round(static_cast<long double>(Part<QWidget>(w, "Sheet")->width()) * rh));
    QCOMPARE(v->value(), platform::Round(static_cast<long double>(Part<QWidget>(w, "Sheet")->height()) * rv));
    QVERIFY(std::abs(h->value() - Part<QWidget>(w, "Sheet")->width() / 2) <= 1);
    QVERIFY(std::abs(v->value() - Part<QWidget>(w, "Sheet")->height() / 2) <= 1);
  }

  void ZoomBelowOneIsRefused() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    w->ApplyZoom(0);
    QCOMPARE(PageOf(w)->Zoom(), 100);
    QCOMPARE(PageOf(w)->size(), QSize(794, 1123));
    w->ApplyZoom(1);
    QCOMPARE(PageOf(w)->Zoom(), 1);
  }

  void PageIsCentredWithItsShadow() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    w->resize(700, 500);
    w->ApplyZoom(25);
    const QSize page = PageOf(w)->size();
    QCOMPARE(page, QSize(198, 281));
    const QSize client = Part<QScrollArea>(w, "ScrollBox")->viewport()->size();
    QVERIFY(client.width() > page.width() && client.height() > page.height());
    const QPoint at((client.width() - page.width()) / 2,
                    platform::Round((client.height() - page.height()) / 2.0L));
    QCOMPARE(PageOf(w)->pos(), at);
    QCOMPARE(Part<TKivFlatPanel>(w, "PageBack")->geometry(), QRect(at + QPoint(3, 3), page));
    QVERIFY(Part<TKivFlatPanel>(w, "PageBack")->isVisible());

    w->ApplyZoom(200);
    QCOMPARE(PageOf(w)->pos(), QPoint(1, 1));
    QCOMPARE(Part<TKivFlatPanel>(w, "PageBack")->geometry(), QRect(QPoint(4, 4), PageOf(w)->size()));
    QCOMPARE(Part<QWidget>(w, "Sheet")->size(), PageOf(w)->size() + QSize(4, 4));
  }

  void ExactFitIsTopOneLeftZero() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    Part<QScrollArea>(w, "ScrollBox")->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Part<QScrollArea>(w, "ScrollBox")->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->resize(500, 400);
    const QSize client = Part<QScrollArea>(w, "ScrollBox")->viewport()->size();
    TKivDrawPanel* page = PageOf(w);
    page->SetPageWidth(client.width() / page->Scale());
    page->SetPageHeight(client.height() / page->Scale());
    QCOMPARE(page->size(), client);
    w->FormResize();
    QCOMPARE(page->pos(), QPoint(0, 1));
  }

  void UnmodifiedClosesWithoutAQuestion() {
    DocFixture f;
    QPointer<TfrmChild> w = f.NewDocument();
    w->close();
    Flush();
    QVERIFY(w.isNull());
    QVERIFY(f.desk.messages.empty());
    QCOMPARE(f.host.saves, 0);
  }

  void CloseQuery_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("save");  // 0 none, 1 saves, 2 leaves it modified, 3 throws
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("saves");
    QTest::newRow("Cancel keeps it") << int(app::mbCancel) << 1 << false << 0;
    QTest::newRow("No closes unsaved") << int(app::mbNo) << 1 << true << 0;
    QTest::newRow("Yes saves and closes") << int(app::mbYes) << 1 << true << 1;
    QTest::newRow("Yes, save cancelled, stays") << int(app::mbYes) << 2 << false << 1;
    QTest::newRow("Yes, save failed, stays") << int(app::mbYes) << 3 << false << 1;
  }
  void CloseQuery() {
    QFETCH(int, answer);
    QFETCH(int, save);
    QFETCH(bool, closes);
    QFETCH(int, saves);
    DocFixture f;
    QPointer<TfrmChild> w = f.NewDocument();
    TfrmChild* other = f.NewDocument();
    QVERIFY(f.Active() == other);
    w->MarkModified();
    TfrmChild* savedWindow = nullptr;
    f.host.onSave = [&](TfrmChild* active) {
      savedWindow = active;
      if (save == 1) active->ForgetChanges();
      if (save == 3) throw std::runtime_error("磁盘已满");
    };
    f.desk.answer = app::TMsgButton(answer);
    w->close();
    Flush();
    QCOMPARE(w.isNull(), closes);
    QCOMPARE(f.host.saves, saves);
    if (saves) QVERIFY(savedWindow == w || (closes && savedWindow != other));
    QVERIFY(!f.desk.messages.empty());
    QCOMPARE(f.desk.messages[0].kind, app::TMsgKind::Confirmation);
    QCOMPARE(f.desk.messages[0].text, kSaveQuestion);
    QCOMPARE(f.desk.messages[0].buttons, app::TMsgButtons(app::mbYes | app::mbNo | app::mbCancel));
    if (save == 3) {
      QCOMPARE(f.desk.messages.size(), size_t(2));
      QCOMPARE(f.desk.messages[1].text, QStringLiteral("磁盘已满"));
    }
    if (!closes) QVERIFY(w->Modified());
  }

};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
