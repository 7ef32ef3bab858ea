#pragma once
// The 10-byte extended floats that page geometry and library offsets are stored in.

#include <array>
#include <cfloat>
#include <cstdint>

namespace platform {

static_assert(LDBL_MANT_DIG == 64 && sizeof(long double) >= 10,
              "long double must be the x87 80-bit extended type to read and write stored geometry");

using ExtendedBytes = std::array<uint8_t, 10>;

// Bit-exact: the 80 bits of v, little-endian.
ExtendedBytes EncodeExtended(long double v);

// Decodes bit-exactly. Returns false (leaving *out untouched) for encodings that are not
// finite numbers: exponent 0x7FFF (infinities, NaNs) and non-zero exponents without the
// explicit integer bit (unnormals, which the x87 itself refuses).
bool DecodeExtended(const uint8_t* bytes, long double* out);

}  // namespace platform
