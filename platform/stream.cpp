#include "platform/stream.h"

#include <cmath>
#include <cstring>

#include "platform/extended.h"

namespace platform {

void TByteReader::Need(size_t n) const {
  if (n > size_ - pos_) throw EFormatError("unexpected end of data");
}

void TByteReader::ReadBytes(void* out, size_t n) {
  Need(n);
  if (n) std::memcpy(out, data_ + pos_, n);
  pos_ += n;
}

void TByteReader::Skip(size_t n) {
  Need(n);
  pos_ += n;
}

std::vector<uint8_t> TByteReader::ReadByteVector(size_t n) {
  Need(n);
  std::vector<uint8_t> v(data_ + pos_, data_ + pos_ + n);
  pos_ += n;
  return v;
}

uint8_t TByteReader::ReadU8() {
  Need(1);
  return data_[pos_++];
}

bool TByteReader::ReadBool() { return ReadU8() != 0; }

int32_t TByteReader::ReadInt32() {
  uint8_t b[4];
  ReadBytes(b, 4);
  return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                              uint32_t(b[3]) << 24);
}

int64_t TByteReader::ReadInt64() {
  uint8_t b[8];
  ReadBytes(b, 8);
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = v << 8 | b[i];
  return static_cast<int64_t>(v);
}

float TByteReader::ReadSingle() {
  const uint32_t bits = static_cast<uint32_t>(ReadInt32());
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

float TByteReader::ReadFiniteSingle() {
  const float f = ReadSingle();
  if (!std::isfinite(f)) throw EFormatError("a stored number is not finite");
  return f;
}

long double TByteReader::ReadExtended() {
  Need(10);
  long double v = 0;
  if (!DecodeExtended(data_ + pos_, &v)) throw EFormatError("a stored extended number is not finite");
  pos_ += 10;
  return v;
}

// A count of zero or less stands for an empty string and no bytes.
std::string TByteReader::ReadString() {
  const int32_t n = ReadInt32();
  if (n <= 0) return {};
  if (static_cast<size_t>(n) > Remaining()) throw EFormatError("bad string length");
  std::string s(reinterpret_cast<const char*>(data_ + pos_), static_cast<size_t>(n));
  pos_ += static_cast<size_t>(n);
  return s;
}

void TByteWriter::WriteBytes(const void* p, size_t n) {
  const auto* b = static_cast<const uint8_t*>(p);
  bytes_.insert(bytes_.end(), b, b + n);
}

void TByteWriter::WriteInt32(int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  const uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
  WriteBytes(b, 4);
}

void TByteWriter::WriteInt64(int64_t v) {
  uint64_t u = static_cast<uint64_t>(v);
  uint8_t b[8];
  for (auto& x : b) {
    x = uint8_t(u);
    u >>= 8;
  }
  WriteBytes(b, 8);
}

void TByteWriter::WriteSingle(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  WriteInt32(static_cast<int32_t>(bits));
}

void TByteWriter::WriteExtended(long double v) {
  const ExtendedBytes b = EncodeExtended(v);
  WriteBytes(b.data(), b.size());
}

void TByteWriter::WriteString(const std::string& s) {
  if (s.size() > 0x7FFFFFFFu) throw EFormatError("string too long to store");
  WriteInt32(static_cast<int32_t>(s.size()));
  WriteBytes(s.data(), s.size());
}

}  // namespace platform
