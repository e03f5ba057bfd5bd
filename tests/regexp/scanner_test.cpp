#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regexp/fuzzy_dic.h"
#include "regexp/scanner.h"

namespace ambrel::regexp {
namespace {

struct Tok {
  TREToken t;
  Code s, s2;
};

std::vector<Tok> Tokens(const std::string& text) {
  TREScanner sc(text);
  std::vector<Tok> out;
  for (;;) {
    const TREToken t = sc.GetToken();
    out.push_back({t, sc.Symbol, t == tkCharRange ? sc.Symbol2 : Code{0}});
    if (t == tkEnd) break;
  }
  return out;
}

std::pair<std::string, int> ScanError(const std::string& text) {
  try {
    Tokens(text);
  } catch (const ERegExpParser& e) {
    return {e.what(), e.ErrorPos};
  }
  return {"", -1};
}

TEST(RegexpScanner, EmptyExpressionIsEnd) {
  auto t = Tokens("");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].t, tkEnd);
}

TEST(RegexpScanner, TokenNumbering) {
  EXPECT_EQ(tkChar, 0);
  EXPECT_EQ(tkLBracketNeg, 9);
  EXPECT_EQ(tkEnd, 14);
  auto t = Tokens("a|()*+?[x][^y].^$]");
  std::vector<TREToken> kinds;
  for (auto& x : t) kinds.push_back(x.t);
  const std::vector<TREToken> want = {tkChar, tkUnion, tkLPar, tkRPar, tkStar, tkPlus, tkQuestion, tkLBracket,
                                      tkChar, tkRBracket, tkLBracketNeg, tkChar, tkRBracket, tkDot, tkLHead,
                                      tkLTail, tkRBracket, tkEnd};
  EXPECT_EQ(kinds, want);
}

TEST(RegexpScanner, HexAndOctalEscapes) {
  EXPECT_EQ(Tokens("\\x41")[0].s, 'A');
  EXPECT_EQ(Tokens("A")[0].s, 'A');
  auto t = Tokens("\\x414");
  EXPECT_EQ(t[0].s, 0x0414);
  EXPECT_EQ(t[1].t, tkEnd);
  t = Tokens("\\x4142Z");
  EXPECT_EQ(t[0].s, 0x4142);
  EXPECT_EQ(t[1].s, 'Z');
  t = Tokens("\\x41425");
  EXPECT_EQ(t[0].s, 0x4142);
  EXPECT_EQ(t[1].s, '5');
  EXPECT_EQ(Tokens("\\101")[0].s, 65);
  EXPECT_EQ(Tokens("\\8")[0].s, '8');
  EXPECT_EQ(Tokens("\\B")[0].s, 'B');
  EXPECT_EQ(Tokens("\\b")[0].s, 8);
  EXPECT_EQ(Tokens("\\r\\n\\t")[2].s, 9);
  auto e = ScanError("\\200000");
  EXPECT_EQ(e.first, "不正な８進数コード表記です。");
  EXPECT_EQ(e.second, 8);
  e = ScanError("\\xZ");
  EXPECT_EQ(e.first, "不正な１６進数コード表記です。");
  EXPECT_EQ(e.second, 3);
  e = ScanError("ab\\");
  EXPECT_EQ(e.first, "\"\\\"の次には文字が必要です。");
  EXPECT_EQ(e.second, 4);
}

TEST(RegexpScanner, LoneLeadByteAtEnd) {
  auto e = ScanError(std::string("ab\x82"));
  EXPECT_EQ(e.first, "不正な２バイト文字コードです。");
  EXPECT_EQ(e.second, 3);
}

TEST(RegexpScanner, Classes) {
  auto t = Tokens("[a-]");
  EXPECT_EQ(t[1].t, tkChar);
  EXPECT_EQ(t[1].s, 'a');
  EXPECT_EQ(t[2].t, tkChar);
  EXPECT_EQ(t[2].s, '-');
  EXPECT_EQ(t[3].t, tkRBracket);
  t = Tokens("[-a]");
  EXPECT_EQ(t[1].s, '-');
  EXPECT_EQ(t[2].s, 'a');
  auto e = ScanError("[a-\\]]");
  EXPECT_EQ(e.first, "不正なキャラクタ範囲です");
  t = Tokens("[^]");
  EXPECT_EQ(t[0].t, tkLBracketNeg);
  EXPECT_EQ(t[1].t, tkRBracket);
  t = Tokens("[あ-ん]");
  EXPECT_EQ(t[1].t, tkCharRange);
  EXPECT_EQ(t[1].s, 0x82A0);
  EXPECT_EQ(t[1].s2, 0x82F1);
  t = Tokens("[[^.*|]");
  EXPECT_EQ(t.size(), 8u);
  EXPECT_EQ(ScanError("[").first, "右ブラケット\"]\"が必要です");
  EXPECT_EQ(ScanError("[a").first, "右ブラケット\"]\"が必要です");
  EXPECT_EQ(ScanError("[a-").first, "右ブラケット\"]\"が必要です");
  // The trail byte 0x5C of 表 is not a backslash.
  t = Tokens("[表]");
  EXPECT_EQ(t[1].s, 0x955C);
  EXPECT_EQ(t[2].t, tkRBracket);
}

