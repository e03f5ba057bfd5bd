#include "variables/meta_edit_dialog_win32.h"

#include <commctrl.h>
#include <richedit.h>

#include "editor/editor_command_ids.h"
#include "expand/dialog_parts_win32.h"
#include "expand/meta_select.h"
#include "platform/fault_barrier_win32.h"
#include "platform/rich_edit_text_win32.h"
#include "platform/std_edit_menu_win32.h"
#include "platform/window_text_win32.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

constexpr int kHelpContext = kHelpStaticVariableEdit;
constexpr int kKeyId = 101, kUpDownId = 102, kEditId = 103, kStatusId = 104;
constexpr int kMetaBoxId = 105, kDollarId = 106, kStrBoxId = 107;
constexpr int kFirstToolId = 110;  // load, save, print, edit menu, functions
constexpr int kToolCount = 5;
static_assert(MetaEditDialog::kFuncButtonId == kFirstToolId + kToolCount - 1);

// The editor window's command of each tool button; -1 opens the function popup.
constexpr int kToolCommands[kToolCount] = {editor::kCmdLoadClip, editor::kCmdSaveClip, editor::kCmdPrintClip,
                                           editor::kCmdEditMenu, -1};
constexpr const char* kMetaBoxHint = "0-9 と A-Z の範囲でメタ文字を指定して下さい";
constexpr const char* kDataHint = "メタ文字に対応する関数名または文字列を入力します";
constexpr const char* kOkHint = "編集を確定します";
constexpr const char* kCancelHint = "編集を中止します";

// Placed by OnSize, under the status bar's height; the button row comes after
// the rich edit in the tab order, the status bar last.
const DialogControl kControls[] = {
    {kMetaBoxId, "BUTTON", " メタ文字 ", BS_GROUPBOX, 0, 0, 0, 0, kMetaBoxHint},
    {kDollarId, "STATIC", "$", SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN, 0, 0, 0, 0, kMetaBoxHint},
    {kKeyId, "EDIT", "", WS_TABSTOP | ES_UPPERCASE | ES_CENTER, 0, 0, 0, 0, kMetaBoxHint, 0, 0, false,
     WS_EX_CLIENTEDGE},
    {kUpDownId, UPDOWN_CLASSA, "", 0, 0, 0, 0, 0},
    {kStrBoxId, "BUTTON", " 関数or文字列 ", BS_GROUPBOX, 0, 0, 0, 0, kDataHint},
    {kFirstToolId, "BUTTON", "読込", BS_PUSHBUTTON, 0, 0, 0, 0, "エディットに、ファイルからデータを読み込みます"},
    {kFirstToolId + 1, "BUTTON", "保存", BS_PUSHBUTTON, 0, 0, 0, 0, "編集中のデータをファイルに書き込みます"},
    {kFirstToolId + 2, "BUTTON", "印刷", BS_PUSHBUTTON, 0, 0, 0, 0, "編集中のデータを印刷します"},
    {kFirstToolId + 3, "BUTTON", "編集", BS_PUSHBUTTON, 0, 0, 0, 0, "編集用のポップアップメニューを開きます"},
    {kFirstToolId + 4, "BUTTON", "関数", BS_PUSHBUTTON, 0, 0, 0, 0, "関数名の一覧を表示します"},
    {kEditId, RICHEDIT_CLASSA, "",
     WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN, 0, 0,
     0, 0, kDataHint, 0, 0, false, WS_EX_CLIENTEDGE},
};
constexpr DialogControl kStatusBar[] = {{kStatusId, STATUSCLASSNAMEA, "", 0, 0, 0, 0, 0}};

}  // namespace

MetaEditDialog::MetaEditDialog(DialogHost& host, MessageBoxes& messages,
                               std::function<void()> showFuncPopup, std::function<void()> onHidden)
    : ModalDialog(host, kHelpContext),
      messages_(messages),
      showFuncPopup_(std::move(showFuncPopup)),
      onHidden_(std::move(onHidden)) {}

bool MetaEditDialog::Create() {
  LoadRichEdit();
  return CreateDialogWindow("TMetaEdit", "", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, 230, 210);
}

