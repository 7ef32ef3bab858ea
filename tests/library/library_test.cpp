// The seal library's folder, panel and dialogs without a main window: listing and naming the
// designs, the tiles and their thumbnails, restacking, the name dialog and the editor.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

#include "document/tilepictures.h"
#include "document_makers.h"
#include "fakedesktop.h"
#include "formats/whole_file.h"
#include "library/frmeditlib.h"
#include "library/frmlib.h"
#include "library/libraryfolder.h"
#include "library/librarypanel.h"
#include "modalscript.h"
#include "parts.h"
#include "services/folderfiles.h"

namespace {

// A library folder of its own with designs written into it.
struct LibraryFolder {
  FakeDesktop desk;
  QString folder = desk.dir.path() + QStringLiteral("/我的印章库/");
  LibraryFolder() { QDir().mkpath(folder); }
  QString Write(const QString& name, const std::vector<uint8_t>& bytes) const {
    const QString path = folder + name;
    formats::SaveFileAtomically(path, bytes);
    return path;
  }
  QString Design(const QString& name, int w = 40, int h = 30) const {
    return Write(name, document_makers::LibraryFileOfThumbnail(w, h));
  }
  bool Exists(const QString& name) const { return QFile::exists(folder + name); }
};

// The panel in a shown scroll box, with tiles for a 96-dpi screen: 115 pixels square.
struct Panel {
  QWidget window;
  QScrollArea* box = new QScrollArea(&window);
  QMenu menu;
  QLabel activity;
  QProgressBar bar;
  TLibraryPanel* panel = new TLibraryPanel(box, &menu, 96);
  Panel() {
    box->setGeometry(0, 0, 140, 300);
    window.resize(200, 300);
    window.show();
    panel->FitToScrollBox();
  }
  QStringList Captions() const {
    QStringList c;
    for (TImagePreview* t : panel->Tiles()) c.append(QFileInfo(t->Caption()).fileName());
    return c;
  }
  int TopOf(const QString& name) const {
    for (TImagePreview* t : panel->Tiles())
      if (QFileInfo(t->Caption()).fileName() == name) return t->y();
    return -1;
  }
};

void Press(QWidget* w, Qt::MouseButton button) { QTest::mousePress(w, button, Qt::NoModifier, QPoint(5, 5)); }

}  // namespace

class LibraryTest : public QObject {
  Q_OBJECT

 private slots:
  void ListsDesignsOfAnyLetterCaseInTheirOwnCaseAndNeverFolders() {
    LibraryFolder f;
    for (const char* name : {"a.yzl", "B.YZL", "c.Yzl", "印章.YZL", ".hidden.yzl", "d.txt", "e.YZL.bak", "YZL"})
      f.Design(QString::fromUtf8(name));
    QDir().mkpath(f.folder + QStringLiteral("folder.YZL"));
    QStringList names = app::ListLibraryFiles(f.folder, true);
    names.sort();
    QCOMPARE(names, (QStringList{".hidden.yzl", "B.YZL", "a.yzl", "c.Yzl", QStringLiteral("印章.YZL")}));
    QStringList paths = app::ListLibraryFiles(f.folder, false);
    paths.sort();
    QCOMPARE(paths.first(), f.folder + QStringLiteral(".hidden.yzl"));
    QVERIFY(app::ListLibraryFiles(f.folder + QStringLiteral("missing/"), false).isEmpty());
  }

