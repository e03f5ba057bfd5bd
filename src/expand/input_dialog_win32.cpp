#include "expand/input_dialog_win32.h"

#include <richedit.h>

#include <algorithm>

#include "expand/dialog_parts_win32.h"
#include "platform/dialog_placement_win32.h"
#include "platform/rich_edit_text_win32.h"
#include "platform/std_edit_menu_win32.h"
#include "platform/window_text_win32.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

constexpr int kEditId = 101, kImageId = 102, kPromptId = 103, kNameId = 104;
constexpr int kHelpContext = kHelpInput;
constexpr int kMargin = 5;
// The edit keeps at least this height (dialog units) under a long prompt.
constexpr int kMinEditUnits = 40;

// Placed by OnSize: the prompt's height follows its text.
const DialogControl kControls[] = {
    {kImageId, "STATIC", "", SS_ICON, 0, 0, 0, 0},
    {kPromptId, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0},
    {kEditId, RICHEDIT_CLASSA, "",
     WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0, 0, 0,
     nullptr, 0, 0, false, WS_EX_CLIENTEDGE},
    {kNameId, "STATIC", "Editer   ", SS_LEFT, 0, 0, 0, 0},
};

int IconSize() { return GetSystemMetrics(SM_CXICON); }

}  // namespace

InputDialog::InputDialog(DialogHost& host, options::Settings& settings)
    : ModalDialog(host, kHelpContext), settings_(settings) {}

bool InputDialog::Create() {
  LoadRichEdit();
  return CreateDialogWindow("TInput", "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_DLGMODALFRAME,
                            276, 164);
}

void InputDialog::OnCreate() {
  AddControls(kControls);
  AddControls(kButtonRow);
  title_ = GetDlgItem(hwnd(), kPromptId);
  edit_ = GetDlgItem(hwnd(), kEditId);
  SendMessageA(GetDlgItem(hwnd(), kImageId), STM_SETICON,
               reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32514))), 0);
  SendMessageA(edit_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  AttachStdEditMenu(edit_);
}

int InputDialog::PromptHeight(int width) const {
  const std::string prompt = WindowText(title_);
  HDC dc = GetDC(title_);
  HGDIOBJ old = SelectObject(dc, DialogFont());
  RECT rc{0, 0, std::max(1, width), 0};
  DrawTextA(dc, prompt.c_str(), static_cast<int>(prompt.size()), &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(title_, dc);
  return std::max<int>(IconSize(), rc.bottom);
}

void InputDialog::OnSize(int width, int height) {
  const DialogUnits& du = Units();
  const int margin = du.X(kMargin), icon = IconSize();
  const int titleLeft = margin + icon + margin, titleWidth = width - titleLeft - margin;
  const int below = du.Y(kButtonRowUnits);
  // The prompt takes what it needs; the edit keeps its minimum.
  const int room = std::max(icon, height - margin - margin - du.Y(kMinEditUnits) - below);
  const int titleHeight = std::min(PromptHeight(titleWidth), room);
  PlaceControl(kImageId, margin, margin, icon, icon);
  PlaceControl(kPromptId, titleLeft, margin, titleWidth, titleHeight);
  const int editTop = margin + titleHeight + margin;
  PlaceControl(kEditId, margin, editTop, width - 2 * margin, std::max(0, height - editTop - below));
  LayoutButtonRow(hwnd(), kNameId, width, height, du);
}

void InputDialog::FitPrompt() {
  RECT client{}, window{};
  GetClientRect(hwnd(), &client);
  GetWindowRect(hwnd(), &window);
  const DialogUnits& du = Units();
  const int margin = du.X(kMargin);
  const int titleWidth = client.right - 3 * margin - IconSize();
  const int needed = margin + PromptHeight(titleWidth) + margin + du.Y(kMinEditUnits) + du.Y(kButtonRowUnits);
  const int frame = (window.bottom - window.top) - client.bottom;
  const int height = std::min(needed + frame, WorkAreaOf(hwnd()).height);
  if (height > window.bottom - window.top)
    SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  else
    OnSize(client.right, client.bottom);
}

void InputDialog::OnCommand(int id) {
  if (id == IDOK) EndModal(true);
  else if (id == IDCANCEL) EndModal(false);
  else if (id == kHelpId) OpenHelp(kHelpContext);
}

LRESULT InputDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {Units().X(200), Units().Y(130)};
      return 0;
    default: return ModalDialog::HandleMessage(msg, wParam, lParam);
  }
}

bool InputDialog::RunInput(std::string_view name, std::string_view prompt, std::string& text) {
  const std::string caption = " " + std::string(name) + " によるユーザー入力";
  SetWindowTextA(hwnd(), caption.c_str());
  SetWindowTextA(title_, std::string(prompt).c_str());
  FitPrompt();
  // Word wrap follows the editors' setting: target width 0 wraps at the window.
  SendMessageA(edit_, EM_SETTARGETDEVICE, 0, settings_.GetWordWrap() ? 0 : 1);
  SetRichEditPlainText(edit_, text);
  // The editor font, as it is now: the dialog is made once and shown modally.
  const options::EditorFont& font = settings_.GetEditorFont();
  SetRichEditFont(edit_, font.name, font.height, static_cast<COLORREF>(font.color), font.style);
  SendMessageA(edit_, EM_SETSEL, 0, -1);
  const bool ok = RunModal(nullptr, edit_);
  text = RichEditText(edit_);
  return ok;
}

}  // namespace ambrel::win32
