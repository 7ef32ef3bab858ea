#include "platform/extended.h"

#include <cstring>

namespace platform {

ExtendedBytes EncodeExtended(long double v) {
  ExtendedBytes b{};
  std::memcpy(b.data(), &v, 10);
  return b;
}

bool DecodeExtended(const uint8_t* bytes, long double* out) {
  uint64_t mantissa = 0;
  std::memcpy(&mantissa, bytes, 8);
  const unsigned exponent = (bytes[8] | (bytes[9] << 8)) & 0x7FFFu;
  if (exponent == 0x7FFFu) return false;
  const bool integerBit = (mantissa >> 63) != 0;
  if (exponent != 0 && !integerBit) return false;
  long double v = 0;
  std::memcpy(&v, bytes, 10);
  *out = v;
  return true;
}

}  // namespace platform
