#include "harness/keyboard.h"

#include <vector>

#include "harness/wait.h"

namespace ambrel::e2e {
namespace {

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

LPARAM KeyLParam(WORD virtualKey, bool up) {
  const LPARAM scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  LPARAM lparam = 1 | (scan << 16);
  if (up) lparam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  return lparam;
}

}  // namespace

bool BringToForeground(HWND window, unsigned timeoutMs) {
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() == window) return true;
        // A background process may only take the foreground in some states;
        // the Alt tap is the usual way to be allowed to.
        PressKeys({VK_MENU});
        SetForegroundWindow(window);
        return GetForegroundWindow() == window;
      },
      timeoutMs, 50);
}

bool PressKeys(std::initializer_list<WORD> virtualKeys) {
  std::vector<INPUT> inputs;
  for (WORD key : virtualKeys) inputs.push_back(KeyInput(key, false));
  for (auto it = virtualKeys.end(); it != virtualKeys.begin();) inputs.push_back(KeyInput(*--it, true));
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size();
}

void PostKey(HWND window, WORD virtualKey) {
  PostMessageA(window, WM_KEYDOWN, virtualKey, KeyLParam(virtualKey, false));
  PostMessageA(window, WM_KEYUP, virtualKey, KeyLParam(virtualKey, true));
}

}  // namespace ambrel::e2e