  void NamesAreCheckedUpperCasedInAsciiOnlyAndSortedIgnoringAsciiCase() {
    const QString empty = QStringLiteral("请给印章提供一个名字！");
    const QString path = QStringLiteral("章名中不能有路径符号！");
    const struct {
      QString name;
      QString fault;
    } cases[] = {
        {QString(), empty},
        {QStringLiteral("a/b"), path},
        {QStringLiteral("..\\up"), path},
        {QStringLiteral("/"), path},
        {QString(QStringLiteral("a")) + QChar(0) + QStringLiteral("b"), path},
        {QStringLiteral("."), path},
        {QStringLiteral(".."), path},
        {QStringLiteral("..."), QString()},
        {QStringLiteral("abc"), QString()},
        {QStringLiteral("公司 章.v2"), QString()},
    };
    for (const auto& c : cases) QCOMPARE(app::LibraryNameFault(c.name), c.fault);

    QCOMPARE(app::NewLibraryPath(QStringLiteral("/x/我的印章库/"), QStringLiteral("abc印章é ß")),
             QStringLiteral("/x/我的印章库/ABC印章é ß.YZL"));
    QCOMPARE(app::LibraryDesignName(QStringLiteral("/x/ABC.YZL.YZL")), QStringLiteral("ABC.YZL"));
    QVERIFY(app::SameIgnoringAsciiCase(QStringLiteral("abc.yzl"), QStringLiteral("ABC.YZL")));
    QVERIFY(!app::SameIgnoringAsciiCase(QStringLiteral("é"), QStringLiteral("É")));
    QStringList names{"b.YZL", "A.YZL", "a.yzl", "C.YZL"};
    app::SortLibraryNames(names);
    QCOMPARE(names, (QStringList{"A.YZL", "a.yzl", "b.YZL", "C.YZL"}));
  }

  void PicturesFitTheirTileOrShrinkKeepingTheirProportion() {
    const struct {
      int pw, ph, tw, th;
      std::optional<QSize> reduced;
    } cases[] = {
        {100, 50, 115, 115, std::nullopt},
        {115, 115, 115, 115, std::nullopt},
        {300, 100, 115, 115, QSize(107, 36)},
        {100, 300, 115, 115, QSize(36, 107)},
        {116, 116, 115, 115, QSize(107, 107)},
        {400, 200, 96, 96, QSize(88, 44)},
        {20000, 1, 96, 96, QSize(88, 1)},
    };
    for (const auto& c : cases) QCOMPARE(app::ReducedTileSize(c.pw, c.ph, c.tw, c.th), c.reduced);

    LibraryFolder f;
    Panel p;
    QCOMPARE(p.panel->TileSide(), 115);
    TImagePreview* small = p.panel->AddLibraryPreview(f.Design(QStringLiteral("S.YZL"), 100, 50));
    QCOMPARE(small->Picture().Kind(), platform::TGraphicKind::Gif);
    QCOMPARE(small->Picture().Width(), 100);
    QCOMPARE(small->Picture().Height(), 50);
    TImagePreview* wide = p.panel->AddLibraryPreview(f.Design(QStringLiteral("W.YZL"), 300, 100));
    QCOMPARE(wide->Picture().Kind(), platform::TGraphicKind::Bitmap);
    QCOMPARE(wide->Picture().Width(), 107);
    QCOMPARE(wide->Picture().Height(), 36);
    // Stretched over the whole bitmap: its corners have the thumbnail's colour.
    QCOMPARE(wide->Picture().Image().pixel(0, 0), 0xFFC04020u);
    QCOMPARE(wide->Picture().Image().pixel(106, 35), 0xFFC04020u);
    QCOMPARE(wide->geometry(), QRect(2, 117, 115, 115));
    QCOMPARE(wide->PopupMenu(), &p.menu);
  }

