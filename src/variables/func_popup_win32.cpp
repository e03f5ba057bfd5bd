#include "variables/func_popup_win32.h"

#include <commctrl.h>

#include <string>

#include "expand/func_list.h"
#include "platform/dialog_placement_win32.h"
#include "platform/dpi_win32.h"
#include "platform/fault_barrier_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kClientWidth = 246, kClientHeight = 318;
constexpr int kBorder = 2;  // RootPanel's bevel
constexpr int kPointerOffset = 50;
constexpr const char* kTrackHint = "選択中の関数名をﾍﾟｰｽﾄします";

}  // namespace

bool FuncPopup::Create() {
  const Point parked = ParkingPlace();
  const int dpi = DpiForWindow(nullptr);
  return CreateWin("TFunc", "", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE, parked.x, parked.y,
                   ScaleForDpi(kClientWidth, dpi), ScaleForDpi(kClientHeight, dpi), edit_.hwnd(), nullptr);
}

void FuncPopup::ShowFuncPopup() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  InflateRect(&client, -kBorder, -kBorder);
  meta_.Funcs().MoveTo(hwnd(), client);
  SetWindowSubclass(meta_.Funcs().List(), &Guarded<&FuncPopup::TrackProc>, 3, reinterpret_cast<DWORD_PTR>(this));
  // The rich edit's top right corner, in screen coordinates.
  RECT edit{};
  GetWindowRect(edit_.RichEdit(), &edit);
  SetWindowPos(hwnd(), HWND_TOP, edit.right, edit.top, 0, 0, SWP_NOSIZE);
  SetCursorPos(edit.right + kPointerOffset, edit.top + kPointerOffset);
  shown_ = true;
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(meta_.Funcs().List());
}

void FuncPopup::Hide() {
  if (!shown_) return;
  shown_ = false;
  RemoveWindowSubclass(meta_.Funcs().List(), &Guarded<&FuncPopup::TrackProc>, 3);
  ShowWindow(hwnd(), SW_HIDE);
  ParkWindow(hwnd());
  meta_.TakeBackFuncPanel();
}

void FuncPopup::Choose(int row) {
  if (const int function = meta_.Funcs().FunctionAt(row); function >= 0) {
    const std::string name(expand::FuncList()[static_cast<std::size_t>(function)].name);
    SendMessageA(edit_.RichEdit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(name.c_str()));
  }
  Hide();
  SetFocus(edit_.RichEdit());
}

LRESULT FuncPopup::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) Hide();
      return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU: meta_.TrackPropMenu(hwnd(), false); return 0;
    case WM_CLOSE: Hide(); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

LRESULT FuncPopup::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != meta_.Funcs().List()) return 0;
  const int selected = static_cast<int>(
      SendMessageA(header.hwndFrom, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  switch (header.code) {
    case NM_CLICK: Choose(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem); return 0;
    case NM_RETURN: Choose(selected); return 0;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_ESCAPE) {
        Hide();
        SetFocus(edit_.RichEdit());
      }
      return 0;
    default: return 0;
  }
}

// Hot tracking: the row under the mouse becomes the selected one.
LRESULT CALLBACK FuncPopup::TrackProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
  if (msg == WM_MOUSEMOVE) {
    auto* self = reinterpret_cast<FuncPopup*>(data);
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int row = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && !ListView_GetItemState(list, row, LVIS_SELECTED))
      ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    self->edit_.ShowStatus(std::string("  ") + kTrackHint);
  }
  return DefSubclassProc(list, msg, wParam, lParam);
}

}  // namespace ambrel::win32
