#include "regexp/dfa.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/sjis.h"
#include "regexp/sjis_scan.h"

namespace ambrel::regexp {

namespace {
template <typename T>
std::string KeyOf(const std::vector<T>& v) {
  return std::string(reinterpret_cast<const char*>(v.data()), v.size() * sizeof(T));
}
constexpr std::size_t kStateOverhead = 96;
}  // namespace

TRE_DFA::TRE_DFA(const TREParseTree& tree, std::size_t budget) : budget_(budget) {
  nfa_.Run(tree);
  K_ = nfa_.ClassCount();
  lf_class_ = nfa_.LfClass();
  cr_class_ = nfa_.CrClass();
  sep_class_ = cr_class_;
  lf_mode_ = false;
  BuildTables();
  mark_.assign(nfa_.StateCount(), 0);
  // Initial state: {EntryState} closed; line-head state: its LineHeadChar successor.
  s0_set_ = {TRE_NFA::EntryState};
  Closure(s0_set_);
  if (nfa_.HasLineHead) {
    h_set_.clear();
    for (std::uint32_t q : s0_set_)
      for (const auto& t : nfa_.Transitions(q))
        if (t.lo == kLineHeadChar) h_set_.push_back(t.target);
    Closure(h_set_);
  }
  ResetAll();
  resets_ = 0;
}

void TRE_DFA::BuildTables() {
  nfa_.ClassesOf(0, 256, single_.data());
  single_[0] = K_;  // the zero byte ends the text
  lead_index_.fill(-1);
  lead_uniform_.fill(-1);
  for (int b = 0; b < 256; ++b) {
    is_lead_[static_cast<std::size_t>(b)] = sjis::IsLeadByte(static_cast<unsigned char>(b));
    if (!is_lead_[static_cast<std::size_t>(b)]) continue;
    const auto first = static_cast<std::uint32_t>(b * 256 + 1);
    if (nfa_.SameInterval(first, first + 254)) {
      lead_uniform_[static_cast<std::size_t>(b)] = nfa_.ClassOf(static_cast<Code>(first));
      continue;
    }
    std::array<std::int32_t, 256> row{};
    nfa_.ClassesOf(first, 255, row.data() + 1);
    row[0] = row[1];  // a zero trail byte never occurs (the text ends there)
    lead_index_[static_cast<std::size_t>(b)] = static_cast<std::int32_t>(lead_tables_.size());
    lead_tables_.push_back(row);
  }
  for (std::size_t b = 0; b < 256; ++b) single2_[b] = is_lead_[b] ? -1 : 2 * single_[b];
  lead2_.clear();
  std::vector<std::int32_t> single_row(static_cast<std::size_t>(K_) + 1, -1);
  for (std::size_t b = 0; b < 256; ++b) {
    if (is_lead_[b]) continue;
    const auto c = static_cast<std::size_t>(single_[b]);
    if (single_row[c] < 0) {
      single_row[c] = static_cast<std::int32_t>(lead2_.size());
      lead2_.insert(lead2_.end(), 256, 2 * single_[b]);
    }
    lead_row_[b] = static_cast<std::uint32_t>(single_row[c]);
  }
  std::vector<std::int32_t> uniform_row(static_cast<std::size_t>(K_), -1);
  for (std::size_t b = 0; b < 256; ++b) {
    if (!is_lead_[b]) continue;
    const std::int32_t u = lead_uniform_[b];
    if (u >= 0 && uniform_row[static_cast<std::size_t>(u)] >= 0) {
      lead_row_[b] = static_cast<std::uint32_t>(uniform_row[static_cast<std::size_t>(u)]);
      continue;
    }
    const auto off = static_cast<std::uint32_t>(lead2_.size());
    lead_row_[b] = off;
    if (u >= 0) uniform_row[static_cast<std::size_t>(u)] = static_cast<std::int32_t>(off);
    for (std::size_t x = 0; x < 256; ++x)
      lead2_.push_back(2 * (u >= 0 ? u : lead_tables_[static_cast<std::size_t>(lead_index_[b])][x]));
    lead2_[off] = -1;
  }
}

void TRE_DFA::Closure(std::vector<std::uint32_t>& set) {
  if (++mark_gen_ == 0) {
    std::fill(mark_.begin(), mark_.end(), 0);
    mark_gen_ = 1;
  }
  stack_.clear();
  std::size_t w = 0;
  for (std::uint32_t q : set) {
    if (mark_[q] == mark_gen_) continue;
    mark_[q] = mark_gen_;
    set[w++] = q;
    stack_.push_back(q);
  }
  set.resize(w);
  while (!stack_.empty()) {
    const std::uint32_t q = stack_.back();
    stack_.pop_back();
    for (const auto& t : nfa_.Transitions(q)) {
      if (t.lo != kEmptyChar || mark_[t.target] == mark_gen_) continue;
      mark_[t.target] = mark_gen_;
      set.push_back(t.target);
      stack_.push_back(t.target);
    }
  }
  std::sort(set.begin(), set.end());
}

void TRE_DFA::ResetSearch() {
  for (SearchCache& c : caches_) {
    memory_ -= std::min(memory_, c.mem);
    c = SearchCache();
  }
}

void TRE_DFA::ResetAll() {
  ResetSearch();
  dstates_.clear();
  set_pool_.clear();
  dnext_.clear();
  dindex_.clear();
  memory_ = 0;
  ++resets_;
  s0_ = InternD(s0_set_);
  h_ = nfa_.HasLineHead ? InternD(h_set_) : kDead;
}

std::int32_t TRE_DFA::InternD(const std::vector<std::uint32_t>& set) {
  std::string key = KeyOf(set);
  auto it = dindex_.find(key);
  if (it != dindex_.end()) return it->second;
  const auto id = static_cast<std::int32_t>(dstates_.size());
  DState d;
  d.off = static_cast<std::uint32_t>(set_pool_.size());
  d.len = static_cast<std::uint32_t>(set.size());
  d.accepting = std::binary_search(set.begin(), set.end(), TRE_NFA::ExitState);
  for (std::uint32_t q : set) {
    for (const auto& t : nfa_.Transitions(q))
      if (t.lo == kLineTailChar) d.tail = true;
    if (d.tail) break;
  }
  set_pool_.insert(set_pool_.end(), set.begin(), set.end());
  dstates_.push_back(d);
  dnext_.resize(dnext_.size() + static_cast<std::size_t>(K_), kUnknown);
  memory_ += key.size() * 2 + static_cast<std::size_t>(K_) * sizeof(std::int32_t) + kStateOverhead;
  dindex_.emplace(std::move(key), id);
  return id;
}

std::int32_t TRE_DFA::ComputeDNext(std::int32_t s, int k) {
  const auto& labels = nfa_.ClassLabels(k);
  if (labels.empty()) return kDead;
  const DState d = dstates_[static_cast<std::size_t>(s)];
  work_.clear();
  if (labels.size() == 1) {
    const std::int32_t l = labels[0];
    for (std::uint32_t i = 0; i < d.len; ++i)
      for (const auto& t : nfa_.Transitions(set_pool_[d.off + i]))
        if (t.label == l) work_.push_back(t.target);
  } else {
    // A literal `^` or `$` label (c, c) and a range (lo, hi) holding c: NextState
    // follows only one group -- the lower lo, or on equal lo the group created
    // first (NFA states ascending, each chain newest transition first).
    std::int32_t lit = labels[0], range = labels[1];
    if (nfa_.LabelLo(lit) != nfa_.LabelHi(lit)) std::swap(lit, range);
    std::vector<std::uint32_t> tl, tr;
    std::int32_t first = -1;
    for (std::uint32_t i = 0; i < d.len; ++i) {
      const auto& chain = nfa_.Transitions(set_pool_[d.off + i]);
      for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it->label == lit) {
          tl.push_back(it->target);
          if (first < 0) first = lit;
        } else if (it->label == range) {
          tr.push_back(it->target);
          if (first < 0) first = range;
        }
      }
    }
    bool take_range;
    if (tl.empty()) take_range = true;
    else if (tr.empty()) take_range = false;
    else if (nfa_.LabelLo(range) < nfa_.LabelLo(lit)) take_range = true;
    else take_range = first == range;
    work_ = take_range ? tr : tl;
  }
  if (work_.empty()) return kDead;
  std::vector<std::uint32_t> set = work_;
  Closure(set);
  return InternD(set);
}

