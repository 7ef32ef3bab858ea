#include <gtest/gtest.h>

#include "platform/gbk.h"

using namespace platform;

namespace {
const std::string kFileStateNone = "\xce\xc4\xbc\xfe\xd7\xb4\xcc\xac\xa3\xba\xce\xde\xce\xc4\xbc\xfe";
}

TEST(Gbk, DecodesAndEncodesTheStatusText) {
  EXPECT_EQ(GbkToUnicode(kFileStateNone), QString::fromUtf8("文件状态：无文件"));
  EXPECT_EQ(UnicodeToGbk(QString::fromUtf8("文件状态：无文件")), kFileStateNone);
  EXPECT_EQ(Gbk("宋体"), "\xcb\xce\xcc\xe5");
  EXPECT_EQ(UnicodeToGbk(QStringLiteral("AB1")), "AB1");
}

TEST(Gbk, EncodingACharacterGbkCannotHoldFails) {
  EXPECT_THROW(UnicodeToGbk(QString::fromUtf8("印\xF0\x9F\x98\x80")), EEncodingError);
  EXPECT_THROW(UnicodeToGbk(QString::fromUtf8("\xE0\xB8\x81")), EEncodingError);  // Thai
}

TEST(Gbk, TheCharactersGbkCannotHoldAreNamedOnceEach) {
  struct Case {
    const char* text;
    const char* refused;
  } cases[] = {
      {"", ""},
      {"李四 AB12", ""},
      {"李\xF0\x9F\x98\x80四", "\xF0\x9F\x98\x80"},                            // an emoji outside the BMP
      {"\xF0\x9F\x98\x80" "a\xE0\xB8\x81\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80\xE0\xB8\x81"},  // each once, in order
      {"\xE2\x82\xAC", ""},                                                  // the euro sign is in the code page
  };
  for (const Case& c : cases)
    EXPECT_EQ(NonGbkCharacters(QString::fromUtf8(c.text)), QString::fromUtf8(c.refused)) << c.text;
}

TEST(Gbk, BrokenBytesDecodeWithoutFailing) {
  EXPECT_EQ(GbkToUnicode("A\xce"), QString::fromUtf8("A\xEF\xBF\xBD"));
  EXPECT_EQ(GbkToUnicode("\xff" "B"), QString::fromUtf8("\xEF\xBF\xBD" "B"));
}

TEST(Gbk, GlyphsCountDoubleByteCharactersOnce) {
  struct Case {
    std::string text;
    size_t glyphs;
  } cases[] = {
      {"", 0}, {"AB", 2}, {Gbk("中国"), 2}, {Gbk("A中B"), 3}, {"A\xce", 2}, {kFileStateNone, 8},
  };
  for (const auto& c : cases) EXPECT_EQ(GbkGlyphCount(c.text), c.glyphs) << c.text;
  EXPECT_TRUE(IsGbkLeadByte(0x81));
  EXPECT_TRUE(IsGbkLeadByte(0xFE));
  EXPECT_FALSE(IsGbkLeadByte(0x80));
  EXPECT_FALSE(IsGbkLeadByte(0xFF));
  EXPECT_FALSE(IsGbkLeadByte('A'));
}

TEST(Gbk, CuttingNeverSplitsAPair) {
  const std::string mixed = Gbk("A中B国");  // 1 + 2 + 1 + 2 bytes
  struct Case {
    size_t max;
    std::string expected;
  } cases[] = {
      {0, ""}, {1, "A"}, {2, "A"}, {3, Gbk("A中")}, {4, Gbk("A中B")}, {5, Gbk("A中B")}, {6, mixed}, {99, mixed},
  };
  for (const auto& c : cases) EXPECT_EQ(GbkCut(mixed, c.max), c.expected) << c.max;
  // Every cut of a long name lands on a boundary: re-cutting gives the same bytes.
  const std::string name = Gbk("华文中宋A仿宋_GB2312楷体");
  for (size_t n = 0; n <= name.size(); ++n) {
    const std::string cut = GbkCut(name, n);
    EXPECT_LE(cut.size(), n);
    EXPECT_EQ(GbkGlyphCount(cut) + GbkGlyphCount(name.substr(cut.size())), GbkGlyphCount(name));
  }
}