void MetaEditDialog::OnCreate() {
  AddControls(kControls);
  AddControls(kButtonRow);
  AddControls(kStatusBar);
  key_ = GetDlgItem(hwnd(), kKeyId);
  upDown_ = GetDlgItem(hwnd(), kUpDownId);
  strBox_ = GetDlgItem(hwnd(), kStrBoxId);
  edit_ = GetDlgItem(hwnd(), kEditId);
  status_ = GetDlgItem(hwnd(), kStatusId);
  SendMessageA(key_, EM_LIMITTEXT, 2, 0);  // a second character is seen and emptied
  SendMessageA(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(-100), 100);
  SendMessageA(edit_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageA(edit_, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  SetWindowSubclass(key_, &Guarded<&MetaEditDialog::KeyProc>, 1, reinterpret_cast<DWORD_PTR>(this));
  AttachStdEditMenu(key_);
  for (const DialogControl& row : kControls)
    if (row.hint) SetWindowSubclass(GetDlgItem(hwnd(), row.id), &Guarded<&MetaEditDialog::HintProc>, 2,
                                    reinterpret_cast<DWORD_PTR>(this));
  for (int id : {IDOK, IDCANCEL})
    SetWindowSubclass(GetDlgItem(hwnd(), id), &Guarded<&MetaEditDialog::HintProc>, 2,
                      reinterpret_cast<DWORD_PTR>(this));
}

void MetaEditDialog::OnSize(int width, int height) {
  const DialogUnits& du = Units();
  SendMessageA(status_, WM_SIZE, 0, 0);
  RECT sr{};
  GetWindowRect(status_, &sr);
  const int statusHeight = sr.bottom - sr.top;
  const int parts[2] = {width * 3 / 4, -1};
  SendMessageA(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  const int m = du.X(5);
  PlaceControl(kMetaBoxId, m, du.Y(3), du.X(80), du.Y(30));
  PlaceControl(kDollarId, m + du.X(8), du.Y(14), du.X(12), du.Y(12));
  PlaceControl(kKeyId, m + du.X(22), du.Y(14), du.X(20), du.Y(12));
  PlaceControl(kUpDownId, m + du.X(42), du.Y(14), du.X(10), du.Y(12));
  const int strTop = du.Y(36), rowBelow = du.Y(kButtonRowUnits) + statusHeight;
  const int strHeight = height - strTop - rowBelow;
  PlaceControl(kStrBoxId, m, strTop, width - 2 * m, strHeight);
  for (int i = 0; i < kToolCount; ++i)
    PlaceControl(kFirstToolId + i, m + du.X(6) + i * du.X(26), strTop + du.Y(11), du.X(25), du.Y(12));
  const int editTop = strTop + du.Y(25);
  PlaceControl(kEditId, m + du.X(6), editTop, width - 2 * m - du.X(12), strTop + strHeight - editTop - du.Y(6));
  LayoutButtonRow(hwnd(), 0, width, height - statusHeight, du);
}

LRESULT MetaEditDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == kUpDownId && header.code == UDN_DELTAPOS) {
        Step(reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0);
        return TRUE;  // the control's own position stays
      }
      return 0;
    }
    default: return ModalDialog::HandleMessage(msg, wParam, lParam);
  }
}

void MetaEditDialog::Step(bool up) {
  const std::string now = WindowText(key_);
  SetWindowTextA(key_, (up ? expand::NextChar(now) : expand::PrevChar(now)).c_str());
}

void MetaEditDialog::OnCommand(int id, int code) {
  if (id == IDOK) {
    OnOk();
  } else if (id == IDCANCEL) {
    EndModal(false);
  } else if (id == kHelpId) {
    OpenHelp(kHelpContext);
  } else if (id == kKeyId && code == EN_CHANGE) {
    const std::string text = WindowText(key_);
    if (text != expand::FitMetaKey(text)) SetWindowTextA(key_, "");
  } else if (id >= kFirstToolId && id < kFirstToolId + kToolCount) {
    SetFocus(edit_);
    const int command = kToolCommands[id - kFirstToolId];
    if (command < 0) {
      if (showFuncPopup_) showFuncPopup_();
    } else if (editorWindow_) {
      PostMessageA(editorWindow_, WM_COMMAND, static_cast<WPARAM>(command), 0);
    }
  }
}