TEST(RegexpScanner, UngetCharOverDoubleByte) {
  const std::string s = "[東京]";  // trail bytes in the lead-byte range
  std::int32_t pos = 6;
  UngetChar(s, pos);
  EXPECT_EQ(pos, 4);
  UngetChar(s, pos);
  EXPECT_EQ(pos, 2);
  UngetChar(s, pos);
  EXPECT_EQ(pos, 1);
}

TEST(RegexpScanner, QuoteMetaChars) {
  EXPECT_EQ(QuoteMetaChars("a^(|)+*?.[]$\\表"), "a\\^\\(\\|\\)\\+\\*\\?\\.\\[\\]\\$\\\\表");
}

std::string Pre(const std::string& text, bool fuzzy) {
  TREPreProcessor p;
  p.FuzzyCharDics.push_back(&FuzzyCharDic());
  p.UseFuzzyCharDic = fuzzy;
  p.SetText(text);
  p.Run();
  return p.Result();
}

TEST(RegexpPreProcessor, FlagsClearLeaveExpression) {
  EXPECT_EQ(Pre("a[b]c*", false), "a[b]c*");
}

TEST(RegexpPreProcessor, FuzzyExpansion) {
  EXPECT_EQ(Pre("ab", true), "(Ａ|ａ|A|a)(Ｂ|ｂ|B|b)");
  EXPECT_EQ(Pre("\\(", true), "(\\(|（)");
  EXPECT_EQ(Pre("[ab]", true), "[ab]");
  EXPECT_EQ(Pre("[^a]", true), "[^a]");
  EXPECT_EQ(Pre("ab*", true), "(Ａ|ａ|A|a)(Ｂ|ｂ|B|b)*");
  EXPECT_EQ(Pre("漢", true), "漢");
  // Row 98 (ウ) then row 96 (ァ) win over row 139 (ウァ).
  EXPECT_EQ(Pre("ウァ", true), "(う|ウ|ｳ|ぅ|ゥ|ｩ)(あ|ア|ｱ|ぁ|ァ|ｧ)");
}

TEST(RegexpPreProcessor, WordOnlyWithinOneRun) {
  TREDictionary dic = {{"ab", "X"}};
  TREPreProcessor p;
  p.SynonymDics.push_back(&dic);
  p.UseSynonymDic = true;
  p.SetText("a*b");
  p.Run();
  EXPECT_EQ(p.Result(), "a*b");
  p.SetText("xaby");
  p.Run();
  EXPECT_EQ(p.Result(), "x(ab|X)y");
  p.SetText("x\\x0061by");  // codes, not the written form
  p.Run();
  EXPECT_EQ(p.Result(), "x(ab|X)y");
}

TEST(RegexpFuzzyDic, Rows) {
  const auto& d = FuzzyCharDic();
  ASSERT_EQ(d.size(), 145u);
  for (const auto& row : d) EXPECT_GE(row.size(), 2u);
  EXPECT_EQ(d[0], (std::vector<std::string>{"Ａ", "ａ", "A", "a"}));
  EXPECT_EQ(d[25], (std::vector<std::string>{"Ｚ", "ｚ", "Z", "z"}));
  EXPECT_EQ(d[36], (std::vector<std::string>{"\x81\x40", " "}));
  EXPECT_EQ(d[38], (std::vector<std::string>{"\"", "\x81\x68"}));
  EXPECT_EQ(d[48].size(), 3u);
  EXPECT_EQ(d[60], (std::vector<std::string>{"\\", "\x81\x8F"}));
  EXPECT_EQ(d[68], (std::vector<std::string>{",", "､", "、", "，"}));
  EXPECT_EQ(d[101], (std::vector<std::string>{"か", "カ", "ｶ"}));
  EXPECT_EQ(d[112], (std::vector<std::string>{"ち", "チ", "ﾁ"}));
  EXPECT_EQ(d[114], (std::vector<std::string>{"て", "テ", "ﾃ"}));
  EXPECT_EQ(d[130], (std::vector<std::string>{"も", "モ", "ﾓ"}));
  EXPECT_EQ(d[134], (std::vector<std::string>{"ら", "ラ", "ﾗ"}));
  EXPECT_EQ(d[139].size(), 6u);
  EXPECT_EQ(d[144], (std::vector<std::string>{"ﾟ", "゜"}));
  EXPECT_EQ(d[73][2], "ｶﾞ");
  EXPECT_EQ(d[73][2].size(), 2u);
}

TEST(RegexpFuzzyDic, CommaText) {
  EXPECT_EQ(SplitCommaText("a,b,"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitCommaText(" \"x,y\" , \"\"\"\""), (std::vector<std::string>{"x,y", "\""}));
}

}  // namespace
}  // namespace ambrel::regexp