  void BuildListsTheFolderSkipsUnreadableDesignsAndBuildsAfreshNextTime() {
    LibraryFolder f;
    Panel p;
    f.Design(QStringLiteral("ONE.YZL"));
    QCOMPARE(p.panel->LoadSealLibraryPanel(f.folder, &p.activity, &p.bar), QStringList());
    QCOMPARE(p.Captions(), QStringList{"ONE.YZL"});
    QCOMPARE(p.panel->Tiles().front()->Caption(), f.folder + QStringLiteral("ONE.YZL"));
    QVERIFY(p.activity.isHidden());
    QCOMPARE(p.bar.maximum(), 1);
    QCOMPARE(p.panel->width(), 119);

    // Designs that cannot be shown, among good ones: each is named once with its reason and
    // gets no tile (a FIFO is not even listed); the good ones get theirs, slot after slot,
    // whatever order the file system gives.
    std::vector<uint8_t> bad = document_makers::LibraryFileOfThumbnail(10, 10);
    bad[12] = 'X';
    f.Write(QStringLiteral("BAD.YZL"), bad);
    f.Write(QStringLiteral("CUT.YZL"), {0, 0, 0, 0x41, 0xFF, 0xFF});
    {
      // Holes only: three gigabytes that would be read whole, were they read at all.
      QFile huge(f.folder + QStringLiteral("HUGE.YZL"));
      QVERIFY(huge.open(QIODevice::WriteOnly));
      QVERIFY(huge.resize(3LL << 30));
    }
    QCOMPARE(::mkfifo((f.folder + QStringLiteral("PIPE.YZL")).toUtf8().constData(), 0600), 0);
    f.Design(QStringLiteral("TWO.YZL"));
    QElapsedTimer took;
    took.start();
    const QStringList skipped = p.panel->LoadSealLibraryPanel(f.folder, &p.activity, &p.bar);
    QVERIFY2(took.elapsed() < 2000, "the large file and the FIFO are refused at once");
    QCOMPARE(skipped.size(), 3);
    const struct {
      const char* file;
      const char* reason;
    } expected[] = {{"BAD.YZL", "GIF"}, {"CUT.YZL", "文件不完整或者已损坏，无法读取。"}, {"HUGE.YZL", "文件太大"}};
    for (const auto& e : expected) {
      const QStringList lines = skipped.filter(QString::fromUtf8(e.file) + QStringLiteral("："));
      QCOMPARE(lines.size(), 1);
      QVERIFY2(lines.front().contains(QString::fromUtf8(e.reason)), qPrintable(lines.front()));
    }
    QVERIFY(p.activity.isHidden());
    QCOMPARE(p.bar.maximum(), 5);
    QStringList captions = p.Captions();
    captions.sort();
    QCOMPARE(captions, (QStringList{"ONE.YZL", "TWO.YZL"}));
    QList<int> tops;
    for (const TImagePreview* tile : p.panel->Tiles()) tops.append(tile->y());
    std::sort(tops.begin(), tops.end());
    QCOMPARE(tops, (QList<int>{0, 117}));

    // Mended, the next build starts from an empty panel: one tile per design.
    f.Design(QStringLiteral("BAD.YZL"));
    QFile::remove(f.folder + QStringLiteral("CUT.YZL"));
    QFile::remove(f.folder + QStringLiteral("HUGE.YZL"));
    QFile::remove(f.folder + QStringLiteral("PIPE.YZL"));
    QCOMPARE(p.panel->LoadSealLibraryPanel(f.folder, &p.activity, &p.bar), QStringList());
    captions = p.Captions();
    captions.sort();
    QCOMPARE(captions, (QStringList{"BAD.YZL", "ONE.YZL", "TWO.YZL"}));
    QCOMPARE(p.panel->findChildren<TImagePreview*>().size(), 3);
  }

  void DeletingTheMiddleOfThreeLeavesTheLastOnTopAndTheFirstBelow() {
    LibraryFolder f;
    Panel p;
    for (const char* name : {"A.YZL", "B.YZL", "C.YZL"}) p.panel->AddLibraryPreview(f.Design(QString::fromUtf8(name)));
    QCOMPARE(p.TopOf("A.YZL"), 0);
    QCOMPARE(p.TopOf("C.YZL"), 234);
    QCOMPARE(p.panel->height(), std::max(115 + 234 + 2, p.box->viewport()->height()));
    Press(p.panel->Tiles()[1], Qt::RightButton);
    QCOMPARE(p.panel->SelectedLibSeal(), p.panel->Tiles()[1]);
    p.panel->DeleteSelectedLibSeal();
    QCOMPARE(p.Captions(), (QStringList{"A.YZL", "C.YZL"}));
    QCOMPARE(p.TopOf("C.YZL"), 0);
    QCOMPARE(p.TopOf("A.YZL"), 117);
    QVERIFY(!p.panel->SelectedLibSeal());
    QCOMPARE(p.panel->height(), std::max(2 * 117, p.box->viewport()->height()));
  }

