// Real mouse input through SendInput, in screen coordinates.
#pragma once

#include <windows.h>

namespace ambrel::e2e {

enum class MouseButton { Left, Right };

// Moves the pointer to `screenPoint` and clicks `button` there.
bool ClickAt(POINT screenPoint, MouseButton button = MouseButton::Left);

// Moves the pointer to `screenPoint` and sends `buttonFlags` there
// (MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, or 0 for a move alone): the
// steps of a drag.
bool MouseAt(POINT screenPoint, DWORD buttonFlags = 0);

}  // namespace ambrel::e2e
