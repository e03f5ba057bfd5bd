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

}  // namespace
}  // namespace ambrel
