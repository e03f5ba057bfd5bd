#include "usermenu/post_dialog_win32.h"

#include <commctrl.h>

#include <vector>

#include "clipstore/clip_store.h"
#include "options/option_values.h"
#include "platform/dialog_placement_win32.h"
#include "platform/edit_byte_limit_win32.h"
#include "platform/help_win32.h"
#include "platform/hint_icon_win32.h"
#include "platform/message_box.h"
#include "platform/std_edit_menu_win32.h"
#include "platform/window_text_win32.h"
#include "usermenu/distribution.h"
#include "usermenu/reg_list_window_win32.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

enum ControlId : int {
  kTitleBox = 100, kTitleEdit, kRegBox, kRegEdit, kTestBox, kTestEdit, kResultEdit, kTestBtn,
  kPropBox, kMaxHistoryEdit, kMaxHistorySpin, kMaxHistoryPanel, kDuplicateBtn, kStatusBar,
  kHelpBtn,
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// The count spin's range; a count field that holds no number (ES_NUMBER
// stops typing, not pasting) reads as the least.
constexpr int kCountMinimum = 5;
constexpr int kCountMaximum = 100;
constexpr DWORD kEdit = kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

// Places and sizes in dialog units. The group boxes let the mouse through
// to the dialog, so the hints of the title and expression groups belong to
// the edits inside them.
const DialogControl kControls[] = {
    {kTitleBox, "BUTTON", " メニュータイトル ", kChild | BS_GROUPBOX, 5, 4, 229, 33, nullptr},
    {kTitleEdit, "EDIT", "", kEdit, 12, 16, 216, 15, "ポストメニューのタイトルを指定します"},
    {kRegBox, "BUTTON", " 照合文字列 ", kChild | BS_GROUPBOX, 5, 40, 229, 33, nullptr},
    {kRegEdit, "EDIT", "", kEdit, 12, 52, 216, 15, "ポストの対象となるクリップデータ文字列条件を指定します"},
    {kTestBox, "BUTTON", " テスト文字列 ", kChild | BS_GROUPBOX, 5, 76, 229, 53, nullptr},
    {kTestEdit, "EDIT", "", kEdit, 12, 88, 216, 15, "マッチングテストの対象となる文字列を指定します"},
    {kResultEdit, "EDIT", "", kChild | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY | WS_DISABLED, 12,
     108, 160, 15, "マッチングした文字列を表示します"},
    {kTestBtn, "BUTTON", " ﾃｽﾄ  ", kChild | WS_TABSTOP | WS_DISABLED, 177, 107, 51, 16,
     "マッチングテストを行います"},
    {kPropBox, "BUTTON", " 登録条件 ", kChild | BS_GROUPBOX, 5, 132, 229, 35, nullptr},
    {kMaxHistoryEdit, "EDIT", "5", kEdit | ES_NUMBER, 12, 145, 33, 15, "登録可能なポストデータの個数を指定します"},
    {kMaxHistoryPanel, "STATIC", "個まで登録    ", kChild, 59, 147, 60, 12,
     "登録可能なポストデータの個数を指定します"},
    {kDuplicateBtn, "BUTTON", "重複チェックを行う", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 123, 145,
     107, 15, "ポストデータ登録時に重複チェックをするかしないかを指定します"},
    {IDOK, "BUTTON", "OK", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 173, 56, 17, "編集を確定します"},
    {IDCANCEL, "BUTTON", "ｷｬﾝｾﾙ", kChild | WS_TABSTOP, 67, 173, 56, 17, "編集を中止します"},
    {kHelpBtn, "BUTTON", "正規表現  ", kChild | WS_TABSTOP, 179, 173, 56, 17, "ヘルプを表示します"},
    // Not placed here: the spin sits on its edit, the status bar at the bottom.
    {kMaxHistorySpin, UPDOWN_CLASSA, "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0},
    {kStatusBar, STATUSCLASSNAMEA, "", 0, 0, 0, 0, 0},
};

constexpr int kWidthUnits = 240, kHeightUnits = 212;

}  // namespace

PostDialog::PostDialog(DialogHost& host, clipstore::TClipBase& store, usermenu::Distributor& reg,
                       MessageBoxes& messages)
    : ModalDialog(host, kHelpUserMenu), store_(store), reg_(reg), messages_(messages) {}

bool PostDialog::Create(RegListWindow* regList) {
  regList_ = regList;
  return CreateDialogWindow("TPost", "メニューのプロパティを指定して下さい。", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                            WS_EX_DLGMODALFRAME, kWidthUnits, kHeightUnits);
}

void PostDialog::OnCreate() {
  AddControls(kControls);
  PlaceControls(kControls);
  LimitEditBytes(Item(kTitleEdit), 30);
  LimitEditBytes(Item(kRegEdit), 255);
  LimitEditBytes(Item(kTestEdit), 255);
  for (int id : {kTitleEdit, kRegEdit, kTestEdit, kResultEdit}) AttachStdEditMenu(Item(id));
  HWND spin = Item(kMaxHistorySpin);
  SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(kMaxHistoryEdit)), 0);
  SendMessageA(spin, UDM_SETRANGE32, kCountMinimum, kCountMaximum);
  SendMessageA(spin, UDM_SETPOS32, 0, kCountMinimum);
  int parts[2] = {kHintIconPanelWidth, -1};
  SendMessageA(Item(kStatusBar), SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  ShowHintIcon(Item(kStatusBar));
}

