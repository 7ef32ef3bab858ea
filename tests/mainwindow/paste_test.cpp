// Copy and paste through the main window's clipboard between real document windows.
#include <QtTest>

#include "mainfixture.h"
#include "document/grabhandles.h"
#include "document/selectframe.h"

class PasteTest : public QObject {
  Q_OBJECT

 private slots:
  void PasteBeforeAnyCopyDoesNothing() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    AddSeal(w, 50, 60);
    f.main->Action("actEditPaste")->trigger();
    QCOMPARE(w->FSeals.size(), size_t(1));
    QVERIFY(!w->FModified);
    QVERIFY(f.asked.empty());
  }

  void OnePastedElementGetsHandlesAndLandsTwoMillimetresOn() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    seal::TSeal* a = AddSeal(w, 50, 60);
    w->FSelection = {a};
    f.main->Action("actEditCopy")->trigger();
    for (int paste = 1; paste <= 2; ++paste) {
      f.main->Action("actEditPaste")->trigger();
      QCOMPARE(w->FSeals.size(), size_t(1 + paste));
      seal::TSeal* pasted = w->FSeals.back();
      // Both pastes land at the same place.
      QCOMPARE(pasted->RealCenterX(), 52.0f);
      QCOMPARE(pasted->RealCenterY(), 62.0f);
      QVERIFY(pasted->isVisible());
      QCOMPARE(w->FSelection, std::vector<seal::TSeal*>{pasted});
      QCOMPARE(w->FCurrentSeal, pasted);
      QVERIFY(w->FGrabHandles);
      QVERIFY(!w->FSelectFrame);
      QVERIFY(w->FModified);
      QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
      QCOMPARE(f.Panel(3), QStringLiteral("已画图形：") + QString::number(1 + paste));
    }
    // A copy of a paste goes 2 mm further.
    f.main->Action("actEditCopy")->trigger();
    f.main->Action("actEditPaste")->trigger();
    QCOMPARE(w->FSeals.back()->RealCenterX(), 54.0f);
    QCOMPARE(w->FSeals.back()->RealCenterY(), 64.0f);
  }

  void SeveralPastedElementsGetTheFrame() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    seal::TSeal* a = AddSeal(w, 50, 60);
    seal::TSeal* b = AddSeal(w, 120, 60);
    w->FSelection = {b, a};
    w->FCurrentSeal = nullptr;
    f.main->actEditCopyExecute();
    f.main->actEditPasteExecute();
    QCOMPARE(w->FSeals.size(), size_t(4));
    QCOMPARE(w->FSelection, (std::vector<seal::TSeal*>{w->FSeals[2], w->FSeals[3]}));
    // Selection order was kept: the first pasted is the copy of b.
    QCOMPARE(w->FSeals[2]->RealCenterX(), 122.0f);
    QCOMPARE(w->FSeals[3]->RealCenterX(), 52.0f);
    QVERIFY(!w->FGrabHandles);
    QVERIFY(w->FSelectFrame);
    QVERIFY(w->FSelectFrame->isVisible());
    // The frame surrounds the pasted elements with 2 pixels on every side.
    const auto bounds = [](const seal::TSeal* s) { return QRect(s->Left(), s->Top(), s->Width(), s->Height()); };
    QCOMPARE(w->FSelectFrame->geometry().adjusted(2, 2, -2, -2), bounds(w->FSeals[2]) | bounds(w->FSeals[3]));
    // Pasting again keeps the one frame, around the new selection.
    TSelectFrame* frame = w->FSelectFrame;
    f.main->actEditPasteExecute();
    QCOMPARE(w->FSelectFrame, frame);
    QCOMPARE(w->FSelection.size(), size_t(2));
    QCOMPARE(w->FSelection[0], w->FSeals[4]);
  }

  void CopyWithNothingSelectedKeepsTheEarlierCopy() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    seal::TSeal* a = AddSeal(w, 50, 60);
    w->FSelection = {a};
    f.main->actEditCopyExecute();
    const std::vector<uint8_t> before = *f.main->FClipStream;
    w->FSelection.clear();
    f.main->actEditCopyExecute();
    QCOMPARE(*f.main->FClipStream, before);
    f.main->actEditPasteExecute();
    QCOMPARE(w->FSeals.back()->RealCenterX(), 52.0f);
  }

  void PasteIntoAnotherZoomKeepsMillimetres() {
    MainFixture f;
    TfrmChild* from = f.NewDocument();
    seal::TSeal* a = AddSeal(from, 50, 60);
    from->FSelection = {a};
    f.main->actEditCopyExecute();
    TfrmChild* to = f.NewDocument();
    // 10 screen pixels per millimetre at 200 %: 20 pixels per millimetre.
    to->FPixelsPerMm = 10;
    to->ApplyZoom(200);
    f.main->actEditPasteExecute();
    QCOMPARE(to->FSeals.size(), size_t(1));
    seal::TSeal* pasted = to->FSeals[0];
    QCOMPARE(pasted->parentWidget(), to->KivDrawPanel1);
    QCOMPARE(pasted->RealWidth(), 42.0f);
    QCOMPARE(pasted->RealCenterX(), 52.0f);
    QCOMPARE(pasted->RealCenterY(), 62.0f);
    QCOMPARE(pasted->Zoom(), 200);
    QCOMPARE(pasted->Width(), 840);
    QCOMPARE(pasted->Left(), (52 - 21) * 20);
    QCOMPARE(pasted->Top(), (62 - 21) * 20);
    QCOMPARE(from->FSeals.size(), size_t(1));
  }
};

QTEST_MAIN(PasteTest)
#include "paste_test.moc"
