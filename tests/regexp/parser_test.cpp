#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "regexp/parser.h"

namespace ambrel::regexp {
namespace {

using Ranges = std::vector<std::pair<int, int>>;

Ranges Leaves(const TREParseTree& t) {
  Ranges r;
  for (auto* l : t.LeafList) r.push_back({l->lo, l->hi});
  std::sort(r.begin(), r.end());
  return r;
}

// Ranges reachable as leaves under a node (walking unions only).
void Collect(const TRENode* n, Ranges& out) {
  if (n->kind == nkCharRange) {
    out.push_back({n->lo, n->hi});
  } else if (n->kind == nkUnion) {
    Collect(n->left, out);
    Collect(n->right, out);
  }
}

std::pair<std::string, int> ParseError(const std::string& text) {
  try {
    TREParser p(text);
    p.Run();
  } catch (const ERegExpParser& e) {
    return {e.what(), e.ErrorPos};
  }
  return {"", -1};
}

TEST(RegexpParser, EmptyForms) {
  for (const char* s : {"", "()"}) {
    TREParser p(s);
    p.Run();
    EXPECT_EQ(p.Tree().Root->kind, nkEmpty) << s;
  }
  TREParser p("|");
  p.Run();
  EXPECT_EQ(p.Tree().Root->kind, nkUnion);
  EXPECT_EQ(p.Tree().Root->left->kind, nkEmpty);
  EXPECT_EQ(p.Tree().Root->right->kind, nkEmpty);
}

TEST(RegexpParser, PlusSharesItsOperand) {
  TREParser p("a+");
  p.Run();
  const TRENode* r = p.Tree().Root;
  ASSERT_EQ(r->kind, nkConcat);
  ASSERT_EQ(r->right->kind, nkStar);
  EXPECT_EQ(r->left, r->right->left);
  EXPECT_EQ(p.Tree().LeafList.size(), 1u);
}

TEST(RegexpParser, SharedLeaves) {
  TREParser p("aa");
  p.Run();
  EXPECT_EQ(p.Tree().Root->left, p.Tree().Root->right);
}

TEST(RegexpParser, OperandErrors) {
  for (const char* s : {"*a", "a**", "a+?", "a|*"})
    EXPECT_EQ(ParseError(s).first, "普通の文字、または左括弧\"(\"が必要です") << s;
  EXPECT_EQ(ParseError("a)").first, "正規表現に余分な文字があります");
  EXPECT_EQ(ParseError("(a").first, "右(閉じ)括弧が必要です");
  EXPECT_EQ(ParseError("[]").first, "不正なキャラクタクラス指定です。");
  EXPECT_EQ(ParseError("[^]").first, "不正なキャラクタクラス指定です。");
  EXPECT_EQ(ParseError("a]").first, "普通の文字、または左括弧\"(\"が必要です");
  EXPECT_EQ(ParseError("a)").second, 3);
  EXPECT_EQ(ParseError("*a").second, 2);
}

TEST(RegexpParser, ReservedCodesAndEmptyNegationRejected) {
  for (const char* s : {"\\0", "a\\x0", "\\xFFFD", "\\xFFFF", "[\\x01-\\xFFFE]", "[\\0]"})
    EXPECT_EQ(ParseError(s).first, "使用できない文字コードです。") << s;
  EXPECT_EQ(ParseError("[^\\x01-\\xFCFC]").first, "不正なキャラクタクラス指定です。");
  EXPECT_EQ(ParseError("[^\\x01-\\xFCFC]").second, 15);
}

TEST(RegexpParser, Disjoint) {
  TREParser p("[a-fd-k]");
  p.Run();
  EXPECT_EQ(Leaves(p.Tree()), (Ranges{{'a', 'c'}, {'d', 'f'}, {'g', 'k'}}));
  Ranges under;
  Collect(p.Tree().Root, under);
  std::sort(under.begin(), under.end());
  under.erase(std::unique(under.begin(), under.end()), under.end());
  EXPECT_EQ(under, (Ranges{{'a', 'c'}, {'d', 'f'}, {'g', 'k'}}));
}

TEST(RegexpParser, NegatedClass) {
  TREParser p("[^a]");
  p.Run();
  EXPECT_EQ(Leaves(p.Tree()), (Ranges{{1, 9}, {11, 12}, {14, 0x60}, {0x62, 0xFCFC}}));
  TREParser q("[^\\x01-\\x09]");
  q.Run();
  EXPECT_EQ(Leaves(q.Tree()), (Ranges{{11, 12}, {14, 0xFCFC}}));
}

TEST(RegexpParser, AnyChar) {
  TREParser p(".");
  p.Run();
  EXPECT_EQ(Leaves(p.Tree()), (Ranges{{1, 9}, {11, 12}, {14, 0xFCFC}}));
}

TEST(RegexpParser, DisjointAfterOverlaps) {
  TREParser p("[a-z].[m-q]x[b-c]");
  p.Run();
  const Ranges l = Leaves(p.Tree());
  for (std::size_t i = 0; i + 1 < l.size(); ++i) EXPECT_LT(l[i].second, l[i + 1].first);
}

}  // namespace
}  // namespace ambrel::regexp
