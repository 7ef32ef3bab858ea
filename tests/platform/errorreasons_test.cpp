// The reasons a file operation gives the user: every error number the program meets with
// files in Chinese words, and any other one named by its number, never in the system's English.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/errorreasons.h"

namespace {

struct TCase {
  int error;
  const char* reason;
};

constexpr TCase kCases[] = {
    {ENOSPC, "磁盘已满"},
    {EDQUOT, "磁盘空间超出了配额"},
    {EFBIG, "文件太大"},
    {EOVERFLOW, "文件太大"},
    {EROFS, "文件系统是只读的"},
    {EACCES, "没有写入的权限"},
    {EPERM, "没有写入的权限"},
    {ENOENT, "文件夹不存在"},
    {ENOTDIR, "文件夹不存在"},
    {ENAMETOOLONG, "文件名太长"},
    {ELOOP, "符号链接太多"},
    {EMLINK, "链接太多"},
    {EIO, "磁盘读写出错"},
    {EREMOTEIO, "网络磁盘读写出错"},
    {EISDIR, "这是一个文件夹"},
    {EEXIST, "文件已存在"},
    {EBUSY, "文件正在使用中"},
    {ETXTBSY, "文件正在使用中"},
    {EMFILE, "打开的文件太多"},
    {ENFILE, "打开的文件太多"},
    {ENOMEM, "内存不足"},
    {EXDEV, "不能跨磁盘替换文件"},
    {ENXIO, "设备不存在"},
    {ENODEV, "设备不存在"},
    {ENOMEDIUM, "驱动器中没有磁盘"},
    {EUCLEAN, "文件系统已损坏，需要检查修复"},
    {EOPNOTSUPP, "文件系统不支持这个操作"},
    {ESTALE, "网络文件已失效"},
    {ENOTCONN, "网络连接已断开"},
    {ETIMEDOUT, "操作超时"},
    // Numbers no file operation of the program gives: named as such, with the number.
    {ECHILD, "系统错误（错误号 10）"},
    {0, "系统错误（错误号 0）"},
    {4711, "系统错误（错误号 4711）"},
    {-3, "系统错误（错误号 -3）"},
};

}  // namespace

TEST(ErrorReason, EachErrorNumberHasItsWords) {
  for (const TCase& c : kCases) EXPECT_EQ(platform::ErrorReason(c.error), c.reason) << "error number " << c.error;
}

// A read is refused for the file's own sake where a write is refused for its folder's; every
// other number says what it says for a write.
TEST(ErrorReason, AReadSaysWhatTheFileLacks) {
  constexpr TCase kRead[] = {
      {ENOENT, "文件不存在"},
      {EACCES, "没有读取的权限"},
      {EPERM, "没有读取的权限"},
      {ENOTDIR, "文件夹不存在"},
      {EIO, "磁盘读写出错"},
      {4711, "系统错误（错误号 4711）"},
  };
  for (const TCase& c : kRead) EXPECT_EQ(platform::ReadErrorReason(c.error), c.reason) << "error number " << c.error;
}
