#pragma once
// Whole-file writes that either replace the old file completely or leave it untouched.

#include <QString>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace formats {

class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes into a temporary file beside the target and renames it over the target.
// Throws EFileError with the file system's reason; the old file is then unchanged.
void SaveFileAtomically(const QString& path, std::span<const uint8_t> bytes);

// The whole file; throws EFileError when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const QString& path);

}  // namespace formats
