#include "formats/whole_file.h"

#include <QFile>
#include <QSaveFile>

namespace formats {

void SaveFileAtomically(const QString& path, std::span<const uint8_t> bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw EFileError(file.errorString().toStdString());
  const qint64 size = static_cast<qint64>(bytes.size());
  if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
    const std::string reason = file.errorString().toStdString();
    file.cancelWriting();
    throw EFileError(reason);
  }
  if (!file.commit()) throw EFileError(file.errorString().toStdString());
}

std::vector<uint8_t> ReadWholeFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw EFileError(file.errorString().toStdString());
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) throw EFileError(file.errorString().toStdString());
  return std::vector<uint8_t>(data.begin(), data.end());
}

}  // namespace formats
