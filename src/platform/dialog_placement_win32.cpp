#include "platform/dialog_placement_win32.h"

#include <optional>

namespace ambrel::win32 {
namespace {
HWND gResident = nullptr;

Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top}; }

Rect WorkAreaOfMonitor(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor && GetMonitorInfoA(monitor, &info)) return ToRect(info.rcWork);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return ToRect(work);
}

}  // namespace

Rect WorkAreaOf(HWND window) { return WorkAreaOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)); }

void SetResidentWindow(HWND resident) { gResident = resident; }

void CenterDialog(HWND form) {
  RECT fr{};
  GetWindowRect(form, &fr);
  std::optional<Rect> over;
  HWND active = GetActiveWindow();
  // A parked form belongs to no monitor: the one of the form it is centred
  // over, else the primary one, gives the work area. A parked active form
  // (the editor while the clip menu is open) is no form to centre over.
  HMONITOR monitor = MonitorFromWindow(form, MONITOR_DEFAULTTONULL);
  HMONITOR activeMonitor = active ? MonitorFromWindow(active, MONITOR_DEFAULTTONULL) : nullptr;
  if (activeMonitor && active != form && active != gResident) {
    RECT ar{};
    GetWindowRect(active, &ar);
    over = ToRect(ar);
    monitor = activeMonitor;
  }
  if (!monitor) monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  const Rect placed = CenterRect(ToRect(fr), over, WorkAreaOfMonitor(monitor));
  SetWindowPos(form, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The rule measures against the primary screen's width, as the program always
// has; the work area is that of the monitor other stands on.
void PlaceBeside(HWND window, HWND other, UINT swpFlags) {
  RECT o{}, mine{};
  GetWindowRect(other, &o);
  GetWindowRect(window, &mine);
  const Rect placed =
      BesideRect(ToRect(o), mine.right - mine.left, GetSystemMetrics(SM_CXSCREEN), WorkAreaOf(other));
  SetWindowPos(window, HWND_TOP, placed.left, placed.top, placed.width, placed.height, swpFlags);
}

Point ParkingPlace() {
  return ambrel::ParkingPlace(Rect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                   GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)});
}

void ParkWindow(HWND window) {
  const Point at = ParkingPlace();
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ambrel::win32