  void PressesMakeATileCurrentWithAnyButtonAndScrollItIntoView() {
    LibraryFolder f;
    Panel p;
    for (int i = 0; i < 6; ++i) p.panel->AddLibraryPreview(f.Design(QStringLiteral("D%1.YZL").arg(i)));
    const std::vector<TImagePreview*> tiles = p.panel->Tiles();
    Press(tiles[0], Qt::LeftButton);
    QVERIFY(tiles[0]->Selected());
    QCOMPARE(p.panel->SelectedLibSeal(), tiles[0]);
    // A right press makes the tile current without its highlight; the previous one loses its.
    Press(tiles[1], Qt::RightButton);
    QVERIFY(!tiles[0]->Selected());
    QVERIFY(!tiles[1]->Selected());
    QCOMPARE(p.panel->SelectedLibSeal(), tiles[1]);
    // A tile reaching below the visible part scrolls down by one slot.
    QScrollBar* bar = p.box->verticalScrollBar();
    const int visible = p.box->viewport()->height();
    TImagePreview* low = tiles[2];
    QVERIFY(low->y() + low->height() > visible);
    Press(low, Qt::LeftButton);
    QCOMPARE(bar->value(), std::min(bar->maximum(), 117));
    // One above the visible part scrolls up by one slot.
    bar->setValue(bar->maximum());
    const int top = bar->value();
    Press(tiles[0], Qt::LeftButton);
    QCOMPARE(bar->value(), std::max(0, top - 117));
  }

  void AfterTheEditorOnlyListedTilesStayAndTheCurrentOneMayGo() {
    LibraryFolder f;
    Panel p;
    QStringList kept;
    for (const char* name : {"A.YZL", "B.YZL", "C.YZL", "D.YZL"}) {
      const QString path = f.Design(QString::fromUtf8(name));
      if (QLatin1String(name) != QLatin1String("B.YZL")) kept.append(path);
      p.panel->AddLibraryPreview(path);
    }
    Press(p.panel->Tiles()[1], Qt::LeftButton);
    p.panel->KeepLibraryTiles(kept, 115);
    QCOMPARE(p.Captions(), (QStringList{"A.YZL", "C.YZL", "D.YZL"}));
    QCOMPARE(p.TopOf("D.YZL"), 0);
    QCOMPARE(p.TopOf("C.YZL"), 117);
    QCOMPARE(p.TopOf("A.YZL"), 234);
    // The tile held as current went with its design; the next press never touches it.
    QVERIFY(!p.panel->SelectedLibSeal());
    Press(p.panel->Tiles()[0], Qt::LeftButton);
    QCOMPARE(p.panel->SelectedLibSeal(), p.panel->Tiles()[0]);
  }

