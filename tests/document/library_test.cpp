// The document window's side of the seal library and the emblems, on the fake host: a
// selection saved and inserted into another window at its scroll origin, failures that leave
// the page as it was, and an emblem put on the current element.
#include <QScrollArea>
#include <QScrollBar>
#include <cstring>

#include "controls/kivcontrols.h"
#include "controls/kivdrawpanel.h"
#include "docfixture.h"
#include "document/selectframe.h"
#include "formats/library_file.h"
#include "formats/whole_file.h"
#include "pandrel/pandrel.h"
#include "platform/gbk.h"

namespace {

// A window at exactly 4 pixels per millimetre, so that page pixels are exact millimetres.
TfrmChild* Window(DocFixture& f, uint16_t zoom = 100) {
  TfrmChild* w = f.NewDocument();
  w->SetPixelsPerMm(4);
  w->ApplyZoom(zoom);
  return w;
}

void ScrollTo(TfrmChild* w, int x, int y) {
  Part<QScrollArea>(w, "ScrollBox")->horizontalScrollBar()->setValue(x);
  Part<QScrollArea>(w, "ScrollBox")->verticalScrollBar()->setValue(y);
  QCOMPARE(Part<QScrollArea>(w, "ScrollBox")->horizontalScrollBar()->value(), x);
  QCOMPARE(Part<QScrollArea>(w, "ScrollBox")->verticalScrollBar()->value(), y);
}

std::vector<uint8_t> Bytes(const QString& path) { return formats::ReadWholeFile(path); }

// Two round seals whose box is 29..141 × 39..91 mm, saved as TWO.YZL.
struct TwoSaved {
  seal::TSeal* a;
  seal::TSeal* b;
  QString file;
  TwoSaved(DocFixture& f, TfrmChild* w)
      : a(AddSeal(w, 50, 60)), b(AddSeal(w, 120, 70)), file(f.desk.Path("TWO.YZL")) {
    w->SaveLibrarySeal(file, std::vector<const seal::TSeal*>{a, b});
  }
};

}  // namespace

class LibraryTest : public QObject {
  Q_OBJECT

 private slots:
  void SavedSelectionInsertsSelectedTwoMillimetresFromTheScrollOriginOfAnotherWindow() {
    DocFixture f;
    TfrmChild* from = Window(f);
    const QString file = TwoSaved(f, from).file;
    QVERIFY(f.host.activityPanel.isHidden());
    QVERIFY(!from->Modified());

    // At 200 % a page pixel is 1/8 mm.
    TfrmChild* to = Window(f, 200);
    ScrollTo(to, 400, 600);
    for (int pass = 1; pass <= 2; ++pass) {
      const std::vector<const seal::TSeal*> inserted = to->InsertLibrarySeal(file);
      QCOMPARE(inserted.size(), size_t(2));
      QCOMPARE(to->Seals().size(), size_t(2 * pass));
      QVERIFY(std::ranges::equal(to->Selection(), inserted));
      QCOMPARE(to->Seals().back(), inserted.back());
      // The box (29..141 × 39..91 mm) with its top-left corner at (52, 77); both inserts
      // land at the same place.
      QCOMPARE(inserted[0]->RealCenterX(), 73.0f);
      QCOMPARE(inserted[0]->RealCenterY(), 98.0f);
      QCOMPARE(inserted[1]->RealCenterX(), 143.0f);
      QCOMPARE(inserted[1]->RealCenterY(), 108.0f);
      for (const seal::TSeal* s : inserted) {
        QVERIFY(s->isVisible());
        QCOMPARE(s->parentWidget(), PageOf(to));
        QVERIFY(s->OnMouseMove);
      }
      QVERIFY(to->SelectFrame());
      QVERIFY(!to->GrabHandles());
      QVERIFY(to->Modified());
      QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
      QCOMPARE(f.Panel(3), QStringLiteral("已画图形：%1").arg(2 * pass));
    }
    QCOMPARE(f.host.activityPanel.text(), QStringLiteral("正在载入："));
    QVERIFY(f.host.activityPanel.isHidden());
    QCOMPARE(f.host.activityBar.maximum(), 16);
    QCOMPARE(f.host.activityBar.value(), 16);
  }

  void OneInsertedSealIsTheCurrentOneWithHandles() {
    DocFixture f;
    TfrmChild* w = Window(f);
    seal::TSeal* a = AddSeal(w, 50, 60);
    const QString file = f.desk.Path("ONE.YZL");
    w->SaveLibrarySeal(file, std::vector<const seal::TSeal*>{a});
    const std::vector<const seal::TSeal*> inserted = w->InsertLibrarySeal(file);
    QCOMPARE(inserted.size(), size_t(1));
    QCOMPARE(w->CurrentSeal(), inserted[0]);
    QVERIFY(w->GrabHandles());
    QVERIFY(!w->SelectFrame());
    QCOMPARE(inserted[0]->RealCenterX(), 23.0f);
    QCOMPARE(inserted[0]->RealCenterY(), 23.0f);
  }

