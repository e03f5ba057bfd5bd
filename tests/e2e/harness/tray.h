// The task tray of Wine's virtual desktop: a task bar along the bottom of
// the desktop whose right end holds the notification icons; the icon at the
// right end is position 0. Without the virtual desktop there is no tray
// window to click; a test can then post the program's tray callback message
// to its window directly.
#pragma once

#include <windows.h>

#include "harness/mouse.h"

namespace ambrel::e2e {

// The visible task bar ("Shell_TrayWnd"), nullptr when there is none.
HWND FindTrayWindow();

// Screen point at the middle of the icon at `positionFromRight` (0: the
// icon at the right end, the one added first). False without a tray.
bool TrayIconPoint(int positionFromRight, POINT& point);

// Clicks the icon at `positionFromRight` with `button`.
bool ClickTrayIcon(int positionFromRight = 0, MouseButton button = MouseButton::Left);

}  // namespace ambrel::e2e
