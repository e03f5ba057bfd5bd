// The engine against the literal reference: every expression of up to a few
// tokens over a small alphabet, on every text of up to a few characters, in
// both line-separator modes, with the fuzzy dictionary off and on; then
// random longer cases, also with a tiny state-cache budget so that the
// reset-and-rebuild fall-back is exercised on every step.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "regexp/engine_util.h"
#include "regexp/reference.h"

namespace ambrel::regexp {
namespace {

using reference::RefRegExp;
using testing::EngineRegExp;

const std::vector<std::string> kPatternAlphabet = {"a", "b", "あ", "^", "$", ".", "|", "*",
                                                   "+", "?", "(", ")", "[", "]", "-"};
const std::vector<std::string> kTextAlphabet = {"a", "b", "あ", "表", "\r", "\n"};

std::vector<std::string> AllStrings(const std::vector<std::string>& alphabet, int max_len) {
  std::vector<std::string> out = {""};
  std::vector<std::string> layer = {""};
  for (int len = 1; len <= max_len; ++len) {
    std::vector<std::string> next;
    for (const auto& s : layer)
      for (const auto& a : alphabet) next.push_back(s + a);
    out.insert(out.end(), next.begin(), next.end());
    layer.swap(next);
  }
  return out;
}

// Compares one expression on all texts; returns the number of mismatches.
// Adds to *hand_overs the searches in which the first pass took over.
int Compare(const std::string& pattern, bool fuzzy, const std::vector<std::string>& texts, std::size_t budget,
            int report_limit = 5, std::size_t* hand_overs = nullptr) {
  int bad = 0;
  RefRegExp* ref = nullptr;
  std::unique_ptr<RefRegExp> holder;
  try {
    holder = std::make_unique<RefRegExp>(pattern, fuzzy);
    ref = holder.get();
  } catch (const reference::TooBig&) {
    return 0;
  }
  // With and without the literal scans: results must never depend on them.
  EngineRegExp engines[2] = {EngineRegExp(pattern, fuzzy, budget, true), EngineRegExp(pattern, fuzzy, budget, false)};
  if (ref->error() || engines[0].error()) {
    const auto r = ref->Match("", false), e = engines[0].Match("", false);
    if (!(r == e)) {
      ADD_FAILURE() << "pattern " << testing::Hex(pattern) << " fuzzy " << fuzzy << ": ref " << testing::Show(r)
                    << " " << r.message << " engine " << testing::Show(e) << " " << e.message;
      return 1;
    }
    return 0;
  }
  for (const auto& text : texts)
    for (bool lf : {false, true}) {
      const auto r = ref->Match(text, lf);
      for (int scan = 0; scan < 2; ++scan) {
        const auto e = engines[scan].Match(text, lf);
        if (!(r == e) && ++bad <= report_limit)
          ADD_FAILURE() << "pattern " << testing::Hex(pattern) << " text " << testing::Hex(text) << " lf " << lf
                        << " fuzzy " << fuzzy << " scans " << (scan == 0) << ": ref " << testing::Show(r)
                        << " engine " << testing::Show(e);
      }
    }
  if (hand_overs) *hand_overs += engines[0].dfa()->HandOverCount();
  return bad;
}

void Exhaustive(bool fuzzy, int pattern_len, int text_len, int min_pattern_len = 0, int stride = 1) {
  const auto texts = AllStrings(kTextAlphabet, text_len);
  int bad = 0;
  std::size_t index = 0;
  for (const auto& p : AllStrings(kPatternAlphabet, pattern_len)) {
    if (index++ % static_cast<std::size_t>(stride) != 0) continue;
    // Count tokens of p crudely by alphabet units: AllStrings builds them in layers.
    if (min_pattern_len > 0) {
      std::size_t units = 0;
      for (std::size_t i = 0; i < p.size(); ++i) units += (static_cast<unsigned char>(p[i]) >= 0x80) ? 0 : 1;
      units += (p.size() - units) / 2;
      if (static_cast<int>(units) < min_pattern_len) continue;
    }
    bad += Compare(p, fuzzy, texts, TRE_DFA::kDefaultBudget);
    if (bad > 20) break;
  }
  EXPECT_EQ(bad, 0);
}

// Expressions of up to 3 tokens on all texts of up to 3 characters, and of
// exactly 4 tokens on all texts of up to 2 characters (bounded so that the
// whole comparison stays within seconds under ASan and UBSan); with the
// fuzzy dictionary, every third expression of 4 tokens.
TEST(RegexpExhaustive, PlainShort) { Exhaustive(false, 3, 3); }
TEST(RegexpExhaustive, FuzzyShort) { Exhaustive(true, 3, 3); }
TEST(RegexpExhaustive, PlainFourTokens) { Exhaustive(false, 4, 2, 4); }
TEST(RegexpExhaustive, FuzzyFourTokens) { Exhaustive(true, 4, 2, 4, 3); }

// ------------------------------------------------------------- random

const std::vector<std::string> kRandomTokens = {
    "a", "b", "c", "あ", "表", "^", "$", ".", "|", "*", "+", "?", "(", ")", "[", "]", "-", "\\\\", "\\r", "\\n",
    "\\$", "\\^", "[$-a]", "[^-z]", "[a^-b]", "[^a]", "[^\\r]", "[a-c]", "[\\x01-\\x7f]", "[\\x24-\\x30]", "\\x5e",
    "(a|b)", "x", "\\x5C", "[表-表]", "ソ", "ﾞ", "ｶ"};
const std::vector<std::string> kRandomText = {"a", "b", "c", "x", "あ", "表", "\r", "\n", "^", "$", "\\",
                                              "-", "ソ", "ｶ", "ﾞ", "A", "Ａ", "ア", "z"};

void Random(bool fuzzy, std::size_t budget, int cases, unsigned seed) {
  std::mt19937 rng(seed);
  int bad = 0;
  for (int c = 0; c < cases && bad <= 20; ++c) {
    std::string p;
    const int n = 1 + static_cast<int>(rng() % 10);
    for (int i = 0; i < n; ++i) p += kRandomTokens[rng() % kRandomTokens.size()];
    std::vector<std::string> texts;
    for (int t = 0; t < 12; ++t) {
      std::string s;
      const int m = static_cast<int>(rng() % 14);
      for (int i = 0; i < m; ++i) s += kRandomText[rng() % kRandomText.size()];
      texts.push_back(s);
    }
    bad += Compare(p, fuzzy, texts, budget);
  }
  EXPECT_EQ(bad, 0);
}

// Expressions with a literal prefix or a required byte, on longer texts full
// of trail bytes that look like the literal (0x5C in 表 and ソ, 0x40 in ァ),
// runs of lead-range bytes (東京), CR/LF and zero bytes, so that the scans
// jump far and must stop exactly where stepping through the text would.
void RandomScans(int cases, unsigned seed) {
  static const std::vector<std::string> kHeads = {"\\\\", "a", "ab", "http:", "@", "表", "ソ", "東京",
                                                  "a\\\\", "x@", "ｱ", "\\\\a", ":/", "ァ"};
  static const std::vector<std::string> kBodies = {
      "[a-c]+@[a-c]+", "[a-c]*\\\\", "b*@", "[ab]+:x", "(a|b)+c", "[^ ]*", "a*\\\\b", "[a-z]+\\.(c|jp)", "", "$",
      "(b|\\\\)", "[表ソ]", "a?b?@", "[a@]+b", "c+$", "(x|y)*z"};
  static const std::vector<std::string> kPieces = {"a", "b", "c", "x", "@", ":", "\\", "表", "ソ", "ァ", "ｱ",
                                                   "東", "京", " ", "\r", "\n", "z", "http:", "ab", "y"};
  std::mt19937 rng(seed);
  int bad = 0;
  for (int c = 0; c < cases && bad <= 20; ++c) {
    std::string p;
    const unsigned shape = rng() % 3;
    if (shape != 1) p += kHeads[rng() % kHeads.size()];
    p += kBodies[rng() % kBodies.size()];
    if (shape == 2) p += kHeads[rng() % kHeads.size()];
    std::vector<std::string> texts;
    for (int t = 0; t < 6; ++t) {
      std::string s;
      const int m = static_cast<int>(rng() % 90);
      for (int i = 0; i < m; ++i) {
        s += kPieces[rng() % kPieces.size()];
      }
      if (rng() % 8 == 0 && !s.empty()) s.insert(rng() % s.size(), 1, '\0');
      if (rng() % 8 == 0) s.push_back('\x93');  // a lead byte at the very end
      texts.push_back(s);
    }
    bad += Compare(p, false, texts, TRE_DFA::kDefaultBudget);
  }
  EXPECT_EQ(bad, 0);
}

// Long texts that mix one- and two-byte characters at random and hold a
// match seldom, so that a search steps over whole 64-byte blocks, with
// characters across their edges (ぱ ends in the byte of ﾏ); one case in four with a tiny
// cache budget, so that the tables of transitions are rebuilt mid-block.
TEST(RegexpRandom, LongMixedWidths) {
  static const std::vector<std::string> kPatterns = {"[ぁ-ん]+[０-９]+", "(ｱ|ア)(ｲ|イ)+x", "表ソ*[^ぁ-ん]y", "[^a]+x$",
                                                     "^[ｱ-ﾝ]+y",      "a[ｱ表]*b",       "(あ|表)+\\r",   ".x",
                                                     "ｶﾞ|ガ",         "[^x]*y",         "ﾏ"};
  static const std::vector<std::string> kPieces = {"あ", "い", "ｱ", "ｲ", "ア", "イ", "表", "ソ", "東", "a", " ", "\r\n", "ﾞ", "ｶ", "ぱ"};
  static const std::vector<std::string> kRare = {"１", "x", "y", "b", "ガ", "\n"};
  std::mt19937 rng(5);
  int bad = 0;
  for (int c = 0; c < 120 && bad <= 20; ++c) {
    std::vector<std::string> texts;
    for (int t = 0; t < 3; ++t) {
      std::string s;
      const int m = 60 + static_cast<int>(rng() % 300);
      for (int i = 0; i < m; ++i) s += rng() % 100 < 2 ? kRare[rng() % kRare.size()] : kPieces[rng() % kPieces.size()];
      texts.push_back(s);
    }
    const std::size_t budget = c % 4 == 3 ? 1 : TRE_DFA::kDefaultBudget;
    bad += Compare(kPatterns[static_cast<std::size_t>(c) % kPatterns.size()], false, texts, budget);
  }
  EXPECT_EQ(bad, 0);
}

// Candidates of the literal scans every few characters, over texts of up to
// a few hundred characters: the search that starts with the scans hands over
// to the first pass after its first 64 bytes, at any place relative to the
// matches, which stand anywhere or nowhere; one case in three with a tiny
// cache budget, so that the first pass rebuilds the tables it was handed.
TEST(RegexpRandom, DenseCandidatesHandOverToTheFirstPass) {
  struct Case {
    const char* pattern;
    std::vector<std::string> pieces;  // the last one seldom
  };
  static const std::vector<Case> kCases = {
      {"[a-z]+@[a-z]+\\.(com|jp)", {"ab", "c", "x", "@", "@", ".", ".", "co", "jp", " ", "表", "com"}},
      {"東京[都府]", {"東京", "東京", "東", "京", "表", "ソ", "市", "a", "都"}},
      {"\\([a-z ,]+\\)", {"(", "ab", " ", ",", "c", "x7", "\r\n", ")"}},
      {"@[a-c]+x", {"@", "a", "b", "c", " ", "ソ", "x"}},
      {"表ソ*x", {"表", "ソ", "ソ", "a", "\\", "x"}},
      {"ab+c", {"a", "b", "ab", " ", "c"}},
      {"東京(都|府)?x", {"東京", "東京都", "京", "表", "x"}},
      {"[^ ]*@x", {"a", "@", "表", " ", "x"}},
      {"ソ\\\\", {"ソ", "\\", "表", "ソソ", "\\\\"}}};
  std::mt19937 rng(6);
  int bad = 0;
  std::size_t hand_overs[2] = {0, 0};
  for (int c = 0; c < 90 && bad <= 20; ++c) {
    const Case& k = kCases[static_cast<std::size_t>(c) % kCases.size()];
    std::vector<std::string> texts;
    for (int t = 0; t < 4; ++t) {
      std::string s;
      const int m = 40 + static_cast<int>(rng() % 300);
      for (int i = 0; i < m; ++i)
        s += rng() % 100 < 2 ? k.pieces.back() : k.pieces[rng() % (k.pieces.size() - 1)];
      if (t == 3) s.insert(rng() % s.size(), 1, '\0');
      texts.push_back(s);
    }
    const bool tiny = c % 3 == 2;
    bad += Compare(k.pattern, false, texts, tiny ? 1 : TRE_DFA::kDefaultBudget, 5, &hand_overs[tiny]);
  }
  EXPECT_EQ(bad, 0);
  EXPECT_GT(hand_overs[0], 20u);
  EXPECT_GT(hand_overs[1], 20u);
}

TEST(RegexpRandom, Plain) { Random(false, TRE_DFA::kDefaultBudget, 4000, 1); }
TEST(RegexpRandom, LiteralScans) { RandomScans(1500, 4); }
TEST(RegexpRandom, Fuzzy) { Random(true, TRE_DFA::kDefaultBudget, 2000, 2); }
TEST(RegexpRandom, TinyCacheBudget) { Random(false, 1, 1000, 3); }

}  // namespace
}  // namespace ambrel::regexp
