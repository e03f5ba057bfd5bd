// The Shift-JIS character scans and the literal analysis that the search
// uses to jump over text; the comparisons with the reference (exhaustive and
// random tests) check the results with and without them.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/sjis.h"
#include "regexp/engine_util.h"
#include "regexp/sjis_scan.h"

namespace ambrel::regexp {
namespace {

// Character starts of t, stepping character by character from 0.
std::vector<bool> Starts(const std::string& t) {
  std::vector<bool> s(t.size() + 1, false);
  std::size_t i = 0;
  while (i < t.size()) {
    s[i] = true;
    i += sjis::CharLength(t, i);
  }
  s[t.size()] = true;
  return s;
}

std::size_t Expected(const std::string& t, const std::vector<bool>& starts, std::size_t i, unsigned char x) {
  for (std::size_t p = i; p < t.size(); ++p) {
    const auto b = static_cast<unsigned char>(t[p]);
    if (b == 0 || (b == x && starts[p])) return p;
  }
  return t.size();
}

std::string RandomSjis(std::mt19937& rng, std::size_t pieces) {
  static const std::vector<std::string> kPieces = {"a", "@", "\\", ":", "表", "ソ", "ァ", "東京", "ｱ", "日本語",
                                                   "\r\n", " ", "x", "能", "十"};
  std::string s;
  for (std::size_t i = 0; i < pieces; ++i) s += kPieces[rng() % kPieces.size()];
  if (rng() % 6 == 0 && !s.empty()) s[rng() % s.size()] = '\0';
  if (rng() % 6 == 0) s.push_back('\x95');  // a lead byte at the very end
  return s;
}

TEST(RegexpScan, FindCharOrZeroAgreesWithCharacterSteps) {
  std::mt19937 rng(7);
  const unsigned char bytes[] = {'\\', '@', 'a', ':', 0xB1, 'x', 0x7E};
  for (int c = 0; c < 3000; ++c) {
    const std::string t = RandomSjis(rng, rng() % 120);
    const auto starts = Starts(t);
    std::size_t i = rng() % (t.size() + 1);
    while (!starts[i]) --i;
    const unsigned char x = bytes[rng() % sizeof(bytes)];
    const auto* p = reinterpret_cast<const unsigned char*>(t.data());
    const std::size_t want = Expected(t, starts, i, x);
    ASSERT_EQ(FindCharOrZero(p, i, t.size(), x), want) << testing::Hex(t) << " from " << i << " x " << int{x};
    ASSERT_EQ(FindCharOrZeroByMemchr(p, i, t.size(), x), want) << testing::Hex(t) << " from " << i;
    ASSERT_EQ(FindCharOrZeroByVector(p, i, t.size(), x), want) << testing::Hex(t) << " from " << i;
  }
}

TEST(RegexpScan, LeadRunsAcrossVectorBlocks) {
  // Runs of lead-range bytes (東京 is four of them) that cross 64-byte
  // blocks, with the odd one out placed at every offset.
  for (std::size_t shift = 0; shift < 70; ++shift) {
    std::string t(shift, 'a');
    for (int k = 0; k < 40; ++k) t += "東京";
    t += "表\\表";
    const auto starts = Starts(t);
    const auto* p = reinterpret_cast<const unsigned char*>(t.data());
    EXPECT_EQ(FindCharOrZeroByVector(p, 0, t.size(), '\\'), Expected(t, starts, 0, '\\')) << shift;
    EXPECT_EQ(FindCharOrZeroByMemchr(p, 0, t.size(), '\\'), Expected(t, starts, 0, '\\')) << shift;
  }
}

TEST(RegexpScan, CharStartsOfBlocksFollowCharacterSteps) {
  std::mt19937 rng(9);
  for (int c = 0; c < 500; ++c) {
    std::string t = RandomSjis(rng, 60 + rng() % 100);
    std::replace(t.begin(), t.end(), '\0', 'z');
    const auto starts = Starts(t);
    std::size_t i = rng() % 16;
    while (!starts[i]) --i;
    // Block after block from a boundary, as the search steps over them.
    std::uint64_t carry = 0;
    for (; i + 65 <= t.size(); i += 64) {
      const std::uint64_t got = CharStarts64(reinterpret_cast<const unsigned char*>(t.data()) + i, carry);
      for (std::size_t j = 0; j < 64; ++j)
        ASSERT_EQ((got >> j) & 1, starts[i + j] ? 1u : 0u) << testing::Hex(t) << " block at " << i << " byte " << j;
      ASSERT_EQ(carry, starts[i + 64] ? 0u : 1u) << testing::Hex(t) << " block at " << i;
    }
  }
}

TEST(RegexpScan, IsCharStartFromAnyKnownBoundary) {
  std::mt19937 rng(8);
  for (int c = 0; c < 2000; ++c) {
    const std::string t = RandomSjis(rng, rng() % 40);
    const auto starts = Starts(t);
    const auto* p = reinterpret_cast<const unsigned char*>(t.data());
    std::size_t floor = rng() % (t.size() + 1);
    while (!starts[floor]) --floor;
    const std::size_t end = std::min(t.size(), t.find('\0'));
    for (std::size_t q = floor; q < end; ++q) {
      ASSERT_EQ(IsCharStart(p, q, floor), starts[q]) << testing::Hex(t) << " at " << q;
    }
  }
}

int Kind(const std::string& pattern) {
  testing::EngineRegExp eng(pattern, false);
  return eng.dfa()->PrefilterKind();
}

TEST(RegexpScan, LiteralAnalysis) {
  EXPECT_EQ(Kind("http://[^ ]*"), 1);  // a prefix
  EXPECT_EQ(Kind("東京[都府]"), 1);
  EXPECT_EQ(Kind("\\\\"), 1);
  EXPECT_EQ(Kind("[a-z]+@[a-z]+\\.(com|jp)"), 2);  // a required byte after letters
  EXPECT_EQ(Kind("a*b"), 2);
  EXPECT_EQ(Kind("^abc"), 0);     // runs restart after every LF
  EXPECT_EQ(Kind("a*"), 0);       // the empty match
  EXPECT_EQ(Kind("ab|cd"), 0);    // neither
  EXPECT_EQ(Kind("ab$|x"), 0);    // neither
  EXPECT_EQ(Kind("[^ ]+@"), 0);   // double-byte characters before the @
  EXPECT_EQ(Kind("a(b$|c)"), 1);  // `$` may end the match only after the prefix
}

}  // namespace
}  // namespace ambrel::regexp
