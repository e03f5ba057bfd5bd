#include "dialogs/hello_dialog_win32.h"

#include "platform/dialog_placement_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kOkId = IDOK;

constexpr const char* kGreeting =
    "Ambrel をインストールしていただき、ありがとうございます。\r\n"
    "\r\n"
    "Ambrel はタスクトレーに常駐して、コピーしたテキストを記録します。\r\n"
    "Ctrl+Shift+V でカーソル位置にクリップのメニューを開き、\r\n"
    "選んだテキストを貼り付けます。\r\n"
    "\r\n"
    "トレーアイコンを右クリックすると、設定や終了のメニューが開きます。";

}  // namespace

bool HelloDialog::Create() {
  return CreateWin("THello", "Ambrel へようこそ", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                   -2000, 0, 440, 240, nullptr, nullptr);
}

void HelloDialog::OnCreate() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HWND text = CreateWindowExA(0, "STATIC", kGreeting, WS_CHILD | WS_VISIBLE, 16, 16, 400, 140,
                              hwnd(), nullptr, instance, nullptr);
  HWND ok = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                            170, 166, 90, 26, hwnd(), reinterpret_cast<HMENU>(kOkId), instance, nullptr);
  SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageA(ok, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

LRESULT HelloDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kOkId || LOWORD(wParam) == IDCANCEL) PostMessageA(hwnd(), WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      ShowWindow(hwnd(), SW_HIDE);
      open_ = false;
      return 0;
    default: return Default(msg, wParam, lParam);
  }
}

void HelloDialog::ShowModal() {
  CenterDialog(hwnd());
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  open_ = true;
  MSG msg;
  while (open_ && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(hwnd(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace ambrel::win32
