// The literal reference automaton and matchers, kept in the tests only as the oracle:
// the NFA of GenerateStateList with front-inserted chains, the eager subset
// construction (TRE_DFA.Run) with its grouping, Register and sorted chains,
// NextState, and the matchers MatchAt, MatchHead, MatchPlain and
// MatchWithAnchors exactly as written (quadratic and exponential as they are).
// The front end (scanner, pre-processor, parser) is the engine's own, which
// is exact by construction.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sjis.h"
#include "regexp/fuzzy_dic.h"
#include "regexp/parser.h"
#include "regexp/scanner.h"

namespace ambrel::regexp::reference {

struct TooBig : std::runtime_error {
  TooBig() : std::runtime_error("reference automaton too big") {}
};

struct Label {
  Code lo, hi;
};

class RefNFA {
 public:
  struct Trans {
    Label label;
    int target;
  };
  explicit RefNFA(std::size_t cap) : cap_(cap) {}
  void Run(const TREParseTree& tree) {
    AddState();
    AddState();
    Generate(tree.Root, 0, 1);
  }
  std::vector<std::vector<Trans>> chains;  // chain order (front = newest)
  bool HasLineHead = false, HasLineTail = false;

 private:
  int AddState() {
    if (chains.size() >= cap_) throw TooBig();
    chains.emplace_back();
    return static_cast<int>(chains.size()) - 1;
  }
  void Add(int from, int to, Code lo, Code hi) {
    auto& c = chains[static_cast<std::size_t>(from)];
    c.insert(c.begin(), Trans{{lo, hi}, to});
  }
  void Generate(const TRENode* n, int a, int b) {
    switch (n->kind) {
      case nkCharRange: Add(a, b, n->lo, n->hi); break;
      case nkLHead:
        if (a == 0) {
          HasLineHead = true;
          Add(a, b, 0xFFFD, 0xFFFD);
        } else {
          Add(a, b, n->lo, n->lo);
        }
        break;
      case nkLTail:
        if (b == 1) {
          HasLineTail = true;
          Add(a, b, 0xFFFE, 0xFFFE);
        } else {
          Add(a, b, n->lo, n->lo);
        }
        break;
      case nkConcat: {
        const int c = AddState();
        Generate(n->left, a, c);
        Generate(n->right, c, b);
        break;
      }
      case nkUnion:
        Generate(n->left, a, b);
        Generate(n->right, a, b);
        break;
      case nkStar: {
        const int c = AddState();
        const int d = AddState();
        Add(a, c, 0xFFFF, 0xFFFF);
        Generate(n->left, c, d);
        Add(d, c, 0xFFFF, 0xFFFF);
        Add(c, b, 0xFFFF, 0xFFFF);
        break;
      }
      case nkEmpty: Add(a, b, 0xFFFF, 0xFFFF); break;
      default: throw std::runtime_error(msg::kNfaFatal);
    }
  }
  std::size_t cap_;
};

// TRE_NFAStateSet: (states div 8) + 1 bytes.
using StateSet = std::vector<std::uint8_t>;

class RefDFA {
 public:
  struct DTrans {
    Label label;
    int target;
  };
  struct DState {
    StateSet set;
    bool visited = false;
    bool accepting = false;
    std::vector<DTrans> chain;
  };

  RefDFA(const RefNFA& nfa, std::size_t cap) : nfa_(nfa), cap_(cap) {}

