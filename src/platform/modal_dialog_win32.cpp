#include "platform/modal_dialog_win32.h"

#include <algorithm>

#include "platform/dialog_placement_win32.h"
#include "platform/fault_barrier_win32.h"

namespace ambrel::win32 {
namespace {

bool InDialog(HWND dialog, HWND window) { return window == dialog || IsChild(dialog, window); }

// An edit that another control opened for a label takes its own Esc and Enter.
bool IsLabelEdit(HWND dialog, HWND window) {
  char cls[32] = {};
  GetClassNameA(window, cls, sizeof cls);
  return lstrcmpiA(cls, "Edit") == 0 && GetParent(window) != dialog;
}

}  // namespace

HFONT DialogFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

DialogUnits::DialogUnits() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, DialogFont());
  TEXTMETRICA metrics{};
  SIZE size{};
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  if (GetTextMetricsA(dc, &metrics) && GetTextExtentPoint32A(dc, kAlphabet, 52, &size)) {
    baseX_ = std::max<int>(1, (size.cx / 26 + 1) / 2);
    baseY_ = std::max<int>(1, metrics.tmHeight);
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
}

bool ModalDialog::CreateDialogWindow(const char* className, const char* caption, DWORD style, DWORD exStyle,
                                     int widthUnits, int heightUnits) {
  RECT rc{0, 0, units_.X(widthUnits), units_.Y(heightUnits)};
  AdjustWindowRectEx(&rc, style, FALSE, exStyle);
  const Point parked = ParkingPlace();
  return CreateWin(className, caption, style, exStyle, parked.x, parked.y, rc.right - rc.left,
                   rc.bottom - rc.top, nullptr, nullptr);
}

HWND ModalDialog::AddControl(const char* cls, const char* text, DWORD style, int id, DWORD exStyle) {
  HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                               nullptr);
  if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  return child;
}

const DialogControl* FindControl(std::span<const DialogControl> table, int id) {
  for (const DialogControl& row : table)
    if (row.id == id) return &row;
  return nullptr;
}

void PlaceDialogControl(HWND dialog, int id, int left, int top, int width, int height) {
  MoveWindow(GetDlgItem(dialog, id), left, top, width, height, TRUE);
}

void ModalDialog::AddControls(std::span<const DialogControl> table) {
  for (const DialogControl& row : table) AddControl(row.cls, row.text, row.style, row.id, row.exStyle);
}

void ModalDialog::PlaceControl(const DialogControl& row, int left, int top) {
  MoveWindow(GetDlgItem(hwnd(), row.id), left + units_.X(row.x), top + units_.Y(row.y), units_.X(row.w),
             units_.Y(row.h), FALSE);
}

void ModalDialog::PlaceControls(std::span<const DialogControl> table) {
  for (const DialogControl& row : table)
    if (row.w != 0) PlaceControl(row, 0, 0);
}

bool ModalDialog::RunModal(HWND owner, HWND focus) {
  if (running_) return false;
  OpenDialogs::Scope counted(host_.openDialogs, reinterpret_cast<OpenDialogs::WindowId>(hwnd()));
  const bool disabled = owner && IsWindowEnabled(owner);
  if (disabled) EnableWindow(owner, FALSE);
  CenterDialog(hwnd());
  SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  if (focus) SetFocus(focus);
  running_ = true;
  ok_ = false;
  OnModalShown();
  MSG msg;
  while (running_) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      SendMessageA(hwnd(), WM_COMMAND, IDCANCEL, 0);
      running_ = false;
      ok_ = false;
      break;
    }
    try {
      if (InDialog(hwnd(), msg.hwnd) && (PreTranslateKey(msg) || TranslateCommonKey(msg))) continue;
      if (IsDialogMessageA(hwnd(), &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } catch (...) {
      ReportFault();
    }
  }
  OnModalEnding();
  // The owner is enabled before this window hides, so that the system
  // activates the owner and not some other application.
  if (disabled) EnableWindow(owner, TRUE);
  ShowWindow(hwnd(), SW_HIDE);
  ParkWindow(hwnd());
  if (owner && IsWindow(owner)) SetForegroundWindow(owner);
  return ok_;
}

void ModalDialog::EndModal(bool ok) {
  if (!running_) return;
  ok_ = ok;
  running_ = false;
}

bool ModalDialog::TranslateCommonKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  switch (msg.wParam) {
    case VK_ESCAPE:
      if (IsLabelEdit(hwnd(), msg.hwnd)) return false;
      PostMessageA(hwnd(), WM_COMMAND, IDCANCEL, 0);
      return true;
    case VK_F1:
      OpenHelp(HelpContextAt(GetFocus()));
      return true;
    default: return false;  // Enter and Tab: the dialog manager
  }
}

void ModalDialog::CountOpen() {
  if (counted_) return;
  counted_ = true;
  host_.openDialogs.Opened(reinterpret_cast<OpenDialogs::WindowId>(hwnd()));
}

void ModalDialog::CountClosed() {
  if (!counted_) return;
  counted_ = false;
  host_.openDialogs.Closed(reinterpret_cast<OpenDialogs::WindowId>(hwnd()));
}

void ModalDialog::PumpWaiting() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The job's caller ends first; the outer loop must still see the quit.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

LRESULT ModalDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) {
    SendMessageA(hwnd(), WM_COMMAND, IDCANCEL, 0);
    return 0;
  }
  return Default(msg, wParam, lParam);
}

}  // namespace ambrel::win32
