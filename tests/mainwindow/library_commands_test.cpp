// The seal library and the emblem panel in the shown main window: the name question of
// "save to library", the panel's tiles as designs are saved, inserted and deleted, the
// editor, the two tabs, and emblems put on elements or placed by the emblem tool.
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "controls/kivdrawpanel.h"
#include "document_makers.h"
#include "emblems/emblempanel.h"
#include "formats/whole_file.h"
#include "library/librarypanel.h"
#include "mainfixture.h"
#include "modalscript.h"
#include "pandrel/pandrel.h"
#include "picture_makers.h"

namespace {

const QString kEmptyName = QStringLiteral("请给印章提供一个名字！");
const QString kPathName = QStringLiteral("章名中不能有路径符号！");

struct Library : MainFixture {
  QString folder = desk.dir.path() + QStringLiteral("/我的印章库/");
  QString emblems = desk.dir.path() + QStringLiteral("/我的徽标库/");
  Library() {
    QDir().mkpath(folder);
    QDir().mkpath(emblems);
  }
  QString Design(const char* name, int w = 40, int h = 30) const {
    const QString path = folder + QString::fromUtf8(name);
    formats::SaveFileAtomically(path, document_makers::LibraryFileOfThumbnail(w, h));
    return path;
  }
  QStringList Files() const {
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    return files;
  }
  TLibraryPanel* LibPanel() const { return Part<TLibraryPanel>(main.get(), "KivFlatPanel3"); }
  QStringList Tiles() const {
    QStringList names;
    for (TImagePreview* t : LibPanel()->Tiles()) names.append(QFileInfo(t->Caption()).fileName());
    return names;
  }
  TImagePreview* Tile(const char* name) const {
    for (TImagePreview* t : LibPanel()->Tiles())
      if (QFileInfo(t->Caption()).fileName() == QString::fromUtf8(name)) return t;
    return nullptr;
  }
  // A document at exactly 4 pixels per millimetre with one round seal selected.
  TfrmChild* DocumentWithSeal(float x = 50, float y = 60) {
    TfrmChild* w = NewDocument();
    w->SetPixelsPerMm(4);
    w->ApplyZoom(100);
    seal::TSeal* s = AddSeal(w, x, y);
    w->SetSelection({s});
    return w;
  }
  // "Save to library" with the names typed in turn; each name is checked against what the
  // dialog showed first. An empty script step list cancels.
  void Save(std::deque<std::pair<QString, QString>> shownAndTyped) {
    std::deque<TModalScript::Step> steps;
    for (const auto& [shown, typed] : shownAndTyped)
      steps.push_back([shown, typed](QDialog* d) {
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        QCOMPARE(edit->text(), shown);
        edit->setText(typed);
        d->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
      });
    steps.push_back([](QDialog* d) { d->reject(); });
    TModalScript script(std::move(steps));
    Tool("actLibAdd")->trigger();
    QVERIFY(script.Unscripted() == 0);
  }
  void ClickTab(TKivButton* tab) { QTest::mouseClick(tab, Qt::LeftButton, Qt::NoModifier, QPoint(8, 4)); }
  QStringList Texts() const {
    QStringList t;
    for (const auto& m : asked) t.append(m.text);
    return t;
  }
};

}  // namespace

class LibraryCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void AnEmptyOrPathNameIsRefusedAndTheDialogComesAgainEmpty() {
    Library f;
    f.DocumentWithSeal();
    f.Save({{QString(), QString()}, {QString(), QStringLiteral("../up")}, {QString(), QStringLiteral("a/b")}});
    QCOMPARE(f.Texts(), (QStringList{kEmptyName, kPathName, kPathName}));
    QCOMPARE(f.asked[0].kind, app::TMsgKind::Information);
    QVERIFY(f.Files().isEmpty());
    QVERIFY(!QFile::exists(f.desk.dir.path() + QStringLiteral("/UP.YZL")));
  }

  // A design its reader would refuse is refused at once with its size and the cap: no name
  // is asked, no overwrite question comes, and the design of that name stays as it was.
  void ADesignPastTheCapIsRefusedBeforeTheNameIsAsked() {
    Library f;
    TfrmChild* w = f.DocumentWithSeal();
    std::vector<uint8_t> gif = picture_makers::BigScreenGif(16);
    gif.resize(size_t(33) << 20, 0);
    platform::TPicture picture;
    picture.KeepUndrawn(platform::TGraphicKind::Gif, std::make_shared<const std::vector<uint8_t>>(std::move(gif)));
    const seal::TSeal* a = w->Seals()[0];
    const seal::TSeal* b = AddSeal(w, 80, 60);
    for (const seal::TSeal* s : {a, b}) EditSeal(w, s, [&](seal::TSeal& e) { e.SetPicture(&picture); });
    w->SetSelection({a, b});
    f.Design("BIG.YZL");
    const std::vector<uint8_t> before = formats::ReadWholeFile(f.folder + "BIG.YZL");
    f.answers = {app::mbYes};
    TModalScript script({[](QDialog* d) {
      d->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("big"));
      d->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    }});
    f.Tool("actLibAdd")->trigger();
    QVERIFY2(!script.Done(), "the name was asked");
    QCOMPARE(f.asked.size(), size_t(1));
    QCOMPARE(f.asked[0].kind, app::TMsgKind::Error);
    QVERIFY2(f.asked[0].text.contains(QStringLiteral("66.0 MB")) && f.asked[0].text.contains(QStringLiteral("64.0 MB")),
             qPrintable(f.asked[0].text));
    QCOMPARE(formats::ReadWholeFile(f.folder + "BIG.YZL"), before);
    QCOMPARE(f.Files(), QStringList{QStringLiteral("BIG.YZL")});
  }

  void ANameOfAnotherLetterCaseAsksToOverwriteNoShowsTheStoredName() {
    Library f;
    f.DocumentWithSeal();
    f.Design("ABC.YZL");
    const std::vector<uint8_t> before = formats::ReadWholeFile(f.folder + "ABC.YZL");
    f.answers = {app::mbNo, app::mbYes};
    f.Save({{QString(), QStringLiteral("abc")}, {QStringLiteral("ABC"), QStringLiteral("abc")}});
    QCOMPARE(f.Texts(), (QStringList(2, QStringLiteral("章名< abc >已存在，\n是否覆盖？"))));
    QCOMPARE(f.asked[0].kind, app::TMsgKind::Confirmation);
    QCOMPARE(f.Files(), QStringList{"ABC.YZL"});
    QVERIFY(formats::ReadWholeFile(f.folder + "ABC.YZL") != before);

    // A design put there in lower case by other means is overwritten under its own name,
    // not doubled by an upper-cased one.
    f.Design("xyz.yzl");
    f.asked.clear();
    f.answers = {app::mbYes};
    f.Save({{QString(), QStringLiteral("XyZ")}});
    QCOMPARE(f.Texts(), QStringList{QStringLiteral("章名< XyZ >已存在，\n是否覆盖？")});
    QCOMPARE(f.Files(), (QStringList{"ABC.YZL", "xyz.yzl"}));
  }

  void OverwritingWithThePanelBuiltKeepsOneTileWithTheNewThumbnail() {
    Library f;
    f.DocumentWithSeal();
    f.Design("ABC.YZL", 40, 30);
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton2"));
    QCOMPARE(f.Tiles(), QStringList{"ABC.YZL"});
    QCOMPARE(f.Tile("ABC.YZL")->Picture().Width(), 40);
    f.answers = {app::mbYes};
    f.Save({{QString(), QStringLiteral("Abc")}});
    QCOMPARE(f.Tiles(), QStringList{"ABC.YZL"});
    // A 42 mm seal at 288 dpi is 484 pixels, fitted to the tile.
    QCOMPARE(f.Tile("ABC.YZL")->Picture().Width(), f.LibPanel()->TileSide() - 8);
  }

  void ANewDesignGetsATileOnlyOnceThePanelIsBuilt() {
    Library f;
    f.DocumentWithSeal();
    f.Save({{QString(), QStringLiteral("first 印")}});
    QCOMPARE(f.Files(), QStringList{QStringLiteral("FIRST 印.YZL")});
    QVERIFY(f.LibPanel()->Tiles().empty());
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton2"));
    QVERIFY(f.main->LibraryLoaded());
    QCOMPARE(f.Tiles(), QStringList{QStringLiteral("FIRST 印.YZL")});
    f.Save({{QString(), QStringLiteral("second")}});
    QCOMPARE(f.Tiles(), (QStringList{QStringLiteral("FIRST 印.YZL"), "SECOND.YZL"}));
    QCOMPARE(f.Tile("SECOND.YZL")->y(), f.LibPanel()->SlotHeight());
    QVERIFY(f.Tile("SECOND.YZL")->isVisible());
  }

  void ASelectionTooWidelySpreadIsRefusedWithTheSizeWarning() {
    Library f;
    TfrmChild* w = f.NewDocument();
    seal::TSeal* a = AddSeal(w, 50, 60);
    seal::TSeal* b = AddSeal(w, 900, 60);
    w->SetSelection({a, b});
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton2"));
    f.Save({{QString(), QStringLiteral("wide")}});
    QCOMPARE(f.asked.size(), size_t(1));
    QCOMPARE(f.asked[0].kind, app::TMsgKind::Warning);
    QVERIFY(f.asked[0].text.startsWith(QStringLiteral("导出图象太大，系统无法处理！")));
    QVERIFY(f.Files().isEmpty());
    QVERIFY(f.LibPanel()->Tiles().empty());
  }

  void WithoutADocumentOrASelectionNothingIsAsked() {
    Library f;
    TModalScript script(std::deque<TModalScript::Step>{});
    f.Tool("actLibAdd")->trigger();
    f.NewDocument();
    f.Tool("actLibAdd")->trigger();
    QCOMPARE(script.Seen(), 0);
  }

  void TheTabsSwapAndHideThePanelsAndTheirFirstClickBuildsThem() {
    Library f;
    TKivButton* emblems = Part<TKivButton>(f.main.get(), "KivButton1");
    TKivButton* library = Part<TKivButton>(f.main.get(), "KivButton2");
    QVERIFY(Part<QScrollArea>(f.main.get(), "ScrollBox1")->isHidden());
    QVERIFY(Part<QScrollArea>(f.main.get(), "ScrollBox2")->isHidden());
    f.ClickTab(emblems);
    QVERIFY(f.main->EmblemsLoaded());
    QCOMPARE(emblems->BtnState(), TButtonState::bsDown);
    QVERIFY(Part<QScrollArea>(f.main.get(), "ScrollBox1")->isVisible());
    QVERIFY(Part<QScrollArea>(f.main.get(), "ScrollBox2")->isHidden());
    QCOMPARE(Part<TEmblemPanel>(f.main.get(), "KivFlatPanel2")->Tiles().size(), size_t(20));
    // The second tab overlaps the first by half a tab, however wide the first has grown.
    QCOMPARE(library->x(), emblems->x() + emblems->width() - emblems->height() / 2);

    f.ClickTab(library);
    QVERIFY(f.main->LibraryLoaded());
    QCOMPARE(emblems->BtnState(), TButtonState::bsUp);
    QCOMPARE(library->BtnState(), TButtonState::bsDown);
    QVERIFY(Part<QScrollArea>(f.main.get(), "ScrollBox1")->isHidden());
    QVERIFY(Part<QScrollArea>(f.main.get(), "ScrollBox2")->isVisible());
    QCOMPARE(library->x(), emblems->x() + emblems->width() - library->height() / 2);

    f.ClickTab(library);
    QCOMPARE(library->BtnState(), TButtonState::bsUp);
    QVERIFY(Part<QScrollArea>(f.main.get(), "ScrollBox1")->isHidden());
    QVERIFY(Part<QScrollArea>(f.main.get(), "ScrollBox2")->isHidden());
    // A right press and release changes neither tab.
    QTest::mouseClick(emblems, Qt::RightButton, Qt::NoModifier, QPoint(8, 4));
    QVERIFY(Part<QScrollArea>(f.main.get(), "ScrollBox1")->isHidden());
    QVERIFY(f.asked.empty());
  }

  // Clicking a tile, building a panel and hiding one leave the active document as it was,
  // whichever tab and however often: the panels take no keyboard focus, which hiding one
  // would hand on to another document's window.
  void ThePanelsLeaveTheActiveDocumentAlone() {
    Library f;
    TKivButton* emblems = Part<TKivButton>(f.main.get(), "KivButton1");
    TKivButton* library = Part<TKivButton>(f.main.get(), "KivButton2");
    f.DocumentWithSeal()->showMaximized();
    f.Save({{QString(), QStringLiteral("a")}});
    f.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.main.get()));
    f.ClickTab(library);
    TfrmChild* second = f.NewDocument();
    QTest::mouseDClick(f.Tile("A.YZL"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(second->Seals().size(), size_t(1));
    QCOMPARE(f.main->ActiveChild(), second);
    f.ClickTab(emblems);
    QVERIFY(f.main->EmblemsLoaded());
    QCOMPARE(f.main->ActiveChild(), second);
    QCOMPARE(second->windowTitle(), QStringLiteral("文件2.dyz"));
    TImagePreview* emblem = Part<TEmblemPanel>(f.main.get(), "KivFlatPanel2")->Tiles().front();
    QTest::mouseClick(emblem, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    f.ClickTab(library);
    QCOMPARE(f.main->ActiveChild(), second);
    QTest::mouseClick(f.Tile("A.YZL"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    f.ClickTab(library);
    QCOMPARE(f.main->ActiveChild(), second);
    f.ClickTab(emblems);
    f.ClickTab(emblems);
    QCOMPARE(f.main->ActiveChild(), second);
  }

  // A design cut after its thumbnail still has its tile; inserting it says in Chinese that
  // the file is cut or damaged, and puts nothing on the page.
  void InsertingACutDesignSaysSoInChinese() {
    Library f;
    f.DocumentWithSeal(50, 60);
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton2"));
    f.Save({{QString(), QStringLiteral("round")}});
    const QString path = f.folder + QStringLiteral("ROUND.YZL");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.resize(file.size() - 30));
    file.close();
    TfrmChild* to = f.NewDocument();
    QTest::mousePress(f.Tile("ROUND.YZL"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    f.asked.clear();
    f.Tool("actInsertSeal")->trigger();
    QCOMPARE(f.asked.size(), size_t(1));
    QCOMPARE(f.asked[0].kind, app::TMsgKind::Error);
    QCOMPARE(f.asked[0].text, QStringLiteral("文件不完整或者已损坏，无法读取。"));
    QVERIFY(to->Seals().empty());
  }

  // With no document open there is nowhere to insert into: the status bar says so.
  void InsertWithoutADocumentSaysWhy() {
    Library f;
    TfrmChild* from = f.DocumentWithSeal(50, 60);
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton2"));
    f.Save({{QString(), QStringLiteral("round")}});
    QTest::mouseClick(f.Tile("ROUND.YZL"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    from->ForgetChanges();
    from->close();
    QTRY_VERIFY(!f.main->ActiveChild());
    f.Tool("actInsertSeal")->trigger();
    QVERIFY2(f.Panel(4).contains(QStringLiteral("请先新建或打开印章文件")), qPrintable(f.Panel(4)));
  }

  void InsertPutsThePressedDesignTwoMillimetresFromTheScrollOrigin() {
    Library f;
    TfrmChild* from = f.DocumentWithSeal(50, 60);
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton2"));
    f.Save({{QString(), QStringLiteral("round")}});
    TfrmChild* to = f.NewDocument();
    to->SetPixelsPerMm(4);
    to->ApplyZoom(100);
    Part<QScrollArea>(to, "ScrollBox")->horizontalScrollBar()->setValue(20);
    Part<QScrollArea>(to, "ScrollBox")->verticalScrollBar()->setValue(80);
    // Nothing pressed yet: nothing to insert.
    f.Tool("actInsertSeal")->trigger();
    QVERIFY(to->Seals().empty());
    TImagePreview* tile = f.Tile("ROUND.YZL");
    QTest::mouseDClick(tile, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(to->Seals().size(), size_t(1));
    QCOMPARE(to->Seals()[0]->RealCenterX(), 5.0f + 2 + 21);
    QCOMPARE(to->Seals()[0]->RealCenterY(), 20.0f + 2 + 21);
    QCOMPARE(to->CurrentSeal(), to->Seals()[0]);
    QVERIFY(to->Modified());
    QCOMPARE(f.Panel(3), QStringLiteral("已画图形：1"));
    QCOMPARE(from->Seals().size(), size_t(1));
  }

  void DeletingTheMiddleOfThreeDesignsLeavesTheLastOnTop() {
    Library f;
    f.DocumentWithSeal();
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton2"));
    f.Save({{QString(), QStringLiteral("A")}});
    f.Save({{QString(), QStringLiteral("B")}});
    f.Save({{QString(), QStringLiteral("C")}});
    QTest::mousePress(f.Tile("B.YZL"), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    f.answers = {app::mbNo};
    f.Tool("actDeleteLibrarySeal")->trigger();
    QCOMPARE(f.Files().size(), 3);
    f.answers = {app::mbYes};
    f.Tool("actDeleteLibrarySeal")->trigger();
    QCOMPARE(f.asked.back().text, QStringLiteral("确实要永久删除该模板印章吗？"));
    QCOMPARE(f.Files(), (QStringList{"A.YZL", "C.YZL"}));
    QCOMPARE(f.Tile("C.YZL")->y(), 0);
    QCOMPARE(f.Tile("A.YZL")->y(), f.LibPanel()->SlotHeight());
    // Nothing is current any more: the command asks nothing.
    const size_t asked = f.asked.size();
    f.Tool("actDeleteLibrarySeal")->trigger();
    QCOMPARE(f.asked.size(), asked);
  }

  void TheEditorsCloseButtonDropsTilesOfDeletedDesignsItsCloseBoxKeepsThem() {
    Library f;
    f.Design("A.YZL");
    f.Design("B.YZL");
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton2"));
    const auto deleteB = [&f](bool closeButton) {
      return TModalScript({[&f, closeButton](QDialog* d) {
        auto* list = d->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        const auto found = list->findItems(QStringLiteral("B"), Qt::MatchExactly);
        if (!found.isEmpty()) found.front()->setSelected(true);
        f.answers = {app::mbYes};
        d->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        if (closeButton)
          d->findChild<QPushButton*>(QStringLiteral("Button3"))->click();
        else
          d->close();
      }});
    };
    {
      auto script = deleteB(false);
      f.Tool("actEditLibrary")->trigger();
    }
    QCOMPARE(f.Files(), QStringList{"A.YZL"});
    QCOMPARE(f.LibPanel()->Tiles().size(), size_t(2));
    // Its tile is still there: inserting it reports that the file is gone.
    TfrmChild* w = f.NewDocument();
    QTest::mousePress(f.Tile("B.YZL"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    f.asked.clear();
    f.Tool("actInsertSeal")->trigger();
    QCOMPARE(f.asked.size(), size_t(1));
    QCOMPARE(f.asked[0].kind, app::TMsgKind::Error);
    QVERIFY(w->Seals().empty());
    QVERIFY(!w->Modified());

    {
      auto script = deleteB(true);
      f.Tool("actEditLibrary")->trigger();
    }
    QCOMPARE(f.Tiles(), QStringList{"A.YZL"});
    QCOMPARE(f.Tile("A.YZL")->y(), 0);
    QVERIFY(!f.LibPanel()->SelectedLibSeal());
  }

  void AnEmblemGoesOnARoundSealOrArmsTheToolWhereNoneFits() {
    Library f;
    TfrmChild* w = f.DocumentWithSeal();
    const seal::TSeal* round = w->Seals()[0];
    EditSeal(w, round, [](seal::TSeal& e) { e.SetImageIsStar(true); });
    w->MarkSaved();
    f.main->SyncSealOptions(round);
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton1"));
    TImagePreview* tile = Part<TEmblemPanel>(f.main.get(), "KivFlatPanel2")->Tiles()[4];
    QTest::mouseDClick(tile, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    platform::TPicture expected;
    LoadAPicture(expected, "B4");
    QCOMPARE(round->Picture().Bytes(), expected.Bytes());
    QVERIFY(round->HaveImage());
    QVERIFY(!round->ImageIsStar());
    QVERIFY(!Part<QCheckBox>(f.main.get(), "CheckBox2")->isChecked());
    QVERIFY(Part<QCheckBox>(f.main.get(), "CheckBox3")->isChecked());
    QVERIFY(w->Modified());
    QCOMPARE(f.Panel(2), QStringLiteral("文件状态：已修改"));
    QVERIFY(!f.main->CurrentDrawAction());

    // Nothing selected: the emblem tool is armed, and a second double click disarms it.
    w->SetSelection({});
    QTest::mouseDClick(tile, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(f.main->CurrentDrawAction(), f.Tool("actDrawAPicture"));
    QTest::mouseDClick(tile, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(!f.main->CurrentDrawAction());

    // A table takes no emblem: the tool is armed instead, and the next press on the page
    // places the selected emblem as a picture element.
    seal::TSeal* table = AddSeal(w, 150, 150);
    table->SetSealType(seal::stCell);
    w->SetSelection({table});
    QTest::mouseDClick(tile, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(f.main->CurrentDrawAction(), f.Tool("actDrawAPicture"));
    QCOMPARE(table->HaveImage(), false);
    QTest::mousePress(PageOf(w), Qt::LeftButton, Qt::NoModifier, QPoint(300, 500));
    QTest::mouseRelease(PageOf(w), Qt::LeftButton, Qt::NoModifier, QPoint(300, 500));
    QCOMPARE(w->Seals().back()->SealType(), seal::stAnyImage);
    QCOMPARE(w->Seals().back()->Picture().Bytes(), expected.Bytes());
    QVERIFY(f.asked.empty());
  }

  void UnreadableUserEmblemsAreReportedOnceAndThePanelCountsAsBuilt() {
    Library f;
    formats::SaveFileAtomically(f.emblems + "broken.gif", std::vector<uint8_t>{'G', 'I', 'F'});
    formats::SaveFileAtomically(f.emblems + "torn.bmp", std::vector<uint8_t>{'B', 'M'});
    formats::SaveFileAtomically(f.emblems + "good.bmp",
                                picture_makers::EncodeWithQt(picture_makers::Quadrants(20, 10), "bmp"));
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton1"));
    QVERIFY(f.main->EmblemsLoaded());
    QCOMPARE(f.asked.size(), size_t(1));
    QCOMPARE(f.asked[0].kind, app::TMsgKind::Warning);
    QVERIFY(f.asked[0].text.contains(QStringLiteral("broken.gif")));
    QVERIFY(f.asked[0].text.contains(QStringLiteral("torn.bmp")));
    QCOMPARE(Part<TEmblemPanel>(f.main.get(), "KivFlatPanel2")->Tiles().size(), size_t(21));
    // Shown again later: no second build, no second report.
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton1"));
    f.ClickTab(Part<TKivButton>(f.main.get(), "KivButton1"));
    QCOMPARE(f.asked.size(), size_t(1));

    // A user picture that went since the build: applying it reports the loader's error and
    // leaves the document unmarked.
    TfrmChild* w = f.DocumentWithSeal();
    TImagePreview* good = Part<TEmblemPanel>(f.main.get(), "KivFlatPanel2")->Tiles().back();
    QVERIFY(good->PictureFromFile());
    QVERIFY(QFile::remove(good->Caption()));
    QTest::mouseDClick(good, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(f.asked.size(), size_t(2));
    QCOMPARE(f.asked[1].kind, app::TMsgKind::Error);
    QVERIFY(!w->Modified());
  }
};

QTEST_MAIN(LibraryCommandsTest)
#include "library_commands_test.moc"
