// The property window among the main window's windows: made by New and Open and by the View
// command, placed under the right end of the tool bar, freed by its close box and the View
// command, writing into the active document's current element through the main window, and
// rolled up when the active document or its current element changes.
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include "controls/ansitext.h"
#include "controls/kivspinedit.h"
#include "controls/tilepanel.h"
#include "document/grabhandles.h"
#include "document/sealtemplates.h"
#include "mainwindow/cascade.h"
#include "mainfixture.h"
#include "platform/gbk.h"
#include "property/controlevents.h"
#include "property/proprty.h"

using seal::TSeal;

namespace {

const QString kWindowModified = QStringLiteral("文件状态 ：已修改");

// Where the window hangs: just below the tool bar, its right end where the side panels begin.
QPoint Corner(MainFixture& f) {
  QWidget* bar = Part<QWidget>(f.main.get(), "CoolBar1");
  const int panels = std::max(Part(f.main.get(), "ScrollBox1")->width(), Part(f.main.get(), "ScrollBox2")->width());
  const QPoint p = bar->mapToGlobal(QPoint(bar->contentsRect().width() - panels - frmProprty->width(), bar->height()));
  return bar->isHidden() ? p - QPoint(0, bar->height()) : p;
}

// The element selected alone, as a press on it selects it.
TSeal* Selected(TfrmChild* w, TSeal* s) {
  w->SetSelection({s});
  return s;
}

// A click on a page button.
void Page(int n) {
  TKivButton* button = Part<TKivButton>(frmProprty, QStringLiteral("KivButton%1").arg(n));
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(4, 4));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(4, 4));
}

bool RolledUp() { return frmProprty->height() == frmProprty->Layout().barHeight; }

// The user types over the whole text of a control, one character at a time.
void TypeOver(QWidget* control, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
  if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) memo->selectAll();
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(control, &press);
  }
}

