#include "platform/help_win32.h"

#include <windows.h>

#include <utility>

#include "platform/dialog_placement_win32.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {
namespace {

// A plain window with a read-only text of one page; one for the whole run.
class HelpWindow : public Window {
 public:
  void Show(const HelpPage& page) {
    if (!hwnd()) {
      CreateWin("THelp", "Ambrel ヘルプ", WS_OVERLAPPEDWINDOW, 0, CW_USEDEFAULT, CW_USEDEFAULT, 520,
                360, nullptr, nullptr);
      text_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, 0,
                              0, 0, hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
      SendMessageA(text_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
      Layout();
      CenterDialog(hwnd());
    }
    SetWindowTextA(hwnd(), ("Ambrel ヘルプ - " + page.title).c_str());
    SetWindowTextA(text_, page.body.c_str());
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
  }

 private:
  void Layout() {
    RECT rc{};
    GetClientRect(hwnd(), &rc);
    MoveWindow(text_, 0, 0, rc.right, rc.bottom, TRUE);
  }
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_SIZE: Layout(); return 0;
      case WM_CLOSE: ShowWindow(hwnd(), SW_HIDE); return 0;
      default: return Default(msg, wParam, lParam);
    }
  }
  HWND text_ = nullptr;
};

std::function<HelpPage(int)>& Pages() {
  static std::function<HelpPage(int)> pages;
  return pages;
}

}  // namespace

void SetHelpPages(std::function<HelpPage(int context)> pages) { Pages() = std::move(pages); }

void OpenHelp(int context) {
  static HelpWindow window;
  if (Pages()) window.Show(Pages()(context));
}

void SetMenuItemHelpContext(HMENU menu, UINT id, int context) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_DATA;
  item.dwItemData = static_cast<ULONG_PTR>(context);
  SetMenuItemInfoA(menu, id, FALSE, &item);
}

void OpenMenuHelp(const HELPINFO& info) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_DATA;
  const auto menu = static_cast<HMENU>(info.hItemHandle);
  const bool hasItem = info.iContextType == HELPINFO_MENUITEM && info.iCtrlId != 0 &&
                       GetMenuItemInfoA(menu, static_cast<UINT>(info.iCtrlId), FALSE, &item);
  OpenHelp(hasItem && item.dwItemData ? static_cast<int>(item.dwItemData)
                                      : static_cast<int>(info.dwContextId));
}

}  // namespace ambrel::win32
