#include "harness/tray.h"

#include "harness/window_query.h"

namespace ambrel::e2e {

HWND FindTrayWindow() {
  for (HWND w : FindTopWindows("Shell_TrayWnd"))
    if (IsWindowVisible(w)) return w;
  return nullptr;
}

bool TrayIconPoint(int positionFromRight, POINT& point) {
  HWND tray = FindTrayWindow();
  RECT area;
  if (!tray || positionFromRight < 0 || !GetWindowRect(tray, &area)) return false;
  // Wine lays the icons out right to left, each a small icon with a
  // two-pixel border on either side.
  const int slot = GetSystemMetrics(SM_CXSMICON) + 4;
  point.x = area.right - positionFromRight * slot - slot / 2;
  point.y = (area.top + area.bottom) / 2;
  return point.x > area.left;
}

bool ClickTrayIcon(int positionFromRight, MouseButton button) {
  POINT point;
  return TrayIconPoint(positionFromRight, point) && ClickAt(point, button);
}

}  // namespace ambrel::e2e