std::int32_t TRE_DFA::DNext(std::int32_t s, int k) {
  const std::size_t idx = static_cast<std::size_t>(s) * static_cast<std::size_t>(K_) + static_cast<std::size_t>(k);
  std::int32_t v = dnext_[idx];
  if (v != kUnknown) return v;
  v = ComputeDNext(s, k);
  dnext_[idx] = v;
  return v;
}

bool TRE_DFA::Flag(std::int32_t s, int k) {
  const DState& d = dstates_[static_cast<std::size_t>(s)];
  if (d.accepting) return true;
  if (!d.tail) return false;
  if (k == K_) return true;
  return k == sep_class_ && DNext(s, k) == kDead;
}

std::int32_t TRE_DFA::InternS(const std::vector<std::int32_t>& slots) {
  std::string key = KeyOf(slots);
  auto it = sc_->sindex.find(key);
  if (it != sc_->sindex.end()) return it->second;
  const auto id = static_cast<std::int32_t>(sc_->sstates.size());
  SState s;
  s.off = static_cast<std::uint32_t>(sc_->slot_pool.size());
  s.len = static_cast<std::uint32_t>(slots.size());
  sc_->slot_pool.insert(sc_->slot_pool.end(), slots.begin(), slots.end());
  sc_->sstates.push_back(s);
  const std::size_t cols = static_cast<std::size_t>(K_) + 1;
  for (std::size_t c = 0; c < cols; ++c) {
    sc_->trans.push_back(kSUnknown);
    sc_->trans.push_back(-1);
  }
  std::vector<const void*>& rows = sc_->rows;
  const void* const* was = rows.data();
  rows.resize(rows.size() + cols, nullptr);
  if (rows.data() != was) {
    for (std::size_t j = 0; j + cols < rows.size(); ++j) {
      const std::int32_t e = sc_->trans[2 * j];
      rows[j] = e >= 0 ? rows.data() + e / 2 : nullptr;
    }
  }
  const std::size_t bytes = key.size() * 2 + cols * (2 * sizeof(std::int32_t) + sizeof(const void*)) + kStateOverhead;
  memory_ += bytes;
  sc_->mem += bytes;
  sc_->sindex.emplace(std::move(key), id);
  return id;
}