  void Run() {
    HasLineHead = nfa_.HasLineHead;
    HasLineTail = nfa_.HasLineTail;
    StateSet init = NewSet();
    Include(init, 0);
    Close(init);
    Register(init);
    for (std::size_t i = 0; i < states.size(); ++i) {
      DState& s = *states[i];
      s.visited = true;
      struct Group {
        Label label;
        StateSet set;
      };
      std::vector<Group> groups;  // front = newest
      const int n = static_cast<int>(nfa_.chains.size());
      for (int q = 0; q < n; ++q) {
        if (!Test(states[i]->set, q)) continue;
        for (const auto& t : nfa_.chains[static_cast<std::size_t>(q)]) {
          if (t.label.lo == 0xFFFF) continue;
          auto g = std::find_if(groups.begin(), groups.end(), [&](const Group& x) {
            return x.label.lo == t.label.lo && x.label.hi == t.label.hi;
          });
          if (g != groups.end()) {
            Include(g->set, t.target);
          } else {
            Group ng{t.label, NewSet()};
            Include(ng.set, t.target);
            groups.insert(groups.begin(), std::move(ng));
          }
        }
      }
      for (auto& g : groups) {
        Close(g.set);
        const int target = Register(g.set);
        auto& chain = states[i]->chain;
        chain.insert(chain.begin(), DTrans{g.label, target});
      }
    }
    for (auto& s : states)
      std::stable_sort(s->chain.begin(), s->chain.end(),
                       [](const DTrans& a, const DTrans& b) { return a.label.lo < b.label.lo; });
  }

  int NextState(int s, Code c) const {
    if (s < 0) return -1;
    for (const auto& t : states[static_cast<std::size_t>(s)]->chain) {
      if (c < t.label.lo) return -1;
      if (c <= t.label.hi) return t.target;
    }
    return -1;
  }

  std::vector<std::unique_ptr<DState>> states;
  bool HasLineHead = false, HasLineTail = false;

 private:
  StateSet NewSet() const { return StateSet(nfa_.chains.size() / 8 + 1, 0); }
  static void Include(StateSet& s, int q) { s[static_cast<std::size_t>(q) / 8] |= static_cast<std::uint8_t>(1u << (q % 8)); }
  static bool Test(const StateSet& s, int q) { return (s[static_cast<std::size_t>(q) / 8] >> (q % 8)) & 1u; }
  void Follow(StateSet& s, int q) const {
    for (const auto& t : nfa_.chains[static_cast<std::size_t>(q)]) {
      if (t.label.lo != 0xFFFF || Test(s, t.target)) continue;
      Include(s, t.target);
      Follow(s, t.target);
    }
  }
  void Close(StateSet& s) const {
    const int n = static_cast<int>(nfa_.chains.size());
    for (int q = 0; q < n; ++q)
      if (Test(s, q)) Follow(s, q);
  }
  int Register(StateSet& set) {
    for (std::size_t i = 0; i < states.size(); ++i)
      if (states[i]->set == set) return static_cast<int>(i);
    if (states.size() >= cap_) throw TooBig();
    auto d = std::make_unique<DState>();
    d->accepting = Test(set, 1);
    d->set = std::move(set);
    states.push_back(std::move(d));
    return static_cast<int>(states.size()) - 1;
  }
  const RefNFA& nfa_;
  std::size_t cap_;
};

struct Result {
  bool error = false;
  std::string message;
  std::uint16_t error_pos = 0;
  int start = 0;   // 1-based, 0 = no match
  int length = 0;
  bool operator==(const Result& o) const {
    return error == o.error && message == o.message && error_pos == o.error_pos && start == o.start &&
           length == o.length;
  }
};

// One compiled expression of the reference.
class RefRegExp {
 public:
  // Throws TooBig when the automaton exceeds the caps; syntax errors are
  // reported through error().
  RefRegExp(const std::string& pattern, bool fuzzy, bool synonym = false, std::size_t nfa_cap = 4000,
            std::size_t dfa_cap = 4000) {
    try {
      TREPreProcessor pre;
      pre.FuzzyCharDics.push_back(&FuzzyCharDic());
      pre.UseFuzzyCharDic = fuzzy;
      pre.UseSynonymDic = synonym;
      pre.SetText(pattern);
      pre.Run();
      TREParser parser(pre.Result());
      parser.Run();
      nfa_ = std::make_unique<RefNFA>(nfa_cap);
      nfa_->Run(parser.Tree());
      dfa_ = std::make_unique<RefDFA>(*nfa_, dfa_cap);
      dfa_->Run();
    } catch (const ERegExpParser& e) {
      error_ = true;
      message_ = e.what();
      pos_ = e.ErrorPos;
    }
  }
  bool error() const { return error_; }

