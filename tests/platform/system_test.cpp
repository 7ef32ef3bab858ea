#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/cursors.h"
#include "platform/library.h"
#include "platform/registry.h"

using platform::TRegRoot;

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Taverlin\\Brelvonix\\系统配置");
const QString kOther = QStringLiteral("SOFTWARE\\Taverlin\\Brelvonix\\UserInfo");

}  // namespace

class PlatformTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;

 private slots:
  void init() {
    QVERIFY(dir.isValid());
    platform::SetRegistryFile(dir.filePath(QStringLiteral("sub/registry.ini")));
    QFile::remove(platform::RegistryFile());
  }
  void cleanupTestCase() { platform::SetRegistryFile(QString()); }

  void DefaultFileLiesUnderConfigHome() {
    platform::SetRegistryFile(QString());
    QCOMPARE(platform::RegistryFile(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/Brelvonix/registry.ini");
  }

  void StringRoundTrip() {
    const QString path = QStringLiteral("/home/用户/壁纸 一.jpg");
    platform::WriteRegString(TRegRoot::LocalMachine, kOther, QStringLiteral("BackGround"), path);
    QCOMPARE(platform::ReadRegString(TRegRoot::LocalMachine, kOther, QStringLiteral("BackGround")), path);
    // Each key path is its own group: the same name under another key is absent.
    QCOMPARE(platform::ReadRegString(TRegRoot::LocalMachine, kKey, QStringLiteral("BackGround")), QString());
  }

  void MissingKeyOrValueReadsEmpty() {
    QCOMPARE(platform::ReadRegString(TRegRoot::LocalMachine, kOther, QStringLiteral("BackGround")), QString());
    platform::WriteRegString(TRegRoot::LocalMachine, kOther, QStringLiteral("A"), QStringLiteral("x"));
    QCOMPARE(platform::ReadRegString(TRegRoot::LocalMachine, kOther, QStringLiteral("B")), QString());
  }

  void EmptyValueWritesNothing() {
    platform::WriteRegString(TRegRoot::LocalMachine, kOther, QStringLiteral("HomePage"), QStringLiteral("true"));
    platform::WriteRegString(TRegRoot::LocalMachine, kOther, QStringLiteral("HomePage"), QString());
    QCOMPARE(platform::ReadRegString(TRegRoot::LocalMachine, kOther, QStringLiteral("HomePage")),
             QStringLiteral("true"));
    platform::WriteRegString(TRegRoot::LocalMachine, kKey, QStringLiteral("Never"), QString());
    QVERIFY(!QFile::exists(platform::RegistryFile()) ||
            platform::ReadRegString(TRegRoot::LocalMachine, kKey, QStringLiteral("Never")).isEmpty());
  }

  void IntegerValues_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("value");
    QTest::newRow("one") << "1" << true << 1;
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("negative") << "-7" << true << -7;
    QTest::newRow("a word") << "yes" << false << 0;
    QTest::newRow("a fraction") << "1.5" << false << 0;
    QTest::newRow("too large") << "4294967296" << false << 0;
  }
  void IntegerValues() {
    QFETCH(QString, stored);
    QFETCH(bool, present);
    QFETCH(int, value);
    platform::WriteRegString(TRegRoot::LocalMachine, kKey, QStringLiteral("PageDoubleBuffered"), stored);
    const auto read = platform::ReadRegInteger(TRegRoot::LocalMachine, kKey, QStringLiteral("PageDoubleBuffered"));
    QCOMPARE(read.has_value(), present);
    if (present) QCOMPARE(*read, value);
  }

  void IntegerRoundTrip() {
    QVERIFY(!platform::ReadRegInteger(TRegRoot::LocalMachine, kKey, QStringLiteral("PageDoubleBuffered")));
    platform::WriteRegInteger(TRegRoot::LocalMachine, kKey, QStringLiteral("PageDoubleBuffered"), 1);
    QCOMPARE(platform::ReadRegInteger(TRegRoot::LocalMachine, kKey, QStringLiteral("PageDoubleBuffered")),
             std::optional<int32_t>(1));
  }

  void CursorSlots() {
    QVERIFY(!platform::HasScreenCursor(42));
    QCOMPARE(platform::ScreenCursor(42).shape(), Qt::ArrowCursor);
    platform::RegisterScreenCursor(42, QCursor(Qt::CrossCursor));
    QVERIFY(platform::HasScreenCursor(42));
    QCOMPARE(platform::ScreenCursor(42).shape(), Qt::CrossCursor);
  }

  void LibraryByName() {
    const std::string dirPath = QCoreApplication::applicationDirPath().toStdString();
    platform::TLibrary pandrel(dirPath + "/libpandrel.so");
    QVERIFY(pandrel.Loaded());
    QVERIFY(pandrel.Symbol("_Z15GetPictureCountRi") != nullptr);
    QVERIFY(pandrel.Symbol("NoSuchExport") == nullptr);
    platform::TLibrary missing(dirPath + "/libnosuchlibrary.so");
    QVERIFY(!missing.Loaded());
    QVERIFY(missing.Symbol("GetPictureCount") == nullptr);
    platform::TLibrary empty("");
    QVERIFY(!empty.Loaded());
  }
};

QTEST_MAIN(PlatformTest)
#include "system_test.moc"
