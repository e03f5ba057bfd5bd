#include "regexp/parser.h"

#include <algorithm>
#include <stdexcept>

namespace ambrel::regexp {

// ------------------------------------------------------------- parse tree

TRENode* TREParseTree::MakeNode(std::uint8_t kind, TRENode* left, TRENode* right) {
  storage_.push_back(std::make_unique<TRENode>());
  TRENode* n = storage_.back().get();
  n->kind = kind;
  n->left = left;
  n->right = right;
  NodeList.push_back(n);
  return n;
}

TRENode* TREParseTree::MakeLeaf(Code lo, Code hi) {
  for (TRENode* l : LeafList)
    if (l->lo == lo && l->hi == hi) return l;
  storage_.push_back(std::make_unique<TRENode>());
  TRENode* n = storage_.back().get();
  n->kind = nkCharRange;
  n->lo = lo;
  n->hi = hi;
  LeafList.push_back(n);
  return n;
}

TRENode* TREParseTree::MakeLeafOrNone(int lo, int hi) {
  if (hi < lo) return nullptr;
  return MakeLeaf(static_cast<Code>(lo), static_cast<Code>(hi));
}

TRENode* TREParseTree::MakeAnyCharNode() {
  TRENode* a = MakeLeaf(1, 9);
  TRENode* b = MakeLeaf(11, 12);
  TRENode* ab = MakeNode(nkUnion, a, b);
  TRENode* c = MakeLeaf(14, kAnyCharLast);
  return MakeNode(nkUnion, ab, c);
}

void TREParseTree::ChangeLeafToNode(TRENode* leaf, TRENode* left, TRENode* right) {
  if (left == nullptr || right == nullptr) throw std::runtime_error(msg::kTreeFatal);
  auto it = std::find(LeafList.begin(), LeafList.end(), leaf);
  if (it == LeafList.end()) throw std::runtime_error(msg::kTreeFatal);
  LeafList.erase(it);
  leaf->kind = nkUnion;
  leaf->left = left;
  leaf->right = right;
  NodeList.push_back(leaf);
}

bool TREParseTree::SplitPair(TRENode* x, TRENode* y) {
  TRENode* p = x;
  TRENode* q = y;
  if (q->lo < p->lo) std::swap(p, q);
  if (p->lo == q->lo && p->hi == q->hi) return false;
  if (q->lo > p->hi) return false;  // no overlap
  const int m = std::min<int>(p->hi, q->hi);
  const int big = std::max<int>(p->hi, q->hi);
  const int plo = p->lo, phi = p->hi, qlo = q->lo, qhi = q->hi;
  TRENode* before = MakeLeafOrNone(plo, qlo - 1);
  TRENode* overlap = MakeLeafOrNone(qlo, m);
  TRENode* after = MakeLeafOrNone(m + 1, big);
  if (before != nullptr) {
    if (after == nullptr) {
      ChangeLeafToNode(p, before, overlap);
    } else if (qhi > phi) {
      ChangeLeafToNode(p, before, overlap);
      ChangeLeafToNode(q, overlap, after);
    } else {
      TRENode* inner = MakeNode(nkUnion, before, overlap);
      ChangeLeafToNode(p, inner, after);
    }
  } else {
    if (after == nullptr) return false;
    if (qhi > phi) {
      ChangeLeafToNode(q, overlap, after);
    } else {
      ChangeLeafToNode(p, overlap, after);
    }
  }
  return true;
}

void TREParseTree::ForceCharClassesDisjoint() {
  std::size_t i = 0;
  while (i < LeafList.size()) {
    bool changed = false;
    for (std::size_t j = i + 1; j < LeafList.size(); ++j) {
      if (SplitPair(LeafList[i], LeafList[j])) {
        changed = true;
        break;
      }
    }
    if (!changed) ++i;
  }
}

void TREParseTree::Clear() {
  LeafList.clear();
  NodeList.clear();
  storage_.clear();
  Root = nullptr;
}

// ----------------------------------------------------------------- parser

TREParser::TREParser(std::string text) : scanner_(std::move(text)) {}

void TREParser::Error(const char* message) const {
  throw ERegExpParser(message, static_cast<std::uint16_t>(scanner_.Position()));
}

void TREParser::Run() {
  tree_.Clear();
  scanner_.SetText(scanner_.Text());
  Next();
  tree_.Root = Regexp();
  if (Tok() != tkEnd) Error(msg::kExtraChars);
  tree_.ForceCharClassesDisjoint();
}

TRENode* TREParser::Regexp() {
  TRENode* n = Term();
  while (Tok() == tkUnion) {
    Next();
    TRENode* t = Term();
    n = tree_.MakeNode(nkUnion, n, t);
  }
  return n;
}

TRENode* TREParser::Term() {
  auto stop = [this] { return Tok() == tkUnion || Tok() == tkRPar || Tok() == tkEnd; };
  if (stop()) return tree_.MakeNode(nkEmpty, nullptr, nullptr);
  TRENode* n = Factor();
  while (!stop()) {
    TRENode* f = Factor();
    n = tree_.MakeNode(nkConcat, n, f);
  }
  return n;
}

TRENode* TREParser::Factor() {
  TRENode* p = Primary();
  switch (Tok()) {
    case tkStar:
      Next();
      return tree_.MakeNode(nkStar, p, nullptr);
    case tkPlus: {
      Next();
      TRENode* s = tree_.MakeNode(nkStar, p, nullptr);
      return tree_.MakeNode(nkConcat, p, s);
    }
    case tkQuestion: {
      Next();
      TRENode* e = tree_.MakeNode(nkEmpty, nullptr, nullptr);
      return tree_.MakeNode(nkUnion, p, e);
    }
    default:
      return p;
  }
}

TRENode* TREParser::Primary() {
  TRENode* n = nullptr;
  switch (Tok()) {
    case tkChar: {
      const Code c = scanner_.Symbol;
      if (c == 0 || c >= kLineHeadChar) Error(msg::kReservedCode);
      n = tree_.MakeLeaf(c, c);
      Next();
      return n;
    }
    case tkLPar:
      Next();
      n = Regexp();
      if (Tok() != tkRPar) Error(msg::kNeedRPar);
      Next();
      return n;
    case tkLBracket:
      n = CharClass(tree_);
      if (Tok() != tkRBracket) Error(msg::kNeedRBracket);
      Next();
      return n;
    case tkLBracketNeg:
      n = NegativeCharClass();
      if (Tok() != tkRBracket) Error(msg::kNeedRBracket);
      Next();
      return n;
    case tkDot:
      n = tree_.MakeAnyCharNode();
      Next();
      return n;
    case tkLHead:
      n = tree_.MakeNode(nkLHead, nullptr, nullptr);
      n->lo = n->hi = scanner_.Symbol;
      Next();
      return n;
    case tkLTail:
      n = tree_.MakeNode(nkLTail, nullptr, nullptr);
      n->lo = n->hi = scanner_.Symbol;
      Next();
      return n;
    default:
      Error(msg::kNeedOperand);
  }
}

TRENode* TREParser::MemberLeaf(TREParseTree& tree) {
  if (Tok() == tkCharRange) {
    const Code lo = scanner_.Symbol, hi = scanner_.Symbol2;
    if (lo == 0 || hi >= kLineHeadChar) Error(msg::kReservedCode);
    return tree.MakeLeaf(lo, hi);
  }
  const Code c = scanner_.Symbol;
  if (c == 0 || c >= kLineHeadChar) Error(msg::kReservedCode);
  return tree.MakeLeaf(c, c);
}

TRENode* TREParser::CharClass(TREParseTree& tree) {
  Next();
  if (Tok() == tkRBracket) Error(msg::kBadClass);
  TRENode* n = MemberLeaf(tree);
  Next();
  while (Tok() != tkRBracket) {
    TRENode* l = MemberLeaf(tree);
    n = tree.MakeNode(nkUnion, n, l);
    Next();
  }
  return n;
}

TRENode* TREParser::NegativeCharClass() {
  TREParseTree a;
  CharClass(a);
  a.ForceCharClassesDisjoint();
  TREParseTree u;
  u.MakeAnyCharNode();
  for (TRENode* p : a.LeafList) {
    std::size_t k = 0;
    while (k < u.LeafList.size()) {
      TRENode* q = u.LeafList[k];
      if (q->lo > p->hi || p->lo > q->hi) {
        ++k;
        continue;
      }
      const int qlo = q->lo, qhi = q->hi, plo = p->lo, phi = p->hi;
      u.LeafList.erase(u.LeafList.begin() + static_cast<std::ptrdiff_t>(k));
      u.MakeLeafOrNone(qlo, plo - 1);
      u.MakeLeafOrNone(phi + 1, qhi);
    }
  }
  if (u.LeafList.empty()) Error(msg::kBadClass);
  TRENode* n = tree_.MakeLeaf(u.LeafList[0]->lo, u.LeafList[0]->hi);
  for (std::size_t k = 1; k < u.LeafList.size(); ++k) {
    TRENode* l = tree_.MakeLeaf(u.LeafList[k]->lo, u.LeafList[k]->hi);
    n = tree_.MakeNode(nkUnion, n, l);
  }
  return n;
}

}  // namespace ambrel::regexp