  void AFileThatFailsLeavesThePageAndItsSelectionAsTheyWere() {
    DocFixture f;
    TfrmChild* w = Window(f);
    const auto [a, b, file] = TwoSaved(f, w);
    std::vector<uint8_t> bytes = Bytes(file);
    bytes.resize(bytes.size() - 30);
    formats::SaveFileAtomically(f.desk.Path("CUT.YZL"), bytes);
    w->SetSelection({a});
    QVERIFY_THROWS_EXCEPTION(platform::EFormatError, w->InsertLibrarySeal(f.desk.Path("CUT.YZL")));
    QVERIFY_THROWS_EXCEPTION(formats::EFileError, w->InsertLibrarySeal(f.desk.Path("MISSING.YZL")));
    QVERIFY(std::ranges::equal(w->Seals(), std::vector<seal::TSeal*>{a, b}));
    QCOMPARE(SealsOn(PageOf(w)), 2);
    QVERIFY(std::ranges::equal(w->Selection(), std::vector<seal::TSeal*>{a}));
    QCOMPARE(w->CurrentSeal(), a);
    QVERIFY(!w->Modified());
    QVERIFY(f.host.activityPanel.isHidden());
  }

  void ADesignOfTooOldAStampBringsNothingAndLeavesNothingSelected() {
    DocFixture f;
    TfrmChild* w = Window(f);
    seal::TSeal* a = AddSeal(w, 50, 60);
    const QString file = f.desk.Path("OLD.YZL");
    w->SaveLibrarySeal(file, std::vector<const seal::TSeal*>{a});
    std::vector<uint8_t> bytes = Bytes(file);
    const float seven = 7.0f;
    std::memcpy(bytes.data(), &seven, 4);
    formats::SaveFileAtomically(file, bytes);
    w->SetSelection({a});
    QVERIFY(w->InsertLibrarySeal(file).empty());
    QCOMPARE(w->Seals().size(), size_t(1));
    QVERIFY(w->Selection().empty());
    QVERIFY(!w->GrabHandles());
    QVERIFY(!w->Modified());
  }

  void SavingNothingWritesNothingAndAFailedSaveKeepsTheOldDesignWhole() {
    DocFixture f;
    TfrmChild* w = Window(f);
    const QString file = f.desk.Path("KEEP.YZL");
    w->SaveLibrarySeal(file, std::vector<const seal::TSeal*>{});
    QVERIFY(!QFile::exists(file));
    seal::TSeal* a = AddSeal(w, 50, 60);
    w->SaveLibrarySeal(file, std::vector<const seal::TSeal*>{a});
    const std::vector<uint8_t> before = Bytes(file);
    // Seals 2 m apart would make a thumbnail of some 23000 pixels across.
    seal::TSeal* far = AddSeal(w, 2050, 60);
    QVERIFY_THROWS_EXCEPTION(formats::EThumbnailTooLarge, w->SaveLibrarySeal(file, std::vector<const seal::TSeal*>{a, far}));
    QCOMPARE(Bytes(file), before);
    QVERIFY(f.host.activityPanel.isHidden());
    // A folder that is not there fails with the file system's reason.
    QVERIFY_THROWS_EXCEPTION(formats::EFileError, w->SaveLibrarySeal(f.desk.Path("no/such/A.YZL"), std::vector<const seal::TSeal*>{a}));
  }

  void AnEmblemGoesOnTheCurrentElementInPlaceOfItsStar() {
    DocFixture f;
    TfrmChild* w = Window(f);
    seal::TSeal* a = AddSeal(w, 50, 60);
    a->SetImageIsStar(true);
    a->SetImage(platform::Gbk("kept.bmp"));
    w->SetSelection({a});
    TImagePreview builtin;
    builtin.SetCaption(QStringLiteral("B2"));
    w->ApplyEmblemToCurrent([&](platform::TPicture& p) { app::LoadTileEmblem(builtin, p); });
    platform::TPicture expected;
    LoadAPicture(expected, "B2");
    QVERIFY(expected.HasGraphic());
    QCOMPARE(a->Picture().Bytes(), expected.Bytes());
    QVERIFY(a->HaveImage());
    QVERIFY(!a->ImageIsStar());
    QCOMPARE(a->Image(), platform::Gbk("kept.bmp"));
    QVERIFY(w->Modified());

    // A user's picture that can no longer be read: the star is already off, but the
    // document is not marked.
    w->MarkSaved();
    a->SetImageIsStar(true);
    TImagePreview user;
    user.SetCaption(f.desk.Path("gone.bmp"));
    user.SetPictureFromFile(true);
    QVERIFY_THROWS_EXCEPTION(platform::EPictureError,
                             w->ApplyEmblemToCurrent([&](platform::TPicture& p) { app::LoadTileEmblem(user, p); }));
    QVERIFY(a->HaveImage());
    QVERIFY(!a->ImageIsStar());
    QVERIFY(!w->Modified());
  }
};

QTEST_MAIN(LibraryTest)
#include "library_test.moc"
