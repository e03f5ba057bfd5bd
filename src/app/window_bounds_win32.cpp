#include "app/window_bounds_win32.h"

#include <algorithm>

#include "app/window_placement.h"
#include "platform/dialog_placement_win32.h"
#include "platform/geometry.h"

namespace ambrel::win32 {
namespace {

// A rectangle from a damaged or foreign file must still leave the window
// reachable: at least 100 x 80, at most the screen, and on it.
app::TRect OnScreen(app::TRect r) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  r.width = std::clamp(r.width, 100, std::max(100, sw));
  r.height = std::clamp(r.height, 80, std::max(80, sh));
  r.left = std::clamp(r.left, 0, std::max(0, sw - r.width));
  r.top = std::clamp(r.top, 0, std::max(0, sh - r.height));
  return r;
}

}  // namespace

void WindowBounds::Attach(app::ParamWindow window, HWND hwnd) {
  attached_[static_cast<std::size_t>(window)] = hwnd;
}

app::TRect WindowBounds::Bounds(app::ParamWindow window) {
  if (HWND hwnd = attached_[static_cast<std::size_t>(window)]; hwnd && window != app::ParamWindow::kMain) {
    // Hidden dialogs stand parked off-screen and are centred when shown, so
    // their place is the one last given (or the screen's corner), and their
    // size the one they have now.
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    app::TRect& held = held_[static_cast<std::size_t>(window)];
    if (IsWindowVisible(hwnd)) {
      held.left = rc.left;
      held.top = rc.top;
    }
    held.width = rc.right - rc.left;
    held.height = rc.bottom - rc.top;
    return held;
  }
  if (window != app::ParamWindow::kMain) return held_[static_cast<std::size_t>(window)];
  // The normal rectangle, so that a minimised or maximised editor keeps its
  // place; SetBounds gives it back in screen coordinates.
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(editor_, &wp);
  const RECT& rc = wp.rcNormalPosition;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(editor_, MONITOR_DEFAULTTONEAREST), &monitor);
  const app::WorkAreaOrigin work{monitor.rcWork.left - monitor.rcMonitor.left,
                                 monitor.rcWork.top - monitor.rcMonitor.top};
  const bool toolWindow = (GetWindowLongA(editor_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
  return app::PlacementToScreen({rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top}, work,
                                toolWindow);
}

void WindowBounds::SetBounds(app::ParamWindow window, const app::TRect& bounds) {
  if (HWND hwnd = attached_[static_cast<std::size_t>(window)]; hwnd && window != app::ParamWindow::kMain) {
    // A file written before the window existed holds an empty rectangle:
    // the window keeps its designed size then.
    if (bounds.width <= 0 || bounds.height <= 0) return;
    held_[static_cast<std::size_t>(window)] = bounds;
    const app::TRect r = OnScreen(bounds);
    SetWindowPos(hwnd, nullptr, 0, 0, r.width, r.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  if (window != app::ParamWindow::kMain) {
    held_[static_cast<std::size_t>(window)] = bounds;
    return;
  }
  const app::TRect r = OnScreen(bounds);
  SetWindowPos(editor_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowBounds::CenterMainWindow() {
  RECT rc{};
  GetWindowRect(editor_, &rc);
  const Rect placed = CenterRect(Rect{rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top},
                                 std::nullopt, WorkAreaOf(editor_));
  SetWindowPos(editor_, nullptr, placed.left, placed.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ambrel::win32