void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class PropertyWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { QCOMPARE(frmProprty, nullptr); }

  void NewShowsItOnceUnderTheToolBar() {
    MainFixture f;
    QCOMPARE(frmProprty, nullptr);
    f.NewDocument();
    QVERIFY(frmProprty);
    QPointer<TfrmProprty> first = frmProprty;
    QVERIFY(first->isVisible());
    QCOMPARE(first->parentWidget(), f.main.get());
    QCOMPARE(first->pos(), Corner(f));
    // Every control is disabled: a new page has no current element.
    QVERIFY(!first->Control(4)->isEnabled());
    first->move(first->pos() + QPoint(-40, 30));
    const QPoint moved = first->pos();
    f.NewDocument();
    QCOMPARE(frmProprty, first.data());
    QCOMPARE(first->pos(), moved);
    f.main.reset();
    QVERIFY(first.isNull());
  }

  void OpenShowsItAfterTheZoom() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    AddSeal(w, 40, 40);
    const QString path = f.Path("one.dyz");
    w->SaveDocument(path);
    delete frmProprty;
    Part<QComboBox>(f.main.get(), "DispComboBox")->setEditText(QStringLiteral("50%"));
    f.main->OpenDocument(path);
    QVERIFY(frmProprty && frmProprty->isVisible());
    QCOMPARE(PageOf(f.main->ActiveChild())->Zoom(), 50);
    // A file that fails to open makes no window.
    delete frmProprty;
    const QString junk = f.Path("junk.dyz");
    WriteFile(junk, QByteArray(40, '\x7f'));
    f.main->OpenDocument(junk);
    QCOMPARE(f.asked.size(), size_t(1));
    QCOMPARE(frmProprty, nullptr);
  }

  void HiddenToolBarPlacesItAtTheTopOfTheFrame() {
    MainFixture f;
    f.main->Action(QStringLiteral("actViewOpenOrCloseToolBar"))->trigger();
    QVERIFY(Part<QWidget>(f.main.get(), "CoolBar1")->isHidden());
    f.main->Action(QStringLiteral("actViewOpenOrClosefrmProp"))->trigger();
    QVERIFY(frmProprty);
    QCOMPARE(frmProprty->pos(), Corner(f));
    delete frmProprty;
  }

  // Opened out or rolled up, the window covers neither the panels' tabs nor their first
  // tiles, and it follows the tool bar as the bar hides and shows.
  void ItLiesClearOfThePanelsAndFollowsTheToolBar() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    Selected(w, AddSeal(w, 50, 50));
    const auto global = [](const QWidget* part) { return QRect(part->mapToGlobal(QPoint(0, 0)), part->size()); };
    const auto clear = [&] {
      const QRect window = frmProprty->frameGeometry();
      for (const char* tab : {"KivButton1", "KivButton2"})
        if (window.intersects(global(Part(f.main.get(), tab)))) return false;
      for (const char* panel : {"KivFlatPanel2", "KivFlatPanel3"}) {
        const auto* tiles = Part<TTilePanel>(f.main.get(), panel);
        if (!tiles->Tiles().empty() && tiles->isVisible() && window.intersects(global(tiles->Tiles().front())))
          return false;
      }
      return true;
    };
    Page(1);
    QVERIFY(!RolledUp());
    for (const char* tab : {"KivButton1", "KivButton2"}) {
      QTest::mouseClick(Part<TKivButton>(f.main.get(), tab), Qt::LeftButton, Qt::NoModifier, QPoint(8, 4));
      QVERIFY(clear());
      frmProprty->FormDeactivate();
      QVERIFY(RolledUp());
      QVERIFY(clear());
      Page(1);
    }

    // Opened while the tool bar is hidden, it hangs at the top of the frame, and goes down
    // with the bar when it shows again.
    QAction* bar = f.main->Action(QStringLiteral("actViewOpenOrCloseToolBar"));
    QAction* window = f.main->Action(QStringLiteral("actViewOpenOrClosefrmProp"));
    bar->trigger();
    window->trigger();
    QCOMPARE(frmProprty, nullptr);
    window->trigger();
    const QPoint top = frmProprty->pos();
    QCOMPARE(top, Corner(f));
    bar->trigger();
    const int height = Part(f.main.get(), "CoolBar1")->height();
    QCOMPARE(frmProprty->pos(), top + QPoint(0, height));
    QCOMPARE(frmProprty->pos(), Corner(f));
    QVERIFY(clear());
    bar->trigger();
    QCOMPARE(frmProprty->pos(), top);
    delete frmProprty;
  }

  // A slanted element's follow-up, which runs inside the load of the box that starts it,
  // leaves every box showing what the element holds: the box that started it too. A second
  // load of the unchanged element then changes nothing.
  void LoadingASlantedElementShowsWhatItHolds() {
    struct Case {
      const char* what;
      seal::TSealType kind;
      int page;
      const char* width;  // the boxes of the width and the height on that page
      const char* height;
    } cases[] = {
        {"slanted line", seal::stAnyAngleLine, 1, "RxSpinEdit4", "RxSpinEdit5"},
        {"slanted text", seal::stAnyAngleText, 3, "RxSpinEdit24", "RxSpinEdit25"},
    };
    for (const Case& c : cases) {
      MainFixture f;
      TfrmChild* w = f.NewDocument();
      TSeal* s = Selected(w, AddSealOf(w, c.kind, 60, 60, 40, 30));
      s->SetTextAngle(455);
      s->SetRealWidth(c.kind == seal::stAnyAngleLine ? 40.0003f : 12.3456f);
      Page(c.page);
      const auto shows = [&](const char* box, float value) {
        return Part<TKivSpinEdit>(frmProprty, box)->text() == QString::number(double(value), 'f', 2);
      };
      // The angle's follow-up moved the centre and changed both sides after their boxes
      // were filled.
      QVERIFY2(shows(c.width, s->RealWidth()), c.what);
      QVERIFY2(shows(c.height, s->RealHeight()), c.what);
      QVERIFY2(shows("RxSpinEdit1", s->RealCenterX()), c.what);
      QVERIFY2(shows("RxSpinEdit2", s->RealCenterY()), c.what);
      w->MarkSaved();
      const QRectF before(s->RealCenterX(), s->RealCenterY(), s->RealWidth(), s->RealHeight());
      Page(c.page);
      QVERIFY2(!w->Modified(), c.what);
      QCOMPARE(QRectF(s->RealCenterX(), s->RealCenterY(), s->RealWidth(), s->RealHeight()), before);
      delete frmProprty;
    }
  }

  // Activation going to another program leaves none of the program's windows active: the
  // window rolls up as at any other loss of activation. Its own pop-up list is no loss.
  void ActivationGoingToAnotherProgramRollsItUp() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    Selected(w, AddSeal(w, 50, 50));
    Page(3);
    frmProprty->activateWindow();
    QTRY_VERIFY(frmProprty->isActiveWindow());
    auto* texts = Part<QComboBox>(frmProprty, "ComboBox2");
    QVERIFY(texts->isEnabled());
    texts->showPopup();
    QTest::qWait(20);
    texts->hidePopup();
    QTest::qWait(20);
    QVERIFY(!RolledUp());
    QApplication::setActiveWindow(nullptr);
    QTRY_VERIFY(RolledUp());
    delete frmProprty;
  }

  // A face or a code longer than its box shows from its first character once loaded.
  void LongNamesShowFromTheirFirstCharacter() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = Selected(w, AddSeal(w, 50, 50));
    const QString face = QStringLiteral("楷体_GB2312楷体_GB2312");
    s->SetTextFontName(app::FaceNameFromText(face));
    s->SetCodeFontName(app::FaceNameFromText(face));
    s->SetCode(std::string(40, '7'));
    Page(3);
    for (const char* box : {"ComboBox3", "ComboBox4"}) {
      const QLineEdit* edit = Part<QComboBox>(frmProprty, box)->lineEdit();
      QCOMPARE(edit->text(), face);
      QVERIFY(edit->width() < edit->fontMetrics().horizontalAdvance(face));
      QCOMPARE(edit->cursorPosition(), 0);
    }
    const auto* code = Part<QLineEdit>(frmProprty, "Edit1");
    QCOMPARE(code->text(), QString(40, QLatin1Char('7')));
    QCOMPARE(code->cursorPosition(), 0);
    delete frmProprty;
  }

  void ViewCommandAndCloseBoxFreeIt() {
    MainFixture f;
    QAction* toggle = f.main->Action(QStringLiteral("actViewOpenOrClosefrmProp"));
    toggle->trigger();
    QPointer<TfrmProprty> shown = frmProprty;
    QVERIFY(shown && shown->isVisible());
    toggle->trigger();
    QVERIFY(shown.isNull());
    QCOMPARE(frmProprty, nullptr);
    toggle->trigger();
    shown = frmProprty;
    QVERIFY(shown);
    QVERIFY(shown->close());
    QCOMPARE(frmProprty, nullptr);
    Flush();
    QVERIFY(shown.isNull());
    // Closed, the command opens it again.
    toggle->trigger();
    QVERIFY(frmProprty);
    // The main window frees it while its host is still there.
    QPointer<TfrmProprty> last = frmProprty;
    f.main.reset();
    QVERIFY(last.isNull());
  }

  // What the window writes reaches the active document's current element, its handles and
  // its file state.
  void EditsTheCurrentElementOfTheActiveDocument() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = Selected(w, AddSeal(w, 60, 60));
    QSignalSpy states(w, &TfrmChild::FileStateChanged);
    Page(3);
    QVERIFY(!RolledUp());
    QVERIFY(Part<property::TPropertyMemo>(frmProprty, "Memo1")->isEnabled());
    // Loading shows the element's values through the controls' ordinary value path: the
    // first load, changing what the controls show, counts as a change.
    w->MarkSaved();
    states.clear();
    TypeOver(Part<property::TPropertyMemo>(frmProprty, "Memo1"), QStringLiteral("北京印章厂"));
    QCOMPARE(s->Text(), platform::Gbk("北京印章厂"));
    QVERIFY(w->Modified());
    QVERIFY(!states.isEmpty());
    QCOMPARE(f.Panel(2), kWindowModified);

    Page(1);
    TKivSpinEdit* width = frmProprty->SpinEdit(4);
    QCOMPARE(width->text(), QStringLiteral("42.00"));
    TypeOver(width, QStringLiteral("30"));
    QCOMPARE(s->RealWidth(), 30.0f);
    QCOMPARE(s->Width(), platform::Round(30 * static_cast<long double>(w->PixelsPerMm())));
    // The handles went with the new width: each sits on its place of the new bounds.
    for (int i = 0; i < 8; ++i) {
      const TGrabHandle* h = w->GrabHandles()->Handle(i);
      QCOMPARE(h->pos() + QPoint(h->width() / 2, h->height() / 2), h->AnchorPoint());
    }
    QCOMPARE(f.Panel(2), kWindowModified);
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：1"));
    // Saved, the document is unmodified as far as the window knows too.
    f.chosen = {f.Path("edited.dyz")};
    f.answers = {app::mbYes};
    f.main->Action("actFileSave")->trigger();
    QVERIFY(!w->Modified());
    // What was typed is what the file keeps.
    f.main->OpenDocument(f.Path("edited.dyz"));
    TfrmChild* reopened = f.main->ActiveChild();
    QVERIFY(reopened != w);
    QCOMPARE(reopened->Seals().size(), size_t(1));
    QCOMPARE(reopened->Seals()[0]->Text(), platform::Gbk("北京印章厂"));
    QCOMPARE(reopened->Seals()[0]->RealWidth(), 30.0f);
    delete frmProprty;
  }

  // Another element or another document: the window rolls up, and the next page button
  // shows what is current then.
  void FollowsTheActiveDocumentAndItsCurrentElement() {
    MainFixture f;
    TfrmChild* a = f.NewDocument();
    TSeal* first = Selected(a, AddSeal(a, 50, 50));
    TSeal* second = AddSeal(a, 120, 60);
    second->SetRealWidth(36);
    Page(1);
    QCOMPARE(frmProprty->SpinEdit(4)->text(), QStringLiteral("42.00"));
    Selected(a, second);
    QVERIFY(RolledUp());
    Page(1);
    QVERIFY(!RolledUp());
    QCOMPARE(frmProprty->SpinEdit(4)->text(), QStringLiteral("36.00"));
    // Nothing selected: rolled up, and opened again every control is disabled.
    a->SetSelection({});
    QVERIFY(RolledUp());
    Page(2);
    QVERIFY(!frmProprty->Control(4)->isEnabled());

    Selected(a, first);
    Page(1);
    TfrmChild* b = f.NewDocument();
    QCOMPARE(f.main->ActiveChild(), b);
    QVERIFY(RolledUp());
    TSeal* other = Selected(b, AddSeal(b, 30, 30));
    Page(3);
    a->MarkSaved();
    TypeOver(Part<property::TPropertyMemo>(frmProprty, "Memo1"), QStringLiteral("乙"));
    QCOMPARE(other->Text(), platform::Gbk("乙"));
    QVERIFY(first->Text().empty());
    QVERIFY(b->Modified() && !a->Modified());
    // Closing the document leaves the other one's element to show.
    Part<TMdiClient>(f.main.get(), "ClientWindow")->setActiveSubWindow(a);
    QVERIFY(RolledUp());
    Page(1);
    QCOMPARE(frmProprty->SpinEdit(4)->text(), QStringLiteral("42.00"));
    b->ForgetChanges();
    b->close();
    Flush();
    delete frmProprty;
  }

  // The window's own activation leaves the document it edits the active one.
  void ActivatingTheWindowKeepsTheDocument() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = Selected(w, AddSeal(w, 50, 50));
    Page(3);
    frmProprty->activateWindow();
    QTRY_VERIFY(frmProprty->isActiveWindow());
    QCOMPARE(f.main->ActiveChild(), w);
    QVERIFY(!RolledUp());
    TypeOver(Part<property::TPropertyMemo>(frmProprty, "Memo1"), QStringLiteral("甲"));
    QCOMPARE(s->Text(), platform::Gbk("甲"));
    delete frmProprty;
  }

  // Rolled up, the window leaves every document window's caption, buttons and all, in
  // reach: windows it finds, new ones, cascaded and tiled ones, with a side panel shown or
  // not; and it follows the main window as that changes size.
  void DocumentCaptionsStayClearOfIt() {
    MainFixture f;
    f.main->resize(1024, 768);
    TfrmChild* first = f.NewDocument();
    QVERIFY(frmProprty);
    frmProprty->FormDeactivate();
    const auto clear = [&](const char* what) {
      const QRect window = frmProprty->frameGeometry();
      for (QMdiSubWindow* w : Part<QMdiArea>(f.main.get(), "ClientWindow")->subWindowList()) {
        const QRect caption(w->mapToGlobal(QPoint(0, 0)), QSize(w->width(), app::CascadeStep(*w)));
        if (window.intersects(caption)) {
          qWarning("%s: %s lies under the property window", what, qPrintable(w->windowTitle()));
          return false;
        }
      }
      return true;
    };
    // A window that was there first is moved out from under it.
    first->setGeometry(QRect(QPoint(0, 0), Part<QMdiArea>(f.main.get(), "ClientWindow")->viewport()->size()));
    delete frmProprty;
    f.main->Action(QStringLiteral("actViewOpenOrClosefrmProp"))->trigger();
    frmProprty->FormDeactivate();
    QVERIFY(clear("the window there first"));
    f.NewDocument();
    f.NewDocument();
    frmProprty->FormDeactivate();
    QVERIFY(clear("new windows"));
    for (const bool panel : {false, true}) {
      if (panel)
        QTest::mouseClick(Part<TKivButton>(f.main.get(), "KivButton2"), Qt::LeftButton, Qt::NoModifier, QPoint(8, 4));
      QCOMPARE(frmProprty->pos(), Corner(f));
      for (const char* arrange : {"WindowTileHorizontal1", "WindowTileVertical1", "WindowCascade1"}) {
        f.main->Action(QLatin1String(arrange))->trigger();
        QVERIFY2(clear(arrange), arrange);
      }
    }
    // The main window changes size: the window stays under the end of the tool bar.
    for (const QSize size : {QSize(900, 700), QSize(1024, 768)}) {
      f.main->resize(size);
      QTRY_COMPARE(f.main->size(), size);
      QTRY_COMPARE(frmProprty->pos(), Corner(f));
      QVERIFY(clear("after a resize"));
    }
    delete frmProprty;
  }

  // A page opens with the focus in its first box that takes a value, not in the list box
  // before it: what the user types goes into the text on page C and into the code on
  // page D. A text selector that names no text says so in the status bar.
  void APageOpensOnItsFirstValueBox() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = Selected(w, AddSeal(w, 50, 50));
    const seal::TFaceName face = s->CodeFontName();
    struct Case {
      int page;
      const char* box;
    } cases[] = {{1, "RxSpinEdit1"}, {3, "Memo1"}, {4, "Edit1"}};
    for (const Case& c : cases) {
      Page(c.page);
      QVERIFY(frmProprty->focusWidget());
      QCOMPARE(frmProprty->focusWidget()->objectName(), QLatin1String(c.box));
    }
    Page(3);
    QTest::keyClicks(frmProprty->focusWidget(), QStringLiteral("abc"));
    QCOMPARE(s->Text(), std::string("abc"));
    QCOMPARE(frmProprty->ComboBox(31)->currentText(), QStringLiteral("第一文字"));
    Page(4);
    QTest::keyClicks(frmProprty->focusWidget(), QStringLiteral("2468"));
    QVERIFY(s->Code().size() >= 4 && s->Code().substr(s->Code().size() - 4) == "2468");
    QVERIFY(s->CodeFontName() == face);

    // The selector typed into until it names no text: the status bar says why the page's
    // edits write nothing.
    Page(3);
    QComboBox* selector = frmProprty->ComboBox(31);
    selector->lineEdit()->end(false);
    QTest::keyClicks(selector->lineEdit(), QStringLiteral("x"));
    QVERIFY2(f.Panel(4).contains(QStringLiteral("第一文字x")), qPrintable(f.Panel(4)));
    delete frmProprty;
  }

  // What the user types right after a page opens stands in place of the first box's value,
  // also when that box had the focus before the window rolled up.
  void TypingOnAnOpenedPageReplacesTheFirstValue_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("held");
    QTest::newRow("the centre on page A") << 1 << "12" << "12";
    QTest::newRow("the serial code on page D") << 4 << "2468" << "2468";
  }
  void TypingOnAnOpenedPageReplacesTheFirstValue() {
    QFETCH(int, page);
    QFETCH(QString, typed);
    QFETCH(QString, held);
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = Selected(w, AddSeal(w, 50, 50));
    const auto value = [&] { return page == 1 ? QString::number(s->RealCenterX()) : QString::fromStdString(s->Code()); };
    for (int round = 0; round < 2; ++round) {
      Page(page);
      QTest::keyClicks(frmProprty->focusWidget(), typed);
      QCOMPARE(value(), held);
      frmProprty->FormDeactivate();
    }
    delete frmProprty;
  }

  // Left, a number box shows what the element holds: text that is no number, which the
  // element took as the minimum, shows as that; a whole-number box takes no more digits
  // than its range has, so a larger number never reads as a smaller one.
  void ALeftBoxShowsWhatTheElementHolds() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = Selected(w, AddSealOf(w, seal::stHorzText, 50, 50, 30, 10));
    const auto leave = [](QWidget* box) {
      QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
      QCoreApplication::sendEvent(box, &out);
    };
    Page(1);
    TKivSpinEdit* width = frmProprty->SpinEdit(4);
    if (!width->isEnabled()) width = frmProprty->SpinEdit(1);
    TypeOver(width, QStringLiteral("999e"));
    QCOMPARE(width->text(), QStringLiteral("999e"));
    leave(width);
    QCOMPARE(width->text(), QStringLiteral("0.00"));

    Page(3);
    TKivSpinEdit* strokes = frmProprty->SpinEdit(42);  // 0 .. 10000
    QVERIFY(strokes->isEnabled());
    TypeOver(strokes, QStringLiteral("2147483648"));
    QCOMPARE(strokes->text(), QStringLiteral("21474"));
    QCOMPARE(s->TextPenWidth(), 21474);
    leave(strokes);
    QCOMPARE(strokes->text(), QStringLiteral("10000"));
    QCOMPARE(s->TextPenWidth(), 10000);
    TKivSpinEdit* rows = frmProprty->SpinEdit(40);  // 1 .. 255
    QVERIFY(rows->isEnabled());
    TypeOver(rows, QStringLiteral("999999999999999999999999999999"));
    QCOMPARE(rows->text(), QStringLiteral("999"));
    leave(rows);
    QCOMPARE(rows->text(), QStringLiteral("255"));
    QCOMPARE(s->RowColCount(), 255);
    delete frmProprty;
  }

  // The face boxes list every installed family, Latin ones too; so does the tool bar's
  // font box once "仅中文" is cleared, which set again keeps the Chinese names only.
  void FontBoxesListEveryInstalledFamily() {
    MainFixture f;
    const app::TServices fake = app::Services();
    app::ResetServices();
    const auto installed = app::Services().ScreenFontNames;
    app::Services() = fake;
    app::Services().ScreenFontNames = installed;
    // Latin families that the build's packages install.
    QStringList latin;
    for (const char* maker : {"DejaVu", "Nimbus"})
      for (const QString& family : installed())
        if (family.startsWith(QLatin1String(maker))) {
          latin.append(family);
          break;
        }
    QCOMPARE(latin.size(), 2);

    QCheckBox* only = Part<QCheckBox>(f.main.get(), "CheckBox4");
    QComboBox* fonts = Part<QComboBox>(f.main.get(), "FontComboBox");
    only->click();
    QVERIFY(!only->isChecked());
    for (const QString& family : latin) QVERIFY2(fonts->findText(family) >= 0, qPrintable(family));
    only->click();
    for (int i = 0; i < fonts->count(); ++i)
      QVERIFY2(app::HasDoubleByteChar(fonts->itemText(i)), qPrintable(fonts->itemText(i)));

    f.main->Action(QStringLiteral("actViewOpenOrClosefrmProp"))->trigger();
    QVERIFY(frmProprty);
    for (const int tag : {32, 49})
      for (const QString& family : latin) QVERIFY2(frmProprty->ComboBox(tag)->findText(family) >= 0, qPrintable(family));
    // A family that two foundries make (C059 comes as Type 1 and as OpenType) is one item,
    // named without a foundry, in every list.
    for (QComboBox* list : {fonts, frmProprty->ComboBox(32), frmProprty->ComboBox(49)}) {
      if (list == fonts) only->click();
      QStringList items;
      for (int i = 0; i < list->count(); ++i) items.append(list->itemText(i));
      QVERIFY2(items.count(QStringLiteral("C059")) == 1, qPrintable(list->objectName()));
      for (const QString& item : items) QVERIFY2(!item.endsWith(QLatin1Char(']')), qPrintable(item));
      QCOMPARE(QSet<QString>(items.begin(), items.end()).size(), items.size());
    }
    delete frmProprty;
  }

  // Control characters are refused by every text box of the window, pasted as typed, as
  // the characters GBK cannot hold are: the memo, the code box and the face boxes keep
  // what they had, the element too, and the status bar says why.
  void PastedControlCharactersAreRefused() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = Selected(w, AddSeal(w, 50, 50));
    QGuiApplication::clipboard()->setText(QStringLiteral("A") + QChar(0) + QStringLiteral("B"));
    Page(3);
    auto* memo = Part<QPlainTextEdit>(frmProprty, "Memo1");
    const std::string text = s->Text();
    memo->selectAll();
    memo->paste();
    QCOMPARE(s->Text(), text);
    QVERIFY(!memo->toPlainText().contains(QChar(0)));
    QVERIFY2(f.Panel(4).contains(QStringLiteral("控制字符")), qPrintable(f.Panel(4)));
    const seal::TFaceName face = s->TextFontName();
    QLineEdit* faceBox = frmProprty->ComboBox(32)->lineEdit();
    faceBox->selectAll();
    faceBox->paste();
    QVERIFY(!faceBox->text().contains(QChar(0)));
    QVERIFY(s->TextFontName() == face);
    Page(4);
    auto* code = Part<QLineEdit>(frmProprty, "Edit1");
    const std::string was = s->Code();
    code->selectAll();
    code->paste();
    QCOMPARE(s->Code(), was);
    QVERIFY(!code->text().contains(QChar(0)));
    // Text without them still goes in.
    QGuiApplication::clipboard()->setText(QStringLiteral("AB"));
    code->selectAll();
    code->paste();
    QCOMPARE(s->Code(), std::string("AB"));
    delete frmProprty;
  }
};

QTEST_MAIN(PropertyWindowTest)
#include "property_window_test.moc"
