// A window's text (an edit's contents, a static's or button's caption, a
// window's title) as the program keeps text: ANSI code-page bytes.
#pragma once

#include <windows.h>

#include <string>

namespace ambrel::win32 {

std::string WindowText(HWND window);

}  // namespace ambrel::win32
