// The editor's status bar: panel 0 holds the small hint icon, panel 1 the
// hint of the menu item or control under the pointer.
#pragma once

#include <windows.h>

#include <string>

namespace ambrel::win32 {

class StatusBar {
 public:
  bool Create(HWND parent, int id);
  HWND hwnd() const { return bar_; }
  // The height it takes from the bottom of its parent's client area.
  int Height() const;
  // Follows the parent's new size (WM_SIZE) and DPI.
  void Resize(int dpi);
  // Panel 1's text, set only when it changes (no flicker on mouse moves).
  void SetHint(const std::string& text);

 private:
  HWND bar_ = nullptr;
  std::string hint_;
};

}  // namespace ambrel::win32