std::int32_t TRE_DFA::InitialSearchState() {
  if (sc_->initial < 0) {
    std::vector<std::int32_t> slots;
    if (nfa_.HasLineHead) slots.push_back(h_);
    if (std::find(slots.begin(), slots.end(), s0_) == slots.end()) slots.push_back(s0_);
    sc_->initial = InternS(slots);
  }
  return sc_->initial;
}

std::int32_t TRE_DFA::ComputeSNext(std::int32_t sid, int k, std::int32_t& map_id) {
  map_id = -1;
  const SState ss = sc_->sstates[static_cast<std::size_t>(sid)];
  std::vector<std::int32_t> slots(sc_->slot_pool.begin() + ss.off, sc_->slot_pool.begin() + ss.off + ss.len);
  std::size_t alive = slots.size();
  const bool had_flag = alive > 0 && slots[alive - 1] == kFlagged;
  if (had_flag) --alive;
  // Runs that match here (before the character is read): the first one wins.
  std::ptrdiff_t flagged = -1;
  for (std::size_t i = 0; i < alive; ++i)
    if (Flag(slots[i], k)) {
      flagged = static_cast<std::ptrdiff_t>(i);
      break;
    }
  if (flagged == 0) return Done(0);
  const std::size_t limit = flagged >= 0 ? static_cast<std::size_t>(flagged) : alive;
  const std::ptrdiff_t flag_src = flagged >= 0 ? flagged : (had_flag ? static_cast<std::ptrdiff_t>(alive) : -1);
  std::vector<std::int32_t> out, map;
  if (k != K_) {
    for (std::size_t i = 0; i < limit; ++i) {
      const std::int32_t t = DNext(slots[i], k);
      if (t == kDead || std::find(out.begin(), out.end(), t) != out.end()) continue;
      out.push_back(t);
      map.push_back(static_cast<std::int32_t>(i));
    }
  }
  if (flag_src >= 0) {
    if (out.empty()) return Done(static_cast<std::int32_t>(flag_src));
    out.push_back(kFlagged);
    map.push_back(static_cast<std::int32_t>(flag_src));
  } else if (k != K_) {
    if (k == lf_class_ && nfa_.HasLineHead && std::find(out.begin(), out.end(), h_) == out.end()) {
      out.push_back(h_);
      map.push_back(-1);
    }
    if (std::find(out.begin(), out.end(), s0_) == out.end()) {
      out.push_back(s0_);
      map.push_back(-1);
    }
  }
  if (out.empty()) return kNoMatch;
  if (out.size() == 1 && out[0] == s0_ && map[0] != -1) s0_reentered_ = true;
  bool identity = map.size() == slots.size();
  for (std::size_t i = 0; identity && i < map.size(); ++i) identity = map[i] == static_cast<std::int32_t>(i);
  // A kept prefix followed by one new start (the common case) is coded in the
  // value itself: -2 - (length of the prefix).
  bool append_one = !map.empty() && map.back() == -1;
  for (std::size_t i = 0; append_one && i + 1 < map.size(); ++i) append_one = map[i] == static_cast<std::int32_t>(i);
  if (!identity && append_one) {
    map_id = -2 - static_cast<std::int32_t>(map.size() - 1);
  } else if (!identity) {
    // Stored as [length, unchanged prefix, sources...]; sources only move
    // slots forward (source >= destination), so it is applied in place.
    std::size_t same = 0;
    while (same < map.size() && same < slots.size() && map[same] == static_cast<std::int32_t>(same)) ++same;
    map_id = static_cast<std::int32_t>(sc_->map_pool.size());  // offset of the record
    sc_->map_pool.push_back(static_cast<std::int32_t>(map.size()));
    sc_->map_pool.push_back(static_cast<std::int32_t>(same));
    sc_->map_pool.insert(sc_->map_pool.end(), map.begin(), map.end());
    const std::size_t bytes = (map.size() + 2) * sizeof(std::int32_t);
    memory_ += bytes;
    sc_->mem += bytes;
  }
  return InternS(out);
}

