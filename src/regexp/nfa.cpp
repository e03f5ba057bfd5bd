#include "regexp/nfa.h"

#include <algorithm>
#include <map>
#include <random>
#include <stdexcept>
#include <unordered_map>

namespace ambrel::regexp {

namespace {

struct Size {
  std::uint64_t states = 0;
  std::uint64_t trans = 0;
};

constexpr std::uint64_t kCap = std::uint64_t{1} << 50;

std::uint64_t Sat(std::uint64_t a, std::uint64_t b) { return std::min(kCap, a + b); }

// Size of the unfolded (exact) construction, memoised over the DAG.
Size Unfolded(const TRENode* n, std::unordered_map<const TRENode*, Size>& memo) {
  auto it = memo.find(n);
  if (it != memo.end()) return it->second;
  Size s;
  switch (n->kind) {
    case nkCharRange:
    case nkLHead:
    case nkLTail:
    case nkEmpty:
      s.trans = 1;
      break;
    case nkConcat: {
      const Size l = Unfolded(n->left, memo), r = Unfolded(n->right, memo);
      s.states = Sat(1, Sat(l.states, r.states));
      s.trans = Sat(l.trans, r.trans);
      break;
    }
    case nkUnion: {
      const Size l = Unfolded(n->left, memo), r = Unfolded(n->right, memo);
      s.states = Sat(l.states, r.states);
      s.trans = Sat(l.trans, r.trans);
      break;
    }
    case nkStar: {
      const Size l = Unfolded(n->left, memo);
      s.states = Sat(2, l.states);
      s.trans = Sat(3, l.trans);
      break;
    }
    default:
      throw std::runtime_error(msg::kNfaFatal);
  }
  memo.emplace(n, s);
  return s;
}

}  // namespace

std::uint32_t TRE_NFA::AddState() {
  states_.emplace_back();
  return static_cast<std::uint32_t>(states_.size() - 1);
}

void TRE_NFA::AddTransition(std::uint32_t from, std::uint32_t to, Code lo, Code hi) {
  TRE_NFATransition t;
  t.lo = lo;
  t.hi = hi;
  t.target = to;
  states_[from].push_back(t);
}

void TRE_NFA::Generate(const TRENode* n, std::uint32_t a, std::uint32_t b) {
  switch (n->kind) {
    case nkCharRange:
      AddTransition(a, b, n->lo, n->hi);
      break;
    case nkLHead:
      if (a == EntryState) {
        HasLineHead = true;
        AddTransition(a, b, kLineHeadChar, kLineHeadChar);
      } else {
        AddTransition(a, b, n->lo, n->lo);
      }
      break;
    case nkLTail:
      if (b == ExitState) {
        HasLineTail = true;
        AddTransition(a, b, kLineTailChar, kLineTailChar);
      } else {
        AddTransition(a, b, n->lo, n->lo);
      }
      break;
    case nkConcat: {
      if (Compact && a != EntryState && b != ExitState && n->right->kind == nkStar && n->right->left == n->left) {
        // P+ as a loop over one copy of P (no anchor can occur inside).
        const std::uint32_t x = AddState();
        const std::uint32_t y = AddState();
        AddTransition(a, x, kEmptyChar, kEmptyChar);
        Generate(n->left, x, y);
        AddTransition(y, x, kEmptyChar, kEmptyChar);
        AddTransition(y, b, kEmptyChar, kEmptyChar);
        break;
      }
      const std::uint32_t c = AddState();
      Generate(n->left, a, c);
      Generate(n->right, c, b);
      break;
    }
    case nkUnion:
      Generate(n->left, a, b);
      Generate(n->right, a, b);
      break;
    case nkStar: {
      const std::uint32_t c = AddState();
      const std::uint32_t d = AddState();
      AddTransition(a, c, kEmptyChar, kEmptyChar);
      Generate(n->left, c, d);
      AddTransition(d, c, kEmptyChar, kEmptyChar);
      AddTransition(c, b, kEmptyChar, kEmptyChar);
      break;
    }
    case nkEmpty:
      AddTransition(a, b, kEmptyChar, kEmptyChar);
      break;
    default:
      throw std::runtime_error(msg::kNfaFatal);
  }
}

void TRE_NFA::Run(const TREParseTree& tree) {
  states_.clear();
  HasLineHead = HasLineTail = false;
  std::unordered_map<const TRENode*, Size> memo;
  const Size s = Unfolded(tree.Root, memo);
  Compact = s.states > kExactStateBudget || s.trans > kExactTransitionBudget;
  AddState();
  AddState();
  Generate(tree.Root, EntryState, ExitState);
  BuildClasses();
}

int TRE_NFA::ClassOf(Code c) const {
  const auto it = std::upper_bound(bounds_.begin(), bounds_.end(), static_cast<std::uint32_t>(c));
  if (it == bounds_.begin()) return interval_class_[0];  // code 0: never in a text
  return interval_class_[static_cast<std::size_t>(it - bounds_.begin() - 1)];
}

void TRE_NFA::ClassesOf(std::uint32_t first, int count, std::int32_t* out) const {
  auto it = std::upper_bound(bounds_.begin(), bounds_.end(), first);
  std::size_t idx = it == bounds_.begin() ? 0 : static_cast<std::size_t>(it - bounds_.begin() - 1);
  for (int i = 0; i < count; ++i) {
    const std::uint32_t c = first + static_cast<std::uint32_t>(i);
    while (idx + 1 < bounds_.size() && bounds_[idx + 1] <= c) ++idx;
    out[i] = interval_class_[idx];
  }
}

bool TRE_NFA::SameInterval(std::uint32_t lo, std::uint32_t hi) const {
  const auto a = std::upper_bound(bounds_.begin(), bounds_.end(), lo);
  const auto b = std::upper_bound(bounds_.begin(), bounds_.end(), hi);
  return a == b;
}

void TRE_NFA::BuildClasses() {
  // Distinct ordinary labels.
  std::map<std::pair<Code, Code>, std::int32_t> ids;
  for (auto& chain : states_)
    for (auto& t : chain) {
      if (t.lo >= kLineHeadChar) continue;  // empty and anchor labels
      auto [it, fresh] = ids.emplace(std::make_pair(t.lo, t.hi), static_cast<std::int32_t>(labels_.size()));
      if (fresh) labels_.push_back({t.lo, t.hi});
      t.label = it->second;
    }
  std::vector<std::uint32_t> b = {1, 0x10000, 10, 11, 13, 14};
  for (auto& [lo, hi] : labels_) {
    b.push_back(lo);
    b.push_back(static_cast<std::uint32_t>(hi) + 1);
  }
  std::sort(b.begin(), b.end());
  b.erase(std::unique(b.begin(), b.end()), b.end());
  b.pop_back();  // 0x10000 ends the last interval
  bounds_ = b;
  const std::size_t n = bounds_.size();
  auto interval = [&](std::uint32_t c) {
    return static_cast<std::size_t>(std::upper_bound(bounds_.begin(), bounds_.end(), c) - bounds_.begin() - 1);
  };
  // Signature of an interval: the set of labels covering it (as two random sums).
  std::mt19937_64 rng(0x9E3779B97F4A7C15ull);
  std::vector<std::uint64_t> d1(n + 1, 0), d2(n + 1, 0);
  for (auto& [lo, hi] : labels_) {
    const std::uint64_t r1 = rng(), r2 = rng();
    const std::size_t x = interval(lo), y = interval(hi);
    d1[x] += r1;
    d2[x] += r2;
    d1[y + 1] -= r1;
    d2[y + 1] -= r2;
  }
  const std::uint64_t lf1 = rng(), lf2 = rng(), cr1 = rng(), cr2 = rng();
  std::map<std::pair<std::uint64_t, std::uint64_t>, std::int32_t> classes;
  interval_class_.assign(n, 0);
  std::uint64_t s1 = 0, s2 = 0;
  for (std::size_t i = 0; i < n; ++i) {
    s1 += d1[i];
    s2 += d2[i];
    std::uint64_t k1 = s1, k2 = s2;
    if (bounds_[i] == 10) k1 += lf1, k2 += lf2;
    if (bounds_[i] == 13) k1 += cr1, k2 += cr2;
    auto [it, fresh] = classes.emplace(std::make_pair(k1, k2), static_cast<std::int32_t>(classes.size()));
    interval_class_[i] = it->second;
  }
  class_count_ = static_cast<int>(classes.size());
  class_labels_.assign(static_cast<std::size_t>(class_count_), {});
  std::vector<bool> done(static_cast<std::size_t>(class_count_), false);
  for (std::size_t i = 0; i < n; ++i) {
    const auto k = static_cast<std::size_t>(interval_class_[i]);
    if (done[k]) continue;
    done[k] = true;
    const std::uint32_t c = bounds_[i];
    for (std::size_t l = 0; l < labels_.size(); ++l)
      if (labels_[l].first <= c && c <= labels_[l].second) class_labels_[k].push_back(static_cast<std::int32_t>(l));
  }
}

}  // namespace ambrel::regexp
