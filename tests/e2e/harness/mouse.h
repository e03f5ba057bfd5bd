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

// A drag with the left button from `from` to `to`: it moves on from `from`
// until `captureOwner` holds the mouse capture (the drag has begun), then
// releases at `to`. False when no drag began.
bool DragTo(POINT from, POINT to, HWND captureOwner);

}  // namespace ambrel::e2e
