// The small hint picture in panel 0 of a status bar whose panel 1 shows the
// hints (the editor window, the user-menu dialog, the static-variable editor).
#pragma once

#include <windows.h>

namespace ambrel::win32 {

// The width of that panel at 96 DPI.
constexpr int kHintIconPanelWidth = 23;

// Puts the system's information icon into panel 0 of statusBar, without a
// bevel.
void ShowHintIcon(HWND statusBar);

}  // namespace ambrel::win32
