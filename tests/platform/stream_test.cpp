#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/stream.h"

using namespace platform;

TEST(ByteStream, WritesLittleEndianAndReadsBack) {
  TByteWriter w;
  w.WriteU8(0xAB);
  w.WriteBool(true);
  w.WriteInt32(-2);
  w.WriteInt64(0x0102030405060708LL);
  w.WriteSingle(8.0f);
  w.WriteExtended(210.0L);
  w.WriteString("ab");
  const std::vector<uint8_t> expected = {
      0xAB, 1, 0xFE, 0xFF, 0xFF, 0xFF, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0x41,
      0, 0, 0, 0, 0, 0, 0, 0xD2, 0x06, 0x40, 2, 0, 0, 0, 'a', 'b'};
  EXPECT_EQ(w.Bytes(), expected);

  TByteReader r(w.Bytes());
  EXPECT_EQ(r.ReadU8(), 0xAB);
  EXPECT_TRUE(r.ReadBool());
  EXPECT_EQ(r.ReadInt32(), -2);
  EXPECT_EQ(r.ReadInt64(), 0x0102030405060708LL);
  EXPECT_EQ(r.ReadSingle(), 8.0f);
  EXPECT_EQ(r.ReadExtended(), 210.0L);
  EXPECT_EQ(r.ReadString(), "ab");
  EXPECT_TRUE(r.AtEnd());
}

TEST(ByteStream, AnyNonZeroBooleanByteIsTrue) {
  const uint8_t bytes[] = {0, 1, 2, 0xFF};
  TByteReader r(bytes, sizeof bytes);
  EXPECT_FALSE(r.ReadBool());
  EXPECT_TRUE(r.ReadBool());
  EXPECT_TRUE(r.ReadBool());
  EXPECT_TRUE(r.ReadBool());
}

TEST(ByteStream, ReadsPastTheEndRaiseAndKeepThePosition) {
  const uint8_t bytes[] = {1, 2, 3};
  using Read = void (*)(TByteReader&);
  const Read reads[] = {
      [](TByteReader& r) { r.ReadInt32(); },    [](TByteReader& r) { r.ReadInt64(); },
      [](TByteReader& r) { r.ReadSingle(); },   [](TByteReader& r) { r.ReadExtended(); },
      [](TByteReader& r) { r.ReadString(); },   [](TByteReader& r) { r.Skip(4); },
      [](TByteReader& r) { r.ReadByteVector(4); },
  };
  for (Read read : reads) {
    TByteReader r(bytes, sizeof bytes);
    EXPECT_THROW(read(r), EFormatError);
    EXPECT_EQ(r.Position(), 0u);
  }
  TByteReader r(bytes, sizeof bytes);
  r.Skip(3);
  EXPECT_THROW(r.ReadU8(), EFormatError);
}

TEST(ByteStream, HostileStringCountsRaiseWithoutAllocating) {
  struct Case {
    std::vector<uint8_t> bytes;
  } cases[] = {
      {{0xFF, 0xFF, 0xFF, 0x7F}},           // 0x7FFFFFFF with nothing behind it
      {{0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'}},  // more than what remains
      {{0x03, 0x00, 0x00, 0x00, 'a', 'b'}},  // one byte short
  };
  for (const auto& c : cases) {
    TByteReader r(c.bytes.data(), c.bytes.size());
    EXPECT_THROW(r.ReadString(), EFormatError);
  }
  // Zero or less: an empty string, and the bytes behind the count are left for what follows.
  for (const std::vector<uint8_t>& count : {std::vector<uint8_t>{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0xFF},
                                          {0xFE, 0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x00, 0x80}}) {
    std::vector<uint8_t> bytes = count;
    bytes.push_back('z');
    TByteReader r(bytes.data(), bytes.size());
    EXPECT_EQ(r.ReadString(), "");
    EXPECT_EQ(r.Position(), 4u);
    EXPECT_EQ(r.ReadU8(), 'z');
  }
}

TEST(ByteStream, NonFiniteNumbersAreRefusedWhereTheFormatNeedsNumbers) {
  TByteWriter w;
  w.WriteSingle(std::numeric_limits<float>::quiet_NaN());
  w.WriteSingle(std::numeric_limits<float>::infinity());
  const uint8_t nanExtended[] = {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F};
  w.WriteBytes(nanExtended, sizeof nanExtended);
  TByteReader r(w.Bytes());
  EXPECT_THROW(r.ReadFiniteSingle(), EFormatError);
  EXPECT_THROW(r.ReadFiniteSingle(), EFormatError);
  EXPECT_THROW(r.ReadExtended(), EFormatError);
  EXPECT_EQ(r.Position(), 8u);
}
