#include "platform/help_win32.h"

#include <windows.h>

#include <utility>

#include "platform/dialog_placement_win32.h"
#include "platform/handles_win32.h"
#include "platform/system_library_win32.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {
namespace {

// HTML Help's entry point and the commands used, as htmlhelp.h has them.
using HtmlHelpFn = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);
constexpr UINT kHhDisplayToc = 0x0001;
constexpr UINT kHhHelpContext = 0x000F;
constexpr UINT kHhCloseAll = 0x0012;

std::string& ChmPath() {
  static std::string path;
  return path;
}

// hhctrl.ocx, loaded at the first use so that the program starts without it.
// Its viewer windows must be gone before the library is: they are closed
// when the program ends, then the library is freed.
class HtmlHelpLibrary {
 public:
  HtmlHelpLibrary() : module_(LoadSystemLibrary("hhctrl.ocx")) {
    // Through void*: FARPROC and the real signature are different function types.
    if (module_)
      entry_ = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), "HtmlHelpA")));
  }
  ~HtmlHelpLibrary() {
    if (entry_) entry_(nullptr, nullptr, kHhCloseAll, 0);
  }
  HtmlHelpLibrary(const HtmlHelpLibrary&) = delete;
  HtmlHelpLibrary& operator=(const HtmlHelpLibrary&) = delete;
  HtmlHelpFn entry() const { return entry_; }

 private:
  ModuleHandle module_;
  HtmlHelpFn entry_ = nullptr;
};

HtmlHelpFn HtmlHelpEntry() {
  static const HtmlHelpLibrary library;
  return library.entry();
}

// True when HTML Help shows the topic; false sends the caller to the help window.
bool ShowInHtmlHelp(int context) {
  const std::string& file = ChmPath();
  if (file.empty() || GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  const HtmlHelpFn htmlHelp = HtmlHelpEntry();
  if (!htmlHelp) return false;
  const HWND shown = context == 0
                         ? htmlHelp(nullptr, file.c_str(), kHhDisplayToc, 0)
                         : htmlHelp(nullptr, file.c_str(), kHhHelpContext, static_cast<DWORD_PTR>(context));
  return shown != nullptr;
}

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

void SetHelpFile(std::string chmPath) { ChmPath() = std::move(chmPath); }

void SetHelpPages(std::function<HelpPage(int context)> pages) { Pages() = std::move(pages); }

void OpenHelp(int context) {
  if (ShowInHtmlHelp(context)) return;
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
