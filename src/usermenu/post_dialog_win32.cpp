#include "usermenu/post_dialog_win32.h"

#include <commctrl.h>

#include <vector>

#include "clipstore/clip_store.h"
#include "platform/dialog_placement_win32.h"
#include "platform/edit_byte_limit_win32.h"
#include "platform/help_win32.h"
#include "platform/message_box.h"
#include "usermenu/distribution.h"
#include "usermenu/reg_list_window_win32.h"

namespace ambrel::win32 {
namespace {

enum ControlId : int {
  kTitleBox = 100, kTitleEdit, kRegBox, kRegEdit, kTestBox, kTestEdit, kResultEdit, kTestBtn,
  kPropBox, kMaxHistoryEdit, kMaxHistorySpin, kMaxHistoryPanel, kDuplicateBtn, kStatusBar,
  kHelpBtn,
};

struct ControlSpec {
  int id;
  const char* cls;
  const char* text;
  DWORD style;
  int x, y, w, h;
  const char* hint;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEdit = kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

const ControlSpec kControls[] = {
    {kTitleBox, "BUTTON", " メニュータイトル ", kChild | BS_GROUPBOX, 8, 6, 344, 50,
     "ポストメニューのタイトルを指定します"},
    {kTitleEdit, "EDIT", "", kEdit, 18, 24, 324, 22, nullptr},
    {kRegBox, "BUTTON", " 照合文字列 ", kChild | BS_GROUPBOX, 8, 60, 344, 50,
     "ポストの対象となるクリップデータ文字列条件を指定します"},
    {kRegEdit, "EDIT", "", kEdit, 18, 78, 324, 22, nullptr},
    {kTestBox, "BUTTON", " テスト文字列 ", kChild | BS_GROUPBOX, 8, 114, 344, 80, nullptr},
    {kTestEdit, "EDIT", "", kEdit, 18, 132, 324, 22, "マッチングテストの対象となる文字列を指定します"},
    {kResultEdit, "EDIT", "", kChild | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY | WS_DISABLED, 18,
     162, 240, 22, "マッチングした文字列を表示します"},
    {kTestBtn, "BUTTON", " ﾃｽﾄ  ", kChild | WS_TABSTOP | WS_DISABLED, 266, 161, 76, 24,
     "マッチングテストを行います"},
    {kPropBox, "BUTTON", " 登録条件 ", kChild | BS_GROUPBOX, 8, 198, 344, 52, nullptr},
    {kMaxHistoryEdit, "EDIT", "5", kEdit | ES_NUMBER, 18, 218, 50, 22, "登録可能なポストデータの個数を指定します"},
    {kMaxHistoryPanel, "STATIC", "個まで登録    ", kChild, 88, 221, 90, 18,
     "登録可能なポストデータの個数を指定します"},
    {kDuplicateBtn, "BUTTON", "重複チェックを行う", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 184, 218,
     160, 22, "ポストデータ登録時に重複チェックをするかしないかを指定します"},
    {IDOK, "BUTTON", "OK", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 8, 260, 84, 26, "編集を確定します"},
    {IDCANCEL, "BUTTON", "ｷｬﾝｾﾙ", kChild | WS_TABSTOP, 100, 260, 84, 26, "編集を中止します"},
    {kHelpBtn, "BUTTON", "正規表現  ", kChild | WS_TABSTOP, 268, 260, 84, 26, "ヘルプを表示します"},
};

std::string TextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data());
}

}  // namespace

bool PostDialog::Create(RegListWindow* regList) {
  regList_ = regList;
  RECT rc{0, 0, 360, 318};
  AdjustWindowRectEx(&rc, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
  return CreateWin("TPost", "メニューのプロパティを指定して下さい。", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                   WS_EX_DLGMODALFRAME, -20000, 0, rc.right - rc.left, rc.bottom - rc.top, nullptr,
                   nullptr);
}

void PostDialog::OnCreate() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlSpec& c : kControls) {
    HWND control = CreateWindowExA(0, c.cls, c.text, c.style, c.x, c.y, c.w, c.h, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  LimitEditBytes(Item(kTitleEdit), 30);
  LimitEditBytes(Item(kRegEdit), 255);
  LimitEditBytes(Item(kTestEdit), 255);
  HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "",
                              kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                              0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(kMaxHistorySpin), instance, nullptr);
  SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(kMaxHistoryEdit)), 0);
  SendMessageA(spin, UDM_SETRANGE32, 5, 100);
  SendMessageA(spin, UDM_SETPOS32, 0, 5);
  HWND status = CreateWindowExA(0, STATUSCLASSNAMEA, "", kChild, 0, 0, 0, 0, hwnd(),
                                reinterpret_cast<HMENU>(kStatusBar), instance, nullptr);
  int parts[2] = {23, -1};
  SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

LRESULT PostDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_SETCURSOR:
      OnSetCursor(reinterpret_cast<HWND>(wParam));
      return Default(msg, wParam, lParam);
    case WM_CLOSE: Finish(false); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

void PostDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDOK: OnOk(); break;
    case IDCANCEL: Finish(false); break;
    case kTestBtn: OnTest(); break;
    case kHelpBtn: OpenHelp(706); break;
    case kTestEdit:
      if (code == EN_CHANGE) {
        EnableWindow(Item(kTestBtn), GetWindowTextLengthA(Item(kTestEdit)) > 0);
        SetWindowTextA(Item(kResultEdit), "");
      }
      break;
    default: break;
  }
}

