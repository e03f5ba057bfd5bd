#include "harness/popup_menu.h"

#include "harness/keyboard.h"
#include "harness/wait.h"
#include "harness/window_query.h"

namespace ambrel::e2e {
namespace {

HWND VisibleMenu(DWORD processId) {
  for (HWND w : FindTopWindows("#32768", "", processId))
    if (IsWindowVisible(w)) return w;
  return nullptr;
}

}  // namespace

HWND WaitForPopupMenu(unsigned timeoutMs, DWORD processId) {
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = VisibleMenu(processId)) != nullptr; }, timeoutMs);
  return menu;
}

HWND WaitForSubmenu(HWND openMenu, unsigned timeoutMs, DWORD processId) {
  HWND submenu = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : FindTopWindows("#32768", "", processId))
          if (w != openMenu && IsWindowVisible(w)) submenu = w;
        return submenu != nullptr;
      },
      timeoutMs);
  return submenu;
}

bool WaitForPopupMenuClosed(unsigned timeoutMs, DWORD processId) {
  return WaitUntil([&] { return VisibleMenu(processId) == nullptr; }, timeoutMs);
}

void ChooseMenuItemByIndex(HWND menu, int index) {
  // From a menu opened by the mouse or by a program no item is selected, so
  // the first Down selects the first item.
  for (int i = 0; i <= index; ++i) PostKey(menu, VK_DOWN);
  PostKey(menu, VK_RETURN);
}

void ChooseMenuItemByMnemonic(HWND menu, char key) {
  PostMessageA(menu, WM_CHAR, static_cast<unsigned char>(key), 1);
}

bool DismissMenu(HWND menu) {
  PostKey(menu, VK_ESCAPE);
  return WaitUntil([&] { return !IsWindowVisible(menu); }, 5000);
}

}  // namespace ambrel::e2e
