// Saves that fail, one reason each: the old file stays whole, nothing is left beside it, and
// the message names the file and the reason in the user's language. The file systems that
// fill up or turn read-only are small ones the test mounts; where it may not mount, those
// cases are skipped with the reason. A replaced file keeps its owner, group, mode and hard
// links, also when it is made by a writer of its own.

#include "formats/whole_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "filesystems.h"

using formats::EFileError;
using formats::ReadWholeFile;
using formats::SaveFileAtomically;

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kOld{'o', 'l', 'd'};

QString Message(const QString& path, const char* reason) { return SaveFailure(path, reason); }

// The user nobody for as long as it lives, as a test step.
class TAsNobody {
 public:
  TAsNobody() {
    if (!FUser.Ok()) ADD_FAILURE() << "cannot become nobody";
  }

 private:
  TAsAnotherUser FUser;
};

struct stat StatOf(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) ADD_FAILURE() << "no " << path.toStdString();
  return st;
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

struct WholeFileSave : ::testing::Test {
  QTemporaryDir dir;
  QString Path(const char* name) const { return QDir(dir.path()).filePath(QString::fromUtf8(name)); }

  void SetUp() override {
    // Another user must reach the folders the cases make.
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup |
                                                      QFile::ExeGroup));
  }

  static void Write(const QString& path, const Bytes& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())), qint64(bytes.size()));
  }

  // The save fails with the message, and the folder holds what it held before.
  static void ExpectRefused(const QString& path, const Bytes& bytes, const QString& message, bool asAnotherUser) {
    const QDir folder = QFileInfo(path).dir();
    const QStringList before = Entries(folder.path());
    try {
      if (asAnotherUser) {
        const TAsNobody user;
        SaveFileAtomically(path, bytes);
      } else {
        SaveFileAtomically(path, bytes);
      }
      ADD_FAILURE() << "saved " << path.toStdString();
    } catch (const EFileError& e) {
      EXPECT_EQ(QString::fromUtf8(e.what()), message);
    }
    EXPECT_EQ(Entries(folder.path()), before);
  }
};

