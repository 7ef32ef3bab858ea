#pragma once
// Bounded little-endian reading and writing of the packed file and stream formats.
// Every read checks the bytes left before it touches or allocates anything.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

class EFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TByteReader {
 public:
  TByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit TByteReader(std::span<const uint8_t> bytes) : TByteReader(bytes.data(), bytes.size()) {}

  size_t Position() const { return pos_; }
  size_t Remaining() const { return size_ - pos_; }
  bool AtEnd() const { return pos_ == size_; }

  uint8_t ReadU8();
  bool ReadBool();  // one byte, non-zero is true
  int32_t ReadInt32();
  int64_t ReadInt64();
  float ReadSingle();  // any bit pattern, finite or not
  float ReadFiniteSingle();
  long double ReadExtended();  // finite encodings only
  std::string ReadString();    // Int32 count, then that many bytes; none for a count <= 0
  void ReadBytes(void* out, size_t n);
  std::vector<uint8_t> ReadByteVector(size_t n);
  void Skip(size_t n);

 private:
  void Need(size_t n) const;
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

class TByteWriter {
 public:
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t> Take() { return std::move(bytes_); }
  size_t Size() const { return bytes_.size(); }
  void Reserve(size_t n) { bytes_.reserve(n); }

  void WriteU8(uint8_t v) { bytes_.push_back(v); }
  void WriteBool(bool v) { bytes_.push_back(v ? 1 : 0); }
  void WriteU16(uint16_t v) {
    WriteU8(uint8_t(v));
    WriteU8(uint8_t(v >> 8));
  }
  void WriteInt32(int32_t v);
  void WriteU32(uint32_t v) { WriteInt32(static_cast<int32_t>(v)); }
  void WriteInt64(int64_t v);
  void WriteSingle(float v);
  void WriteExtended(long double v);
  void WriteString(const std::string& s);  // throws EFormatError past the Int32 range
  void WriteBytes(const void* p, size_t n);

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace platform
