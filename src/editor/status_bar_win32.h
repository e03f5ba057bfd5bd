// The editor's status bar: panel 0 holds the small hint icon, panel 1 the
// hint of the menu item or control under the pointer, and panel 2, while the
// page shows a clip in part, the note that says so (a click on it asks for
// the rest).
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
  // Panel 2's text; "" hides the panel.
  void SetPageNote(const std::string& text);
  // True for a click on panel 2 (WM_NOTIFY from the bar).
  bool IsPageNoteClick(const NMHDR& header) const;

 private:
  HWND bar_ = nullptr;
  std::string hint_;
  std::string note_;
  int dpi_ = 96;
};

}  // namespace ambrel::win32
