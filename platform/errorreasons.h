#pragma once
// Why a file operation failed, in the user's words: the system's error numbers a program
// meets with files, each in Chinese, and any other number named as such rather than in
// the system's English.

#include <string>

namespace platform {

// The reason, without a full stop, for an error number (errno) of a file being written.
std::string ErrorReason(int error);
// The same for a file being read, where a missing file or a lacking permission is the
// file's own rather than its folder's.
std::string ReadErrorReason(int error);

}  // namespace platform
