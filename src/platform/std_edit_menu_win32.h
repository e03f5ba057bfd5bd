// The standard edit menu of single-line edit fields (and of a dialog's rich
// edit that takes a line of input): undo, cut, copy, paste, delete and
// select all on the field it was opened on, in place of the control's own.
#pragma once

#include <windows.h>

namespace ambrel::win32 {

// The field opens the menu on a right click or the menu key from now on.
void AttachStdEditMenu(HWND edit);

}  // namespace ambrel::win32