std::int32_t TRE_DFA::RebuildD(std::int32_t s) {
  const DState d = dstates_[static_cast<std::size_t>(s)];
  std::vector<std::uint32_t> set(set_pool_.begin() + d.off, set_pool_.begin() + d.off + d.len);
  ResetAll();
  return InternD(set);
}

std::int32_t TRE_DFA::RebuildSearchState(std::int32_t sid) {
  const SState ss = sc_->sstates[static_cast<std::size_t>(sid)];
  std::vector<std::vector<std::uint32_t>> sets;
  for (std::uint32_t i = 0; i < ss.len; ++i) {
    const std::int32_t s = sc_->slot_pool[ss.off + i];
    if (s == kFlagged) {
      sets.emplace_back();
      continue;
    }
    const DState d = dstates_[static_cast<std::size_t>(s)];
    sets.emplace_back(set_pool_.begin() + d.off, set_pool_.begin() + d.off + d.len);
  }
  ResetAll();
  std::vector<std::int32_t> slots;
  for (const auto& set : sets) slots.push_back(set.empty() ? kFlagged : InternD(set));
  return InternS(slots);
}

std::ptrdiff_t TRE_DFA::RunFrom(std::int32_t s, const unsigned char* t, std::size_t p, std::size_t n) {
  std::ptrdiff_t result = -1;
  std::size_t cur = p;
  const std::size_t K = static_cast<std::size_t>(K_);
  for (;;) {
    if (dstates_[static_cast<std::size_t>(s)].accepting) result = static_cast<std::ptrdiff_t>(cur);
    int k = K_, len = 0;
    if (cur < n) ReadClass(t, cur, n, k, len);
    std::int32_t nx = kDead;
    if (k != K_) {
      nx = dnext_[static_cast<std::size_t>(s) * K + static_cast<std::size_t>(k)];
      if (nx == kUnknown) {
        nx = DNext(s, k);
        if (nx != kDead && memory_ > budget_) {
          s = RebuildD(nx);
          cur += static_cast<std::size_t>(len);
          continue;
        }
      }
    }
    if (nx == kDead) {
      if ((k == K_ || k == sep_class_) && dstates_[static_cast<std::size_t>(s)].tail)
        return static_cast<std::ptrdiff_t>(cur);
      return result;
    }
    s = nx;
    cur += static_cast<std::size_t>(len);
  }
}

void TRE_DFA::PrepareSkip() {
  SearchCache& c = *sc_;
  if (c.skip_ready) return;
  c.skip_ready = true;
  c.idle = InternS({s0_});
  const std::size_t cols = static_cast<std::size_t>(K_) + 1;
  std::vector<bool> boring(static_cast<std::size_t>(K_), false);
  for (int k = 0; k < K_; ++k) {
    const std::size_t idx = 2 * (static_cast<std::size_t>(c.idle) * cols + static_cast<std::size_t>(k));
    std::int32_t e = c.trans[idx], m = c.trans[idx + 1];
    if (e == kSUnknown) {
      e = ComputeSNext(c.idle, k, m);
      if (e >= 0) e *= 2 * static_cast<std::int32_t>(cols);
      SetTrans(idx, e, m);
    }
    boring[static_cast<std::size_t>(k)] = e == 2 * c.idle * static_cast<std::int32_t>(cols) && m == -2;
  }
  int interesting = 0;
  for (int b = 0; b < 256; ++b) {
    const auto ub = static_cast<std::size_t>(b);
    bool ok = b != 0 && boring[static_cast<std::size_t>(single_[ub])];
    if (ok && is_lead_[ub]) {
      if (lead_uniform_[ub] >= 0) {
        ok = boring[static_cast<std::size_t>(lead_uniform_[ub])];
      } else {
        const auto& row = lead_tables_[static_cast<std::size_t>(lead_index_[ub])];
        for (int x = 1; x < 256 && ok; ++x) ok = boring[static_cast<std::size_t>(row[static_cast<std::size_t>(x)])];
      }
    }
    c.boring[ub] = ok;
    if (!ok && b != 0) {
      ++interesting;
      c.single_x = b;
    }
  }
  if (interesting != 1) c.single_x = -1;
}

