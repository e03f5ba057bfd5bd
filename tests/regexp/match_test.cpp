#include <gtest/gtest.h>

#include <string>

#include "regexp/awkstr.h"
#include "regexp/engine_util.h"
#include "regexp/reference.h"

namespace ambrel::regexp {
namespace {

struct M {
  int pos, start, length;
};

M RunBoth(const std::string& re, const std::string& text, TMatchCORE_LineSeparator sep = mcls_CRLF, bool fuzzy = false) {
  TAWKStr reg;
  reg.LineSeparator = sep;
  if (fuzzy) reg.SetUseFuzzyCharDic(true);
  reg.SetRegExp(re);
  M m{};
  m.pos = reg.Match(text, m.start, m.length);
  // The reference must agree on every one of these.
  reference::RefRegExp ref(re, fuzzy);
  const auto r = ref.Match(text, sep == mcls_LF);
  EXPECT_EQ(r.start, m.start) << re << " / " << testing::Hex(text);
  EXPECT_EQ(r.length, m.length) << re << " / " << testing::Hex(text);
  return m;
}

#define EXPECT_MATCH(re, text, s, l, ...)        \
  do {                                           \
    const M m_ = RunBoth(re, text, ##__VA_ARGS__);   \
    EXPECT_EQ(m_.start, s) << re;                \
    EXPECT_EQ(m_.length, l) << re;               \
    EXPECT_EQ(m_.pos, s) << re;                  \
  } while (0)

TEST(RegexpMatch, EdgeCases) {
  EXPECT_MATCH("a*", "bbb", 1, 0);
  EXPECT_MATCH("a*", "", 1, 0);
  EXPECT_MATCH("b", "", 0, 0);
  EXPECT_MATCH("ab|abcd", "xabcde", 2, 4);
  EXPECT_MATCH("^ab", "xab", 0, 0);
  EXPECT_MATCH("^ab", "x\nab", 3, 2);
  EXPECT_MATCH("^ab", "x\rab", 0, 0);
  EXPECT_MATCH("ab$", "ab\r\nx", 1, 2, mcls_CRLF);
  EXPECT_MATCH("ab$", "ab\r\nx", 0, 0, mcls_LF);
  EXPECT_MATCH("ab$", "ab\nx", 1, 2, mcls_LF);
  EXPECT_MATCH("ab$", "ab", 1, 2, mcls_CRLF);
  EXPECT_MATCH("ab$", "ab", 1, 2, mcls_LF);
  EXPECT_MATCH("$", "abc", 4, 0);
  EXPECT_MATCH("$", "a\r\n", 2, 0, mcls_CRLF);
  EXPECT_MATCH("a^b", "a^b", 1, 3);
  EXPECT_MATCH("a$b", "a$b", 1, 3);
  EXPECT_MATCH("あ+", "xああy", 2, 4);
}

TEST(RegexpMatch, ShiftJisBoundaries) {
  // 表 is 0x95 0x5C: its trail byte is never a backslash, never a start.
  EXPECT_MATCH("\\\\", "表", 0, 0);
  EXPECT_MATCH("\\\\", "表\\", 3, 1);
  EXPECT_MATCH("\\\\", "\\", 1, 1);
  // 東 0x93 0x8C, 京 0x8B 0x9E: no match across the pair boundary.
  EXPECT_MATCH("\x8C\x8B", "東京", 0, 0);
  EXPECT_MATCH("京", "東京", 3, 2);
  // A lead byte at the very end is a one-byte character.
  EXPECT_MATCH(".", std::string("\x82"), 1, 1);
  EXPECT_MATCH("a.", std::string("a\x82"), 1, 2);
  // The text ends at its first zero byte.
  EXPECT_MATCH("b", std::string("a\0b", 3), 0, 0);
}

TEST(RegexpMatch, LiteralScansStopOnCharactersOnly) {
  // ァ is 0x83 0x40: its trail byte is not the `@` a mail address needs.
  EXPECT_MATCH("[a-z]+@x", "abァx ab@x", 7, 4);
  // The letters before the `@` are walked back over, but not into 表.
  EXPECT_MATCH("[a-z\\x5c]+@x", "表@x", 0, 0);
  EXPECT_MATCH("[a-z\\x5c]+@x", "表\\@x", 3, 3);
  // A prefix whose bytes straddle two characters is no prefix.
  EXPECT_MATCH("\x9E\x93\x8C\x8B", "東京東京都", 0, 0);
  EXPECT_MATCH("京都", "東京東京都", 7, 4);
  // Candidates beyond the first zero byte are not in the text.
  EXPECT_MATCH("ab+@", std::string("x\0abb@", 7), 0, 0);
  EXPECT_MATCH("http:", std::string("htt\0http:", 10), 0, 0);
}

TEST(RegexpMatch, AnchorsAndQuirks) {
  EXPECT_MATCH("^", "", 1, 0);
  EXPECT_MATCH("^$", "a\n", 3, 0, mcls_LF);
  EXPECT_MATCH("(^a|b)c", "bc", 1, 2);
  EXPECT_MATCH("(^a|b)c", "xac", 0, 0);
  EXPECT_MATCH("a(b$|c)", "ab", 1, 2);
  // `^` inside a star is literal.
  EXPECT_MATCH("(^a)*", "^a^a", 1, 4);
  // The $-check happens only where the automaton dies.
  EXPECT_MATCH("a$|a\rb", "a\rc", 0, 0, mcls_CRLF);
  EXPECT_MATCH("a$|a\rb", "a\r", 0, 0, mcls_CRLF);
  EXPECT_MATCH("a$|a\rb", "a", 1, 1, mcls_CRLF);
  EXPECT_MATCH("a$|a\rb", "a\n", 1, 1, mcls_LF);
  // A literal `^` loses against a range with a lower lo leaving the same state.
  EXPECT_MATCH("a(^b|.c)", "a^b", 0, 0);
  EXPECT_MATCH("a(^b|.c)", "a^c", 1, 3);
  // `.` and negated classes never match CR or LF.
  EXPECT_MATCH(".", "\r\n", 0, 0);
  EXPECT_MATCH("[^x]", "\r\nx", 0, 0);
}

TEST(RegexpMatch, FuzzyDictionary) {
  EXPECT_MATCH("a", "Ａ", 1, 2, mcls_CRLF, true);
  EXPECT_MATCH("が", "ｶﾞ", 1, 2, mcls_CRLF, true);
  EXPECT_MATCH("1", "①", 1, 2, mcls_CRLF, true);
  EXPECT_MATCH("\\[", "〔", 1, 2, mcls_CRLF, true);
  EXPECT_MATCH("[ab]", "Ａ", 0, 0, mcls_CRLF, true);
}

TEST(RegexpAWKStr, CacheAndRegExp) {
  TAWKStr reg;
  EXPECT_EQ(reg.CacheSize(), 1u);
  EXPECT_EQ(reg.RegExp(), "");
  const auto compiles = reg.CompileCount();
  reg.SetRegExp("abc");
  reg.SetRegExp("abc");
  EXPECT_EQ(reg.CompileCount(), compiles + 1);
  EXPECT_EQ(reg.RegExp(), "abc");
  EXPECT_EQ(reg.CacheKey(1), "abc");
  // A failing expression is not cached and leaves RegExp empty.
  EXPECT_THROW(reg.SetRegExp("a("), ERegExpParser);
  EXPECT_EQ(reg.RegExp(), "");
  EXPECT_EQ(reg.CurrentIndex(), 0u);
  EXPECT_EQ(reg.CacheSize(), 2u);
  int s = 9, l = 9;
  EXPECT_EQ(reg.Match("xyz", s, l), 1);  // the empty expression is in force
  EXPECT_EQ(l, 0);
}

TEST(RegexpAWKStr, EvictionOrder) {
  TAWKStr reg;
  for (int i = 0; i < 29; ++i) reg.SetRegExp("e" + std::to_string(i));
  EXPECT_EQ(reg.CacheSize(), 30u);
  reg.SetRegExp("e0");  // reuse does not move it
  EXPECT_EQ(reg.CacheKey(29), "e0");
  const auto compiles = reg.CompileCount();
  reg.SetRegExp("new");
  EXPECT_EQ(reg.CompileCount(), compiles + 1);
  EXPECT_EQ(reg.CacheSize(), 30u);
  EXPECT_EQ(reg.CacheKey(0), "");
  EXPECT_EQ(reg.CacheKey(1), "new");
  EXPECT_EQ(reg.CacheKey(29), "e1");
  reg.SetRegExp("e0");
  EXPECT_EQ(reg.CompileCount(), compiles + 2);  // e0 was evicted
}

TEST(RegexpAWKStr, FlagsRecompileAndMatcherChoice) {
  TAWKStr reg;
  reg.SetRegExp("ab");
  EXPECT_FALSE(reg.UsesAnchors());
  reg.SetUseFuzzyCharDic(true);
  EXPECT_TRUE(reg.UseFuzzyCharDic());
  EXPECT_EQ(reg.RegExp(), "ab");
  EXPECT_EQ(reg.Preprocessed(), "(Ａ|ａ|A|a)(Ｂ|ｂ|B|b)");
  reg.SetUseSynonymDic(true);  // no synonym data: nothing changes
  EXPECT_EQ(reg.Preprocessed(), "(Ａ|ａ|A|a)(Ｂ|ｂ|B|b)");
  reg.SetRegExp("^x");
  EXPECT_TRUE(reg.UsesAnchors());
  EXPECT_THROW(reg.SetRegExp("*"), ERegExpParser);
  EXPECT_TRUE(reg.UsesAnchors());  // left as it was
  RegExpError err;
  EXPECT_FALSE(TryCompile(reg, "[a", &err));
  EXPECT_EQ(err.message, "右ブラケット\"]\"が必要です");
  EXPECT_EQ(err.position, 3);
  EXPECT_TRUE(TryCompile(reg, "x", &err));
}

}  // namespace
}  // namespace ambrel::regexp

namespace ambrel::regexp {
namespace {

TEST(RegexpEngine, LiteralAnchorAgainstRangeWithEqualLo) {
  // `[\^-z]` starts at the code of a literal `^`: NextState follows the group
  // created first. Compare with the reference on every small text.
  const char* patterns[] = {"a(^b|[\\^-z]c)", "a([\\^-z]c|^b)", "x($y|[$-a]z)", "x([$-a]z|$y)", "a(^|[\\^-z])b"};
  const char* texts[] = {"a^b", "a^c", "a_c", "x$y", "x$z", "xaz", "a^", "a^bb", "ab", ""};
  for (const char* p : patterns) {
    reference::RefRegExp ref(p, false);
    testing::EngineRegExp eng(p, false);
    for (const char* t : texts)
      for (bool lf : {false, true}) {
        const auto r = ref.Match(t, lf), e = eng.Match(t, lf);
        EXPECT_TRUE(r == e) << p << " / " << t << ": ref " << testing::Show(r) << " engine " << testing::Show(e);
      }
  }
}

TEST(RegexpEngine, NestedPlusIsBuiltCompactAndMatchesTheSame) {
  std::string p;
  for (int i = 0; i < 60; ++i) p += '(';
  p += "ab";
  for (int i = 0; i < 60; ++i) p += ")+";
  testing::EngineRegExp eng(p, false);
  ASSERT_FALSE(eng.error());
  EXPECT_TRUE(eng.dfa()->Nfa().Compact);
  EXPECT_LT(eng.dfa()->Nfa().StateCount(), 10000u);
  const auto r = eng.Match("xxababab", false);
  EXPECT_EQ(r.start, 3);
  EXPECT_EQ(r.length, 6);
  // Anchors keep their meaning in the compact construction.
  std::string q = "(^a";
  for (int i = 0; i < 40; ++i) q += "(";
  q += "b";
  for (int i = 0; i < 40; ++i) q += ")+";
  q += ")+$";
  testing::EngineRegExp anch(q, false);
  EXPECT_TRUE(anch.dfa()->Nfa().Compact);
  EXPECT_EQ(anch.Match("abbb", false).length, 4);
  EXPECT_EQ(anch.Match("abbb", false).start, 1);
  EXPECT_EQ(anch.Match("xabbb", false).start, 0);
  EXPECT_EQ(anch.Match("x\nab\r\n", false).start, 3);
  EXPECT_EQ(anch.Match("x\nab\r\n", false).length, 2);
}

TEST(RegexpEngine, TinyBudgetGivesTheSameResults) {
  const char* patterns[] = {"(a|b)*a(a|b)(a|b)(a|b)", "^(ab|a)*$", "表|\\\\", "[^a]+b$"};
  const std::string texts[] = {"abbabaababbbaab", "ababab\r\nab", "表\\表", "xyz\r\nccb", "\nab\n"};
  std::size_t resets = 0;
  for (const char* p : patterns) {
    testing::EngineRegExp big(p, false), tiny(p, false, 1);
    for (const auto& t : texts)
      for (bool lf : {false, true}) {
        EXPECT_TRUE(big.Match(t, lf) == tiny.Match(t, lf)) << p << " / " << testing::Hex(t);
      }
    resets += tiny.dfa()->ResetCount();
  }
  EXPECT_GT(resets, 0u);
}

}  // namespace
}  // namespace ambrel::regexp
