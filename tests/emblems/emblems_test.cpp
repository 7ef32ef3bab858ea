// The emblem panel without a main window: which files are the user's emblems, the built-in
// tiles before them, reduced pictures, unreadable pictures skipped, and the presses.
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QSignalSpy>
#include <QtTest>

#include "emblems/emblempanel.h"
#include "fakedesktop.h"
#include "formats/whole_file.h"
#include "pandrel/pandrel.h"
#include "platform/gifwriter.h"
#include "picture_makers.h"

namespace {

struct Emblems {
  FakeDesktop desk;
  QString folder = desk.dir.path() + QStringLiteral("/我的徽标库/");
  QWidget window;
  QScrollArea* box = new QScrollArea(&window);
  QLabel activity;
  QProgressBar bar;
  // Tiles for a 96-dpi screen: 96 pixels square.
  TEmblemPanel* panel = new TEmblemPanel(box, 96);

  Emblems() {
    QDir().mkpath(folder);
    box->setGeometry(0, 0, 130, 400);
    window.resize(200, 400);
    window.show();
  }
  void Write(const char* name, const std::vector<uint8_t>& bytes) const {
    formats::SaveFileAtomically(folder + QString::fromUtf8(name), bytes);
  }
  void Picture(const char* name, int w, int h, const char* format) const {
    Write(name, picture_makers::EncodeWithQt(picture_makers::Quadrants(w, h), format));
  }
  QStringList Build() { return panel->LoadEmblemPanel(folder, &activity, &bar); }
  std::vector<TImagePreview*> UserTiles() const {
    std::vector<TImagePreview*> user;
    for (TImagePreview* t : panel->Tiles())
      if (t->PictureFromFile()) user.push_back(t);
    return user;
  }
  TImagePreview* UserTile(const char* name) const {
    for (TImagePreview* t : UserTiles())
      if (t->Caption() == folder + QString::fromUtf8(name)) return t;
    return nullptr;
  }
};

int BuiltinCount() {
  int n = 0;
  GetPictureCount(n);
  return n;
}

}  // namespace

class EmblemsTest : public QObject {
  Q_OBJECT

 private slots:
  void UserEmblemsArePicturesOfSixKindsInAnyCaseNeverFolders() {
    Emblems e;
    for (const char* name : {"logo.jpeg", "LOGO.WMF", "a.Bmp", "b.gif", "c.JPG", "d.emf", "logo.png", "readme.txt", "gif"})
      e.Write(name, {1, 2, 3});
    QDir().mkpath(e.folder + QStringLiteral("x.bmp"));
    QStringList files = app::ListEmblemFiles(e.folder);
    files.sort();
    QStringList expected;
    for (const char* name : {"LOGO.WMF", "a.Bmp", "b.gif", "c.JPG", "d.emf", "logo.jpeg"})
      expected.append(e.folder + QString::fromUtf8(name));
    QCOMPARE(files, expected);
    QCOMPARE(app::EmblemFolder(QStringLiteral("/opt/brelvonix/")), QStringLiteral("/opt/brelvonix/我的徽标库/"));
  }

  void BuiltInTilesComeFirstThenTheUsersPicturesReducedWhenLarger() {
    Emblems e;
    QCOMPARE(BuiltinCount(), 20);
    e.Picture("small.bmp", 48, 32, "bmp");
    QImage flat(400, 200, QImage::Format_RGB32);
    flat.fill(0xFF2040C0);
    e.Write("WIDE.GIF", platform::EncodeGif(flat));
    e.Write("photo.JPG", picture_makers::MakeJpeg(picture_makers::Quadrants(60, 90)));
    QVERIFY(e.Build().isEmpty());
    QCOMPARE(e.panel->Tiles().size(), size_t(23));
    QCOMPARE(e.bar.maximum(), 23);
    QVERIFY(e.activity.isHidden());
    QCOMPARE(e.panel->width(), 100);

    for (int i = 0; i < 20; ++i) {
      TImagePreview* tile = e.panel->Tiles()[size_t(i)];
      QCOMPARE(tile->Caption(), QStringLiteral("B%1").arg(i));
      QVERIFY(!tile->PictureFromFile());
      QCOMPARE(tile->geometry(), QRect(2, i * 98, 96, 96));
      platform::TPicture preview;
      LoadAPicture(preview, QStringLiteral("A%1").arg(i).toLatin1().constData());
      QCOMPARE(tile->Picture().Bytes(), preview.Bytes());
    }
    // The user's pictures take slots 20 to 22 in the file system's order.
    QList<int> tops;
    for (TImagePreview* t : e.UserTiles()) tops.append(t->y());
    std::sort(tops.begin(), tops.end());
    QCOMPARE(tops, (QList<int>{20 * 98, 21 * 98, 22 * 98}));

    TImagePreview* small = e.UserTile("small.bmp");
    QVERIFY(small);
    QCOMPARE(small->Picture().Width(), 48);
    QCOMPARE(small->Picture().Height(), 32);
    // Larger ones become bitmaps 8 pixels inside the tile, the picture stretched over them.
    TImagePreview* wide = e.UserTile("WIDE.GIF");
    QVERIFY(wide);
    QCOMPARE(wide->Picture().Kind(), platform::TGraphicKind::Bitmap);
    QCOMPARE(wide->Picture().Width(), 88);
    QCOMPARE(wide->Picture().Height(), 44);
    QCOMPARE(wide->Picture().Image().pixel(0, 0), 0xFF2040C0u);
    QCOMPARE(wide->Picture().Image().pixel(87, 43), 0xFF2040C0u);
    QCOMPARE(e.UserTile("photo.JPG")->Picture().Kind(), platform::TGraphicKind::Jpeg);
  }