  void NameDialogIsLaidOutFromTheScreen() {
    FakeDesktop desk;
    QWidget owner;
    TfrmLib dialog(&owner);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("保存到印章库"));
    QCOMPARE(Part<QLabel>(&dialog, "Label1")->text(), QStringLiteral("请输入一个章名："));
    QCOMPARE(Part<QPushButton>(&dialog, "BitBtn1")->text(), QStringLiteral("存入(&S)..."));
    QCOMPARE(Part<QPushButton>(&dialog, "BitBtn2")->text(), QStringLiteral("取  消(&C)"));
    QVERIFY(Part<QPushButton>(&dialog, "BitBtn1")->isDefault());
    const int ppi = dialog.logicalDpiX();
    const int m = ppi / 24;
    QCOMPARE(dialog.width(), 2 * ppi);
    QCOMPARE(Part<QLabel>(&dialog, "Label1")->pos(), QPoint(m, ppi / 12));
    QCOMPARE(Part<QLineEdit>(&dialog, "Edit1")->geometry().topLeft(),
             QPoint(m, Part<QLabel>(&dialog, "Label1")->geometry().bottom() + 1));
    QCOMPARE(Part<QLineEdit>(&dialog, "Edit1")->width(), 2 * ppi - 2 * m);
    QCOMPARE(Part<QFrame>(&dialog, "Bevel1")->geometry().left(), 1);
    QCOMPARE(Part<QFrame>(&dialog, "Bevel1")->width(), 2 * ppi - 2);
    QCOMPARE(Part<QFrame>(&dialog, "Bevel1")->y(), Part<QLineEdit>(&dialog, "Edit1")->geometry().bottom() + 1 + 2 * m);
    QCOMPARE(Part<QPushButton>(&dialog, "BitBtn1")->x(), 3 * m);
    QCOMPARE(Part<QPushButton>(&dialog, "BitBtn2")->geometry().right() + 1, 2 * ppi - 3 * m);
    QVERIFY(Part<QPushButton>(&dialog, "BitBtn1")->geometry().right() < Part<QPushButton>(&dialog, "BitBtn2")->x());
    const int bevelMiddle = Part<QFrame>(&dialog, "Bevel1")->y() + Part<QFrame>(&dialog, "Bevel1")->height() / 2;
    QVERIFY(qAbs(Part<QPushButton>(&dialog, "BitBtn1")->geometry().center().y() - bevelMiddle) <= 1);
    QCOMPARE(dialog.height(), Part<QFrame>(&dialog, "Bevel1")->geometry().bottom() + 1 + m);
    QCOMPARE(Part<QLabel>(&dialog, "Label1")->palette().color(QPalette::WindowText), QColor(0, 128, 255));
    QCOMPARE(Part<QLineEdit>(&dialog, "Edit1")->palette().color(QPalette::Text), QColor(255, 0, 0));

