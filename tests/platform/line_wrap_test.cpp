#include "platform/line_wrap.h"

#include <gtest/gtest.h>

#include <string>

namespace ambrel {
namespace {

TEST(LineWrap, CutsOnlyBetweenCharactersAndKeepsEveryByte) {
  // Four bytes fit a piece: "表" (95 5C) must not lose its second byte.
  const auto four = [](std::string_view rest) { return std::min<std::size_t>(rest.size(), 4); };
  const std::string line = "ab表示表c";
  std::vector<std::string_view> pieces = WrapLine(line, four);
  EXPECT_EQ(pieces, (std::vector<std::string_view>{"ab表", "示表", "c"}));
  pieces = WrapLine("a表示", [](std::string_view) { return std::size_t{2}; });
  EXPECT_EQ(pieces, (std::vector<std::string_view>{"a", "表", "示"}));
  // Nothing fits: one character per piece all the same.
  pieces = WrapLine("表x", [](std::string_view) { return std::size_t{0}; });
  EXPECT_EQ(pieces, (std::vector<std::string_view>{"表", "x"}));
  EXPECT_EQ(WrapLine("", four), std::vector<std::string_view>{""});
}

TEST(LineWrap, TabbedWidthStopsAtEveryTabAndKeepsWidthsPastSixteenBits) {
  const auto bytes = [](std::string_view part) { return static_cast<long long>(part.size()) * 10; };
  EXPECT_EQ(TabbedWidth("abc", 80, bytes), 30);
  EXPECT_EQ(TabbedWidth("a\tb", 80, bytes), 90);
  EXPECT_EQ(TabbedWidth("\t\t", 80, bytes), 160);
  EXPECT_EQ(TabbedWidth("12345678\tx", 80, bytes), 170);  // a part ending on a stop goes to the next
  // A large font on a fine printer: 40 characters of 2,000 units each.
  const auto wide = [](std::string_view part) { return static_cast<long long>(part.size()) * 2000; };
  EXPECT_EQ(TabbedWidth(std::string(40, 'W'), 8000, wide), 80000);
}

}  // namespace
}  // namespace ambrel
