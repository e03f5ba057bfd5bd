#include "expand/input_dialog_win32.h"

#include <richedit.h>

#include "expand/dialog_parts_win32.h"
#include "platform/dialog_placement_win32.h"
#include "platform/help_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kEditId = 101;
constexpr int kHelpContext = 106;

}  // namespace

bool InputDialog::Create() {
  LoadRichEdit();
  return CreateWin("TInput", "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_DLGMODALFRAME,
                   -2000, 0, 420, 280, nullptr, nullptr);
}

void InputDialog::OnCreate() {
  image_ = AddControl(hwnd(), "STATIC", "", SS_ICON, 0);
  SendMessageA(image_, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32514))), 0);
  title_ = AddControl(hwnd(), "STATIC", "", SS_LEFT, 0);
  edit_ = AddControl(hwnd(), RICHEDIT_CLASSA, "",
                     WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                     kEditId, WS_EX_CLIENTEDGE);
  SendMessageA(edit_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  name_ = AddControl(hwnd(), "STATIC", "Editer   ", SS_LEFT, 0);
  AddButtonRow(hwnd());
}

void InputDialog::OnSize(int width, int height) {
  MoveWindow(image_, 8, 8, 32, 32, TRUE);
  MoveWindow(title_, 48, 8, width - 56, 40, TRUE);
  MoveWindow(edit_, 8, 54, width - 16, height - 54 - 44, TRUE);
  LayoutButtonRow(hwnd(), name_, width, height);
}

void InputDialog::Close(bool ok) {
  ok_ = ok;
  open_ = false;
  ShowWindow(hwnd(), SW_HIDE);
}

void InputDialog::OnCommand(int id) {
  if (id == IDOK) Close(true);
  else if (id == IDCANCEL) Close(false);
  else if (id == kHelpId) OpenHelp(kHelpContext);
}

LRESULT InputDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_CLOSE: Close(false); return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {300, 200};
      return 0;
    default: return Default(msg, wParam, lParam);
  }
}

bool InputDialog::RunInput(std::string_view name, std::string_view prompt, std::string& text) {
  const std::string caption = " " + std::string(name) + " によるユーザー入力";
  SetWindowTextA(hwnd(), caption.c_str());
  SetWindowTextA(title_, std::string(prompt).c_str());
  // Word wrap follows the editors' setting: target width 0 wraps at the window.
  SendMessageA(edit_, EM_SETTARGETDEVICE, 0, settings_.GetWordWrap() ? 0 : 1);
  SetWindowTextA(edit_, text.c_str());
  SendMessageA(edit_, EM_SETSEL, 0, -1);
  CenterDialog(hwnd());
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(edit_);
  open_ = true;
  ok_ = false;
  RunModalLoop(hwnd(), open_);
  text = RichEditText(edit_);
  return ok_;
}

}  // namespace ambrel::win32
