#include "platform/errorreasons.h"

#include <cerrno>

namespace platform {

namespace {

struct TErrorReason {
  int Error;
  const char* Reason;
};

constexpr TErrorReason kReasons[] = {
    {ENOSPC, "磁盘已满"},
    {EDQUOT, "磁盘空间超出了配额"},
    {EFBIG, "文件太大"},
    {EROFS, "文件系统是只读的"},
    {EACCES, "没有写入的权限"},
    {EPERM, "没有写入的权限"},
    {ENOENT, "文件夹不存在"},
    {ENOTDIR, "文件夹不存在"},
    {ENAMETOOLONG, "文件名太长"},
    {ELOOP, "符号链接太多"},
    {EMLINK, "链接太多"},
    {EIO, "磁盘读写出错"},
    {EISDIR, "这是一个文件夹"},
    {EEXIST, "文件已存在"},
    {EBUSY, "文件正在使用中"},
    {ETXTBSY, "文件正在使用中"},
    {EMFILE, "打开的文件太多"},
    {ENFILE, "打开的文件太多"},
    {ENOMEM, "内存不足"},
    {EXDEV, "不能跨磁盘替换文件"},
    {EINVAL, "文件名或参数无效"},
    {EAGAIN, "系统暂时无法完成"},
    {EINTR, "操作被中断"},
    {ENXIO, "设备不存在"},
    {ENODEV, "设备不存在"},
    {ESTALE, "网络文件已失效"},
    {ENOTCONN, "网络连接已断开"},
    {ETIMEDOUT, "操作超时"},
    {EREMOTEIO, "网络磁盘读写出错"},
    {ENOMEDIUM, "驱动器中没有磁盘"},
    {EUCLEAN, "文件系统已损坏，需要检查修复"},
    {EOPNOTSUPP, "文件系统不支持这个操作"},
    {EOVERFLOW, "文件太大"},
};

constexpr TErrorReason kReadReasons[] = {
    {ENOENT, "文件不存在"},
    {EACCES, "没有读取的权限"},
    {EPERM, "没有读取的权限"},
};

template <size_t N>
const char* Find(const TErrorReason (&table)[N], int error) {
  for (const TErrorReason& row : table)
    if (row.Error == error) return row.Reason;
  return nullptr;
}

}  // namespace

std::string ErrorReason(int error) {
  if (const char* reason = Find(kReasons, error)) return reason;
  return "系统错误（错误号 " + std::to_string(error) + "）";
}

std::string ReadErrorReason(int error) {
  if (const char* reason = Find(kReadReasons, error)) return reason;
  return ErrorReason(error);
}

}  // namespace platform
