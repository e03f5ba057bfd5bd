// The deterministic automaton, built lazily, and the linear-time search.
//
// A DFA state is the closure of a set of NFA states, exactly as the eager
// subset construction makes it, and its transition on a character is the
// NextState rule (including the rule that, of two labels covering the
// character, the one with the lower lo -- and among equal lo the group
// created first -- is followed). States are made on demand, one transition at
// a time, in a cache of fixed size that is emptied when full; the states in
// use are then made again, so results never depend on the cache.
//
// Search (leftmost start, then the longest match there, as MatchPlain and
// MatchWithAnchors define it) is done in two linear passes:
//  1. one forward pass keeps the runs of the automaton started at every
//     character boundary, in order of their start, merging runs that reach
//     the same DFA state (the earlier start wins) -- these ordered lists are
//     themselves states, built lazily and cached like DFA states. The pass
//     ends as soon as the earliest-started live run is known to match: its
//     start is the match start. Without a literal scan this pass is made
//     first without the start positions, noting the last place where the
//     list held only the run started there; the pass with them is then made
//     from that place only.
//  2. one run from that start gives the end (MatchAt / MatchHead); when the
//     run that matched is still at hand, it is simply run on from where the
//     first pass stopped.
// With a literal scan the search starts with the second pass alone (the
// runs are few and short where candidates are rare); where the scans jump
// over less than half of the text, it hands over to the first pass at the
// next place where no run is alive.
// While no run is alive, the first pass jumps to the next place where a match
// can start, found with memchr on a literal prefix or a required byte
// (dfa_prefilter.cpp, sjis_scan.h).
// The text is read through a byte table and, for double-byte characters, a
// two-level table into the equivalence classes of the NFA; starts and ends
// fall only on character boundaries.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "regexp/nfa.h"

namespace ambrel::regexp {

class TRE_DFA {
 public:
  static constexpr std::size_t kDefaultBudget = std::size_t{4} << 20;  // bytes

  // Builds the NFA of the tree; the DFA states are made while matching.
  explicit TRE_DFA(const TREParseTree& tree, std::size_t budget = kDefaultBudget);

  bool HasLineHead() const { return nfa_.HasLineHead; }
  bool HasLineTail() const { return nfa_.HasLineTail; }
  const TRE_NFA& Nfa() const { return nfa_; }

  // Finds the match in text (which ends at its first zero byte); start and
  // end are 0-based byte offsets. lf_mode: `$` matches before LF, not CR.
  bool Search(std::string_view text, bool lf_mode, std::size_t& start, std::size_t& end);

  // The literal scans that jump over text where no match can start (on by
  // default); tests switch them off to check that results never depend on them.
  void SetPrefilter(bool on) {
    prefilter_on_ = on;
    pf_ = Prefilter();
  }
  // What the scan looks for: 0 none, 1 a literal prefix, 2 a required byte.
  int PrefilterKind() {
    PreparePrefilter();
    return pf_.kind;
  }

  // Instrumentation.
  std::size_t MemoryUsed() const { return memory_; }
  std::size_t Budget() const { return budget_; }
  std::size_t ResetCount() const { return resets_; }
  // Searches with a literal scan in which the first pass took over because
  // the scans gained too little.
  std::size_t HandOverCount() const { return hand_overs_; }
  std::size_t StateCount() const { return dstates_.size(); }
  std::size_t SearchStateCount() const { return sc_->sstates.size(); }

 private:
  static constexpr std::int32_t kUnknown = -2;
  static constexpr std::int32_t kDead = -1;
  static constexpr std::int32_t kFlagged = -5;     // marker slot in a run list
  static constexpr std::int32_t kNoMatch = -2;     // search-table value
  static constexpr std::int32_t kSUnknown = -1;    // search-table value
  static std::int32_t Done(std::int32_t slot) { return -3 - slot; }

  struct DState {
    std::uint32_t off = 0, len = 0;  // NFA set in set_pool_
    bool accepting = false;
    bool tail = false;  // has a transition on LineTailChar
  };
  struct SState {
    std::uint32_t off = 0, len = 0;  // run list in slot_pool_
  };

  // Equivalence class of the character at text[i], and its length; a zero
  // byte is the end (class K_), a lead byte before the end a one-byte character.
  void ReadClass(const unsigned char* t, std::size_t i, std::size_t n, int& k, int& len) const {
    const unsigned char b = t[i];
    if (is_lead_[b] && i + 1 < n && t[i + 1] != 0) {
      len = 2;
      const std::int32_t u = lead_uniform_[b];
      k = u >= 0 ? u : lead_tables_[static_cast<std::size_t>(lead_index_[b])][t[i + 1]];
    } else {
      len = 1;
      k = single_[b];
    }
  }

