// Holds an edit control to a limit in bytes, whatever unit its own
// EM_LIMITTEXT counts in (characters under some systems, so full-width text
// would get twice the room). Typing, pasting, WM_SETTEXT and EM_REPLACESEL
// all stop at the limit, at a character boundary; a later EM_LIMITTEXT sets
// a new byte limit.
#pragma once

#include <windows.h>

#include <cstddef>

namespace ambrel::win32 {

void LimitEditBytes(HWND edit, std::size_t maxBytes);

}  // namespace ambrel::win32
