// The edit commands of the main window on real document windows: what each does to the
// page list, the selection, the stacking order, the saved file and the file state.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "formats/seal_block.h"
#include "mainfixture.h"
#include "memory_peak.h"
#include "picture_makers.h"
#include "seal/seal_kinds.h"
#include "platform/gbk.h"
#include "document/grabhandles.h"
#include "document/selectframe.h"

using seal::TSeal;

namespace {

// Selects the elements as a press or a band does: handles for one, the frame for more.
void Select(TfrmChild* w, const std::vector<TSeal*>& elements) {
  w->SetSelection({elements.begin(), elements.end()});
}

std::vector<TSeal*> FivePage(TfrmChild* w) {
  std::vector<TSeal*> seals;
  for (int i = 0; i < 5; ++i) seals.push_back(AddSeal(w, 30.0f + 10 * i, 40.0f + 5 * i));
  return seals;
}

// Position among the page's children: later is painted over earlier.
int StackIndex(const QWidget* w) { return int(w->parentWidget()->children().indexOf(const_cast<QWidget*>(w))); }

void Trigger(MainFixture& f, const char* name) { f.main->Action(QString::fromUtf8(name))->trigger(); }

// Saves the active document under the name and opens it again in a window of its own.
TfrmChild* SaveAndReopen(MainFixture& f, const char* name) {
  const QString path = f.Path(name);
  f.chosen = {path};
  f.answers = {app::mbYes};
  f.main->Action("actFileSaveAs")->trigger();
  f.main->OpenDocument(path);
  return f.main->ActiveChild();
}

}  // namespace

class EditCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void CommandsWithoutADocumentDoNothing() {
    MainFixture f;
    int colourDialogs = 0;
    app::Services().ChooseColor = [&](QWidget*) -> std::optional<platform::TColor> {
      ++colourDialogs;
      return platform::TColor(0x00FF0000);
    };
    for (const char* name :
         {"actEditDel", "actEditClear", "actEditCut", "actLockSeal", "actLockPage", "actEditBringToFront",
          "actEditSendToBack", "actEditSetSameCenter", "actEditChangeImage", "actBringToFront", "actSendToBack",
          "actSameCenter", "actChangePicture", "actEditSetColor"})
      Trigger(f, name);
    f.OpenMenu("Tools");
    QVERIFY(f.asked.empty());
    QCOMPARE(f.openDialogs, 0);
    QCOMPARE(colourDialogs, 0);
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：无文件"));
  }

  // Every command that needs a selection leaves an unselected page, and the document, alone.
  void CommandsWithoutASelectionDoNothing() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    const std::vector<TSeal*> seals = FivePage(w);
    int colourDialogs = 0;
    app::Services().ChooseColor = [&](QWidget*) -> std::optional<platform::TColor> {
      ++colourDialogs;
      return platform::TColor(0x00FF0000);
    };
    // An earlier copy on the clipboard.
    Select(w, {seals[0]});
    Trigger(f, "actEditCopy");
    Select(w, {});
    const std::vector<uint8_t> clip = f.main->ClipStream();
    QVERIFY(!clip.empty());
    for (const char* name : {"actEditDel", "actEditCut", "actLockSeal", "actBringToFront", "actSendToBack",
                             "actSameCenter", "actChangePicture", "actEditSetColor"})
      Trigger(f, name);
    QVERIFY(std::ranges::equal(w->Seals(), seals));
    QVERIFY(!w->Modified());
    QCOMPARE(colourDialogs, 0);
    QCOMPARE(f.openDialogs, 0);
    QVERIFY(f.main->ClipStream() == clip);
    for (TSeal* s : seals) QVERIFY(!w->IsLocked(s));
  }

  void DeleteRemovesTheSelectionOnly() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    const std::vector<TSeal*> seals = FivePage(w);
    Select(w, {seals[0], seals[2], seals[4]});
    QPointer<TSeal> gone = seals[2];
    Trigger(f, "actEditDel");
    QVERIFY(gone.isNull());
    QVERIFY(std::ranges::equal(w->Seals(), std::vector<TSeal*>({seals[1], seals[3]})));
    QVERIFY(w->Selection().empty());
    QVERIFY(!w->GrabHandles() && !w->SelectFrame() && !w->CurrentSeal());
    QVERIFY(w->Modified());
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：2"));

    Select(w, {seals[3]});
    Trigger(f, "actEditDel");
    QVERIFY(std::ranges::equal(w->Seals(), std::vector<TSeal*>({seals[1]})));
    QVERIFY(!w->GrabHandles() && !w->CurrentSeal());
  }

  void ClearEmptiesThePageAsUnmodified() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    const std::vector<TSeal*> seals = FivePage(w);
    Select(w, {seals[1], seals[3]});
    w->MarkModified();
    Trigger(f, "actEditClear");
    QVERIFY(w->Seals().empty() && w->Selection().empty());
    QVERIFY(!w->SelectFrame() && !w->GrabHandles());
    QCOMPARE(PageOf(w)->findChildren<TSeal*>().size(), 0);
    QVERIFY(!w->Modified());
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：未修改"));
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：0"));
    QVERIFY(f.asked.empty());
  }

  // Cut is a copy and a delete: what it took comes back by pasting.
  void CutMovesTheSelectionToTheClipboard() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    const std::vector<TSeal*> seals = FivePage(w);
    seals[1]->SetRealWidth(25);
    const float centreX = seals[1]->RealCenterX();
    Select(w, {seals[1]});
    Trigger(f, "actEditCut");
    QCOMPARE(w->Seals().size(), size_t(4));
    QVERIFY(std::find(w->Seals().begin(), w->Seals().end(), seals[1]) == w->Seals().end());
    QVERIFY(!f.main->ClipStream().empty());
    const std::vector<uint8_t> clip = f.main->ClipStream();
    // Nothing selected: the clipboard keeps what it had.
    Trigger(f, "actEditCut");
    QVERIFY(f.main->ClipStream() == clip);
    QCOMPARE(w->Seals().size(), size_t(4));
    Trigger(f, "actEditPaste");
    QCOMPARE(w->Seals().size(), size_t(5));
    QCOMPARE(w->Seals().back()->RealWidth(), 25.0f);
    QCOMPARE(w->Seals().back()->RealCenterX(), centreX + 2);
  }

  void SetColourRecoloursTheSelectionAndTheSwatch() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    const std::vector<TSeal*> seals = FivePage(w);
    std::optional<platform::TColor> answer;
    int colourDialogs = 0;
    app::Services().ChooseColor = [&](QWidget*) {
      ++colourDialogs;
      return answer;
    };
    Select(w, {seals[0], seals[3]});
    Trigger(f, "actEditSetColor");  // cancelled
    QCOMPARE(colourDialogs, 1);
    QCOMPARE(seals[0]->PenColor(), platform::clRed);
    QVERIFY(!w->Modified());

    answer = 0x00FF8000;
    Trigger(f, "actEditSetColor");
    QCOMPARE(seals[0]->PenColor(), platform::TColor(0x00FF8000));
    QCOMPARE(seals[3]->PenColor(), platform::TColor(0x00FF8000));
    QCOMPARE(seals[1]->PenColor(), platform::clRed);
    QCOMPARE(f.main->CurrentColor(), platform::TColor(0x00FF8000));
    QVERIFY(w->Modified());
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
    QVERIFY(f.main->updatesEnabled());
  }

  void BringToFrontPaintsAndSavesTheElementLast() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    const std::vector<TSeal*> seals = FivePage(w);
    Select(w, {seals[1], seals[2]});
    Trigger(f, "actEditBringToFront");
    QVERIFY(std::ranges::equal(w->Seals(), seals));
    QVERIFY(!w->Modified());

    Select(w, {seals[1]});
    Trigger(f, "actBringToFront");
    QCOMPARE(w->Seals().back(), seals[1]);
    QCOMPARE(w->Seals().size(), size_t(5));
    for (TSeal* s : seals)
      if (s != seals[1]) QVERIFY(StackIndex(s) < StackIndex(seals[1]));
    // The handles stay over the element they belong to.
    for (int i = 0; i < 8; ++i) QVERIFY(StackIndex(w->GrabHandles()->Handle(i)) > StackIndex(seals[1]));
    QVERIFY(w->Modified());

    TfrmChild* reopened = SaveAndReopen(f, "front.dyz");
    QVERIFY(reopened != w);
    QCOMPARE(reopened->Seals().size(), size_t(5));
    QCOMPARE(reopened->Seals().back()->RealCenterX(), 40.0f);
  }

  void SendToBackStaysBelowAfterReopening() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    const std::vector<TSeal*> seals = FivePage(w);
    Select(w, {seals[3]});
    Trigger(f, "actEditSendToBack");
    QCOMPARE(w->Seals().front(), seals[3]);
    for (TSeal* s : seals)
      if (s != seals[3]) QVERIFY(StackIndex(s) > StackIndex(seals[3]));
    QVERIFY(w->Modified());

    TfrmChild* reopened = SaveAndReopen(f, "back.dyz");
    QVERIFY(reopened != w);
    QCOMPARE(reopened->Seals().front()->RealCenterX(), 60.0f);
    for (const TSeal* s : reopened->Seals())
      if (s != reopened->Seals().front()) QVERIFY(StackIndex(s) > StackIndex(reopened->Seals().front()));
  }

  void SameCentreNeedsAGroup() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = AddSeal(w, 50, 50);
    Select(w, {a});
    Trigger(f, "actEditSetSameCenter");
    QCOMPARE(a->RealCenterX(), 50.0f);
    QVERIFY(!w->Modified());
  }

  // Bounds of the three in millimetres: x 29 to 110, y 29 to 135, so the centre is
  // (69.5, 82), within a page pixel of what the frame's whole pixels give.
  void SameCentreGathersThreeSizesOnTheirMiddle() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* a = AddSeal(w, 50, 50);
    TSeal* b = AddSeal(w, 100, 60);
    b->SetRealWidth(20);
    b->SetRealHeight(20);
    b->SetRealCenterX(100);
    b->SetRealCenterY(60);
    TSeal* c = AddSeal(w, 70, 120);
    c->SetRealWidth(30);
    c->SetRealHeight(30);
    c->SetRealCenterX(70);
    c->SetRealCenterY(120);
    Select(w, {a, b, c});
    Trigger(f, "actSameCenter");
    const double pixel = 25.4 / w->logicalDpiX();
    for (TSeal* s : {a, b, c}) {
      QCOMPARE(s->RealCenterX(), a->RealCenterX());
      QCOMPARE(s->RealCenterY(), a->RealCenterY());
    }
    QVERIFY(std::abs(a->RealCenterX() - 69.5) <= pixel);
    QVERIFY(std::abs(a->RealCenterY() - 82.0) <= pixel);
    const app::TRect r = w->SelectionBounds();
    QCOMPARE(w->SelectFrame()->geometry(), QRect(r.Left, r.Top, r.Width(), r.Height()));
    QCOMPARE(w->SelectFrame()->width(), a->Width() + 4);
    QVERIFY(w->Modified());
    QVERIFY(f.main->updatesEnabled());
  }

  void ChangePictureIsForFramesAndPicturesOnly() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* cell = AddSeal(w, 50, 50);
    cell->SetSealType(seal::stCell);
    Select(w, {cell});
    f.chosen = {f.Path("x.bmp")};
    Trigger(f, "actChangePicture");
    QCOMPARE(f.openDialogs, 0);
    QVERIFY(!cell->HaveImage());
    for (int type = 0; type <= 23; ++type)
      QCOMPARE(seal::TakesPicture(seal::TSealType(type)), type <= 13 || type == 23);
  }

  void ChangePictureReplacesTheStar() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = AddSeal(w, 50, 50);
    s->SetImageIsStar(true);
    QVERIFY(s->HaveImage());
    Select(w, {s});
    f.main->SyncSealOptions(s);
    QVERIFY(Part<QCheckBox>(f.main.get(), "CheckBox2")->isChecked());
    const QString path = f.Path("图符.bmp");
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::black);
    QVERIFY(image.save(path, "BMP"));
    QString folder;
    app::Services().OpenPictureFileName = [&](QWidget*, const QString& from, const QString&) {
      folder = from;
      return path;
    };
    Trigger(f, "actEditChangeImage");
    QCOMPARE(folder, f.main->ProgramFolder() + QStringLiteral("我的徽标库/"));
    QVERIFY(s->HaveImage());
    QVERIFY(!s->ImageIsStar());
    QCOMPARE(s->Image(), platform::UnicodeToGbk(path));
    QVERIFY(s->Picture().HasGraphic());
    QCOMPARE(s->Picture().Width(), 8);
    QVERIFY(!Part<QCheckBox>(f.main.get(), "CheckBox2")->isChecked());
    QVERIFY(Part<QCheckBox>(f.main.get(), "CheckBox3")->isChecked());
    QVERIFY(w->Modified());
  }

  // A picture whose place the document cannot store (a character outside GBK in its folder's
  // name) is refused with the place and the character, and the element keeps its star.
  void APictureTheDocumentCannotNameIsRefusedInChinese() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = AddSeal(w, 50, 50);
    s->SetImageIsStar(true);
    Select(w, {s});
    QVERIFY(QDir().mkpath(f.Path("사진")));
    const QString path = f.Path("사진/图符.bmp");
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::black);
    QVERIFY(image.save(path, "BMP"));
    app::Services().OpenPictureFileName = [&](QWidget*, const QString&, const QString&) { return path; };
    const bool modified = w->Modified();
    f.asked.clear();
    Trigger(f, "actEditChangeImage");
    QCOMPARE(f.asked.size(), size_t(1));
    QCOMPARE(f.asked[0].kind, app::TMsgKind::Error);
    QCOMPARE(f.asked[0].text, QStringLiteral("不能使用图象文件“") + path +
                                  QStringLiteral("”：它的位置中有“사진”，文档中只能保存GBK字符集中的字符。"));
    QVERIFY(s->ImageIsStar());
    QCOMPARE(w->Modified(), modified);
  }

  // A picture of 8192 x 8192 takes a document's whole budget once decoded and recoloured:
  // five elements changed to it share that one decoding, the document saved of them opens
  // with every picture drawn, and a different picture that no longer fits is refused with a
  // message, leaving its element as it was.
  void PictureChangesShareTheDocumentsBudget() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    const std::vector<TSeal*> seals = FivePage(w);
    const auto write = [&](const char* name, const std::vector<uint8_t>& bytes) {
      const QString path = f.Path(name);
      QFile file(path);
      if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", name);
      file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
      return path;
    };
    const QString large =
        write("大.emf", picture_makers::MakeEmf(0, 0, 8191, 8191, {{picture_makers::MetafileShape::Rectangle, 0, 0, 8192, 8192}}));
    const long from = memory_peak::Restart();
    for (TSeal* s : seals) {
      Select(w, {s});
      f.chosen = {large};
      Trigger(f, "actChangePicture");
    }
    QVERIFY(memory_peak::RiseKiB(from) < memory_peak::AllowedKiB(formats::kPictureBudgetBytes / 1024 + 64 * 1024));
    QVERIFY2(f.asked.empty(), f.asked.empty() ? "" : qPrintable(f.asked[0].text));
    for (TSeal* s : seals) {
      QCOMPARE(s->Picture().Width(), 8192);
      QCOMPARE(s->RecolourBitmap()->Image().cacheKey(), seals[0]->RecolourBitmap()->Image().cacheKey());
    }
    TSeal* other = AddSeal(w, 120, 120);
    Select(w, {other});
    f.chosen = {write("另.gif", picture_makers::BigScreenGif(4000))};
    Trigger(f, "actChangePicture");
    QCOMPARE(f.asked.size(), size_t(1));
    QVERIFY2(f.asked[0].text.contains(QStringLiteral("图象太大")), qPrintable(f.asked[0].text));
    QVERIFY(!other->Picture().HasGraphic());
    QVERIFY(other->Image().empty());
    w->DeleteSelection();

    TfrmChild* back = SaveAndReopen(f, "五个.dyz");
    QVERIFY(back != w);
    QCOMPARE(back->Seals().size(), size_t(5));
    for (const TSeal* s : back->Seals()) QCOMPARE(s->Picture().Width(), seals[0]->Picture().Width());
  }

  // A file that cannot be read is reported and changes nothing of the element.
  void UnreadablePictureLeavesTheElementAsItWas() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    TSeal* s = AddSeal(w, 50, 50);
    s->SetImageIsStar(true);
    Select(w, {s});
    const QString path = f.Path("broken.bmp");
    WriteFile(path, "not a picture");
    f.chosen = {path};
    Trigger(f, "actChangePicture");
    QCOMPARE(f.asked.size(), size_t(1));
    QVERIFY(f.asked[0].kind == app::TMsgKind::Error);
    QVERIFY(s->HaveImage() && s->ImageIsStar());
    QVERIFY(s->Image().empty());
    QVERIFY(!s->Picture().HasGraphic());
    QVERIFY(!w->Modified());
  }

  void LockedElementIsSelectedButNotDragged() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    w->resize(900, 600);
    TSeal* a = AddSeal(w, 40, 40);
    TSeal* b = AddSeal(w, 120, 40);
    Select(w, {a});
    Trigger(f, "actLockSeal");
    QVERIFY(w->IsLocked(a));
    QVERIFY(!w->Modified());
    f.OpenMenu("Tools");
    QCOMPARE(f.main->Action(QStringLiteral("actLockSeal"))->text(), QStringLiteral("解锁印章"));

    Select(w, {b});
    QWindow* window = f.main->windowHandle();
    const QPoint from = a->mapTo(f.main.get(), QPoint(a->width() / 2, a->height() / 2));
    const QRect before = a->geometry();
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, from + QPoint(20, 10));
    QTest::mouseMove(window, from + QPoint(40, 25));
    QTest::mouseRelease(window, Qt::LeftButton, {}, from + QPoint(40, 25));
    QCOMPARE(w->CurrentSeal(), a);
    QCOMPARE(a->geometry(), before);
    QCOMPARE(a->RealCenterX(), 40.0f);

    Trigger(f, "actLockSeal");
    QVERIFY(!w->IsLocked(a));
    f.OpenMenu("Tools");
    QCOMPARE(f.main->Action(QStringLiteral("actLockSeal"))->text(), QStringLiteral("锁定印章位置"));
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, from + QPoint(20, 10));
    QTest::mouseMove(window, from + QPoint(40, 25));
    QTest::mouseRelease(window, Qt::LeftButton, {}, from + QPoint(40, 25));
    QCOMPARE(a->geometry(), before.translated(40, 25));
  }

  void LockedPageTakesNoPresses() {
    MainFixture f;
    TfrmChild* w = f.NewDocument();
    w->resize(900, 600);
    TSeal* a = AddSeal(w, 40, 40);
    Trigger(f, "actLockPage");
    QVERIFY(!PageOf(w)->isEnabled());
    QVERIFY(!w->Modified());
    f.OpenMenu("Tools");
    QCOMPARE(f.main->Action(QStringLiteral("actLockPage"))->text(), QStringLiteral("解锁页面"));

    QWindow* window = f.main->windowHandle();
    const QPoint onSeal = a->mapTo(f.main.get(), QPoint(a->width() / 2, a->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, {}, onSeal);
    QVERIFY(w->Selection().empty());
    f.main->Action(QStringLiteral("actDrawHorzLine"))->trigger();
    const QPoint empty = PageOf(w)->mapTo(f.main.get(), QPoint(400, 300));
    QTest::mouseClick(window, Qt::LeftButton, {}, empty);
    QCOMPARE(w->Seals().size(), size_t(1));

    Trigger(f, "actLockPage");
    f.OpenMenu("Tools");
    QCOMPARE(f.main->Action(QStringLiteral("actLockPage"))->text(), QStringLiteral("锁定页面"));
    QTest::mouseClick(window, Qt::LeftButton, {}, empty);
    QCOMPARE(w->Seals().size(), size_t(2));
  }

  void DoubleBufferingReachesEveryPageAndIsKept() {
    MainFixture f;
    TfrmChild* first = f.NewDocument();
    TfrmChild* second = f.NewDocument();
    Trigger(f, "actPageDoubleBuffered");
    QVERIFY(Part<QAction>(f.main.get(), "actPageDoubleBuffered")->isChecked());
    QVERIFY(PageOf(first)->DoubleBuffered() && PageOf(second)->DoubleBuffered());
    QCOMPARE(f.desk.Registry(kConfigKey, "PageDoubleBuffered"), QStringLiteral("1"));
    QVERIFY(PageOf(f.NewDocument())->DoubleBuffered());
    QVERIFY(!first->Modified());

    Trigger(f, "actPageDoubleBuffered");
    QVERIFY(!Part<QAction>(f.main.get(), "actPageDoubleBuffered")->isChecked());
    QVERIFY(!PageOf(first)->DoubleBuffered());
    QCOMPARE(f.desk.Registry(kConfigKey, "PageDoubleBuffered"), QStringLiteral("0"));
    // Without any document window the setting still changes and is kept.
    f.main->Action("WindowsCloseAll")->trigger();
    Trigger(f, "actPageDoubleBuffered");
    QCOMPARE(f.desk.Registry(kConfigKey, "PageDoubleBuffered"), QStringLiteral("1"));
  }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"
