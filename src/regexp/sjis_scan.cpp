#include "regexp/sjis_scan.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/sjis.h"

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define AMBREL_REGEXP_SSE2 1
#endif

namespace ambrel::regexp {

namespace {

constexpr std::array<bool, 256> kLead = [] {
  std::array<bool, 256> a{};
  for (int b = 0; b < 256; ++b) a[static_cast<std::size_t>(b)] = sjis::IsLeadByte(static_cast<unsigned char>(b));
  return a;
}();

std::size_t ZeroOr(const unsigned char* t, std::size_t i, std::size_t c) {
  if (c <= i) return c;
  const void* z = std::memchr(t + i, 0, c - i);
  return z ? static_cast<std::size_t>(static_cast<const unsigned char*>(z) - t) : c;
}

}  // namespace

bool IsCharStart(const unsigned char* t, std::size_t c, std::size_t floor) {
  std::size_t k = c;
  if (c >= floor + 4) {
    // Most runs of lead-range bytes are short: look at four bytes without
    // branching (hits on trail bytes are frequent and unpredictable).
    const unsigned run = static_cast<unsigned>(
        std::countr_one(static_cast<unsigned>(kLead[t[c - 1]]) | static_cast<unsigned>(kLead[t[c - 2]]) << 1 |
                        static_cast<unsigned>(kLead[t[c - 3]]) << 2 | static_cast<unsigned>(kLead[t[c - 4]]) << 3));
    if (run < 4) return run % 2 == 0;
    k = c - 4;
  }
  while (k > floor && kLead[t[k - 1]]) --k;
  return (c - k) % 2 == 0;
}

std::size_t FindCharOrZeroByMemchr(const unsigned char* t, std::size_t i, std::size_t n, unsigned char x) {
  std::size_t from = i, floor = i;
  while (from < n) {
    const void* h = std::memchr(t + from, x, n - from);
    if (!h) break;
    const auto c = static_cast<std::size_t>(static_cast<const unsigned char*>(h) - t);
    if (IsCharStart(t, c, floor)) return ZeroOr(t, i, c);
    floor = from = c + 1;  // c is a trail byte, so c + 1 starts a character
  }
  return ZeroOr(t, i, n);
}

#ifdef AMBREL_REGEXP_SSE2
const bool kHaveVectorScan = true;

std::size_t FindCharOrZeroByVector(const unsigned char* t, std::size_t i, std::size_t n, unsigned char x) {
  const __m128i vx = _mm_set1_epi8(static_cast<char>(x));
  const __m128i zero = _mm_setzero_si128();
  const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
  // Lead bytes 0x81..0x9F and 0xE0..0xFC as unsigned ranges, compared signed after flipping the top bit.
  const __m128i lo1 = _mm_set1_epi8(static_cast<char>(0x81)), lim1 = _mm_set1_epi8(static_cast<char>(0x80 + 0x1F));
  const __m128i lo2 = _mm_set1_epi8(static_cast<char>(0xE0)), lim2 = _mm_set1_epi8(static_cast<char>(0x80 + 0x1D));
  constexpr std::uint64_t kEven = 0x5555555555555555ull, kOdd = ~kEven;
  std::uint64_t carry = 0;  // 1 when the byte at p is the trail of a lead byte before it
  std::size_t p = i;
  for (; n - p >= 64; p += 64) {
    std::uint64_t lead = 0, hit = 0, zer = 0;
    for (int j = 0; j < 4; ++j) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + p + 16 * static_cast<std::size_t>(j)));
      const __m128i a = _mm_cmplt_epi8(_mm_xor_si128(_mm_sub_epi8(v, lo1), flip), lim1);
      const __m128i b = _mm_cmplt_epi8(_mm_xor_si128(_mm_sub_epi8(v, lo2), flip), lim2);
      const int shift = 16 * j;
      lead |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(a, b)))) << shift;
      hit |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, vx)))) << shift;
      zer |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)))) << shift;
    }
    // A byte that is not lead-range is a trail byte exactly when the run of
    // lead-range bytes before it has odd length. Adding a run's first bit to
    // the mask carries through the run and sets the bit after it; runs are
    // split by the parity of their start, a run continued from the previous
    // block counting as starting on the other parity.
    const std::uint64_t starts = lead & ~(lead << 1);
    const std::uint64_t even_start_mask = kEven ^ carry;
    const std::uint64_t even_starts = starts & even_start_mask;
    const std::uint64_t odd_starts = starts & ~even_start_mask;
    const std::uint64_t even_carries = lead + even_starts;
    std::uint64_t odd_carries = lead + odd_starts;
    const bool ends_odd = odd_carries < lead;  // an odd run reaches past the block
    odd_carries |= carry;
    const std::uint64_t trail = ((even_carries & ~lead) & kOdd) | ((odd_carries & ~lead) & kEven);
    const std::uint64_t stop = (hit & ~trail) | zer;
    if (stop != 0) return p + static_cast<std::size_t>(std::countr_zero(stop));
    carry = ends_odd ? 1 : 0;
  }
  bool in_trail = carry != 0;
  for (; p < n; ++p) {
    const unsigned char b = t[p];
    if (b == 0 || (b == x && !in_trail)) return p;
    in_trail = !in_trail && kLead[b];
  }
  return n;
}
#else
const bool kHaveVectorScan = false;

