// The export once its options are answered, on a fake desktop: which dialogs and questions
// come in which order, what is written where, what goes to the clipboard, what is refused
// before anything is drawn, and that a failed export leaves no file behind.

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#include "export/pictureexport.h"
#include "export_seals.h"
#include "fakedesktop.h"
#include "filesystems.h"
#include "formats/whole_file.h"
#include "platform/extended.h"
#include "seal/bounds_mm.h"
#include "services/datafolders.h"

using export_seals::Box;
using export_seals::kBlue;
using export_seals::kRed;
using seal::TSeal;

namespace {

merulin::TExportSettings Settings(long double dpi, uint8_t format, bool mirror = false, bool clipboard = false) {
  merulin::TExportSettings s{};
  s.Accepted = true;
  s.PixelsPerMm = platform::EncodeExtended(dpi / 25.4L);
  s.Format = format;
  s.Mirror = mirror;
  s.ToClipboard = clipboard;
  return s;
}

// 254 dpi, 10 pixels a millimetre, as the options hand it on.
const long double kPpm = merulin::PixelsPerMmOf(Settings(254, 0));

QByteArray Bytes(const std::vector<uint8_t>& v) { return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size())); }
QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
uint32_t U32(const QByteArray& b, int at) {
  return uint8_t(b[at]) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(const QByteArray& b, int at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

// The width and height a TIFF file's directory states, SHORT or LONG.
QSize TiffSize(const QByteArray& b) {
  const int ifd = int(U32(b, 4));
  QSize size;
  for (int i = 0; i < U16(b, ifd); ++i) {
    const int at = ifd + 2 + 12 * i;
    const uint32_t value = U16(b, at + 2) == 3 ? U16(b, at + 8) : U32(b, at + 8);
    if (U16(b, at) == 256) size.setWidth(int(value));
    if (U16(b, at) == 257) size.setHeight(int(value));
  }
  return size;
}

// The size a written picture states of itself, read from its own header.
QSize StatedSize(const QByteArray& b, int format) {
  switch (format) {
    case 1: return QSize(int(U32(b, 16)) + 1, int(U32(b, 20)) + 1);  // the EMF's inclusive bounds
    case 4: return TiffSize(b);
    default: return QImage::fromData(b).size();
  }
}

const QByteArray kMagic[] = {"BM", QByteArray("\x01\0\0\0", 4), "\xFF\xD8\xFF", "GIF8", QByteArray("II*\0", 4)};

// Counts the scratch seals made on the owner: none means nothing was drawn.
class TScratchCounter : public QObject {
 public:
  int made = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    // The child is no seal yet while its base class is being made: every child is one.
    if (e->type() == QEvent::ChildAdded) ++made;
    return false;
  }
};

}  // namespace

class ExportCommandTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    desk_ = std::make_unique<FakeDesktop>();
    desk_->answer = app::mbYes;
    QVERIFY(QDir(desk_->dir.path()).mkdir(QString::fromUtf8(app::kExportFolder)));
    owner_ = std::make_unique<QWidget>();
    owner_->installEventFilter(&scratch_);
    scratch_.made = 0;
    red_ = Box(40, 40, 20, 10, kRed);
    blue_ = Box(70, 40, 10, 10, kBlue);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  }
  void cleanup() {
    owner_.reset();
    desk_.reset();
  }

  // Every format from the options to its file: the dialog in the export folder with the
  // format's filter, the question about the completed name, and a file that is the format's
  // picture of the selection, 450 x 100 pixels at 10 px/mm plus the margins.
  void EachFormatToAFile_data() {
    QTest::addColumn<int>("format");
    for (int f = 0; f <= 4; ++f) QTest::addRow("%d", f) << f;
  }
  void EachFormatToAFile() {
    QFETCH(int, format);
    desk_->chosen = {Export("seal")};
    Run(Settings(254, uint8_t(format)));
    const app::TExportFormat& f = app::ExportFormatOf(uint8_t(format));
    QCOMPARE(desk_->pictureDialogs.size(), size_t(1));
    QCOMPARE(desk_->pictureDialogs[0].folder, desk_->dir.path() + QStringLiteral("/我的导出图象/"));
    QCOMPARE(desk_->pictureDialogs[0].filter, QString::fromUtf8(f.Filter));
    QCOMPARE(desk_->pictureDialogs[0].name, QString());
    const QString written = Export("seal") + QString::fromUtf8(f.Extension);
    QCOMPARE(Texts(), QStringList{written + QStringLiteral("\n该文件不存在。\n要创建该文件吗？")});
    const QByteArray file = FileBytes(written);
    QVERIFY(file.startsWith(kMagic[format]));
    QCOMPARE(StatedSize(file, format), QSize(466, 116));
    // The picture the format's writer makes of what the export draws, nothing else.
    QCOMPARE(file, Bytes(f.Encode(Picture(false), kPpm)));
    // Written under a temporary name, which is gone.
    QCOMPARE(ExportFolderFiles(), QStringList{QFileInfo(written).fileName()});
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QCOMPARE(scratch_.made, 1);
  }

  void ReadBackThePixels() {
    desk_->chosen = {Export("plain"), Export("mirrored")};
    Run(Settings(254, 0));
    Run(Settings(254, 3, true));
    const QImage plain(Export("plain.bmp"));
    const QImage mirrored(Export("mirrored.gif"));
    QCOMPARE(plain.size(), QSize(466, 116));
    QCOMPARE(plain.pixel(8, 8), 0xFFFF0000u);
    QCOMPARE(plain.pixel(456, 106), 0xFF0000FFu);
    QCOMPARE(plain.pixel(457, 106), 0xFFFFFFFFu);
    QCOMPARE(plain.pixel(7, 8), 0xFFFFFFFFu);
    QCOMPARE(mirrored.size(), QSize(466, 116));
    QCOMPARE(mirrored.pixel(457, 8), 0xFFFF0000u);
    QCOMPARE(mirrored.pixel(458, 8), 0xFFFFFFFFu);
    QCOMPARE(mirrored.pixel(9, 8), 0xFF0000FFu);
    QCOMPARE(mirrored.pixel(8, 8), 0xFFFFFFFFu);
  }

  // The picture and its bytes under the format's type replace the clipboard; no file
  // dialog is shown and nothing is written.
  void ClipboardTakesThePictureAndTheFormatsBytes_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("mime");
    QTest::newRow("bmp") << 0 << "image/bmp";
    QTest::newRow("emf") << 1 << "image/x-emf";
    QTest::newRow("jpeg") << 2 << "image/jpeg";
    QTest::newRow("gif") << 3 << "image/gif";
  }
  void ClipboardTakesThePictureAndTheFormatsBytes() {
    QFETCH(int, format);
    QFETCH(QString, mime);
    Run(Settings(254, uint8_t(format), true, true));
    QVERIFY(desk_->pictureDialogs.empty());
    QVERIFY(desk_->messages.empty());
    QVERIFY(ExportFolderFiles().isEmpty());
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY2(data->formats().contains(mime), qPrintable(data->formats().join(' ')));
    QVERIFY(data->hasImage());
    QVERIFY(!data->hasText());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    QCOMPARE(image.size(), QSize(466, 116));
    QCOMPARE(image.pixel(457, 8), 0xFFFF0000u);  // mirrored
    QCOMPARE(data->data(mime), Bytes(app::ExportFormatOf(uint8_t(format)).Encode(Picture(true), kPpm)));
    QVERIFY(data->data(mime).startsWith(kMagic[format]));
  }

  // A TIFF asked for the clipboard is written to a file, and the clipboard keeps its text.
  void TiffNeverGoesToTheClipboard() {
    desk_->chosen = {Export("seal")};
    Run(Settings(254, 4, false, true));
    QCOMPARE(desk_->pictureDialogs.size(), size_t(1));
    QVERIFY(FileBytes(Export("seal.tiff")).startsWith(kMagic[4]));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
  }

  // Options not accepted, or nothing selected: nothing is asked, drawn or written.
  void NothingToExport() {
    Run(merulin::TExportSettings{});
    app::ExportPicture({}, Settings(600, 0), owner_.get(), Folder());
    QVERIFY(desk_->pictureDialogs.empty());
    QVERIFY(desk_->messages.empty());
    QCOMPARE(scratch_.made, 0);
  }

  // A cancelled file dialog ends the export: nothing is asked, drawn or written anywhere.
  void CancelWritesNothing() {
    const QString current = QDir::currentPath();
    const QStringList here = QDir(current).entryList(QDir::Files);
    Run(Settings(600, 2));
    QCOMPARE(desk_->pictureDialogs.size(), size_t(1));
    QVERIFY(desk_->messages.empty());
    QVERIFY(ExportFolderFiles().isEmpty());
    QCOMPARE(QDir(current).entryList(QDir::Files), here);
    QCOMPARE(scratch_.made, 0);
  }

  // The name is completed before the question: the question is about the file that would be
  // replaced, a No goes back to the dialog with that name, and the old file stays as it was.
  void ExtensionCorrectedBeforeTheOverwriteQuestion() {
    QVERIFY(QFile(Export("seal.jpg")).open(QIODevice::WriteOnly));
    desk_->chosen = {Export("seal.png")};
    desk_->answers = {app::mbNo};
    Run(Settings(600, 2));
    QCOMPARE(Texts(), QStringList{Export("seal.jpg") + QStringLiteral(" 已存在。\n要替换它吗？")});
    QCOMPARE(desk_->pictureDialogs.size(), size_t(2));
    QCOMPARE(desk_->pictureDialogs[1].name, Export("seal.jpg"));
    QCOMPARE(FileBytes(Export("seal.jpg")), QByteArray());
    QCOMPARE(ExportFolderFiles(), QStringList{"seal.jpg"});
    QCOMPARE(scratch_.made, 0);
    // Yes replaces it.
    desk_->messages.clear();
    desk_->chosen = {Export("seal.png")};
    Run(Settings(600, 2));
    QCOMPARE(Texts(), QStringList{Export("seal.jpg") + QStringLiteral(" 已存在。\n要替换它吗？")});
    QVERIFY(FileBytes(Export("seal.jpg")).startsWith(kMagic[2]));
    QCOMPARE(ExportFolderFiles(), QStringList{"seal.jpg"});
  }

  // A new name is made only after its question; No goes back to the dialog.
  void NoToANewFileGoesBackToTheDialog() {
    desk_->chosen = {Export("a"), Export("b.GIF")};
    desk_->answers = {app::mbNo, app::mbYes};
    Run(Settings(600, 3));
    QCOMPARE(Texts(), (QStringList{Export("a.gif") + QStringLiteral("\n该文件不存在。\n要创建该文件吗？"),
                                   Export("b.GIF") + QStringLiteral("\n该文件不存在。\n要创建该文件吗？")}));
    QCOMPARE(desk_->pictureDialogs[1].name, Export("a.gif"));
    QCOMPARE(ExportFolderFiles(), QStringList{"b.GIF"});
  }

  // What no picture can be made of is refused with a warning before anything is drawn; a
  // resolution that makes none before a file is asked for.
  void RefusedBeforeAnythingIsDrawn_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("fileAsked");
    QTest::addColumn<QString>("warning");
    const QString noResolution = QStringLiteral("导出精度必须大于零！");
    const QString tooLarge = QStringLiteral(
        "导出图象太大，系统无法处理！\n\n您可以这样来解决：\n\n  A、图象导出精度适当降低；\n\n  B、页面上选择面积适当减小；");
    QTest::newRow("no resolution") << 0 << 0 << false << noResolution;
    QTest::newRow("negative resolution") << -600 << 3 << false << noResolution;
    // 45 x 10 mm at 9000 dpi: 15,961 x 3,559 pixels.
    QTest::newRow("too many pixels") << 9000 << 0 << true << tooLarge;
  }
  void RefusedBeforeAnythingIsDrawn() {
    QFETCH(int, dpi);
    QFETCH(int, format);
    QFETCH(bool, fileAsked);
    QFETCH(QString, warning);
    desk_->chosen = {Export("seal")};
    Run(Settings(dpi, uint8_t(format)));
    // The file's create question comes first where a file is asked for.
    QCOMPARE(desk_->pictureDialogs.size(), size_t(fileAsked ? 1 : 0));
    QCOMPARE(desk_->messages.size(), size_t(fileAsked ? 2 : 1));
    const FakeDesktop::Message& said = desk_->messages.back();
    QCOMPARE(said.kind, app::TMsgKind::Warning);
    QCOMPARE(said.buttons, app::TMsgButtons(app::mbOK));
    QCOMPARE(said.text, warning);
    QVERIFY(ExportFolderFiles().isEmpty());
    QCOMPARE(scratch_.made, 0);
  }

  // The export's own limit at its edge: 3600 x 3600 is made, one more column is not.
  void TheLimitOfPixels() {
    // 358.4 mm at 10 px/mm is 3584 pixels.
    red_ = Box(200, 200, 358.4f, 358.4f, kRed);
    desk_->chosen = {Export("edge")};
    Run({red_.get()}, Settings(254, 0));
    QCOMPARE(StatedSize(FileBytes(Export("edge.bmp")), 0), QSize(3600, 3600));
    red_ = Box(200, 200, 358.5f, 358.4f, kRed);
    desk_->chosen = {Export("over")};
    desk_->messages.clear();
    Run({red_.get()}, Settings(254, 0));
    QCOMPARE(desk_->messages.size(), size_t(2));
    QVERIFY(desk_->messages[1].text.startsWith(QStringLiteral("导出图象太大")));
    QVERIFY(!QFile::exists(Export("over.bmp")));
  }

  // 2800 mm at 600 dpi is 66,158 x 40 pixels: too wide for GIF and JPEG, not for the others,
  // and the TIFF states its width in full.
  void EachFormatsLongestSide_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("refused");
    QTest::newRow("bmp") << 0 << false;
    QTest::newRow("emf") << 1 << false;
    QTest::newRow("jpeg") << 2 << true;
    QTest::newRow("gif") << 3 << true;
    QTest::newRow("tiff") << 4 << false;
  }
  void EachFormatsLongestSide() {
    QFETCH(int, format);
    QFETCH(bool, refused);
    red_ = Box(1, 1, 1, 1, kRed);
    blue_ = Box(2800, 1, 1, 1, kBlue);
    desk_->chosen = {Export("strip")};
    Run(Settings(600, uint8_t(format)));
    const QString written = Export("strip") + QString::fromUtf8(app::ExportFormatOf(uint8_t(format)).Extension);
    QCOMPARE(QFile::exists(written), !refused);
    QCOMPARE(scratch_.made, refused ? 0 : 1);
    if (!refused) QCOMPARE(StatedSize(FileBytes(written), format), QSize(66158, 40));
  }

  // A file that cannot be made is reported, naming it, and nothing is left behind.
  void AFailedWriteIsReportedAndLeavesNothing() {
    const QString missing = desk_->dir.filePath(QStringLiteral("nowhere/seal.bmp"));
    desk_->chosen = {missing};
    QString error;
    try {
      Run(Settings(600, 0));
    } catch (const std::exception& e) {
      error = QString::fromUtf8(e.what());
    }
    QCOMPARE(error, QStringLiteral("图象导出失败：") + missing + QLatin1Char('\n') + SaveFailure(missing, "文件夹不存在"));
    QVERIFY(!QFileInfo::exists(desk_->dir.filePath(QStringLiteral("nowhere"))));
  }

  // A picture the writer refuses leaves the file it was to replace as it was, and no
  // temporary file; why is said in Chinese.
  void AFailedEncodingKeepsTheOldFile_data() {
    QTest::addColumn<int>("format");
    for (int f = 0; f <= 4; ++f) QTest::addRow("%d", f) << f;
  }
  void AFailedEncodingKeepsTheOldFile() {
    QFETCH(int, format);
    const QString path = Export("old");
    {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("old picture");
    }
    QString message;
    try {
      app::SaveGraphicAs(path, app::ExportFormatOf(uint8_t(format)), platform::TBitmap(), 10, false);
    } catch (const std::exception& e) {
      message = QString::fromUtf8(e.what());
    }
    QVERIFY2(std::any_of(message.begin(), message.end(), [](QChar c) { return c.script() == QChar::Script_Han; }),
             qPrintable(message));
    QCOMPARE(FileBytes(path), QByteArray("old picture"));
    QCOMPARE(ExportFolderFiles(), QStringList{"old"});
  }

 private:
  QString Folder() const { return desk_->dir.path() + QLatin1Char('/'); }
  QString Export(const char* name) const {
    return Folder() + QString::fromUtf8(app::kExportFolder) + QLatin1Char('/') + QString::fromUtf8(name);
  }
  QStringList ExportFolderFiles() const {
    return QDir(Folder() + QString::fromUtf8(app::kExportFolder)).entryList(QDir::Files | QDir::Hidden);
  }
  QStringList Texts() const {
    QStringList texts;
    for (const FakeDesktop::Message& m : desk_->messages) texts << m.text;
    return texts;
  }
  std::vector<TSeal*> Selection() const {
    std::vector<TSeal*> seals{red_.get()};
    if (blue_) seals.push_back(blue_.get());
    return seals;
  }
  void Run(const merulin::TExportSettings& s) { Run(Selection(), s); }
  void Run(const std::vector<TSeal*>& seals, const merulin::TExportSettings& s) {
    app::ExportPicture(seals, s, owner_.get(), Folder());
  }
  platform::TBitmap Picture(bool mirror) {
    const std::vector<TSeal*> seals = Selection();
    const seal::TBoundsMm b = seal::GetSelectionBoundsMm(seals);
    QWidget scratchOwner;
    return app::DrawExportBitmap(seals, b, kPpm, app::ExportBitmapSize(b, kPpm), mirror, &scratchOwner);
  }

  std::unique_ptr<FakeDesktop> desk_;
  std::unique_ptr<QWidget> owner_;
  TScratchCounter scratch_;
  std::unique_ptr<TSeal> red_, blue_;
};

QTEST_MAIN(ExportCommandTest)
#include "export_command_test.moc"
