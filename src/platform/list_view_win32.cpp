#include "platform/list_view_win32.h"

#include <commctrl.h>

namespace ambrel::win32 {

HWND MakeReportList(HWND parent, int id, DWORD extraStyle) {
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                              WS_CHILD | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | extraStyle, 0,
                              0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  return list;
}

void AddListColumn(HWND list, int index, const char* caption, int width) {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<char*>(caption);
  column.cx = width;
  SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void AddListRow(HWND list, int row, const std::vector<std::string>& texts) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<char*>(texts[0].c_str());
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  for (std::size_t col = 1; col < texts.size(); ++col) {
    item.iSubItem = static_cast<int>(col);
    item.pszText = const_cast<char*>(texts[col].c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  }
}

std::string ListItemText(HWND list, int row, int column) {
  char buffer[512] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return buffer;
}

void SetTabPlacement(HWND tabs, bool upper, bool multiLine) {
  LONG_PTR style = GetWindowLongPtrA(tabs, GWL_STYLE) & ~static_cast<LONG_PTR>(TCS_BOTTOM | TCS_MULTILINE);
  if (!upper) style |= TCS_BOTTOM;
  if (multiLine) style |= TCS_MULTILINE;
  SetWindowLongPtrA(tabs, GWL_STYLE, style);
  InvalidateRect(tabs, nullptr, TRUE);
}

RECT LayOutTabs(HWND tabs) {
  RECT rc{};
  GetClientRect(GetParent(tabs), &rc);
  MoveWindow(tabs, 0, 0, rc.right, rc.bottom, TRUE);
  TabCtrl_AdjustRect(tabs, FALSE, &rc);
  return rc;
}

void FillTabPage(HWND control, const RECT& area) {
  MoveWindow(control, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace ambrel::win32
