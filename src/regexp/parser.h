// Expression parser and parse tree.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "regexp/scanner.h"

namespace ambrel::regexp {

enum TRENodeKind : std::uint8_t {
  nkCharRange = 0,
  nkLHead = 1,
  nkLTail = 2,
  nkConcat = 3,
  nkUnion = 4,
  nkStar = 5,
  nkEmpty = 6,
};

struct TRENode {
  std::uint8_t kind = nkEmpty;
  TRENode* left = nullptr;
  TRENode* right = nullptr;
  Code lo = 0;  // leaf range, or the written code of an anchor node
  Code hi = 0;
};

// Owns every record in two lists (leaves, other nodes). Leaves are shared.
class TREParseTree {
 public:
  TREParseTree() = default;
  virtual ~TREParseTree() = default;
  TREParseTree(const TREParseTree&) = delete;
  TREParseTree& operator=(const TREParseTree&) = delete;

  TRENode* MakeNode(std::uint8_t kind, TRENode* left, TRENode* right);
  TRENode* MakeLeaf(Code lo, Code hi);
  TRENode* MakeLeafOrNone(int lo, int hi);  // none when hi < lo
  virtual TRENode* MakeAnyCharNode();
  void ChangeLeafToNode(TRENode* leaf, TRENode* left, TRENode* right);
  void ForceCharClassesDisjoint();
  void Clear();

  TRENode* Root = nullptr;
  std::vector<TRENode*> LeafList;
  std::vector<TRENode*> NodeList;

 private:
  bool SplitPair(TRENode* x, TRENode* y);
  std::vector<std::unique_ptr<TRENode>> storage_;
};

class TREParser {
 public:
  explicit TREParser(std::string text);
  void Run();
  TREParseTree& Tree() { return tree_; }
  const TREParseTree& Tree() const { return tree_; }

 private:
  [[noreturn]] void Error(const char* message) const;
  void Next() { scanner_.GetToken(); }
  TREToken Tok() const { return scanner_.Token(); }
  TRENode* Regexp();
  TRENode* Term();
  TRENode* Factor();
  TRENode* Primary();
  TRENode* CharClass(TREParseTree& tree);  // members up to `]`, into tree
  TRENode* NegativeCharClass();
  TRENode* MemberLeaf(TREParseTree& tree);

  TREScanner scanner_;
  TREParseTree tree_;
};

}  // namespace ambrel::regexp