// Records a transition made (idx: its place in trans) in both tables.
void TRE_DFA::SetTrans(std::size_t idx, std::int32_t e, std::int32_t m) {
  sc_->trans[idx] = e;
  sc_->trans[idx + 1] = m;
  sc_->rows[idx / 2] = e >= 0 ? sc_->rows.data() + e / 2 : nullptr;
}

// One step of either pass from the list at row offset row over the character
// at i (or the end): the next row offset or a negative code, the slot
// mapping m, the character's length; the transition is made when unknown
// (grown: the tables may have moved).
std::int32_t TRE_DFA::GeneralStep(const unsigned char* t, std::size_t i, std::size_t n, std::int32_t row, int& len,
                                  std::int32_t& m, bool& grown) {
  std::int32_t k2 = 2 * K_;
  len = 0;
  if (i < n) {
    int k;
    ReadClass(t, i, n, k, len);
    k2 = 2 * k;
  }
  const auto idx = static_cast<std::size_t>(row + k2);
  std::int32_t e = sc_->trans[idx];
  m = sc_->trans[idx + 1];
  grown = false;
  if (e == kSUnknown) {
    const std::int32_t cols2 = 2 * (K_ + 1);
    e = ComputeSNext(row / cols2, k2 / 2, m);
    if (e >= 0) e *= cols2;
    SetTrans(idx, e, m);
    grown = true;
  }
  return e;
}

namespace {
// First position at or after i holding x or a zero byte (n if none).
std::size_t FindByteOrZero(const unsigned char* t, std::size_t i, std::size_t n, unsigned char x) {
  const void* hit = std::memchr(t + i, x, n - i);
  const std::size_t c = hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - t) : n;
  if (const void* z = std::memchr(t + i, 0, c - i)) return static_cast<std::size_t>(static_cast<const unsigned char*>(z) - t);
  return c;
}
}  // namespace

// From boundary i in the idle state, the first boundary at which a character
// that is not boring starts (or the end). Bytes are scanned without regard to
// boundaries; a hit on a trail byte is recognised by the parity of the run of
// lead-range bytes before it, walked back no further than i (so each byte is
// walked over at most once).
std::size_t TRE_DFA::SkipIdle(const unsigned char* t, std::size_t i, std::size_t n) const {
  const SearchCache& sc = *sc_;
  for (;;) {
    std::size_t c;
    if (sc.single_x >= 0) {
      c = FindByteOrZero(t, i, n, static_cast<unsigned char>(sc.single_x));
    } else {
      c = i;
      while (c < n && sc.boring[t[c]]) ++c;
    }
    if (c >= n || t[c] == 0) return c;
    std::size_t k = c;
    while (k > i && is_lead_[t[k - 1]]) --k;
    if ((c - k) % 2 == 0) return c;
    i = c + 1;  // c was the trail byte of a boring double-byte character
    if (i >= n) return n;
  }
}

bool TRE_DFA::Search(std::string_view text, bool lf_mode, std::size_t& start, std::size_t& end) {
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();  // a zero byte before it reads as the end
  if (lf_mode != lf_mode_) {
    lf_mode_ = lf_mode;
    sep_class_ = lf_mode ? lf_class_ : cr_class_;
    sc_ = &caches_[lf_mode ? 1 : 0];
  }
  if (n == 0 || t[0] == 0) {
    // The empty text: MatchPlain matches when s0 accepts; MatchWithAnchors
    // tries MatchHead (which, with a line-head anchor, needs the anchored
    // run to match) and then only the empty match before the end ($).
    bool ok;
    if (!nfa_.HasLineHead && !nfa_.HasLineTail) ok = dstates_[static_cast<std::size_t>(s0_)].accepting;
    else if (nfa_.HasLineHead) ok = RunFrom(h_, t, 0, 0) >= 0 || dstates_[static_cast<std::size_t>(s0_)].tail;
    else ok = RunFrom(s0_, t, 0, 0) >= 0;
    if (!ok) return false;
    start = end = 0;
    return true;
  }
  PreparePrefilter();
  const int prefilter = pf_.kind;
  InitialSearchState();
  PrepareSkip();
  // With a literal scan the runs are mostly few and short, and one pass is
  // faster; it hands over to the first pass where they are not (Track).
  const std::ptrdiff_t from = prefilter == Prefilter::kNone ? FindRestart(t, n, 0, prefilter) : -1;
  if (from == -2) return false;
  return Track(t, n, from, prefilter, start, end);
}

