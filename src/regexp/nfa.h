// The nondeterministic automaton of a parse tree, and
// the partition of the character codes into equivalence classes.
//
// The construction is GenerateStateList's, state for state and
// transition for transition, as long as the unfolded automaton fits a fixed
// budget. A `+` shares its operand in the tree (a DAG), so nested `+` would
// unfold exponentially; beyond the budget, a `+` that cannot hold an anchor
// (neither its entry is EntryState nor its exit ExitState) is built as a
// loop over one copy of its operand. The language of every sub-automaton,
// and so every match result, stays the same; only the state numbering differs.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "regexp/parser.h"

namespace ambrel::regexp {

struct TRE_NFATransition {
  Code lo = 0;
  Code hi = 0;
  std::uint32_t target = 0;
  std::int32_t label = -1;  // index into TRE_NFA::labels_, -1 for empty/anchor
};

class TRE_NFA {
 public:
  static constexpr std::uint32_t EntryState = 0;
  static constexpr std::uint32_t ExitState = 1;
  // Budget of the exact (unfolded) construction.
  static constexpr std::uint64_t kExactStateBudget = 1u << 17;
  static constexpr std::uint64_t kExactTransitionBudget = 1u << 19;

  // Builds the automaton of the tree (which must outlive only this call).
  void Run(const TREParseTree& tree);

  bool HasLineHead = false;
  bool HasLineTail = false;
  bool Compact = false;  // true when the loop construction was used

  std::size_t StateCount() const { return states_.size(); }
  // Transitions of a state in addition order (GenerateStateList's chain order is the reverse).
  const std::vector<TRE_NFATransition>& Transitions(std::uint32_t s) const { return states_[s]; }

  // ------------------------------------------------ equivalence classes
  // Codes 1..0xFFFF fall into ClassCount() classes; two codes of one class
  // behave alike on every transition. CR and LF have classes of their own.
  int ClassCount() const { return class_count_; }
  int ClassOf(Code c) const;
  // Classes of the count codes first, first + 1, ... (one search, then a walk).
  void ClassesOf(std::uint32_t first, int count, std::int32_t* out) const;
  // True when the codes lo..hi lie in one interval of the partition.
  bool SameInterval(std::uint32_t lo, std::uint32_t hi) const;
  int LfClass() const { return ClassOf(10); }
  int CrClass() const { return ClassOf(13); }
  // Labels (distinct ordinary ranges, literal anchors included) covering a class: at most two.
  const std::vector<std::int32_t>& ClassLabels(int k) const { return class_labels_[static_cast<std::size_t>(k)]; }
  Code LabelLo(std::int32_t label) const { return labels_[static_cast<std::size_t>(label)].first; }
  Code LabelHi(std::int32_t label) const { return labels_[static_cast<std::size_t>(label)].second; }
  // The partition itself, interval by interval (codes lo..hi of class k).
  std::size_t IntervalCount() const { return bounds_.size(); }
  std::uint32_t IntervalLo(std::size_t i) const { return bounds_[i]; }
  std::uint32_t IntervalHi(std::size_t i) const { return i + 1 < bounds_.size() ? bounds_[i + 1] - 1 : 0xFFFF; }
  int IntervalClass(std::size_t i) const { return interval_class_[i]; }

 private:
  std::uint32_t AddState();
  void AddTransition(std::uint32_t from, std::uint32_t to, Code lo, Code hi);
  void Generate(const TRENode* node, std::uint32_t a, std::uint32_t b);
  void BuildClasses();

  std::vector<std::vector<TRE_NFATransition>> states_;
  std::vector<std::pair<Code, Code>> labels_;
  std::vector<std::uint32_t> bounds_;        // interval starts, ascending, bounds_[0] = 1
  std::vector<std::int32_t> interval_class_; // class of each interval
  std::vector<std::vector<std::int32_t>> class_labels_;
  int class_count_ = 0;
};

}  // namespace ambrel::regexp
