// Base of every window class: registers the class under the form's name and
// routes messages to the C++ object stored at WM_NCCREATE.
#pragma once

#include <windows.h>

namespace ambrel::win32 {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }

 protected:
  // Registers className once and creates the window with this as its object.
  bool CreateWin(const char* className, const char* caption, DWORD style, DWORD exStyle, int x,
                 int y, int width, int height, HWND parent, HMENU menu, UINT classStyle = 0);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace ambrel::win32
