// Literal scans for the idle part of a search: while no run of the automaton
// is alive, whole stretches of text where no match can start are jumped over
// with memchr instead of being stepped through character by character.
//
// Both scans are derived from the DFA, so they hold for every expression they
// are used with:
//  - a literal prefix: from the initial state, as long as exactly one class
//    leads anywhere, that class is one code, and the state can neither accept
//    nor end at `$`, every match begins with those codes;
//  - a required byte x: if no state reachable from the initial state without
//    reading x can accept or end at `$`, every match holds x, and a run started
//    before the first x of the text survives to it only over the one-byte
//    characters that those states read (`before`). So the search may start
//    at the first x and walk back over `before` bytes.
// Candidates are checked as characters (sjis_scan.h): a hit is used only on
// a character boundary, so a trail byte 0x5C is never a `\`.
#include <algorithm>
#include <cstring>

#include "platform/sjis.h"
#include "regexp/dfa.h"
#include "regexp/sjis_scan.h"

namespace ambrel::regexp {

namespace {

// The analysis makes transitions only up to this cost (NFA states moved and
// closed), so that expressions with big automata or many classes still start
// searching at once; past it, the search simply goes without a scan.
constexpr std::int64_t kAnalysisWork = std::int64_t{1} << 18;
constexpr std::size_t kMaxPrefix = 64;
constexpr std::size_t kMaxRequiredStates = 32;
constexpr int kMaxRequiredClasses = 64;
constexpr int kMaxRequiredCandidates = 4;

// How common a byte is in clipboard text (0 rarest): memchr on a rare byte
// stops less often than on a letter or a Shift-JIS byte.
int Commonness(unsigned char b) {
  if ((b >= 'a' && b <= 'z') || b == ' ' || b >= 0x80) return 3;
  if ((b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9')) return 2;
  if (b == '\r' || b == '\n' || b == '\t' || b == '.' || b == ',' || b == '-') return 2;
  if (b < 0x20 || b == 0x7F) return 0;
  return 1;
}

// Bytes of the characters of code c as the text holds them; false for a code
// no text character reads as (a lead-range single byte is a character only at
// the very end, which a scan cannot rely on).
bool AppendCode(std::string& out, std::int32_t c) {
  if (c <= 0) return false;
  if (c < 0x100) {
    if (sjis::IsLeadByte(static_cast<unsigned char>(c))) return false;
    out.push_back(static_cast<char>(c));
    return true;
  }
  const auto hi = static_cast<unsigned char>(c >> 8), lo = static_cast<unsigned char>(c & 0xFF);
  if (!sjis::IsLeadByte(hi) || lo == 0) return false;
  out.push_back(static_cast<char>(hi));
  out.push_back(static_cast<char>(lo));
  return true;
}

}  // namespace

void TRE_DFA::PreparePrefilter() {
  if (pf_.ready) return;
  pf_ = Prefilter();
  pf_.ready = true;
  // A line-head anchor starts extra runs after every LF; keep it simple.
  if (!prefilter_on_ || nfa_.HasLineHead) return;
  if (!FindPrefix()) FindRequiredByte();
}

// Code of each class made of one code, else -1.
std::vector<std::int32_t> TRE_DFA::SoleCodes() const {
  std::vector<std::int32_t> sole(static_cast<std::size_t>(K_), -2);
  for (std::size_t i = 0; i < nfa_.IntervalCount(); ++i) {
    auto& s = sole[static_cast<std::size_t>(nfa_.IntervalClass(i))];
    const bool single = nfa_.IntervalLo(i) == nfa_.IntervalHi(i);
    s = (s == -2 && single) ? static_cast<std::int32_t>(nfa_.IntervalLo(i)) : -1;
  }
  for (auto& s : sole)
    if (s == -2) s = -1;
  return sole;
}

// DNext, charged to work by the size of the sets it moves and closes; kUnknown
// once the work is spent.
std::int32_t TRE_DFA::AnalysisNext(std::int32_t s, int k, std::int64_t& work) {
  if (work <= 0) return kUnknown;
  const std::size_t idx = static_cast<std::size_t>(s) * static_cast<std::size_t>(K_) + static_cast<std::size_t>(k);
  std::int64_t cost = 1;
  if (dnext_[idx] == kUnknown) {
    cost += dstates_[static_cast<std::size_t>(s)].len;
    const std::int32_t t = DNext(s, k);
    if (t >= 0) cost += dstates_[static_cast<std::size_t>(t)].len;
  }
  work -= cost;
  return dnext_[idx];
}

bool TRE_DFA::FindPrefix() {
  const std::vector<std::int32_t> sole = SoleCodes();
  std::string literal;
  std::int32_t s = s0_;
  std::int64_t work = kAnalysisWork;
  while (literal.size() < kMaxPrefix) {
    const DState d = dstates_[static_cast<std::size_t>(s)];
    if (d.accepting || d.tail) break;
    int only = -1;
    std::int32_t next = kDead;
    bool unique = true;
    for (int k = 0; k < K_ && unique; ++k) {
      const std::int32_t t = AnalysisNext(s, k, work);
      if (t == kUnknown) {
        unique = false;
        break;
      }
      if (t == kDead) continue;
      if (only >= 0) unique = false;
      only = k;
      next = t;
    }
    if (!unique || only < 0) break;
    if (!AppendCode(literal, sole[static_cast<std::size_t>(only)])) break;
    s = next;
  }
  if (literal.empty()) return false;
  pf_.kind = Prefilter::kPrefix;
  pf_.literal = literal;
  // memchr on the rarest byte, then a comparison, beats a general substring
  // search on short literals; among equals the last byte (a trail byte
  // varies more than a lead byte).
  for (std::size_t j = 1; j < literal.size(); ++j)
    if (Commonness(static_cast<unsigned char>(literal[j])) <=
        Commonness(static_cast<unsigned char>(literal[pf_.rare])))
      pf_.rare = j;
  return true;
}

void TRE_DFA::FindRequiredByte() {
  if (K_ > kMaxRequiredClasses) return;
  const std::vector<std::int32_t> sole = SoleCodes();
  // Classes whose every code is a one-byte character.
  std::vector<bool> one_byte(static_cast<std::size_t>(K_), true);
  for (std::size_t i = 0; i < nfa_.IntervalCount(); ++i) {
    bool ok = nfa_.IntervalHi(i) < 0x100;
    for (std::uint32_t c = nfa_.IntervalLo(i); ok && c <= nfa_.IntervalHi(i); ++c)
      ok = !sjis::IsLeadByte(static_cast<unsigned char>(c));
    if (!ok) one_byte[static_cast<std::size_t>(nfa_.IntervalClass(i))] = false;
  }
  std::vector<int> candidates;
  for (int k = 0; k < K_; ++k)
    if (sole[static_cast<std::size_t>(k)] > 0 && sole[static_cast<std::size_t>(k)] < 0x100 &&
        one_byte[static_cast<std::size_t>(k)])
      candidates.push_back(k);
  // Rarest first; among equals, bytes that are never trail bytes (fewer false hits).
  auto cost = [&](int k) {
    const auto b = static_cast<unsigned char>(sole[static_cast<std::size_t>(k)]);
    return 2 * Commonness(b) + (b >= 0x40 && b != 0x7F ? 1 : 0);
  };
  std::stable_sort(candidates.begin(), candidates.end(), [&](int a, int b) { return cost(a) < cost(b); });
  if (candidates.size() > static_cast<std::size_t>(kMaxRequiredCandidates))
    candidates.resize(static_cast<std::size_t>(kMaxRequiredCandidates));
  std::int64_t work = kAnalysisWork;
  for (int x : candidates) {
    std::vector<std::int32_t> seen = {s0_};
    std::vector<bool> live(static_cast<std::size_t>(K_), false);
    bool ok = true;
    for (std::size_t q = 0; q < seen.size() && ok; ++q) {
      const std::int32_t s = seen[q];
      const DState d = dstates_[static_cast<std::size_t>(s)];
      if (d.accepting || d.tail) ok = false;
      for (int k = 0; k < K_ && ok; ++k) {
        if (k == x) continue;
        const std::int32_t t = AnalysisNext(s, k, work);
        if (t == kUnknown) return;
        if (t == kDead) continue;
        live[static_cast<std::size_t>(k)] = true;
        if (!one_byte[static_cast<std::size_t>(k)]) ok = false;
        if (std::find(seen.begin(), seen.end(), t) != seen.end()) continue;
        if (seen.size() >= kMaxRequiredStates) ok = false;
        seen.push_back(t);
      }
    }
    if (!ok) continue;
    pf_.kind = Prefilter::kRequired;
    pf_.required = static_cast<unsigned char>(sole[static_cast<std::size_t>(x)]);
    for (int b = 1; b < 256; ++b)
      pf_.before[static_cast<std::size_t>(b)] =
          !is_lead_[static_cast<std::size_t>(b)] && live[static_cast<std::size_t>(single_[static_cast<std::size_t>(b)])];
    return;
  }
}

namespace {
// The first zero byte in [i, c), or c.
std::size_t ZeroOr(const unsigned char* t, std::size_t i, std::size_t c) {
  if (c <= i) return c;
  const void* z = std::memchr(t + i, 0, c - i);
  return z ? static_cast<std::size_t>(static_cast<const unsigned char*>(z) - t) : c;
}
}  // namespace

// From boundary i, the first boundary at which the literal prefix stands (or
// the end of the text: n or its first zero byte).
std::size_t TRE_DFA::SkipToPrefix(const unsigned char* t, std::size_t i, std::size_t n) const {
  const auto* lit = reinterpret_cast<const unsigned char*>(pf_.literal.data());
  const std::size_t m = pf_.literal.size(), r = pf_.rare;
  if (m == 1 && !is_lead_[lit[0]]) {
    // One one-byte character: FindCharOrZero does it all.
    return FindCharOrZero(t, i, n, lit[0]);
  }
  std::size_t from = i, floor = i;
  for (;;) {
    std::size_t c = n;
    if (n - from >= m) {
      const void* h = std::memchr(t + from + r, lit[r], n - from - m + 1);
      if (h) {
        c = static_cast<std::size_t>(static_cast<const unsigned char*>(h) - t) - r;
        if (std::memcmp(t + c, lit, m) != 0) {
          from = c + 1;
          continue;
        }
      }
    }
    if (c >= n) return ZeroOr(t, i, n);
    if (IsCharStart(t, c, floor)) return ZeroOr(t, i, c);
    floor = from = c + 1;  // c is a trail byte, so c + 1 is a boundary
  }
}

// From boundary i, the first boundary at which a run could start that is
// still alive at the next required byte: walk back from that byte over
// `before` bytes, then forward over characters that cannot start a run.
std::size_t TRE_DFA::SkipToRequired(const unsigned char* t, std::size_t i, std::size_t n,
                                    PrefilterMemo& memo) const {
  if (memo.hit == SIZE_MAX || memo.hit < i) {
    const std::size_t c = FindCharOrZero(t, i, n, pf_.required);
    if (c >= n || t[c] == 0) return c;
    memo.hit = memo.low = c;
  }
  const std::size_t a = memo.hit;
  std::size_t q = std::max(memo.low, i);
  while (q > i && pf_.before[t[q - 1]]) --q;
  memo.low = q;
  // Bytes in [q, a) are one-byte characters, but q itself may be the trail of
  // a double-byte character before it.
  if (!IsCharStart(t, q, i)) ++q;
  const auto& boring = sc_->boring;
  while (q < a && boring[t[q]]) ++q;
  return q;
}

}  // namespace ambrel::regexp
