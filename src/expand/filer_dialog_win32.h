// The open-file dialog of "#Filer".
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/modal_dialog_win32.h"

namespace ambrel::win32 {

// pattern is the initial file name ("*.*" lists every file at first).
// The system dialog counts in the host's record of open dialogs while it is
// open, like the program's own dialogs.
bool RunFiler(const DialogHost& host, HWND owner, std::string_view pattern, std::string& fileName);

}  // namespace ambrel::win32
