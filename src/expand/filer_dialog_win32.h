// The open-file dialog of "#Filer".
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ambrel::win32 {

// pattern is the initial file name ("*.*" lists every file at first).
// While the dialog is open its window is in *modalHandle (when given).
bool RunFiler(HWND owner, std::string_view pattern, std::string& fileName, LONG_PTR* modalHandle);

}  // namespace ambrel::win32