std::size_t FindCharOrZeroByVector(const unsigned char* t, std::size_t i, std::size_t n, unsigned char x) {
  return FindCharOrZeroByMemchr(t, i, n, x);
}
#endif

std::uint64_t CharStarts64(const unsigned char* t, std::uint64_t& carry) {
  std::uint64_t lead = 0;
#ifdef AMBREL_REGEXP_SSE2
  const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i lo1 = _mm_set1_epi8(static_cast<char>(0x81)), lim1 = _mm_set1_epi8(static_cast<char>(0x80 + 0x1F));
  const __m128i lo2 = _mm_set1_epi8(static_cast<char>(0xE0)), lim2 = _mm_set1_epi8(static_cast<char>(0x80 + 0x1D));
  for (int j = 0; j < 4; ++j) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + 16 * static_cast<std::size_t>(j)));
    const __m128i a = _mm_cmplt_epi8(_mm_xor_si128(_mm_sub_epi8(v, lo1), flip), lim1);
    const __m128i b = _mm_cmplt_epi8(_mm_xor_si128(_mm_sub_epi8(v, lo2), flip), lim2);
    lead |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(a, b)))) << (16 * j);
  }
#else
  for (int j = 0; j < 64; ++j) lead |= static_cast<std::uint64_t>(kLead[t[j]]) << j;
#endif
  constexpr std::uint64_t kEven = 0x5555555555555555ull, kOdd = ~kEven;
  // A trail byte in t[0] is no lead byte; then each run of lead-range bytes
  // starts a character, and so does every second byte of the run. Adding a
  // run's first bit to the mask clears the run: runs are split by the parity
  // of their start, and the bytes of a run on the parity of its start act as
  // lead bytes.
  lead &= ~carry;
  const std::uint64_t starts = lead & ~(lead << 1);
  const std::uint64_t even_runs = lead & ~(lead + (starts & kEven));
  const std::uint64_t odd_runs = lead & ~(lead + (starts & kOdd));
  const std::uint64_t acting = (even_runs & kEven) | (odd_runs & kOdd);
  const std::uint64_t trail = (acting << 1) | carry;
  carry = acting >> 63;
  return ~trail;
}

std::size_t FindCharOrZero(const unsigned char* t, std::size_t i, std::size_t n, unsigned char x) {
  // Below 0x40 a byte is never a trail byte, and memchr is fastest; a byte
  // in the trail range may be hit often inside double-byte characters.
  if (x < 0x40 || !kHaveVectorScan) return FindCharOrZeroByMemchr(t, i, n, x);
  return FindCharOrZeroByVector(t, i, n, x);
}

}  // namespace ambrel::regexp