void PostDialog::Fill(const usermenu::MenuValues& values) {
  SetWindowTextA(Item(kTitleEdit), values.title.c_str());
  SetWindowTextA(Item(kRegEdit), values.pattern.c_str());
  SendMessageA(Item(kMaxHistorySpin), UDM_SETPOS32, 0, values.maxCount);
  SetWindowTextA(Item(kMaxHistoryEdit), std::to_string(values.maxCount).c_str());
  SendMessageA(Item(kDuplicateBtn), BM_SETCHECK, values.duplicate ? BST_CHECKED : BST_UNCHECKED, 0);
}

usermenu::MenuValues PostDialog::Read() const {
  usermenu::MenuValues values;
  values.title = TextOf(Item(kTitleEdit));
  values.pattern = TextOf(Item(kRegEdit));
  const std::string count = TextOf(Item(kMaxHistoryEdit));
  values.maxCount = count.empty() || count.size() > 6 ? 0 : std::stoi(count);
  values.duplicate = SendMessageA(Item(kDuplicateBtn), BM_GETCHECK, 0, 0) == BST_CHECKED;
  return values;
}

void PostDialog::EnableFields(bool on) {
  for (int id : {kTitleBox, kTitleEdit, kRegBox, kRegEdit, kTestBox, kTestEdit, kPropBox,
                 kMaxHistoryEdit, kMaxHistorySpin, kMaxHistoryPanel, kDuplicateBtn})
    EnableWindow(Item(id), on);
  EnableWindow(Item(kTestBtn), FALSE);
}

bool PostDialog::ShowMenuProperties(HWND owner, clipstore::TreeNode* node, usermenu::MenuMode mode,
                                    bool startupDone) {
  if (mode == usermenu::MenuMode::kNew && store_.FreeSlot() < 0) return false;
  node_ = node;
  mode_ = mode;
  const bool deleting = mode == usermenu::MenuMode::kDelete;
  EnableFields(!deleting);
  SetWindowTextA(Item(IDOK), deleting ? "削除" : "OK");
  SetWindowTextA(Item(kTestEdit), "");
  SetWindowTextA(Item(kResultEdit), "");
  SetWindowTextA(hwnd(), deleting ? usermenu::kDeleteCaption : usermenu::kEditCaption);
  Fill(usermenu::InitialMenuValues(store_, mode, node));

  SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  CenterDialog(hwnd());
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  if (deleting) {
    SetFocus(Item(IDOK));
    MessageBeep(MB_ICONQUESTION);
  } else {
    SetFocus(Item(kTitleEdit));
  }
  if (startupDone && regList_) regList_->ShowBeside(hwnd());

  open_ = true;
  result_ = false;
  MSG msg;
  while (open_ && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (OnKey(msg)) continue;
    if (IsDialogMessageA(hwnd(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));

  if (startupDone && regList_) regList_->Close();
  if (owner) EnableWindow(owner, TRUE);
  ShowWindow(hwnd(), SW_HIDE);
  SetWindowPos(hwnd(), nullptr, -20000, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (owner) SetForegroundWindow(owner);
  return result_;
}

bool PostDialog::OnKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) return false;
  const bool enter = msg.wParam == VK_RETURN;
  if (msg.hwnd == Item(kTitleEdit) || msg.hwnd == Item(kRegEdit)) {
    if (enter) OnOk();
    return enter;
  }
  if (msg.hwnd == Item(kTestEdit)) {
    if (enter && IsWindowEnabled(Item(kTestBtn))) OnTest();
    return enter;
  }
  if (msg.hwnd == Item(kMaxHistoryEdit)) {
    enter ? OnOk() : Finish(false);
    return true;
  }
  return false;
}

void PostDialog::OnOk() {
  const usermenu::MenuValues values = Read();
  // A menu is deleted as it stands: its stored values need not pass the
  // checks (a pattern that no longer compiles must not keep it forever).
  if (mode_ != usermenu::MenuMode::kDelete) {
    if (std::optional<usermenu::MenuCheckFailure> failure = usermenu::CheckMenuValues(values)) {
      messages_.ErrorBox(failure->message, failure->helpContext);
      return;
    }
    if (!reg_.CompileExpression(values.pattern) || reg_.CurrentExpression().empty()) return;
  }
  usermenu::ApplyMenuValues(store_, mode_, node_, values);
  Finish(true);
}

void PostDialog::OnTest() {
  const std::optional<std::string> result =
      usermenu::TestMatch(reg_, TextOf(Item(kRegEdit)), TextOf(Item(kTestEdit)));
  if (result) SetWindowTextA(Item(kResultEdit), result->c_str());
  SetFocus(Item(kTestEdit));
}

void PostDialog::Finish(bool ok) {
  result_ = ok;
  open_ = false;
}

void PostDialog::ShowHint(const std::string& hint) {
  SendMessageA(Item(kStatusBar), SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(hint.c_str()));
}

void PostDialog::OnSetCursor(HWND over) {
  const int id = GetDlgCtrlID(over);
  for (const ControlSpec& c : kControls) {
    if (c.id == id && c.hint) {
      ShowHint(std::string("  ") + c.hint);
      return;
    }
  }
}

bool PostDialog::AcceptDrop(POINT screenPoint, const std::string& caption) {
  HWND target = WindowFromPoint(screenPoint);
  for (int id : {kTitleEdit, kRegEdit, kTestEdit}) {
    if (target != Item(id) || !IsWindowEnabled(target)) continue;
    SendMessageA(target, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(caption.c_str()));
    SetFocus(target);
    return true;
  }
  return false;
}

}  // namespace ambrel::win32
