// The byte limit of an edit field: lengths in the program's files and
// records count Shift-JIS bytes, while an edit control may count characters.
// These decide what of an insertion fits; the Win32 side applies them.
#pragma once

#include <cstddef>
#include <string_view>

namespace ambrel {

// The leading part of insertion that fits into an edit of maxBytes holding
// textBytes of which selectedBytes are replaced: cut at a character
// boundary, empty when nothing fits.
std::string_view FittingInsertion(std::string_view insertion, std::size_t textBytes,
                                  std::size_t selectedBytes, std::size_t maxBytes);

// What a paste inserts: the text up to its first NUL, and in a one-line
// field only up to its first line break.
std::string_view PastedText(std::string_view clipboardText, bool multiLine);

}  // namespace ambrel
