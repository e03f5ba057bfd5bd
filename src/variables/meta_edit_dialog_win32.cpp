#include "variables/meta_edit_dialog_win32.h"

#include <commctrl.h>
#include <richedit.h>

#include "editor/editor_command_ids.h"
#include "editor/editor_images_win32.h"
#include "expand/dialog_parts_win32.h"
#include "expand/meta_select.h"
#include "platform/dialog_placement_win32.h"
#include "platform/dpi_win32.h"
#include "platform/fault_barrier_win32.h"
#include "platform/hint_icon_win32.h"
#include "platform/rich_edit_text_win32.h"
#include "platform/std_edit_menu_win32.h"
#include "platform/window_text_win32.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

constexpr int kHelpContext = kHelpStaticVariableEdit;
constexpr int kKeyId = 101, kUpDownId = 102, kEditId = 103, kStatusId = 104;
constexpr int kMetaBoxId = 105, kDollarId = 106, kStrBoxId = 107, kEditBarId = 108;

// LoadBtn, SaveBtn, PrintBtn and MenuBtn send the editor window its own
// command (the tool bar's lParam lets the menu open under its button); FuncBtn
// opens the function popup. The images are the editor's tool images.
constexpr EditButton kToolButtons[] = {
    {editor::kCmdLoadClip, 0, "エディットに、ファイルからデータを読み込みます"},
    {editor::kCmdSaveClip, 1, "編集中のデータをファイルに書き込みます"},
    {editor::kCmdPrintClip, 3, "編集中のデータを印刷します"},
    {editor::kCmdEditMenu, 9, "編集用のポップアップメニューを開きます"},
    {MetaEditDialog::kFuncButtonId, 7, "関数名の一覧を表示します"},
};

bool IsToolCommand(int id) {
  for (const EditButton& b : kToolButtons)
    if (b.command == id) return true;
  return false;
}

constexpr const char* kMetaBoxHint = "0-9 と A-Z の範囲でメタ文字を指定して下さい";
constexpr const char* kDataHint = "メタ文字に対応する関数名または文字列を入力します";
constexpr const char* kOkHint = "編集を確定します";
constexpr const char* kCancelHint = "編集を中止します";

// Placed by OnSize, under the status bar's height; the tool bar stands in
// StrBox above the rich edit; the button row comes after the rich edit in the
// tab order, the status bar last.
const DialogControl kControls[] = {
    {kMetaBoxId, "BUTTON", " メタ文字 ", BS_GROUPBOX, 0, 0, 0, 0, kMetaBoxHint},
    {kDollarId, "STATIC", "$", SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN, 0, 0, 0, 0, kMetaBoxHint},
    {kKeyId, "EDIT", "", WS_TABSTOP | ES_UPPERCASE | ES_CENTER, 0, 0, 0, 0, kMetaBoxHint, 0, 0, false,
     WS_EX_CLIENTEDGE},
    {kUpDownId, UPDOWN_CLASSA, "", 0, 0, 0, 0, 0},
    {kStrBoxId, "BUTTON", " 関数or文字列 ", BS_GROUPBOX, 0, 0, 0, 0, kDataHint},
    {kEditId, RICHEDIT_CLASSA, "",
     WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN, 0, 0,
     0, 0, kDataHint, 0, 0, false, WS_EX_CLIENTEDGE},
};
constexpr DialogControl kStatusBar[] = {{kStatusId, STATUSCLASSNAMEA, "", 0, 0, 0, 0, 0}};

}  // namespace

MetaEditDialog::MetaEditDialog(DialogHost& host, MessageBoxes& messages, options::Settings& settings,
                               std::function<void()> showFuncPopup, std::function<void()> onHidden)
    : ModalDialog(host, kHelpContext),
      messages_(messages),
      settings_(settings),
      showFuncPopup_(std::move(showFuncPopup)),
      onHidden_(std::move(onHidden)),
      bar_(kToolButtons, [this](const std::string& hint) { ShowStatus("  " + hint); }) {
  settings_.AddObserver(this);
}

