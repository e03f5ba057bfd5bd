#include "platform/edit_byte_limit.h"

#include <gtest/gtest.h>

namespace ambrel {
namespace {

TEST(EditByteLimit, InsertionIsCutAtACharacterBoundaryToFit) {
  // 表 and ソ are two bytes each; 29 bytes held of 30.
  EXPECT_EQ(FittingInsertion("表ソ", 29, 0, 30), "");
  EXPECT_EQ(FittingInsertion("a表", 29, 0, 30), "a");
  EXPECT_EQ(FittingInsertion("表ソ", 28, 0, 30), "表");
  // The selection is replaced, so its bytes are room.
  EXPECT_EQ(FittingInsertion("表ソ", 30, 4, 30), "表ソ");
  EXPECT_EQ(FittingInsertion("表ソ", 30, 3, 30), "表");
  EXPECT_EQ(FittingInsertion("表", 40, 0, 30), "");  // already over: nothing more
  EXPECT_EQ(FittingInsertion("abc", 0, 5, 30), "abc");
}

TEST(EditByteLimit, PasteStopsAtNulAndInOneLineFieldsAtTheLineBreak) {
  using namespace std::string_literals;
  EXPECT_EQ(PastedText("表a\r\nb"s, false), "表a");
  EXPECT_EQ(PastedText("表a\r\nb"s, true), "表a\r\nb");
  EXPECT_EQ(PastedText("ソ\nx"s, false), "ソ");
  EXPECT_EQ(PastedText("ab\0cd"s, true), "ab");
}

}  // namespace
}  // namespace ambrel
