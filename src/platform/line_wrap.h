// Cuts a line of text into pieces that each fit a width, only ever between
// characters (never inside a double-byte character). Measuring is the
// caller's: the printer asks its font how much of a text fits.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace ambrel {

// fitting(rest) says how many leading bytes of rest fit the width (it may
// cut a character; the cut moves back to the character's start). A piece
// takes at least one character even when none fits, so that every byte is
// printed. An empty line gives one empty piece.
std::vector<std::string_view> WrapLine(std::string_view line,
                                       const std::function<std::size_t(std::string_view)>& fitting);

// The width of text drawn with a tab stop every tabWidth from its start,
// summed from measure's widths of its tab-free parts. Kept in full: the
// system's tabbed extent gives 16 bits, which a large font on a fine printer
// passes within a line.
long long TabbedWidth(std::string_view text, int tabWidth,
                      const std::function<long long(std::string_view)>& measure);

}  // namespace ambrel
