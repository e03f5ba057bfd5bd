// Real input: SendInput goes through the desktop's input queue to the
// foreground window's focused control, as a user's keystrokes do.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace ambrel::e2e {

// Makes `window` the foreground window and waits until it is (up to
// `timeoutMs`); true when it became so.
bool BringToForeground(HWND window, unsigned timeoutMs = 3000);

// Presses the keys in order and releases them in reverse, e.g.
// PressKeys({VK_CONTROL, 'C'}). True when every event was injected.
bool PressKeys(std::initializer_list<WORD> virtualKeys);

// Posts WM_KEYDOWN/WM_KEYUP of `virtualKey` to `window`'s queue: no focus
// needed, but GetKeyState in the target does not see it.
void PostKey(HWND window, WORD virtualKey);

}  // namespace ambrel::e2e
