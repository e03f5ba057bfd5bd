#include "platform/dialog_placement_win32.h"

#include <optional>

#include "platform/geometry.h"

namespace ambrel::win32 {
namespace {
HWND gResident = nullptr;
}  // namespace

void SetResidentWindow(HWND resident) { gResident = resident; }

void CenterDialog(HWND form) {
  RECT fr{};
  GetWindowRect(form, &fr);
  std::optional<Rect> over;
  HWND active = GetActiveWindow();
  if (active && active != form && active != gResident) {
    RECT ar{};
    GetWindowRect(active, &ar);
    over = Rect{ar.left, ar.top, ar.right - ar.left, ar.bottom - ar.top};
  }
  const Rect placed = CenterRect(Rect{fr.left, fr.top, fr.right - fr.left, fr.bottom - fr.top}, over,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(form, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ambrel::win32
