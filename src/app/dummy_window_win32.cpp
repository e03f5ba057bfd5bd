#include "app/dummy_window_win32.h"

#include "platform/dialog_placement_win32.h"
#include "platform/help_win32.h"

namespace ambrel::win32 {

bool DummyWindow::Create() {
  const Point parked = ParkingPlace();
  if (!CreateWin("TDummy", "Dummy", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, parked.x, parked.y, 120, 60, nullptr,
                 nullptr))
    return false;
  CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 4, 4, 100, 20, hwnd(), nullptr,
                  GetModuleHandleA(nullptr), nullptr);  // DummyEdit
  return true;
}

// As the tray menu's owner it receives F1 pressed in the menu.
LRESULT DummyWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HELP && lParam) {
    OpenMenuHelp(*reinterpret_cast<const HELPINFO*>(lParam));
    return TRUE;
  }
  return Default(msg, wParam, lParam);
}

void DummyWindow::ShowForMenu() {
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

}  // namespace ambrel::win32