namespace {
// Whether the text mixes one- and two-byte characters (each at least an
// eighth of the characters in its first 64 bytes).
bool MixedWidths(const unsigned char* t, std::size_t n) {
  if (n < 65) return false;
  std::uint64_t carry = 0;
  const std::uint64_t starts = CharStarts64(t, carry);
  const int chars = std::popcount(starts);
  const int single = std::popcount(starts & (starts >> 1)) + static_cast<int>((starts >> 63) & (carry ^ 1));
  return single * 8 >= chars && (chars - single) * 8 >= chars;
}
using Row = const void* const*;

// When the second pass starts without a first one (with a literal scan), it
// looks this often (in bytes of text) whether the scans have jumped over at
// least half of the text; if not, the first pass takes over.
constexpr std::size_t kScanCheckBytes = 64;
// Idle steps the second pass takes before it tries the scans.
constexpr int kIdleStepsBeforeScan = 4;

// The row that the transition of row p on class k2 / 2 leads to (one load).
Row NextRow(Row p, std::ptrdiff_t k2) {
  const char* at = reinterpret_cast<const char*>(p) + k2 * static_cast<std::ptrdiff_t>(sizeof(const void*) / 2);
  return static_cast<Row>(*reinterpret_cast<Row>(at));
}
}  // namespace

// The first pass: the run lists alone, without the start of each run, one
// table lookup per character (double-byte classes from a second table, looked
// up only after a lead byte). It starts at the beginning of the text, or at
// boundary `from` in the idle list. Returns the last place before the match
// where the list held only a run started there (the second pass starts from
// there), -1 if there is none (it starts from the beginning, or goes on from
// `from` as it was), -2 if nothing matches.
std::ptrdiff_t TRE_DFA::FindRestart(const unsigned char* t, std::size_t n, std::size_t from, int prefilter) {
  PrefilterMemo memo;
  const std::int32_t cols2 = 2 * (static_cast<std::int32_t>(K_) + 1);
  const std::int32_t* lead2 = lead2_.data();
  Row base = sc_->rows.data();
  Row idle = base + sc_->idle * cols2 / 2;
  Row p = from == 0 ? base + InitialSearchState() * cols2 / 2 : idle;
  std::ptrdiff_t restart = -1;
  const bool mixed = MixedWidths(t + from, n - from);
  int idle_limit = 4;  // idle steps in the loop before the scans are tried
  std::size_t i = from;
  for (;;) {
    if (p == idle && i < n) {
      const std::size_t was = i;
      if (prefilter == Prefilter::kPrefix) i = SkipToPrefix(t, i, n);
      else if (prefilter == Prefilter::kRequired) i = SkipToRequired(t, i, n, memo);
      else if (sc_->boring[t[i]]) i = SkipIdle(t, i, n);
      if (i != was) restart = static_cast<std::ptrdiff_t>(i);
      // Where the scans gain little (the idle list stays on characters that
      // share their bytes with ones that start runs), stay in the loop longer.
      idle_limit = i - was >= 64 ? 4 : std::min(idle_limit * 2, 1 << 16);
    }
    int idle_steps = 0;
    // On text of mixed widths a branch on the length would miss at random:
    // there the character starts of 64 bytes are found at once, as a mask.
    for (bool stop = !mixed; !stop && i + 65 <= n;) {
      std::uint64_t carry = 0;
      std::uint64_t starts = CharStarts64(t + i, carry);
      const std::size_t at = i;
      std::ptrdiff_t ended = -1;  // start of the last character that led into the idle list
      bool busy = false;          // some step of the block led elsewhere
      for (; starts != 0; starts &= starts - 1) {
        const std::size_t q = at + static_cast<std::size_t>(std::countr_zero(starts));
        const std::ptrdiff_t k2 = lead2[lead_row_[t[q]] + t[q + 1]];
        const Row fe = k2 < 0 ? nullptr : NextRow(p, k2);  // k2 < 0: a lead byte before the end
        if (fe == nullptr) {
          i = q;  // the loop below stops here too
          stop = true;
          break;
        }
        const bool to_idle = fe == idle;
        busy |= !to_idle;
        ended = to_idle ? static_cast<std::ptrdiff_t>(q) : ended;
        p = fe;
      }
      if (ended >= 0) restart = ended + (is_lead_[t[ended]] ? 2 : 1);
      if (!stop) {
        i = at + 64 + static_cast<std::size_t>(carry);
        // Idle steps are not counted one by one here (that costs more than
        // it saves on this text): a whole block of them leaves the rest to the scans.
        stop = !busy;
      }
    }
    while (i + 1 < n) {
      // The length by a branch (it keeps the next position off the table
      // load on text of one width), the rest without branches: runs die and
      // restart at random.
      std::ptrdiff_t k2 = single2_[t[i]];
      std::size_t flen = 1;
      if (__builtin_expect(k2 < 0, 0)) {
        k2 = lead2[lead_row_[t[i]] + t[i + 1]];
        flen = 2;
        if (k2 < 0) break;  // a lead byte before the end
      }
      const Row fe = NextRow(p, k2);
      if (fe == nullptr) break;
      const std::int32_t to_idle = -static_cast<std::int32_t>(fe == idle);  // a mask: no branch
      idle_steps = (idle_steps + 1) & to_idle;
      if (idle_steps > idle_limit) break;
      restart = to_idle ? static_cast<std::ptrdiff_t>(i + flen) : restart;
      p = fe;
      i += flen;
    }
    std::int32_t row = static_cast<std::int32_t>(p - base) * 2;
    int len = 0;
    std::int32_t m = -1;
    bool grown = false;
    const std::int32_t e = GeneralStep(t, i, n, row, len, m, grown);
    // A list of the one run s0 need not hold a run started there only when
    // some run went on into s0; then the steps above did not see it.
    if (e < 0) return e == kNoMatch ? -2 : (s0_reentered_ ? -1 : restart);
    if (e == sc_->idle * cols2 && m == -2) restart = static_cast<std::ptrdiff_t>(i) + len;
    row = e;
    i += static_cast<std::size_t>(len);
    if (grown && memory_ > budget_) {
      row = RebuildSearchState(row / cols2) * cols2;
      PrepareSkip();
    }
    base = sc_->rows.data();
    idle = base + sc_->idle * cols2 / 2;
    p = base + row / 2;
  }
}