  void UnreadablePicturesAreSkippedAndReportedOnceTheBuildGoesOn() {
    using picture_makers::EmfRecordOf;
    using picture_makers::WmfRecordOf;
    Emblems e;
    e.Write("broken.jpg", {0xFF, 0xD8, 0x00});
    e.Write("empty.gif", {});
    // Metafiles that the worker refuses before it draws: a text record shorter than its
    // fixed part, and saved states nested a hundred thousand deep.
    e.Write("short.emf", picture_makers::MakeEmfOfRecords(0, 0, 99, 99, {EmfRecordOf(84, {0, 0, 99, 99})}));
    e.Write("deep.wmf", picture_makers::MakePlaceableWmfOfRecords(
                            0, 0, 100, 100, 0, std::vector<std::vector<uint8_t>>(100000, WmfRecordOf(0x001E, {}))));
    e.Picture("good.bmp", 10, 10, "bmp");
    QElapsedTimer took;
    took.start();
    const QStringList skipped = e.Build();
    QVERIFY(took.elapsed() < 5000);
    QCOMPARE(skipped.size(), 4);
    const struct {
      const char* file;
      const char* reason;
    } expected[] = {{"broken.jpg", "JPEG 图象已损坏"},
                    {"empty.gif", "图象是空的"},
                    {"short.emf", "图元文件已损坏"},
                    {"deep.wmf", "图元文件保存的绘图状态层次太多"}};
    for (const auto& x : expected) {
      const QString line = QStringLiteral("无法读取图象文件“") + QString::fromUtf8(x.file) + QStringLiteral("”：") +
                           QString::fromUtf8(x.reason);
      QVERIFY2(!skipped.filter(line).isEmpty(), qPrintable(skipped.join('\n')));
    }
    QCOMPARE(e.panel->Tiles().size(), size_t(21));
    // The good picture takes the first free slot, whatever came before it.
    QCOMPARE(e.UserTile("good.bmp")->y(), 20 * 98);
    // A second build starts from an empty panel.
    e.Build();
    QCOMPARE(e.panel->findChildren<TImagePreview*>().size(), 21);
  }

  void OnlyALeftPressSelectsADoubleClickAsksToApply() {
    Emblems e;
    e.Build();
    TImagePreview* a = e.panel->Tiles()[3];
    TImagePreview* b = e.panel->Tiles()[5];
    QTest::mousePress(a, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QVERIFY(a->Selected());
    QCOMPARE(e.panel->SelectedEmblem(), a);
    QTest::mousePress(b, Qt::RightButton, Qt::NoModifier, QPoint(4, 4));
    QVERIFY(!b->Selected());
    QVERIFY(a->Selected());
    QCOMPARE(e.panel->SelectedEmblem(), a);
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QVERIFY(!a->Selected());
    QVERIFY(b->Selected());
    QSignalSpy apply(e.panel, &TEmblemPanel::ApplyRequested);
    QTest::mouseDClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QCOMPARE(apply.size(), 1);
    QCOMPARE(apply[0][0].value<TImagePreview*>(), b);
    QCOMPARE(e.panel->SelectedEmblem(), b);
    // A new build frees the tiles: the selected emblem is forgotten, never touched again.
    e.Build();
    QVERIFY(!e.panel->SelectedEmblem());
    QTest::mousePress(e.panel->Tiles()[1], Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QCOMPARE(e.panel->SelectedEmblem(), e.panel->Tiles()[1]);
  }
};

QTEST_MAIN(EmblemsTest)
#include "emblems_test.moc"
