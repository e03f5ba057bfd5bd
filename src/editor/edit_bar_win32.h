// The editor's tool bars: EditBar1 (12 buttons, the normal mode's) and
// EditBar2 (6 buttons, beginner mode's). Each button sends the WM_COMMAND id
// of its menu twin; the bar in use stands above the current clip's text.
// The static-variable editor's bar is made of the same pieces from its own
// buttons.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <span>
#include <string>

namespace ambrel::win32 {

struct EditButton {
  int command;
  int image;  // in the tool images
  const char* hint;
};

class EditBar {
 public:
  enum Kind { kNormal, kBeginner };
  // `hint` gets a button's hint while the pointer is over it.
  EditBar(Kind kind, std::function<void(const std::string&)> hint);
  // A bar of the caller's buttons, which must outlive it.
  EditBar(std::span<const EditButton> buttons, std::function<void(const std::string&)> hint);
  bool Create(HWND parent, int id);
  HWND hwnd() const { return bar_; }

  // The buttons' size at the window's DPI; `images` (owned by the caller)
  // holds the tool images at that DPI.
  void ApplyDpi(int dpi, HIMAGELIST images);
  void SetPopupHint(bool on);
  // Buttons that do not fit go to further rows (true) or out of sight.
  void SetWrap(bool on);
  void Show(bool on);
  // Shown in its parent (which may itself be hidden).
  bool Shown() const { return (GetWindowLongPtrA(bar_, GWL_STYLE) & WS_VISIBLE) != 0; }
  void EnableButtons(const std::function<bool(int command)>& enabled);
  // Places the bar at the top of `area`, as wide as it; answers its height
  // (0 while hidden).
  int Place(const RECT& area);
  // The height of one row of buttons.
  int RowHeight() const;
  // Hot-item and tool-tip notifications of this bar; true when handled.
  bool OnNotify(const NMHDR& header);
  // The pointer moved over the bar (client coordinates): a disabled button
  // is never the hot item, so its hint is found here.
  void OnMouseMove(POINT at);

 private:
  std::span<const EditButton> buttons_;
  std::function<void(const std::string&)> hint_;
  HWND bar_ = nullptr;
  int dpi_ = 96;
  bool popupHint_ = true;
  const char* HintOf(int command) const;
};

}  // namespace ambrel::win32