// The second pass, from a place where the run lists of the first pass held
// only the run started there (or from the beginning): the same steps, now
// with the start of each run.
bool TRE_DFA::Track(const unsigned char* t, std::size_t n, std::ptrdiff_t from, int prefilter, std::size_t& start,
                    std::size_t& end) {
  PrefilterMemo memo;
  std::int32_t sid = from >= 0 ? sc_->idle : InitialSearchState();
  std::size_t i = from >= 0 ? static_cast<std::size_t>(from) : 0;
  std::vector<std::size_t>& pos = pos_;
  if (pos.size() < 16) pos.resize(16);
  std::size_t* P = pos.data();
  std::size_t cap = pos.size();
  {
    const std::size_t len0 = sc_->sstates[static_cast<std::size_t>(sid)].len;
    if (len0 > cap) {
      pos.resize(len0 * 2);
      P = pos.data();
      cap = pos.size();
    }
    for (std::size_t j = 0; j < len0; ++j) P[j] = i;
  }
  const auto cols = static_cast<std::int32_t>(K_) + 1;
  const std::int32_t cols2 = 2 * cols;
  const std::int32_t* trans = sc_->trans.data();
  const std::int32_t* mpool = sc_->map_pool.data();
  std::int32_t idle = sc_->idle * cols2;
  std::int32_t row = sid * cols2;
  // Where candidates stand close together (a required byte or a prefix
  // every few characters), the scans gain little and the runs between them
  // cost this pass its start bookkeeping; the first pass, which steps without
  // it and tries the scans only where they pay, then finds the place to go on
  // from. Checked every kScanCheckBytes when this pass started alone; the
  // first pass takes over at the next step into the idle list.
  const std::size_t first = i;
  std::size_t gained = 0;  // bytes the scans jumped over
  std::size_t check_at = from < 0 && prefilter != Prefilter::kNone ? i + kScanCheckBytes : SIZE_MAX;
  bool hand_over = false;
  int idle_steps_max = kIdleStepsBeforeScan;
  for (;;) {
    if (row == idle && i < n) {
      if (hand_over) {
        hand_over = false;
        ++hand_overs_;
        idle_steps_max = kIdleStepsBeforeScan;
        const std::ptrdiff_t r = FindRestart(t, n, i, prefilter);
        if (r == -2) return false;
        if (r >= 0) P[0] = i = static_cast<std::size_t>(r);
        trans = sc_->trans.data();
        mpool = sc_->map_pool.data();
        row = idle = sc_->idle * cols2;
      }
      const std::size_t was = i;
      if (prefilter == Prefilter::kPrefix) i = SkipToPrefix(t, i, n);
      else if (prefilter == Prefilter::kRequired) i = SkipToRequired(t, i, n, memo);
      else if (sc_->boring[t[i]]) i = SkipIdle(t, i, n);
      P[0] = i;
      gained += i - was;
    }
    // The common step on its own: a transition made already. A few steps in
    // the idle list are taken here too; a longer stretch is left to the scans.
    for (int idle_steps = 0; i < std::min(n, check_at);) {
      std::int32_t fk2 = single2_[t[i]];
      std::size_t flen = 1;
      if (fk2 < 0) {
        if (i + 1 >= n || t[i + 1] == 0) break;
        const std::int32_t u = lead_uniform_[t[i]];
        fk2 = 2 * (u >= 0 ? u : lead_tables_[static_cast<std::size_t>(lead_index_[t[i]])][t[i + 1]]);
        flen = 2;
      }
      const auto fidx = static_cast<std::size_t>(row + fk2);
      const std::int32_t fe = trans[fidx];
      if (fe < 0) break;
      if (fe != idle) idle_steps = 0;
      else if (++idle_steps > idle_steps_max) break;
      const std::int32_t fm = trans[fidx + 1];
      if (fm < -1) {
        const auto j = static_cast<std::size_t>(-2 - fm);
        if (j >= cap) break;
        P[j] = i + flen;
      } else if (fm >= 0) {
        const std::int32_t* mp = mpool + fm;
        const auto count = static_cast<std::size_t>(mp[0]);
        if (count > cap) break;
        for (auto j = static_cast<std::size_t>(mp[1]); j < count; ++j) {
          const std::int32_t src = mp[2 + j];
          P[j] = src >= 0 ? P[src] : i + flen;
        }
      }
      row = fe;
      i += flen;
    }
    int len = 0;
    std::int32_t m = -1;
    bool grown = false;
    const std::int32_t e = GeneralStep(t, i, n, row, len, m, grown);
    if (grown) mpool = sc_->map_pool.data();
    if (e < 0) {
      if (e == kNoMatch) return false;
      start = P[-3 - e];
      // The run that matched here is still known (unless it matched earlier and
      // only its marker was kept): its end is found by running it on from here
      // instead of again from its start. With a line-head anchor two runs can
      // share the start, so that case takes the general way.
      const SState& ss = sc_->sstates[static_cast<std::size_t>(row / cols2)];
      const std::int32_t winner = sc_->slot_pool[ss.off + static_cast<std::uint32_t>(-3 - e)];
      if (!nfa_.HasLineHead && winner != kFlagged) {
        const std::ptrdiff_t stop = RunFrom(winner, t, i, n);
        if (stop < 0) return false;  // cannot happen: the run matches here
        end = static_cast<std::size_t>(stop);
        return true;
      }
      break;
    }
    if (m < -1) {
      const auto j = static_cast<std::size_t>(-2 - m);
      if (j >= cap) {
        pos.resize(j * 2 + 2);
        P = pos.data();
        cap = pos.size();
      }
      P[j] = i + static_cast<std::size_t>(len);
    } else if (m >= 0) {
      const std::int32_t* mp = mpool + m;
      const auto count = static_cast<std::size_t>(mp[0]);
      const std::size_t next = i + static_cast<std::size_t>(len);
      if (count > cap) {
        pos.resize(count * 2);
        P = pos.data();
        cap = pos.size();
      }
      for (std::size_t j = static_cast<std::size_t>(mp[1]); j < count; ++j) {
        const std::int32_t src = mp[2 + j];
        P[j] = src >= 0 ? P[src] : next;
      }
    }
    row = e;
    i += static_cast<std::size_t>(len);
    if (i >= check_at) {
      const bool scans_pay = 2 * gained >= i - first;
      check_at = scans_pay ? i + kScanCheckBytes : SIZE_MAX;
      hand_over = !scans_pay;
      if (hand_over) idle_steps_max = 0;
    }
    if (grown) {
      if (memory_ > budget_) {
        row = RebuildSearchState(row / cols2) * cols2;
        PrepareSkip();
      }
      trans = sc_->trans.data();
      mpool = sc_->map_pool.data();
      idle = sc_->idle * cols2;
    }
  }
  const bool line_head = start == 0 || t[start - 1] == '\n';
  std::ptrdiff_t e = RunFrom(s0_, t, start, n);
  if (nfa_.HasLineHead && line_head) e = std::max(e, RunFrom(h_, t, start, n));
  if (e < 0) return false;  // cannot happen: the run that chose start matches
  end = static_cast<std::size_t>(e);
  return true;
}

}  // namespace ambrel::regexp
