#include "platform/sjis.h"

#include <gtest/gtest.h>

#include <string>

namespace ambrel::sjis {
namespace {

TEST(Sjis, LiteralsAreCompiledToCp932) {
  const std::string s = "静的";
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(static_cast<unsigned char>(s[0]), 0x90);
  EXPECT_EQ(static_cast<unsigned char>(s[1]), 0xC3);
  EXPECT_EQ(static_cast<unsigned char>(s[2]), 0x93);
  EXPECT_EQ(static_cast<unsigned char>(s[3]), 0x49);
  // Half-width katakana are single bytes in CP932.
  EXPECT_EQ(std::string("ﾒﾆｭｰ").size(), 4u);
}

TEST(Sjis, LeadByteRanges) {
  int leads = 0;
  for (int b = 0; b < 256; ++b) leads += IsLeadByte(static_cast<unsigned char>(b));
  EXPECT_EQ(leads, (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1));
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0x9F));
  EXPECT_FALSE(IsLeadByte(0xA0));
  EXPECT_FALSE(IsLeadByte(0xDF));  // half-width katakana
  EXPECT_TRUE(IsLeadByte(0xE0));
  EXPECT_TRUE(IsLeadByte(0xFC));
  EXPECT_FALSE(IsLeadByte(0xFD));
}

TEST(Sjis, CharLengthTreatsTrailingLeadByteAsSingle) {
  const std::string hyo = "表";  // 0x95 0x5C: the trail byte is a backslash
  EXPECT_EQ(CharLength(hyo, 0), 2u);
  EXPECT_EQ(CharLength(hyo.substr(0, 1), 0), 1u);
  EXPECT_EQ(CharLength("a", 0), 1u);
}

}  // namespace
}  // namespace ambrel::sjis

namespace ambrel::sjis {
namespace {

TEST(Sjis, CutsOnlyAtCharacterBoundaries) {
  const std::string text = "a表示b";  // a, 2 bytes, 2 bytes, b
  EXPECT_EQ(CharBoundaryAtOrBefore(text, 0), 0u);
  EXPECT_EQ(CharBoundaryAtOrBefore(text, 2), 1u);  // would split 表
  EXPECT_EQ(CharBoundaryAtOrBefore(text, 3), 3u);
  EXPECT_EQ(CharBoundaryAtOrBefore(text, 4), 3u);
  EXPECT_EQ(CharBoundaryAtOrBefore(text, 100), text.size());
}

}  // namespace
}  // namespace ambrel::sjis

namespace ambrel::sjis {
namespace {

TEST(Sjis, SeparatorTestsSkipSecondBytes) {
  // 表 is 0x95 0x5C and ソ 0x83 0x5C: their second byte is no backslash.
  EXPECT_FALSE(EndsWithChar("C:\\予定表", '\\'));
  EXPECT_FALSE(EndsWithChar("ソ", '\\'));
  EXPECT_TRUE(EndsWithChar("C:\\予定表\\", '\\'));
  EXPECT_TRUE(EndsWithChar("\\", '\\'));
  EXPECT_FALSE(EndsWithChar("", '\\'));
  EXPECT_EQ(LastCharStart("aソ"), 1u);
  EXPECT_EQ(FindChar("表|a|", '|'), 2u);
  EXPECT_EQ(FindChar("表|a|", '|', 3), 4u);
  EXPECT_EQ(FindChar("ソ表", '\\'), std::string_view::npos);
  EXPECT_EQ(FindLastOf("C:\\予定表\\ソ.exe", "\\/"), 9u);
  EXPECT_EQ(FindLastOf("表ソ", "\\/"), std::string_view::npos);
}

}  // namespace
}  // namespace ambrel::sjis
