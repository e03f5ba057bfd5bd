#include "dialogs/hello_dialog_win32.h"

namespace ambrel::win32 {
namespace {

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
  return CreateDialogWindow("THello", "Ambrel へようこそ", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                            250, 104);
}

void HelloDialog::OnCreate() {
  const DialogUnits& du = Units();
  HWND text = AddControl("STATIC", kGreeting, SS_LEFT | SS_NOPREFIX, 0);
  MoveWindow(text, du.X(10), du.Y(10), du.X(230), du.Y(64), FALSE);
  HWND ok = AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
  MoveWindow(ok, du.X(100), du.Y(82), du.X(50), du.Y(14), FALSE);
}

LRESULT HelloDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndModal(true);
      return 0;
    default: return ModalDialog::HandleMessage(msg, wParam, lParam);
  }
}

void HelloDialog::ShowModal() { RunModal(nullptr, GetDlgItem(hwnd(), IDOK)); }

}  // namespace ambrel::win32
