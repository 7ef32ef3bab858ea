// The same selection exports and prints to the same bytes in every process, the first of a
// fresh process included, and whatever was drawn before it: a seal with a serial code is
// exported and printed twice in each of several new processes, some of which draw another
// seal first, one of which shows a window's text between the two and one the export's save
// dialog.

#include <gtest/gtest.h>

#include <QSet>

#include "peer_tools.h"

TEST(ExportDeterminism, TheFirstExportOfAProcessIsLikeEveryOther) {
  QSet<QByteArray> digests;
  for (const char* before : {"", "other", "", "text", "other", "dialog", ""}) {
    const peer_tools::TRun run =
        peer_tools::Run(QStringLiteral(DETERMINISM_DRAW), before[0] ? QStringList{before} : QStringList{});
    ASSERT_TRUE(run.finished && run.exitCode == 0) << run.err.toStdString();
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2) << run.out.toStdString();
    EXPECT_EQ(lines[0], lines[1]) << "the first export or print of a process differs from the second, " << before;
    for (const QByteArray& line : lines) digests.insert(line);
  }
  EXPECT_EQ(digests.size(), 1) << "processes export or print the same selection differently";
}