LRESULT PostDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_SETCURSOR:
      OnSetCursor(reinterpret_cast<HWND>(wParam));
      return Default(msg, wParam, lParam);
    default: return ModalDialog::HandleMessage(msg, wParam, lParam);
  }
}

void PostDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDOK: OnOk(); break;
    case IDCANCEL: EndModal(false); break;
    case kTestBtn: OnTest(); break;
    case kHelpBtn: OpenHelp(kHelpRegexp); break;
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
  values.title = WindowText(Item(kTitleEdit));
  values.pattern = WindowText(Item(kRegEdit));
  values.maxCount = options::SpinFieldValue(WindowText(Item(kMaxHistoryEdit)), kCountMinimum);
  values.duplicate = SendMessageA(Item(kDuplicateBtn), BM_GETCHECK, 0, 0) == BST_CHECKED;
  return values;
}

void PostDialog::EnableFields(bool on) {
  for (int id : {kTitleBox, kTitleEdit, kRegBox, kRegEdit, kTestBox, kTestEdit, kPropBox,
                 kMaxHistoryEdit, kMaxHistorySpin, kMaxHistoryPanel, kDuplicateBtn})
    EnableWindow(Item(id), on);
  EnableWindow(Item(kTestBtn), FALSE);
}

bool PostDialog::ShowMenuProperties(HWND owner, clipstore::TreeNode* node, usermenu::MenuMode mode) {
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
  if (deleting) MessageBeep(MB_ICONQUESTION);
  return RunModal(owner, Item(deleting ? IDOK : kTitleEdit));
}

// While the dialog is shown the expression list stands beside it (once
// start-up has finished: a menu edited during start-up has no list).
void PostDialog::OnModalShown() {
  if (Record().StartupFinished() && regList_) regList_->ShowBeside(hwnd());
}

void PostDialog::OnModalEnding() {
  if (regList_) regList_->Close();
}

int PostDialog::HelpContextAt(HWND focus) const {
  if (focus == Item(kMaxHistoryEdit)) return kHelpPropMaxHistory;
  if (focus == Item(kDuplicateBtn)) return kHelpPropDuplicate;
  return kHelpUserMenu;
}

// Enter in the test text runs the test instead of confirming the dialog;
// Enter elsewhere is OK and Esc Cancel, as in every dialog.
bool PostDialog::PreTranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || msg.hwnd != Item(kTestEdit)) return false;
  if (IsWindowEnabled(Item(kTestBtn))) OnTest();
  return true;
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
  EndModal(true);
}

void PostDialog::OnTest() {
  const std::optional<std::string> result =
      usermenu::TestMatch(reg_, WindowText(Item(kRegEdit)), WindowText(Item(kTestEdit)));
  if (result) SetWindowTextA(Item(kResultEdit), result->c_str());
  SetFocus(Item(kTestEdit));
}

void PostDialog::ShowHint(const std::string& hint) {
  SendMessageA(Item(kStatusBar), SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(hint.c_str()));
}

void PostDialog::OnSetCursor(HWND over) {
  if (const DialogControl* c = FindControl(kControls, GetDlgCtrlID(over)); c && c->hint)
    ShowHint(std::string("  ") + c->hint);
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
