// Real mouse input through SendInput, in screen coordinates.
#pragma once

#include <windows.h>

namespace ambrel::e2e {

enum class MouseButton { Left, Right };

// Moves the pointer to `screenPoint` and clicks `button` there.
bool ClickAt(POINT screenPoint, MouseButton button = MouseButton::Left);

}  // namespace ambrel::e2e
