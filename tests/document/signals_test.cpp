// The document window's own changes on the fake host: what each does to the page and the
// selection, what it shows through the host and which signals announce it.
#include <QSignalSpy>

#include "docfixture.h"
#include "document/grabhandles.h"
#include "document/selectframe.h"
#include "formats/clipboard.h"

using seal::TSeal;

namespace {

// Counts of the three signals since the last Take.
struct Signals {
  QSignalSpy file, current, zoom;
  explicit Signals(TfrmChild* w)
      : file(w, &TfrmChild::FileStateChanged), current(w, &TfrmChild::CurrentSealChanged), zoom(w, &TfrmChild::ZoomChanged) {}
  QList<int> Take() {
    const QList<int> counts{int(file.size()), int(current.size()), int(zoom.size())};
    for (QSignalSpy* s : {&file, &current, &zoom}) s->clear();
    return counts;
  }
};

TSeal* CurrentAnnounced(const QSignalSpy& spy) { return spy.last().at(0).value<TSeal*>(); }

}  // namespace

class SignalsTest : public QObject {
  Q_OBJECT

 private slots:
  void SelectionKeepsHandlesOrFrameAndAnnouncesTheCurrentElement() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = AddSeal(w, 40, 40);
    TSeal* b = AddSeal(w, 100, 40);
    Signals s(w);

    w->SetSelection({a});
    QCOMPARE(s.current.size(), 1);
    QCOMPARE(CurrentAnnounced(s.current), a);
    QCOMPARE(s.Take(), QList<int>({0, 1, 0}));
    QVERIFY(w->CurrentSeal() == a && w->GrabHandles() && !w->SelectFrame());

    w->SetSelection({a, b});
    QCOMPARE(CurrentAnnounced(s.current), nullptr);
    QCOMPARE(s.Take(), QList<int>({0, 1, 0}));
    QVERIFY(!w->CurrentSeal() && !w->GrabHandles() && w->SelectFrame());
    const TSelectFrame* frame = w->SelectFrame();
    // Another group keeps the one frame; nothing was current, nothing becomes current.
    w->SetSelection({b, a});
    QCOMPARE(w->SelectFrame(), frame);
    QCOMPARE(s.Take(), QList<int>({0, 0, 0}));

    w->SetSelection({});
    QVERIFY(!w->SelectFrame() && !w->GrabHandles() && w->Selection().empty());
    QCOMPARE(s.Take(), QList<int>({0, 0, 0}));
    // Selecting is no change of the document.
    QVERIFY(!w->Modified());
  }

  void ChangesMarkTheDocumentAndShowItsState() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = AddSeal(w, 40, 40);
    TSeal* b = AddSeal(w, 100, 40);
    TSeal* c = AddSeal(w, 160, 40);
    Signals s(w);

    // Without a current element stacking and same centre do nothing.
    w->BringToFront();
    w->SendToBack();
    w->SetSameCentre();
    QCOMPARE(s.Take(), QList<int>({0, 0, 0}));
    QVERIFY(!w->Modified());

    w->SetSelection({a});
    s.Take();
    w->BringToFront();
    QVERIFY(std::ranges::equal(w->Seals(), std::vector<TSeal*>({b, c, a})));
    QVERIFY(w->Modified());
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：3"));
    QCOMPARE(s.Take(), QList<int>({1, 0, 0}));

    w->SetSelection({b, c});
    s.Take();
    w->DeleteSelection();
    QVERIFY(std::ranges::equal(w->Seals(), std::vector<TSeal*>({a})));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：1"));
    QCOMPARE(s.Take(), QList<int>({1, 0, 0}));

    w->Clear();
    QVERIFY(w->Seals().empty() && !w->Modified());
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：未修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：0"));
    QCOMPARE(s.Take(), QList<int>({1, 0, 0}));

    w->ApplyZoom(150);
    QCOMPARE(s.zoom.size(), 1);
    QCOMPARE(s.zoom.last().at(0).toInt(), 150);
  }

  void PasteSelectsWhatItInserts() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = AddSeal(w, 40, 40);
    TSeal* b = AddSeal(w, 100, 40);
    std::vector<uint8_t> clip;
    w->PasteSeals(clip);
    QVERIFY(!w->Modified());
    w->CopySelection(std::vector<const TSeal*>{a, b}, clip);
    Signals s(w);
    w->PasteSeals(clip);
    QCOMPARE(w->Seals().size(), size_t(4));
    QVERIFY(std::ranges::equal(w->Selection(), std::vector<const TSeal*>({w->Seals()[2], w->Seals()[3]})));
    QVERIFY(w->SelectFrame() && w->SelectFrame()->isVisible());
    QVERIFY(w->Modified());
    QCOMPARE(s.Take(), QList<int>({1, 0, 0}));
  }

  // With no main window the window still announces its file state (with its element count)
  // and its zoom, after each change and as it becomes active.
  void FileStateAndZoomAreAnnouncedWithoutAMainWindow() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    AddSeal(w, 40, 40);
    AddSeal(w, 100, 40);
    Signals s(w);
    const auto lastState = [&] {
      return std::pair{s.file.last().at(0).value<app::TFileState>(), s.file.last().at(1).toInt()};
    };
    w->MarkModified();
    QCOMPARE(lastState(), std::pair(app::TFileState::Modified, 2));
    w->MarkSaved();
    QCOMPARE(lastState(), std::pair(app::TFileState::Saved, 2));
    w->MarkModified();
    w->ForgetChanges();
    QCOMPARE(lastState(), std::pair(app::TFileState::Unmodified, 2));
    w->ApplyZoom(140);
    QCOMPARE(s.zoom.last().at(0).toInt(), 140);
    QCOMPARE(s.Take(), QList<int>({4, 0, 1}));

    // Another window becomes active, then this one again: it announces its own.
    TfrmChild* other = f.NewDocument();
    other->MarkModified();
    s.Take();
    f.area.setActiveSubWindow(w);
    QCOMPARE(s.Take(), QList<int>({1, 0, 1}));
    QCOMPARE(f.host.zoom, 140);
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：未修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：2"));
  }

  void TheHostShowsWhatTheUserDoes() {
    DocFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = AddSeal(w, 40, 40);
    // A right press readies the elements' pop-up menu for the element.
    w->SealMouseDown(a, seal::mbRight, seal::ssRight, 10, 10);
    QCOMPARE(f.host.preparedFor, a);
    QCOMPARE(f.host.colour, a->PenColor());
    // A zoom tool shows its zoom; the tool stays armed.
    f.Arm("actPageZoomIn");
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 10, 10);
    QCOMPARE(f.host.zoom, 110);
    QCOMPARE(f.host.armed, app::kZoomInTool);
    // An element tool is released by the press that makes the element.
    f.Arm("actDrawFiveStar");
    w->DrawPanel1MouseDown(seal::mbLeft, seal::ssLeft, 300, 300);
    QCOMPARE(f.host.armed, 0);
    QCOMPARE(f.host.releases, 1);
    QCOMPARE(w->Seals().size(), size_t(2));
    // Activation shows that document's zoom and state.
    TfrmChild* other = f.NewDocument();
    QCOMPARE(f.host.zoom, 100);
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：未修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：0"));
    f.area.setActiveSubWindow(w);
    QCOMPARE(f.host.zoom, 110);
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：2"));
    QVERIFY(other != w);
  }
};

QTEST_MAIN(SignalsTest)
#include "signals_test.moc"
