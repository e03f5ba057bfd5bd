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

}  // namespace ambrel