MetaEditDialog::~MetaEditDialog() { settings_.RemoveObserver(this); }

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
  SendMessageA(edit_, EM_SETTARGETDEVICE, 0, 1);  // no word wrap: a line is one function name or text
  ApplyEditorFont();
  const int dpi = DpiForWindow(hwnd());
  bar_.Create(hwnd(), kEditBarId);
  toolImages_ = LoadToolImages(ScaleForDpi(kToolImageSize, dpi));
  bar_.ApplyDpi(dpi, toolImages_.get());
  bar_.SetPopupHint(settings_.PopupHint());
  bar_.SetWrap(settings_.MultiLineBar());
  bar_.Show(true);
  const int parts[2] = {ScaleForDpi(kHintIconPanelWidth, dpi), -1};
  SendMessageA(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  ShowHintIcon(status_);
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
  const int m = du.X(5);
  PlaceControl(kMetaBoxId, m, du.Y(3), du.X(80), du.Y(30));
  PlaceControl(kDollarId, m + du.X(8), du.Y(14), du.X(12), du.Y(12));
  PlaceControl(kKeyId, m + du.X(22), du.Y(14), du.X(20), du.Y(12));
  PlaceControl(kUpDownId, m + du.X(42), du.Y(14), du.X(10), du.Y(12));
  const int strTop = du.Y(36), rowBelow = du.Y(kButtonRowUnits) + statusHeight;
  const int strHeight = height - strTop - rowBelow;
  PlaceControl(kStrBoxId, m, strTop, width - 2 * m, strHeight);
  const int barTop = strTop + du.Y(10);
  const RECT barArea{m + du.X(6), barTop, width - m - du.X(6), strTop + strHeight - du.Y(6)};
  const int editTop = barTop + bar_.Place(barArea) + du.Y(2);
  PlaceControl(kEditId, m + du.X(6), editTop, width - 2 * m - du.X(12), strTop + strHeight - editTop - du.Y(6));
  LayoutButtonRow(hwnd(), 0, width, height - statusHeight, du);
}

LRESULT MetaEditDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CONTEXTMENU:
      // The editor's edit menu, acting on this rich edit while the dialog is shown.
      if (reinterpret_cast<HWND>(wParam) == edit_ && editorWindow_) {
        PostMessageA(editorWindow_, WM_CONTEXTMENU, wParam, lParam);
        return 0;
      }
      return ModalDialog::HandleMessage(msg, wParam, lParam);
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (bar_.OnNotify(header)) return 0;
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
    // A paste arrives here whole: a refused one puts back what was there.
    const std::string text = WindowText(key_);
    const std::string fitted = expand::FitMetaKey(text, keyBefore_);
    keyBefore_ = fitted;
    if (text != fitted) {
      SetWindowTextA(key_, fitted.c_str());
      SendMessageA(key_, EM_SETSEL, fitted.size(), fitted.size());
    }
  } else if (IsToolCommand(id)) {
    SetFocus(edit_);
    if (id == kFuncButtonId) {
      if (showFuncPopup_) showFuncPopup_();
    } else if (editorWindow_) {
      PostMessageA(editorWindow_, WM_COMMAND, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(bar_.hwnd()));
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
  SendMessageA(status_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void MetaEditDialog::ApplyEditorFont() {
  const options::EditorFont& f = settings_.GetEditorFont();
  SetRichEditFont(edit_, f.name, f.height, static_cast<COLORREF>(f.color), f.style);
}

void MetaEditDialog::OnSettingChanged(options::Setting which) {
  if (!edit_) return;
  if (which == options::Setting::kEditorFont) {
    ApplyEditorFont();
  } else if (which == options::Setting::kPopupHint) {
    bar_.SetPopupHint(settings_.PopupHint());
  } else if (which == options::Setting::kMultiLineBar) {
    bar_.SetWrap(settings_.MultiLineBar());
    RECT client{};
    GetClientRect(hwnd(), &client);
    OnSize(client.right, client.bottom);
  }
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
  const Rect beside{expand::MetaEditLeft(editor.left, list.left, list.right - list.left, width), list.top, width,
                    mine.bottom - mine.top};
  const Rect placed = ClampIntoWorkArea(beside, WorkAreaOf(metaWindow_));
  SetWindowPos(hwnd(), nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MetaEditDialog::RunMetaEdit(expand::MetaEditMode mode, std::string& key, std::string& data) {
  mode_ = mode;
  const bool deleting = mode == expand::MetaEditMode::kDelete;
  SetRichEditPlainText(edit_, "");
  SetWindowTextA(key_, expand::FitMetaKey(key).c_str());
  SetRichEditPlainText(edit_, data);
  ApplyEditorFont();  // the text set takes no format of its own
  SetWindowTextA(hwnd(), std::string(expand::MetaEditCaption(mode)).c_str());
  SetWindowTextA(GetDlgItem(hwnd(), IDOK), deleting ? "削除" : " OK ");
  if (deleting) MessageBeep(MB_ICONQUESTION);
  EnableWindow(key_, !deleting);
  EnableWindow(upDown_, !deleting);
  EnableWindow(edit_, !deleting);
  bar_.EnableButtons([deleting](int) { return !deleting; });
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
