#include "editor/status_bar_win32.h"

#include <commctrl.h>

#include "platform/dpi_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kIconPanelWidth = 23;  // at 96 DPI
constexpr int kIconSize = 16;

}  // namespace

bool StatusBar::Create(HWND parent, int id) {
  bar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!bar_) return false;
  Resize(DpiForWindow(parent));
  // The system's information icon, shared: never freed.
  auto icon = static_cast<HICON>(LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, kIconSize, kIconSize,
                                            LR_SHARED));
  SendMessageA(bar_, SB_SETICON, 0, reinterpret_cast<LPARAM>(icon));
  SendMessageA(bar_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(""));
  return true;
}

int StatusBar::Height() const {
  RECT rc{};
  // Its own style, not IsWindowVisible: the bar counts while the editor window is hidden too.
  if (bar_ && (GetWindowLongA(bar_, GWL_STYLE) & WS_VISIBLE)) GetWindowRect(bar_, &rc);
  return rc.bottom - rc.top;
}

void StatusBar::Resize(int dpi) {
  if (!bar_) return;
  SendMessageA(bar_, WM_SIZE, 0, 0);
  const int parts[2] = {ScaleForDpi(kIconPanelWidth, dpi), -1};
  SendMessageA(bar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  // Panel 0 without a bevel: only the icon.
  SendMessageA(bar_, SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(""));
}

void StatusBar::SetHint(const std::string& text) {
  if (!bar_ || text == hint_) return;
  hint_ = text;
  SendMessageA(bar_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(hint_.c_str()));
}

}  // namespace ambrel::win32
