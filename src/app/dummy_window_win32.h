// TDummy: an off-screen window that owns the foreground while the tray menu
// is open, so that the menu closes when the user clicks elsewhere.
#pragma once

#include "platform/window_win32.h"

namespace ambrel::win32 {

class DummyWindow : public Window {
 public:
  bool Create();
  void ShowForMenu();
  void Close() { ShowWindow(hwnd(), SW_HIDE); }

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace ambrel::win32
