#include "variables/preview_window_win32.h"

#include <richedit.h>
#include <commctrl.h>

#include "expand/dialog_parts_win32.h"
#include "platform/dialog_placement_win32.h"
#include "platform/dpi_win32.h"
#include "platform/fault_barrier_win32.h"
#include "platform/rich_edit_text_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kEditId = 10;
constexpr int kWidth = 360, kHeight = 240;
enum PopupId : int { kEPWordWrap = 201, kEPFont };
constexpr const char* kEditHint = "ペーストの結果を表示します";
constexpr const char* kWordWrapHint = "Menuワードラップ表示を行います";
constexpr const char* kFontHint = "Menuフォントを設定します";

}  // namespace

PreviewWindow::PreviewWindow(options::Settings& settings, const EditorCommands& commands,
                             std::function<EditorContext()> editorContext,
                             std::function<void(const std::string& hint)> showHint)
    : settings_(settings),
      commands_(commands),
      editorContext_(std::move(editorContext)),
      showHint_(std::move(showHint)) {
  settings_.AddObserver(this);
}

PreviewWindow::~PreviewWindow() { settings_.RemoveObserver(this); }

bool PreviewWindow::Create() {
  LoadRichEdit();
  const Point parked = ParkingPlace();
  const int dpi = DpiForWindow(nullptr);
  return CreateWin("TPreView", "Preview paste data", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                   WS_EX_TOOLWINDOW, parked.x, parked.y, ScaleForDpi(kWidth, dpi), ScaleForDpi(kHeight, dpi),
                   nullptr, nullptr);
}

void PreviewWindow::OnCreate() {
  edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                              ES_AUTOHSCROLL | ES_READONLY,
                          0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(kEditId), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(edit_, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  SendMessageA(edit_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SetWindowSubclass(edit_, &Guarded<&PreviewWindow::EditProc>, 1, reinterpret_cast<DWORD_PTR>(this));
  popup_.reset(CreatePopupMenu());
  AppendMenuA(popup_.get(), MF_STRING, kEPWordWrap, "ﾜｰﾄﾞﾗｯﾌﾟ処理 (&W)");
  AppendMenuA(popup_.get(), MF_STRING, kEPFont, "ﾌｫﾝﾄの設定...(&F)");
  ApplyWordWrap();
  ApplyEditorFont();
}

void PreviewWindow::ShowPreview(const std::string& text) {
  SetRichEditPlainText(edit_, text);
  ApplyEditorFont();  // the text set takes no format of its own
  CenterDialog(hwnd());
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(edit_);
}

void PreviewWindow::Close() {
  if (!IsWindowVisible(hwnd())) return;
  ShowWindow(hwnd(), SW_HIDE);
  ParkWindow(hwnd());
}

void PreviewWindow::ApplyWordWrap() {
  SendMessageA(edit_, EM_SETTARGETDEVICE, 0, settings_.GetWordWrap() ? 0 : 1);
}

void PreviewWindow::ApplyEditorFont() {
  const options::EditorFont& f = settings_.GetEditorFont();
  SetRichEditFont(edit_, f.name, f.height, static_cast<COLORREF>(f.color), f.style);
}

void PreviewWindow::OnSettingChanged(options::Setting which) {
  if (!edit_) return;
  if (which == options::Setting::kWordWrap) ApplyWordWrap();
  else if (which == options::Setting::kEditorFont) ApplyEditorFont();
}

void PreviewWindow::OnContextMenu() {
  CheckMenuItem(popup_.get(), kEPWordWrap, settings_.GetWordWrap() ? MF_CHECKED : MF_UNCHECKED);
  EnableMenuItem(popup_.get(), kEPFont, commands_.Has(editor::kCmdEditorFont) ? MF_ENABLED : MF_GRAYED);
  POINT pt{};
  GetCursorPos(&pt);
  const int id = TrackPopupMenu(popup_.get(), TPM_LEFTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0, hwnd(), nullptr);
  if (id == kEPWordWrap) settings_.SetWordWrap(!settings_.GetWordWrap());
  else if (id == kEPFont && editorContext_) ChooseFontOverPreview();
}

// The font dialog stands over the preview, which stays open under it and
// shows the chosen font at once.
void PreviewWindow::ChooseFontOverPreview() {
  EditorContext context = editorContext_();
  context.owner = hwnd();
  struct Choosing {
    bool& flag;
    explicit Choosing(bool& f) : flag(f) { flag = true; }
    ~Choosing() { flag = false; }
  } choosing(choosingFont_);
  commands_.Run(editor::kCmdEditorFont, context);
}

LRESULT PreviewWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: MoveWindow(edit_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_ACTIVATE:
      // Its own pop-up menu takes no activation and its font dialog keeps
      // it; anything else closes it.
      if (LOWORD(wParam) == WA_INACTIVE && !choosingFont_) Close();
      return 0;
    case WM_CONTEXTMENU: OnContextMenu(); return 0;
    case WM_MENUSELECT:
      if (showHint_ && LOWORD(wParam) == kEPWordWrap) showHint_(std::string("  ") + (kWordWrapHint + 4));
      else if (showHint_ && LOWORD(wParam) == kEPFont) showHint_(std::string("  ") + (kFontHint + 4));
      return 0;
    case WM_CLOSE: Close(); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

LRESULT CALLBACK PreviewWindow::EditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
  auto* self = reinterpret_cast<PreviewWindow*>(data);
  if (msg == WM_KEYDOWN && (wParam == VK_ESCAPE || wParam == VK_RETURN)) {
    self->Close();
    return 0;
  }
  if (msg == WM_CHAR && (wParam == VK_ESCAPE || wParam == VK_RETURN)) return 0;
  if (msg == WM_MOUSEMOVE && self->showHint_) self->showHint_(std::string("  ") + kEditHint);
  return DefSubclassProc(edit, msg, wParam, lParam);
}

}  // namespace ambrel::win32