    // Shown, the text box has the focus; Esc cancels and the save button accepts.
    TModalScript script({[](QDialog* d) {
                           auto* edit = d->findChild<QLineEdit*>(QStringLiteral("Edit1"));
                           // Activation may come a moment after the dialog is shown on a busy machine.
                           QTRY_VERIFY(edit->hasFocus());
                           QTest::keyClick(d, Qt::Key_Escape);
                         },
                         [](QDialog* d) { d->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click(); }});
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(script.Unscripted(), 0);
  }

  void EditorListsSortedNamesAndDeletesTheSelectedOnesOrAll() {
    LibraryFolder f;
    for (const char* name : {"c.YZL", "A.YZL", "B.yzl", "D.YZL"}) f.Design(QString::fromUtf8(name));
    QWidget owner;
    TfrmEditLib editor(&owner, f.folder);
    QCOMPARE(editor.windowTitle(), QStringLiteral("编辑印章库"));
    QCOMPARE(Part<QListWidget>(&editor, "ListBox1")->count(), 4);
    QStringList shown;
    for (int i = 0; i < Part<QListWidget>(&editor, "ListBox1")->count(); ++i)
      shown.append(Part<QListWidget>(&editor, "ListBox1")->item(i)->text());
    QCOMPARE(shown, (QStringList{"A", "B", "c", "D"}));
    QCOMPARE(editor.FileList().at(2), f.folder + QStringLiteral("c.YZL"));
    QVERIFY(!Part<QPushButton>(&editor, "Button1")->isEnabled());
    QVERIFY(Part<QPushButton>(&editor, "Button2")->isEnabled());
    const int ppi = editor.logicalDpiX();
    QCOMPARE(Part<QListWidget>(&editor, "ListBox1")->size(), QSize(ppi * 5 / 3, 3 * ppi));
    QCOMPARE(Part<QFrame>(&editor, "Bevel1")->x(),
             Part<QListWidget>(&editor, "ListBox1")->geometry().right() + 1 + ppi / 24);
    QCOMPARE(Part<QLabel>(&editor, "Label1")->palette().color(QPalette::WindowText), QColor(0, 128, 255));
    QCOMPARE(Part<QListWidget>(&editor, "ListBox1")->palette().color(QPalette::Text), QColor(0, 128, 192));

    Part<QListWidget>(&editor, "ListBox1")->item(1)->setSelected(true);
    Part<QListWidget>(&editor, "ListBox1")->item(2)->setSelected(true);
    QVERIFY(Part<QPushButton>(&editor, "Button1")->isEnabled());
    // No keeps them; Yes deletes both files and their rows.
    f.desk.answers = {app::mbNo, app::mbYes};
    Part<QPushButton>(&editor, "Button1")->click();
    QCOMPARE(Part<QListWidget>(&editor, "ListBox1")->count(), 4);
    Part<QPushButton>(&editor, "Button1")->click();
    QCOMPARE(f.desk.messages.back().text, QStringLiteral("确实要删除这些模板印章吗？"));
    QCOMPARE(f.desk.messages.back().kind, app::TMsgKind::Confirmation);
    QCOMPARE(Part<QListWidget>(&editor, "ListBox1")->count(), 2);
    QCOMPARE(editor.FileList(), (QStringList{f.folder + "A.YZL", f.folder + "D.YZL"}));
    QVERIFY(!f.Exists("B.yzl"));
    QVERIFY(!f.Exists("c.YZL"));
    QVERIFY(f.Exists("A.YZL"));
    QVERIFY(!Part<QPushButton>(&editor, "Button1")->isEnabled());
  }

  void EditorDeletesAllOfThreeHundredDesigns() {
    LibraryFolder f;
    for (int i = 0; i < 300; ++i) f.Design(QStringLiteral("N%1.YZL").arg(i, 3, 10, QLatin1Char('0')), 2, 2);
    QWidget owner;
    TfrmEditLib editor(&owner, f.folder);
    QCOMPARE(Part<QListWidget>(&editor, "ListBox1")->count(), 300);
    f.desk.answer = app::mbYes;
    Part<QPushButton>(&editor, "Button2")->click();
    QCOMPARE(f.desk.messages.back().text, QStringLiteral("确实要删除所有模板印章吗？"));
    QCOMPARE(Part<QListWidget>(&editor, "ListBox1")->count(), 0);
    QVERIFY(editor.FileList().isEmpty());
    QVERIFY(app::ListLibraryFiles(f.folder, true).isEmpty());
    QVERIFY(!Part<QPushButton>(&editor, "Button2")->isEnabled());
  }

  void EditorClosesAcceptedByItsButtonAndEscRejectedByItsCloseBox() {
    LibraryFolder f;
    QWidget owner;
    TfrmEditLib editor(&owner, f.folder);
    QVERIFY(!Part<QPushButton>(&editor, "Button2")->isEnabled());
    TModalScript script({[](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); },
                         [](QDialog* d) { d->findChild<QPushButton*>(QStringLiteral("Button3"))->click(); },
                         [](QDialog* d) { d->close(); }});
    QCOMPARE(editor.exec(), int(QDialog::Accepted));
    QCOMPARE(editor.exec(), int(QDialog::Accepted));
    QCOMPARE(editor.exec(), int(QDialog::Rejected));
    QCOMPARE(script.Unscripted(), 0);
  }

  void DeletingADesignThatIsAlreadyGoneIsNoError() {
    LibraryFolder f;
    const QString path = f.Design(QStringLiteral("GONE.YZL"));
    app::DeleteLibraryFile(path);
    QVERIFY(!QFile::exists(path));
    app::DeleteLibraryFile(path);
    // A folder of that name cannot be deleted as a file: the file and the reason come back,
    // in the user's words.
    QDir().mkpath(f.folder + QStringLiteral("DIR.YZL/inside"));
    QString message;
    try {
      app::DeleteLibraryFile(f.folder + QStringLiteral("DIR.YZL"));
    } catch (const formats::EFileError& e) {
      message = QString::fromUtf8(e.what());
      QCOMPARE(e.Error(), EISDIR);
    }
    QCOMPARE(message, QStringLiteral("无法删除文件“DIR.YZL”：这是一个文件夹。"));
  }
};

QTEST_MAIN(LibraryTest)
#include "library_test.moc"
