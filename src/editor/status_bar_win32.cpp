#include "editor/status_bar_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/dpi_win32.h"
#include "platform/hint_icon_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kNotePanelWidth = 460;  // at 96 DPI
constexpr int kNotePanel = 2;

}  // namespace

bool StatusBar::Create(HWND parent, int id) {
  bar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!bar_) return false;
  Resize(DpiForWindow(parent));
  ShowHintIcon(bar_);
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
  dpi_ = dpi;
  SendMessageA(bar_, WM_SIZE, 0, 0);
  RECT client{};
  GetClientRect(bar_, &client);
  const int icon = ScaleForDpi(kHintIconPanelWidth, dpi);
  const int note = std::max<int>(icon * 2, client.right - ScaleForDpi(kNotePanelWidth, dpi));
  const int parts[3] = {icon, note_.empty() ? -1 : note, -1};
  SendMessageA(bar_, SB_SETPARTS, note_.empty() ? 2 : 3, reinterpret_cast<LPARAM>(parts));
  // Panel 0 without a bevel: only the icon.
  SendMessageA(bar_, SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(""));
  SendMessageA(bar_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(hint_.c_str()));
  if (!note_.empty()) SendMessageA(bar_, SB_SETTEXTA, kNotePanel, reinterpret_cast<LPARAM>(note_.c_str()));
}

void StatusBar::SetPageNote(const std::string& text) {
  if (!bar_ || text == note_) return;
  note_ = text;
  Resize(dpi_);
}

bool StatusBar::IsPageNoteClick(const NMHDR& header) const {
  if (!bar_ || note_.empty() || header.hwndFrom != bar_ || header.code != NM_CLICK) return false;
  return reinterpret_cast<const NMMOUSE&>(header).dwItemSpec == kNotePanel;
}

void StatusBar::SetHint(const std::string& text) {
  if (!bar_ || text == hint_) return;
  hint_ = text;
  SendMessageA(bar_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(hint_.c_str()));
}

}  // namespace ambrel::win32