TEST_F(WholeFileSave, FailuresOfTheFolderOrTheFileKeepTheOldFile) {
  const QString missing = Path("no such folder/印章.dyz");
  ExpectRefused(missing, kOld, Message(missing, "文件夹不存在"), false);
  EXPECT_FALSE(QFileInfo::exists(missing));

  // A folder without write permission, whose file would be replaced by a rename.
  ASSERT_TRUE(QDir().mkpath(Path("locked")));
  const QString inLocked = Path("locked/印章.dyz");
  Write(inLocked, kOld);
  ASSERT_EQ(::chmod(QFile::encodeName(inLocked).constData(), 0666), 0);
  ASSERT_TRUE(QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                        QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
  ExpectRefused(inLocked, Bytes(100, 'n'), Message(inLocked, "没有写入的权限"), true);
  EXPECT_EQ(ReadWholeFile(inLocked), kOld);
  ASSERT_TRUE(QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

  // A read-only file in a folder anyone may write to.
  ASSERT_TRUE(QDir().mkpath(Path("open")));
  ASSERT_EQ(::chmod(QFile::encodeName(Path("open")).constData(), 0777), 0);
  const QString readOnly = Path("open/只读.dyz");
  Write(readOnly, kOld);
  ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  ExpectRefused(readOnly, Bytes(100, 'n'), Message(readOnly, "没有写入的权限"), true);
  EXPECT_EQ(ReadWholeFile(readOnly), kOld);

  // Another reason, also in Chinese: a name longer than a folder takes.
  const QString tooLong = Path((std::string(300, 'x') + ".dyz").c_str());
  ExpectRefused(tooLong, kOld, Message(tooLong, "文件名太长"), false);
}

// A read that fails names the file and why, in the file's own terms: a file in a missing
// folder is as missing as any, a file named as a folder makes no folder, and a file that may
// not be read lacks permission.
TEST_F(WholeFileSave, AFailedReadNamesTheFileAndTheReason) {
  const QString secret = Path("秘密.dyz");
  Write(secret, kOld);
  ASSERT_EQ(::chmod(QFile::encodeName(secret).constData(), 0600), 0);
  ASSERT_TRUE(QDir().mkpath(Path("folder.dyz")));
  const struct {
    const char* path;
    const char* reason;
    bool asAnotherUser;
  } cases[] = {
      {"gone.dyz", "文件不存在", false},
      {"no such folder/印章.dyz", "文件不存在", false},
      {"秘密.dyz/印章.dyz", "文件夹不存在", false},
      {"秘密.dyz", "没有读取的权限", true},
      {"folder.dyz", "不是普通文件", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const QString path = Path(c.path);
    try {
      if (c.asAnotherUser) {
        const TAsNobody user;
        ReadWholeFile(path);
      } else {
        ReadWholeFile(path);
      }
      ADD_FAILURE() << "read " << path.toStdString();
    } catch (const EFileError& e) {
      EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("无法读取文件“") + QFileInfo(path).fileName() +
                                                 QStringLiteral("”：") + QString::fromUtf8(c.reason) +
                                                 QStringLiteral("。"));
    }
  }
}

// What is no regular file is never replaced nor written through: a folder, a FIFO, a device
// node (one of the test's own, where it may make one) and a link to any of them.
TEST_F(WholeFileSave, WhatIsNoRegularFileStaysAsItIs) {
  ASSERT_TRUE(QDir().mkpath(Path("folder.dyz/inner")));
  ASSERT_EQ(::mkfifo(QFile::encodeName(Path("fifo.dyz")).constData(), 0600), 0);
  const bool device = ::mknod(QFile::encodeName(Path("null.dyz")).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
  QStringList targets{"folder.dyz", "fifo.dyz"};
  if (device) targets.append("null.dyz");
  for (const QString& target : QStringList(targets)) {
    const QString link = target + ".link.dyz";
    ASSERT_TRUE(QFile::link(Path(target.toUtf8().constData()), Path(link.toUtf8().constData())));
    targets.append(link);
  }
  for (const QString& name : targets) {
    SCOPED_TRACE(name.toStdString());
    const QString path = Path(name.toUtf8().constData());
    ExpectRefused(path, kOld, Message(path, "不是普通文件"), false);
  }
  struct stat info {};
  EXPECT_TRUE(QDir(Path("folder.dyz/inner")).exists());
  ASSERT_EQ(::lstat(QFile::encodeName(Path("fifo.dyz")).constData(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  if (!device) GTEST_SKIP() << "no device node of the test's own here";
  ASSERT_EQ(::lstat(QFile::encodeName(Path("null.dyz")).constData(), &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST_F(WholeFileSave, AFullFileSystemKeepsTheOldFile) {
  const TMount disk(Path("disk"), "size=64k");
  if (!disk.Error().empty()) GTEST_SKIP() << "cannot mount a small file system here: " << disk.Error();
  const QString path = Path("disk/印章.dyz");
  Write(path, kOld);
  ExpectRefused(path, Bytes(200 * 1024, 'n'), Message(path, "磁盘已满"), false);
  EXPECT_EQ(ReadWholeFile(path), kOld);
  // What does fit is written.
  SaveFileAtomically(path, Bytes(1024, 'n'));
  EXPECT_EQ(ReadWholeFile(path), Bytes(1024, 'n'));
}

TEST_F(WholeFileSave, AReadOnlyFileSystemKeepsTheOldFile) {
  TMount disk(Path("disk"), "size=64k");
  if (!disk.Error().empty()) GTEST_SKIP() << "cannot mount a small file system here: " << disk.Error();
  const QString path = Path("disk/印章.dyz");
  Write(path, kOld);
  ASSERT_TRUE(disk.MakeReadOnly());
  ExpectRefused(path, Bytes(10, 'n'), Message(path, "文件系统是只读的"), false);
  const QString other = Path("disk/新.dyz");
  ExpectRefused(other, Bytes(10, 'n'), Message(other, "文件系统是只读的"), false);
  EXPECT_EQ(ReadWholeFile(path), kOld);
}

// A file replaced keeps its permissions; a new one gets those the process gives new files.
TEST_F(WholeFileSave, PermissionsOfTheReplacedFileStay) {
  const QString path = Path("印章.dyz");
  Write(path, kOld);
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
  SaveFileAtomically(path, Bytes{1, 2});
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  SaveFileAtomically(Path("新.dyz"), Bytes{3});
  ASSERT_EQ(::stat(QFile::encodeName(Path("新.dyz")).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);
}

// Saving through a link replaces the file it names and keeps the link.
TEST_F(WholeFileSave, ALinkKeepsPointingAtTheSavedFile) {
  ASSERT_TRUE(QDir().mkpath(Path("real")));
  Write(Path("real/印章.dyz"), kOld);
  ASSERT_TRUE(QFile::link(Path("real/印章.dyz"), Path("link.dyz")));
  SaveFileAtomically(Path("link.dyz"), Bytes{7});
  EXPECT_TRUE(QFileInfo(Path("link.dyz")).isSymLink());
  EXPECT_EQ(ReadWholeFile(Path("real/印章.dyz")), Bytes{7});
  EXPECT_EQ(QDir(Path("real")).entryList(QDir::Files), QStringList{QStringLiteral("印章.dyz")});
}

// A link that names no file yet: the save makes the file it names, and the link stays.
TEST_F(WholeFileSave, ADanglingLinkGetsItsFileAndStaysALink) {
  ASSERT_TRUE(QDir().mkpath(Path("real")));
  ASSERT_TRUE(QFile::link(Path("real/新印章.dyz"), Path("link.dyz")));
  ASSERT_TRUE(QFile::link(Path("link.dyz"), Path("link2.dyz")));
  for (const char* name : {"link2.dyz", "link.dyz"}) {
    SaveFileAtomically(Path(name), Bytes{7});
    EXPECT_TRUE(QFileInfo(Path("link.dyz")).isSymLink()) << name;
    EXPECT_TRUE(QFileInfo(Path("link2.dyz")).isSymLink()) << name;
    EXPECT_EQ(ReadWholeFile(Path("real/新印章.dyz")), Bytes{7}) << name;
    ASSERT_TRUE(QFile::remove(Path("real/新印章.dyz")));
  }
}

// The new content is made beside the old file with the old file's mode before it holds
// anything, on every path: replaced by renaming, and written through a hard-linked file.
TEST_F(WholeFileSave, TheNewFileHasTheOldModeFromTheStart) {
  const QString single = Path("单.dyz"), first = Path("印章.dyz"), second = Path("副本.dyz");
  for (const QString& path : {single, first}) {
    Write(path, kOld);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0600), 0);
  }
  ASSERT_EQ(::link(QFile::encodeName(first).constData(), QFile::encodeName(second).constData()), 0);
  for (const QString& path : {single, first}) {
    mode_t seen = 0;
    SaveFileAtomically(path, [&](const QString& newFile) {
      seen = StatOf(newFile).st_mode & 07777;
      QFile f(newFile);
      return f.open(QIODevice::WriteOnly) && f.write("new", 3) == 3 ? 0 : EIO;
    });
    EXPECT_EQ(seen, 0600u) << path.toStdString();
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0600u) << path.toStdString();
    EXPECT_EQ(ReadWholeFile(path), (Bytes{'n', 'e', 'w'}));
  }
  EXPECT_EQ(ReadWholeFile(second), (Bytes{'n', 'e', 'w'}));
}

// The writer's own file: what it writes by name is saved, and what it finds wrong with it
// fails the save with its reason, the old file whole.
TEST_F(WholeFileSave, AWriterOfItsOwnFillsTheNewFileByName) {
  const QString path = Path("印章.pdf");
  Write(path, kOld);
  SaveFileAtomically(path, [](const QString& newFile) {
    EXPECT_NE(newFile, QString());
    Write(newFile, Bytes{'n', 'e', 'w'});
    return 0;
  });
  EXPECT_EQ(ReadWholeFile(path), (Bytes{'n', 'e', 'w'}));
  const QStringList before = Entries(dir.path());
  try {
    SaveFileAtomically(path, [](const QString& newFile) {
      Write(newFile, Bytes(10, 'x'));
      return ENOSPC;
    });
    ADD_FAILURE() << "saved a file its writer found short";
  } catch (const EFileError& e) {
    EXPECT_EQ(QString::fromUtf8(e.what()), Message(path, "磁盘已满"));
    EXPECT_EQ(e.Error(), ENOSPC);
  }
  EXPECT_EQ(ReadWholeFile(path), (Bytes{'n', 'e', 'w'}));
  EXPECT_EQ(Entries(dir.path()), before);
}

// Root saving over another user's document leaves it that user's, with its mode; so does the
// writer of its own.
TEST_F(WholeFileSave, OwnerGroupAndModeStayWhenRootSaves) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  const QString path = Path("印章.dyz");
  for (bool byName : {false, true}) {
    Write(path, kOld);
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const Bytes saved(5000, byName ? 'w' : 'b');
    if (byName)
      SaveFileAtomically(path, [&](const QString& newFile) {
        Write(newFile, saved);
        return 0;
      });
    else
      SaveFileAtomically(path, saved);
    const struct stat st = StatOf(path);
    EXPECT_EQ(st.st_uid, 65534u) << byName;
    EXPECT_EQ(st.st_gid, 65534u) << byName;
    EXPECT_EQ(st.st_mode & 07777, 0640u) << byName;
    EXPECT_EQ(ReadWholeFile(path), saved);
  }
  EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("印章.dyz")});
}

// A user who may write another user's file, but not give a new file that owner, writes
// through the old file, which stays that owner's and the same file.
TEST_F(WholeFileSave, AnOwnerTheProcessMayNotGiveStaysByWritingThroughTheFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to save as another user";
  ASSERT_TRUE(QDir().mkpath(Path("open")));
  ASSERT_EQ(::chmod(QFile::encodeName(Path("open")).constData(), 0777), 0);
  const QString path = Path("open/共用.dyz");
  Write(path, kOld);
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
  const ino_t inode = StatOf(path).st_ino;
  {
    const TAsNobody user;
    SaveFileAtomically(path, Bytes(3000, 's'));
  }
  const struct stat st = StatOf(path);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(st.st_ino, inode);
  EXPECT_EQ(st.st_mode & 07777, 0666u);
  EXPECT_EQ(ReadWholeFile(path), Bytes(3000, 's'));
  EXPECT_EQ(Entries(Path("open")), QStringList{QStringLiteral("共用.dyz")});
}

// A document with two names saved through one reads back through the other, longer and then
// shorter than before.
TEST_F(WholeFileSave, AHardLinkedDocumentKeepsBothNames) {
  const QString first = Path("印章.dyz"), second = Path("副本.dyz");
  Write(first, kOld);
  ASSERT_EQ(::link(QFile::encodeName(first).constData(), QFile::encodeName(second).constData()), 0);
  for (const Bytes& saved : {Bytes(100000, 'l'), Bytes{'s'}}) {
    SaveFileAtomically(first, saved);
    EXPECT_EQ(ReadWholeFile(second), saved);
    EXPECT_EQ(ReadWholeFile(first), saved);
    EXPECT_EQ(StatOf(first).st_ino, StatOf(second).st_ino);
    EXPECT_EQ(StatOf(first).st_nlink, 2u);
  }
  EXPECT_EQ(Entries(dir.path()), (QStringList{QStringLiteral("副本.dyz"), QStringLiteral("印章.dyz")}));
}

// On a disk with room for the new content beside the document but not for it in the
// document's place as well, writing through the document fails part-way; the old content
// is written back, and both names hold it.
TEST_F(WholeFileSave, AFailedWriteThroughLeavesBothNamesWhole) {
  const TMount disk(Path("disk"), "size=64k");
  if (!disk.Error().empty()) GTEST_SKIP() << "cannot mount a small file system here: " << disk.Error();
  const QString first = Path("disk/印章.dyz"), second = Path("disk/副本.dyz");
  Write(first, kOld);
  ASSERT_EQ(::link(QFile::encodeName(first).constData(), QFile::encodeName(second).constData()), 0);
  ExpectRefused(first, Bytes(40 * 1024, 'n'), Message(first, "磁盘已满"), false);
  EXPECT_EQ(ReadWholeFile(first), kOld);
  EXPECT_EQ(ReadWholeFile(second), kOld);
  EXPECT_EQ(StatOf(first).st_nlink, 2u);
}

}  // namespace
