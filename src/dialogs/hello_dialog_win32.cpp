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

constexpr int kGreetingId = 100;
const DialogControl kControls[] = {
    {kGreetingId, "STATIC", kGreeting, SS_LEFT | SS_NOPREFIX, 10, 10, 230, 64},
    {IDOK, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 100, 82, 50, 14},
};

}  // namespace

bool HelloDialog::Create() {
  return CreateDialogWindow("THello", "Ambrel へようこそ", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                            250, 104);
}

void HelloDialog::OnCreate() {
  AddControls(kControls);
  PlaceControls(kControls);
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
