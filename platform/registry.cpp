#include "platform/registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

namespace {

QString& OverrideFile() {
  static QString path;
  return path;
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

}  // namespace

QString RegistryFile() {
  if (!OverrideFile().isEmpty()) return OverrideFile();
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty()) base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return base + QStringLiteral("/Brelvonix/registry.ini");
}

void SetRegistryFile(const QString& path) { OverrideFile() = path; }

QString ReadRegString(TRegRoot, const QString& key, const QString& name) {
  QSettings s(RegistryFile(), QSettings::IniFormat);
  const QString group = GroupOf(key);
  if (!KeyExists(s, group)) return QString();
  s.beginGroup(group);
  const QVariant v = s.value(name);
  s.endGroup();
  return v.isValid() ? v.toString() : QString();
}

void WriteRegString(TRegRoot, const QString& key, const QString& name, const QString& value) {
  if (value.isEmpty()) return;
  QDir().mkpath(QFileInfo(RegistryFile()).absolutePath());
  QSettings s(RegistryFile(), QSettings::IniFormat);
  s.beginGroup(GroupOf(key));
  s.setValue(name, value);
  s.endGroup();
  s.sync();
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
