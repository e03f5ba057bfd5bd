// The text of a rich edit as the program keeps text: CR LF line ends, the
// ANSI code page, every byte (its length asked in bytes, not characters).
#pragma once

#include <windows.h>

#include <string>

namespace ambrel::win32 {

std::string RichEditText(HWND edit);

}  // namespace ambrel::win32
