#include "platform/hint_icon_win32.h"

#include <commctrl.h>

namespace ambrel::win32 {

void ShowHintIcon(HWND statusBar) {
  constexpr int kIconSize = 16;
  // The system's information icon, shared: never freed.
  auto icon = static_cast<HICON>(LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, kIconSize, kIconSize,
                                            LR_SHARED));
  SendMessageA(statusBar, SB_SETICON, 0, reinterpret_cast<LPARAM>(icon));
  SendMessageA(statusBar, SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(""));
}

}  // namespace ambrel::win32
