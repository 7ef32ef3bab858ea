#include "peer_tools.h"

#include <QProcess>
#include <QStandardPaths>

namespace peer_tools {

QString Find(const char* name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

TRun Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  TRun run;
  run.finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
  run.exitCode = process.exitCode();
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

}  // namespace peer_tools
