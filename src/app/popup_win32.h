// The clip menu opened by the hot key or the tray icon over another
// program's window, which becomes the paste target.
#pragma once

#include <windows.h>

#include "platform/busy_state.h"
#include "platform/paste_target_win32.h"

namespace ambrel {
class MessageBoxes;
}
namespace ambrel::options {
class Settings;
}

namespace ambrel::win32 {

class MainWindow;

struct PopupServices {
  const options::Settings& settings;
  MessageBoxes& messages;
  const BusyState& busy;
  PasteTarget& target;
  MainWindow& editor;  // owns the clip menu
};

class ClipPopup {
 public:
  explicit ClipPopup(const PopupServices& services) : s_(services) {}

  // Opens the clip menu over target at pt (or at the corner that the
  // PopupPos setting names). Refused with the fault sound over the program's
  // own windows (those of the resident window's process) and while busy.
  void Show(HWND resident, HWND target, POINT pt);

 private:
  PopupServices s_;
};

}  // namespace ambrel::win32
