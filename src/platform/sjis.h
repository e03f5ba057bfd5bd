// Shift-JIS (code page 932) byte classification. The whole program handles
// text byte-wise; this is the one place that knows which bytes start a
// double-byte character.
#pragma once

#include <cstddef>
#include <string_view>

namespace ambrel::sjis {

// True for the first byte of a double-byte character: 0x81..0x9F, 0xE0..0xFC.
constexpr bool IsLeadByte(unsigned char b) noexcept {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length in bytes of the character that starts at text[pos]: 2 for a lead
// byte followed by another byte, otherwise 1 (a lead byte at the very end of
// the text is read as a one-byte character).
constexpr std::size_t CharLength(std::string_view text, std::size_t pos) noexcept {
  return (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

// The largest character boundary at or before limit (limit itself when the
// text is shorter): cutting there never splits a double-byte character.
constexpr std::size_t CharBoundaryAtOrBefore(std::string_view text, std::size_t limit) noexcept {
  if (limit >= text.size()) return text.size();
  std::size_t pos = 0;
  while (pos < limit) {
    const std::size_t next = pos + CharLength(text, pos);
    if (next > limit) break;
    pos = next;
  }
  return pos;
}

// The capital of an ASCII letter; every other byte as it is. Callers fold
// byte for byte, so a trail byte that looks like a letter folds alike on
// both sides of a comparison.
constexpr char AsciiUpper(char c) noexcept {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace ambrel::sjis
