#pragma once
// Other programs that read the files we write: the peers a written picture must satisfy.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace peer_tools {

// The installed program's path, empty when it is not installed.
QString Find(const char* name);

struct TRun {
  bool finished = false;  // started and ended within the time allowed
  int exitCode = -1;
  QByteArray out, err;
};
// Runs program and waits for it, a minute at most.
TRun Run(const QString& program, const QStringList& arguments);

}  // namespace peer_tools
