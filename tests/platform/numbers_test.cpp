#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

#include "platform/color.h"
#include "platform/extended.h"
#include "platform/numeric.h"

using namespace platform;

TEST(Round, TiesGoToTheEvenNeighbour) {
  struct Case {
    long double value;
    int expected;
  } cases[] = {
      {2.5L, 2},   {3.5L, 4},   {-2.5L, -2}, {-3.5L, -4}, {0.5L, 0},   {1.5L, 2},
      {2.4999L, 2}, {2.5001L, 3}, {-0.5L, 0},  {96.5L, 96}, {21.5L, 22}, {0.0L, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Round(c.value), c.expected) << static_cast<double>(c.value);
}

TEST(Round, MillimetresToPixelsRoundOnceFromExtendedPrecision) {
  // 4.25 mm at 10 px/mm: 42.5 px, a tie, goes to 42; 4.75 mm gives 47.5 and goes to 48.
  const float mm425 = 4.25f, mm475 = 4.75f, ppm = 10.0f;
  EXPECT_EQ(Round(static_cast<long double>(mm425) * 100 * ppm / 100), 42);
  EXPECT_EQ(Round(static_cast<long double>(mm475) * 100 * ppm / 100), 48);
}

TEST(Round, SaturatesAndMapsNaNToZero) {
  EXPECT_EQ(Round(1e30L), INT_MAX);
  EXPECT_EQ(Round(-1e30L), INT_MIN);
  EXPECT_EQ(Round(std::numeric_limits<long double>::infinity()), INT_MAX);
  EXPECT_EQ(Round(std::nanl("")), 0);
  EXPECT_EQ(SaturateToInt(1LL << 40), INT_MAX);
  EXPECT_EQ(SaturateToInt(-(1LL << 40)), INT_MIN);
}

TEST(Round, ClampUnitKeepsArcFunctionsDefined) {
  EXPECT_EQ(ClampUnit(1.0000001L), 1);
  EXPECT_EQ(ClampUnit(-3), -1);
  EXPECT_EQ(ClampUnit(0.25L), 0.25L);
  EXPECT_EQ(ClampUnit(std::nanl("")), 0);
}

TEST(Extended, EncodesTheStoredBytes) {
  struct Case {
    long double value;
    ExtendedBytes bytes;
  } cases[] = {
      {210.0L, {0, 0, 0, 0, 0, 0, 0, 0xD2, 0x06, 0x40}},
      {297.0L, {0, 0, 0, 0, 0, 0, 0x80, 0x94, 0x07, 0x40}},
      {5.0L, {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x01, 0x40}},
      {6.0L, {0, 0, 0, 0, 0, 0, 0, 0xC0, 0x01, 0x40}},
      {0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {-1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeExtended(c.value), c.bytes) << static_cast<double>(c.value);
    long double back = -12345;
    ASSERT_TRUE(DecodeExtended(c.bytes.data(), &back));
    EXPECT_EQ(back, c.value);
  }
}

TEST(Extended, RoundTripsEveryBitOfTheMantissa) {
  const long double values[] = {0.1L, 1.0L / 3, 25.4L, LDBL_MIN, LDBL_MAX, -LDBL_TRUE_MIN};
  for (long double v : values) {
    const ExtendedBytes b = EncodeExtended(v);
    long double back = 0;
    ASSERT_TRUE(DecodeExtended(b.data(), &back));
    EXPECT_EQ(EncodeExtended(back), b);
  }
}

TEST(Extended, RejectsEncodingsThatAreNotFiniteNumbers) {
  const ExtendedBytes rejected[] = {
      {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F},  // quiet NaN
      {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F},  // +infinity
      {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF},  // -infinity
      {0, 0, 0, 0, 0, 0, 0, 0x52, 0x06, 0x40},  // 210 without its integer bit: unnormal
  };
  for (const auto& b : rejected) {
    long double out = 7;
    EXPECT_FALSE(DecodeExtended(b.data(), &out));
    EXPECT_EQ(out, 7);
  }
}

TEST(Colour, RedIsTheLowByte) {
  EXPECT_EQ(ToQColor(255), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x030201u);
  EXPECT_EQ(ToQRgb(clRed), 0xFFFF0000u);
  EXPECT_EQ(FromQRgb(0xFF0000FFu), 0xFF0000u);
}