  Result Match(const std::string& text, bool lf_mode) const {
    Result r;
    if (error_) {
      r.error = true;
      r.message = message_;
      r.error_pos = pos_;
      return r;
    }
    std::string z = text;
    return MatchZ(z.c_str(), lf_mode);
  }

  // The same on a zero-terminated text, without copying it.
  Result MatchZ(const char* text, bool lf_mode) const {
    Result r;
    if (error_) {
      r.error = true;
      r.message = message_;
      r.error_pos = pos_;
      return r;
    }
    lf_ = lf_mode;
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
    const unsigned char *ms = nullptr, *me = nullptr;
    const bool found = (dfa_->HasLineHead || dfa_->HasLineTail) ? MatchWithAnchors(t, ms, me) : MatchPlain(t, ms, me);
    if (found) {
      r.start = static_cast<int>(ms - t) + 1;
      r.length = static_cast<int>(me - ms);
    }
    return r;
  }

 private:
  using P = const unsigned char*;
  static Code ReadChar(P& cur) {
    const unsigned char b = *cur;
    if (b == 0) return 0;
    if (sjis::IsLeadByte(b) && cur[1] != 0) {
      const Code c = static_cast<Code>(b * 256 + cur[1]);
      cur += 2;
      return c;
    }
    cur += 1;
    return b;
  }
  static P Advance(P p) { return p + ((sjis::IsLeadByte(*p) && p[1] != 0) ? 2 : 1); }
  bool IsLineSeparator(Code ch) const { return lf_ ? ch == 10 : ch == 13; }
  bool Accepting(int s) const { return dfa_->states[static_cast<std::size_t>(s)]->accepting; }

  // MatchAt (p, s): end position or nullptr.
  P MatchAt(P p, int s) const {
    if (s < 0) return nullptr;
    P result = nullptr;
    P cursor = p;
    int last = s;
    Code c = 0;
    while (true) {
      if (Accepting(s)) result = cursor;
      last = s;
      c = ReadChar(cursor);
      s = dfa_->NextState(s, c);
      if (s < 0) break;
    }
    if ((IsLineSeparator(c) || c == 0) && dfa_->NextState(last, 0xFFFE) >= 0) return c != 0 ? cursor - 1 : cursor;
    return result;
  }
  P MatchHead(P p) const {
    if (!dfa_->HasLineHead) return MatchAt(p, 0);
    P e1 = MatchAt(p, dfa_->NextState(0, 0xFFFD));
    if (e1 == nullptr) return nullptr;
    P e2 = MatchAt(p, 0);
    return (e2 != nullptr && e2 >= e1) ? e2 : e1;
  }
  bool MatchPlain(P text, P& ms, P& me) const {
    if (*text == 0 && Accepting(0)) {
      ms = me = text;
      return true;
    }
    for (P p = text; *p != 0; p = Advance(p)) {
      int s = 0;
      P cursor = p;
      bool rec = false;
      while (true) {
        if (Accepting(s)) {
          ms = p;
          me = cursor;
          rec = true;
        }
        const Code c = ReadChar(cursor);
        s = dfa_->NextState(s, c);
        if (s < 0) break;
      }
      if (rec) return true;
    }
    return false;
  }
  bool MatchWithAnchors(P text, P& ms, P& me) const {
    if (P e = MatchHead(text)) {
      ms = text;
      me = e;
      return true;
    }
    P p = text;
    for (; *p != 0; p = Advance(p)) {
      if (P e = MatchAt(p, 0)) {
        ms = p;
        me = e;
        return true;
      }
      if (*p == 10 && dfa_->HasLineHead) {
        if (P e = MatchHead(p + 1)) {
          ms = p + 1;
          me = e;
          return true;
        }
      }
    }
    if (dfa_->HasLineTail && dfa_->NextState(0, 0xFFFE) >= 0) {
      ms = me = p;
      return true;
    }
    return false;
  }

  bool error_ = false;
  std::string message_;
  std::uint16_t pos_ = 0;
  std::unique_ptr<RefNFA> nfa_;
  std::unique_ptr<RefDFA> dfa_;
  mutable bool lf_ = false;
};

}  // namespace ambrel::regexp::reference
