#include "harness/mouse.h"

#include "harness/wait.h"

namespace ambrel::e2e {
namespace {

INPUT MouseInput(POINT at, DWORD flags) {
  // Absolute coordinates are in 0..65535 across the primary screen.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = width > 1 ? MulDiv(at.x, 65535, width - 1) : 0;
  input.mi.dy = height > 1 ? MulDiv(at.y, 65535, height - 1) : 0;
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return input;
}

}  // namespace

bool ClickAt(POINT screenPoint, MouseButton button) {
  const bool left = button == MouseButton::Left;
  INPUT inputs[3] = {MouseInput(screenPoint, 0),
                     MouseInput(screenPoint, left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
                     MouseInput(screenPoint, left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP)};
  return SendInput(3, inputs, sizeof(INPUT)) == 3;
}

bool MouseAt(POINT screenPoint, DWORD buttonFlags) {
  INPUT inputs[2] = {MouseInput(screenPoint, 0), MouseInput(screenPoint, buttonFlags)};
  const UINT count = buttonFlags ? 2 : 1;
  return SendInput(count, inputs, sizeof(INPUT)) == count;
}

bool DragTo(POINT from, POINT to, HWND captureOwner) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(captureOwner, nullptr);
  if (!MouseAt(from, MOUSEEVENTF_LEFTDOWN)) return false;
  const bool began = WaitUntil([&] {
    MouseAt({from.x + 4, from.y + 12});
    MouseAt({from.x + 8, from.y + 24});
    return GetGUIThreadInfo(thread, &info) && info.hwndCapture == captureOwner;
  }, 5000);
  MouseAt(to);
  MouseAt(to, MOUSEEVENTF_LEFTUP);
  return began;
}

}  // namespace ambrel::e2e
