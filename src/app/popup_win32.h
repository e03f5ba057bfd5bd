#pragma once

#include <windows.h>

namespace ambrel::win32 {

// Opens the clip menu over the target window at pt (or at the corner that
// the PopupPos setting names). Refused with the fault sound over the
// program's own windows and while a dialog is open.
void ShowPopup(HWND target, POINT pt);

// The window a chosen clip is pasted into.
HWND PasteTarget();

}  // namespace ambrel::win32
