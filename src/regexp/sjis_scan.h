// Finding a one-byte character in Shift-JIS text without stepping through
// it character by character. A byte in 0x40..0xFC may be the trail byte of a
// double-byte character (0x5C in 表 is not a `\`); whether it is depends on
// the parity of the run of lead-range bytes before it, counted from a known
// character boundary.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ambrel::regexp {

// True when position c starts a character, given that floor <= c does. Walks
// back over lead-range bytes no further than floor.
bool IsCharStart(const unsigned char* t, std::size_t c, std::size_t floor);

// From character boundary i, the first position p < n where the byte x (not
// a lead byte, not zero) stands as a character of its own, or the first zero
// byte (where the text ends), whichever comes first; n if neither.
std::size_t FindCharOrZero(const unsigned char* t, std::size_t i, std::size_t n, unsigned char x);

// The two ways FindCharOrZero works, for tests: memchr on x with a parity
// check of each hit (best when x is rare), and a 16-byte-wide scan that keeps
// the parity of lead-byte runs as bit masks (best when x is a frequent trail
// byte; only where SSE2 is available).
std::size_t FindCharOrZeroByMemchr(const unsigned char* t, std::size_t i, std::size_t n, unsigned char x);
extern const bool kHaveVectorScan;
std::size_t FindCharOrZeroByVector(const unsigned char* t, std::size_t i, std::size_t n, unsigned char x);

// The 64 bytes at t as a mask with bit j set when t[j] starts a character;
// carry is 1 when t[0] is the trail byte of the character before (given) and
// becomes the same for t[64]. Zero bytes are not looked at.
std::uint64_t CharStarts64(const unsigned char* t, std::uint64_t& carry);

}  // namespace ambrel::regexp