void MetaEditDialog::OnOk() {
  if (mode_ != expand::MetaEditMode::kDelete) {
    if (const auto problem = expand::CheckMetaEdit(WindowText(key_), RichEditText(edit_))) {
      messages_.ErrorBox(problem->message, problem->helpContext);
      return;
    }
  }
  EndModal(true);
}

// Esc in the rich edit is Cancel like everywhere; Up and Down step the
// meta character.
bool MetaEditDialog::PreTranslateKey(const MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.hwnd == key_ && (msg.wParam == VK_UP || msg.wParam == VK_DOWN)) {
    Step(msg.wParam == VK_UP);
    return true;
  }
  return false;
}

void MetaEditDialog::OnModalEnding() {
  if (onHidden_) onHidden_();
}

void MetaEditDialog::ShowStatus(const std::string& text) {
  SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The field is emptied before each key is taken; space and other refused
// keys leave it as it was, Delete does nothing.
LRESULT CALLBACK MetaEditDialog::KeyProc(HWND key, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR) {
  if (msg == WM_KEYDOWN && wParam == VK_DELETE) return 0;
  if (msg == WM_CHAR && wParam != VK_BACK) {
    if (const auto typed = expand::TypedMetaChar(static_cast<char>(wParam))) {
      SetWindowTextA(key, typed->c_str());
      SendMessageA(key, EM_SETSEL, 1, 1);
    }
    return 0;
  }
  return DefSubclassProc(key, msg, wParam, lParam);
}

LRESULT CALLBACK MetaEditDialog::HintProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
  if (msg == WM_MOUSEMOVE) {
    auto* self = reinterpret_cast<MetaEditDialog*>(data);
    const int id = GetDlgCtrlID(control);
    const DialogControl* row = FindControl(kControls, id);
    const char* hint = row ? row->hint : id == IDOK ? kOkHint : id == IDCANCEL ? kCancelHint : nullptr;
    if (hint) self->ShowStatus(std::string("  ") + hint);
  }
  return DefSubclassProc(control, msg, wParam, lParam);
}

void MetaEditDialog::Place() {
  if (!metaWindow_) return;
  RECT list{}, editor{}, mine{};
  GetWindowRect(metaWindow_, &list);
  if (editorWindow_) GetWindowRect(editorWindow_, &editor);
  GetWindowRect(hwnd(), &mine);
  const int width = mine.right - mine.left;
  const int left = expand::MetaEditLeft(editor.left, list.left, list.right - list.left, width);
  SetWindowPos(hwnd(), nullptr, left, list.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MetaEditDialog::RunMetaEdit(expand::MetaEditMode mode, std::string& key, std::string& data) {
  mode_ = mode;
  const bool deleting = mode == expand::MetaEditMode::kDelete;
  SetRichEditPlainText(edit_, "");
  SetWindowTextA(key_, expand::FitMetaKey(key).c_str());
  SetRichEditPlainText(edit_, data);
  SetWindowTextA(hwnd(), std::string(expand::MetaEditCaption(mode)).c_str());
  SetWindowTextA(GetDlgItem(hwnd(), IDOK), deleting ? "削除" : " OK ");
  if (deleting) MessageBeep(MB_ICONQUESTION);
  EnableWindow(key_, !deleting);
  EnableWindow(upDown_, !deleting);
  EnableWindow(edit_, !deleting);
  for (int i = 0; i < kToolCount; ++i) EnableWindow(GetDlgItem(hwnd(), kFirstToolId + i), !deleting);
  ShowStatus("");
  // RunModal centres the dialog; it then stands at the top of the list window.
  const bool ok = RunModal(metaWindow_, deleting ? GetDlgItem(hwnd(), IDOK) : key_);
  if (ok) {
    key = WindowText(key_);
    data = RichEditText(edit_);
  }
  return ok;
}

}  // namespace ambrel::win32
