#include "platform/registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cerrno>
#include <memory>
#include <vector>

#include "platform/atomicfile.h"
#include "platform/regularfile.h"

namespace platform {

namespace {

QString& OverrideFile() {
  static QString path;
  return path;
}

// Why the file was left unread, until it is told; told: nothing more is said until the
// program looks at another file.
struct TNotice {
  QString text;
  bool told = false;
};

TNotice& Notice() {
  static TNotice notice;
  return notice;
}

// QSettings reads a backslash in a key as a level separator, so the key path maps onto
// nested groups without any escaping of its own.
QString GroupOf(const QString& key) {
  QString g = key;
  g.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (g.endsWith(QLatin1Char('/'))) g.chop(1);
  return g;
}

bool KeyExists(QSettings& s, const QString& group) {
  s.beginGroup(group);
  const bool exists = !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
  s.endGroup();
  return exists;
}

// QSettings opens what it is given by name, which for a FIFO waits for a writer and for a
// device never ends; it reads and writes a private copy of the file's bytes instead.
class TSettingsCopy {
 public:
  // False when the file exists and cannot be read: the reason is noted for the user.
  bool Load() {
    const QString path = RegistryFile();
    std::vector<uint8_t> bytes;
    try {
      bytes = ReadRegularFile(path.toStdString(), kMaxRegistryFileBytes);
    } catch (const EFileReadError& e) {
      const bool missing =
          e.Fault() == TFileFault::CannotOpen && (e.Error() == ENOENT || e.Error() == ENOTDIR);
      if (!missing) {
        if (!Notice().told && Notice().text.isEmpty())
          Notice().text = QStringLiteral("设置文件“%1”没有读取（%2），程序使用默认设置。")
                              .arg(path, QString::fromUtf8(e.what()));
        return false;
      }
    }
    if (!FFolder.isValid()) return false;
    QFile copy(CopyPath());
    if (!copy.open(QIODevice::WriteOnly) ||
        copy.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
      return false;
    copy.close();
    FSettings = std::make_unique<QSettings>(CopyPath(), QSettings::IniFormat);
    return true;
  }

  QSettings& Settings() { return *FSettings; }

  // The copy, changed, in the file's place.
  void Save() {
    FSettings->sync();
    if (FSettings->status() != QSettings::NoError) return;
    QFile copy(CopyPath());
    if (!copy.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = copy.readAll();
    QDir().mkpath(QFileInfo(RegistryFile()).absolutePath());
    try {
      SaveFileAtomically(RegistryFile(), std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                   size_t(bytes.size())));
    } catch (const EFileSaveError&) {
      // Settings are kept as the registry keeps them: a value that cannot be stored is not.
    }
  }

 private:
  QString CopyPath() const { return FFolder.filePath(QStringLiteral("registry.ini")); }

  QTemporaryDir FFolder;
  std::unique_ptr<QSettings> FSettings;
};

}  // namespace

QString RegistryFile() {
  if (!OverrideFile().isEmpty()) return OverrideFile();
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty()) base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return base + QStringLiteral("/Brelvonix/registry.ini");
}

void SetRegistryFile(const QString& path) {
  OverrideFile() = path;
  Notice() = {};
}

QString TakeRegistryNotice() {
  if (Notice().told || Notice().text.isEmpty()) return QString();
  Notice().told = true;
  return Notice().text;
}

QString ReadRegString(TRegRoot, const QString& key, const QString& name) {
  TSettingsCopy file;
  if (!file.Load()) return QString();
  QSettings& s = file.Settings();
  const QString group = GroupOf(key);
  if (!KeyExists(s, group)) return QString();
  s.beginGroup(group);
  const QVariant v = s.value(name);
  s.endGroup();
  return v.isValid() ? v.toString() : QString();
}

void WriteRegString(TRegRoot, const QString& key, const QString& name, const QString& value) {
  if (value.isEmpty()) return;
  TSettingsCopy file;
  if (!file.Load()) return;
  QSettings& s = file.Settings();
  s.beginGroup(GroupOf(key));
  s.setValue(name, value);
  s.endGroup();
  file.Save();
}

std::optional<int32_t> ReadRegInteger(TRegRoot root, const QString& key, const QString& name) {
  const QString text = ReadRegString(root, key, name).trimmed();
  bool ok = false;
  const int value = text.toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return int32_t(value);
}

void WriteRegInteger(TRegRoot root, const QString& key, const QString& name, int32_t value) {
  WriteRegString(root, key, name, QString::number(value));
}

}  // namespace platform
