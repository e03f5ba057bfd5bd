#pragma once

#include <windows.h>

namespace ambrel::win32 {

// Centres a window over the active form, or over the screen when there is
// none or the active form is the resident window, clamped to the screen.
void CenterDialog(HWND form);
// The program's resident window, never a form to centre over.
void SetResidentWindow(HWND resident);

}  // namespace ambrel::win32
