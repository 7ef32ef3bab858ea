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
    QCOMPARE(w->Seals().size(), size_t(1));
    QVERIFY(!w->Modified());
    QVERIFY(f.asked.empty());
  }

  // A paste that would make a document too large to open again is refused with the size and
  // the cap, and the page stays as it was; one below it shares the page's picture bytes.
  void APastePastTheReadCapIsRefused() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    // Bytes of a picture kept undrawn, which no decoder reads.
    platform::TPicture picture;
    picture.KeepUndrawn(platform::TGraphicKind::Metafile,
                        std::make_shared<const std::vector<uint8_t>>(size_t(63) << 20, uint8_t(7)));
    for (int i = 0; i < 8; ++i) AddSeal(w, 20.0f + 5 * i, 60)->SetPicture(&picture);
    w->SetSelection({w->Seals()[0]});
    f.main->Action("actEditCopy")->trigger();
    f.main->Action("actEditPaste")->trigger();
    QVERIFY(f.asked.empty());
    QCOMPARE(w->Seals().size(), size_t(9));
    QCOMPARE(&w->Seals()[8]->Picture().Bytes(), &w->Seals()[0]->Picture().Bytes());
    f.main->Action("actEditPaste")->trigger();
    QCOMPARE(f.asked.size(), size_t(1));
    QVERIFY2(f.asked[0].text.contains(QStringLiteral("630.0 MB")) && f.asked[0].text.contains(QStringLiteral("576.0 MB")),
             qPrintable(f.asked[0].text));
    QCOMPARE(w->Seals().size(), size_t(9));
  }

  void OnePastedElementGetsHandlesAndLandsTwoMillimetresOn() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    seal::TSeal* a = AddSeal(w, 50, 60);
    w->SetSelection({a});
    f.main->Action("actEditCopy")->trigger();
    for (int paste = 1; paste <= 2; ++paste) {
      f.main->Action("actEditPaste")->trigger();
      QCOMPARE(w->Seals().size(), size_t(1 + paste));
      const seal::TSeal* pasted = w->Seals().back();
      // Both pastes land at the same place.
      QCOMPARE(pasted->RealCenterX(), 52.0f);
      QCOMPARE(pasted->RealCenterY(), 62.0f);
      QVERIFY(pasted->isVisible());
      QVERIFY(std::ranges::equal(w->Selection(), std::vector<const seal::TSeal*>{pasted}));
      QCOMPARE(w->CurrentSeal(), pasted);
      QVERIFY(w->GrabHandles());
      QVERIFY(!w->SelectFrame());
      QVERIFY(w->Modified());
      QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
      QCOMPARE(f.Panel(3), QStringLiteral("已画图形：") + QString::number(1 + paste));
    }
    // A copy of a paste goes 2 mm further.
    f.main->Action("actEditCopy")->trigger();
    f.main->Action("actEditPaste")->trigger();
    QCOMPARE(w->Seals().back()->RealCenterX(), 54.0f);
    QCOMPARE(w->Seals().back()->RealCenterY(), 64.0f);
  }

  void SeveralPastedElementsGetTheFrame() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    seal::TSeal* a = AddSeal(w, 50, 60);
    seal::TSeal* b = AddSeal(w, 120, 60);
    w->SetSelection({b, a});
    f.main->Action("actEditCopy")->trigger();
    f.main->Action("actEditPaste")->trigger();
    QCOMPARE(w->Seals().size(), size_t(4));
    QVERIFY(std::ranges::equal(w->Selection(), std::vector<const seal::TSeal*>{w->Seals()[2], w->Seals()[3]}));
    // Selection order was kept: the first pasted is the copy of b.
    QCOMPARE(w->Seals()[2]->RealCenterX(), 122.0f);
    QCOMPARE(w->Seals()[3]->RealCenterX(), 52.0f);
    QVERIFY(!w->GrabHandles());
    QVERIFY(w->SelectFrame());
    QVERIFY(w->SelectFrame()->isVisible());
    // The frame surrounds the pasted elements with 2 pixels on every side.
    const auto bounds = [](const seal::TSeal* s) { return QRect(s->Left(), s->Top(), s->Width(), s->Height()); };
    QCOMPARE(w->SelectFrame()->geometry().adjusted(2, 2, -2, -2), bounds(w->Seals()[2]) | bounds(w->Seals()[3]));
    // Pasting again keeps the one frame, around the new selection.
    const TSelectFrame* frame = w->SelectFrame();
    f.main->Action("actEditPaste")->trigger();
    QCOMPARE(w->SelectFrame(), frame);
    QCOMPARE(w->Selection().size(), size_t(2));
    QCOMPARE(w->Selection()[0], w->Seals()[4]);
  }

  void CopyWithNothingSelectedKeepsTheEarlierCopy() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    seal::TSeal* a = AddSeal(w, 50, 60);
    w->SetSelection({a});
    f.main->Action("actEditCopy")->trigger();
    const std::vector<uint8_t> before = f.main->ClipStream();
    w->SetSelection({});
    f.main->Action("actEditCopy")->trigger();
    QCOMPARE(f.main->ClipStream(), before);
    f.main->Action("actEditPaste")->trigger();
    QCOMPARE(w->Seals().back()->RealCenterX(), 52.0f);
  }

  void PasteIntoAnotherZoomKeepsMillimetres() {
    MainFixture f;
    TfrmChild* from = f.NewDocument();
    seal::TSeal* a = AddSeal(from, 50, 60);
    from->SetSelection({a});
    f.main->Action("actEditCopy")->trigger();
    TfrmChild* to = f.NewDocument();
    // 10 screen pixels per millimetre at 200 %: 20 pixels per millimetre.
    to->SetPixelsPerMm(10);
    to->ApplyZoom(200);
    f.main->Action("actEditPaste")->trigger();
    QCOMPARE(to->Seals().size(), size_t(1));
    const seal::TSeal* pasted = to->Seals()[0];
    QCOMPARE(pasted->parentWidget(), PageOf(to));
    QCOMPARE(pasted->RealWidth(), 42.0f);
    QCOMPARE(pasted->RealCenterX(), 52.0f);
    QCOMPARE(pasted->RealCenterY(), 62.0f);
    QCOMPARE(pasted->Zoom(), 200);
    QCOMPARE(pasted->Width(), 840);
    QCOMPARE(pasted->Left(), (52 - 21) * 20);
    QCOMPARE(pasted->Top(), (62 - 21) * 20);
    QCOMPARE(from->Seals().size(), size_t(1));
  }
};

QTEST_MAIN(PasteTest)
#include "paste_test.moc"