  void BuildTables();
  void ResetAll();
  void ResetSearch();
  std::int32_t InternD(const std::vector<std::uint32_t>& set);
  std::int32_t DNext(std::int32_t s, int k);
  std::int32_t ComputeDNext(std::int32_t s, int k);
  void Closure(std::vector<std::uint32_t>& set);
  bool Flag(std::int32_t s, int k);
  std::int32_t InternS(const std::vector<std::int32_t>& slots);
  std::int32_t ComputeSNext(std::int32_t sid, int k, std::int32_t& map_id);
  std::int32_t InitialSearchState();
  std::int32_t RebuildSearchState(std::int32_t sid);
  std::int32_t RebuildD(std::int32_t s);
  void SetTrans(std::size_t idx, std::int32_t e, std::int32_t m);
  void PrepareSkip();
  std::size_t SkipIdle(const unsigned char* t, std::size_t i, std::size_t n) const;
  std::ptrdiff_t RunFrom(std::int32_t s, const unsigned char* t, std::size_t p, std::size_t n);
  std::int32_t GeneralStep(const unsigned char* t, std::size_t i, std::size_t n, std::int32_t row, int& len,
                           std::int32_t& m, bool& grown);
  std::ptrdiff_t FindRestart(const unsigned char* t, std::size_t n, std::size_t from, int prefilter);
  bool Track(const unsigned char* t, std::size_t n, std::ptrdiff_t from, int prefilter, std::size_t& start,
             std::size_t& end);

  // Every match starts with `literal` (kPrefix), or every match holds the
  // one-byte character `required` and, before its first one, only one-byte
  // characters whose bytes are marked in `before` (kRequired). Found once per
  // expression from the DFA; never used with a line-head anchor.
  struct Prefilter {
    enum Kind { kNone = 0, kPrefix = 1, kRequired = 2 };
    bool ready = false;
    int kind = kNone;
    std::string literal;
    std::size_t rare = 0;  // index of the byte of literal found with memchr
    unsigned char required = 0;
    std::array<bool, 256> before{};
  };
  // Per search: the last required byte found (a boundary) and how far back
  // from it the text is known to hold only `before` bytes.
  struct PrefilterMemo {
    std::size_t hit = SIZE_MAX;
    std::size_t low = 0;
  };
  void PreparePrefilter();
  std::vector<std::int32_t> SoleCodes() const;
  std::int32_t AnalysisNext(std::int32_t s, int k, std::int64_t& work);
  bool FindPrefix();
  void FindRequiredByte();
  std::size_t SkipToPrefix(const unsigned char* t, std::size_t i, std::size_t n) const;
  std::size_t SkipToRequired(const unsigned char* t, std::size_t i, std::size_t n, PrefilterMemo& memo) const;

  TRE_NFA nfa_;
  bool prefilter_on_ = true;
  Prefilter pf_;
  int K_ = 0;           // classes; K_ is also the END column of the search table
  int lf_class_ = 0, cr_class_ = 0, sep_class_ = 0;
  bool lf_mode_ = false;
  std::array<std::int32_t, 256> single_{};
  std::array<bool, 256> is_lead_{};
  std::array<std::int32_t, 256> single2_{};  // 2 * class of a non-lead byte, -1 for a lead byte
  std::array<std::int32_t, 256> lead_uniform_{};  // class of every code of a lead byte, or -1
  std::array<std::int32_t, 256> lead_index_{};    // table of a lead byte that is not uniform
  std::vector<std::array<std::int32_t, 256>> lead_tables_;
  // 2 * class of every lead byte and trail byte, one row of 256 per lead byte
  // (rows shared), -1 for a zero trail; a byte that is not a lead byte has a
  // row holding its own class throughout (one per class), so that one lookup
  // serves both widths. lead_row_ is a row's offset.
  std::vector<std::int32_t> lead2_;
  std::array<std::uint32_t, 256> lead_row_{};

  std::vector<std::uint32_t> s0_set_, h_set_;
  std::int32_t s0_ = kDead, h_ = kDead;

  // DFA state cache.
  std::vector<DState> dstates_;
  std::vector<std::uint32_t> set_pool_;
  std::vector<std::int32_t> dnext_;  // dstates_.size() * K_
  std::unordered_map<std::string, std::int32_t> dindex_;
  // Run-list caches, one per line-separator mode.
  struct SearchCache {
    std::vector<SState> sstates;
    std::vector<std::int32_t> slot_pool;
    // Per (run list, class): the next run list as its row offset (2 * id * (K_ + 1))
    // or a negative code, and the offset of the slot mapping in map_pool (-1:
    // identity); interleaved so that one step touches one cache line.
    std::vector<std::int32_t> trans;
    std::vector<std::int32_t> map_pool;  // source slot, -1 for a new start, -2 ends
    // The same transitions for the first pass, which needs no mapping: per
    // (run list, class) the address of the next list's row in this table, or
    // null for a negative code, so that a step is one load from the current
    // row's address. Rewritten whole when the table moves.
    std::vector<const void*> rows;
    std::unordered_map<std::string, std::int32_t> sindex;
    std::int32_t initial = -1;
    std::size_t mem = 0;
    // Idle skipping: the state holding only the run just started at s0, and
    // the bytes whose characters leave it unchanged (only restarting the run).
    bool skip_ready = false;
    std::int32_t idle = -1;
    std::array<bool, 256> boring{};
    int single_x = -1;  // the one byte that is not boring (besides 0), or -1
  };
  SearchCache caches_[2];
  SearchCache* sc_ = &caches_[0];

  // Some step took a run on into the list of s0 alone (sticky).
  bool s0_reentered_ = false;
  std::size_t budget_;
  std::size_t memory_ = 0;
  std::size_t resets_ = 0;
  std::size_t hand_overs_ = 0;
  // Scratch.
  std::vector<std::uint32_t> work_, stack_;
  std::vector<std::uint32_t> mark_;
  std::vector<std::size_t> pos_;  // start of each run in the list
  std::uint32_t mark_gen_ = 0;
};

}  // namespace ambrel::regexp
