#include "editor/edit_bar_win32.h"

#include <algorithm>
#include <utility>

#include "editor/editor_command_ids.h"
#include "platform/dpi_win32.h"

namespace ambrel::win32 {
namespace {

using namespace ambrel::editor;

constexpr const char* kLoadHint = "編集中のクリップデータに、ファイルからデータを読み込みます";
constexpr const char* kSaveHint = "編集中のクリップデータをファイルに書き込みます";
constexpr const char* kDeleteHint = "編集中のクリップデータを削除します";
constexpr const char* kPrintHint = "編集中のクリップデータを印刷します";
constexpr const char* kStaticHint = "編集中のクリップデータを静的化します";
constexpr const char* kNewMenuHint = "新しいユーザーメニューを作成します";
constexpr const char* kPreviewHint = "ペースト結果をプレビューします";
constexpr const char* kMetaHint = "静的変数リストを表示します";
constexpr const char* kPropertiesHint = "プロパティウインドウを開きます";
constexpr const char* kMenuHint = "ポップアップニューを開きます";
constexpr const char* kPrevHint = "一つ前のクリップデータに移動します";
constexpr const char* kNextHint = "次のクリップデータに移動します";

// EditBar1: ALoadBtn ... ARightBtn.
constexpr EditButton kNormalButtons[] = {
    {kCmdLoadClip, 0, kLoadHint},     {kCmdSaveClip, 1, kSaveHint},      {kCmdDeleteClip, 2, kDeleteHint},
    {kCmdPrintClip, 3, kPrintHint},   {kCmdMakeStatic, 4, kStaticHint},  {kCmdMenuAdd, 5, kNewMenuHint},
    {kCmdPreview, 6, kPreviewHint},   {kCmdMetaList, 7, kMetaHint},      {kCmdProperties, 8, kPropertiesHint},
    {kCmdEditMenu, 9, kMenuHint},     {kCmdPrevClip, 10, kPrevHint},     {kCmdNextClip, 11, kNextHint},
};
// EditBar2: BDelBtn ... BRightBtn.
constexpr EditButton kBeginnerButtons[] = {
    {kCmdDeleteClip, 2, kDeleteHint}, {kCmdMakeStatic, 4, kStaticHint}, {kCmdProperties, 8, kPropertiesHint},
    {kCmdEditMenu, 9, kMenuHint},     {kCmdPrevClip, 10, kPrevHint},    {kCmdNextClip, 11, kNextHint},
};

// Sizes at 96 DPI.
constexpr int kButtonWidth = 27;
constexpr int kButtonHeight = 26;
constexpr int kImageSize = 20;
constexpr int kMargin = 2;  // below the last row

}  // namespace

EditBar::EditBar(Kind kind, std::function<void(const std::string&)> hint)
    : hint_(std::move(hint)) {
  if (kind == kNormal) buttons_ = kNormalButtons;
  else buttons_ = kBeginnerButtons;
}

EditBar::EditBar(std::span<const EditButton> buttons, std::function<void(const std::string&)> hint)
    : buttons_(buttons), hint_(std::move(hint)) {}

bool EditBar::Create(HWND parent, int id) {
  bar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                         WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                             CCS_NODIVIDER | CCS_NOPARENTALIGN,
                         0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
  if (!bar_) return false;
  SendMessageA(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  for (const EditButton& b : buttons_) {
    TBBUTTON button{};
    button.iBitmap = b.image;
    button.idCommand = b.command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    SendMessageA(bar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
  }
  return true;
}

void EditBar::ApplyDpi(int dpi, HIMAGELIST images) {
  dpi_ = dpi;
  SendMessageA(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  const int image = ScaleForDpi(kImageSize, dpi);
  SendMessageA(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(image, image));
  SendMessageA(bar_, TB_SETBUTTONSIZE, 0,
               MAKELPARAM(ScaleForDpi(kButtonWidth, dpi), ScaleForDpi(kButtonHeight, dpi)));
}

void EditBar::SetPopupHint(bool on) {
  popupHint_ = on;
  if (HWND tips = reinterpret_cast<HWND>(SendMessageA(bar_, TB_GETTOOLTIPS, 0, 0)))
    SendMessageA(tips, TTM_ACTIVATE, on, 0);
}

void EditBar::SetWrap(bool on) {
  LONG_PTR style = GetWindowLongPtrA(bar_, GWL_STYLE) & ~static_cast<LONG_PTR>(TBSTYLE_WRAPABLE);
  SetWindowLongPtrA(bar_, GWL_STYLE, style | (on ? TBSTYLE_WRAPABLE : 0));
}

void EditBar::Show(bool on) { ShowWindow(bar_, on ? SW_SHOWNA : SW_HIDE); }

void EditBar::EnableButtons(const std::function<bool(int command)>& enabled) {
  for (const EditButton& b : buttons_) SendMessageA(bar_, TB_ENABLEBUTTON, b.command, enabled(b.command));
}

int EditBar::RowHeight() const { return ScaleForDpi(kButtonHeight, dpi_) + ScaleForDpi(kMargin, dpi_); }

int EditBar::Place(const RECT& area) {
  if (!Shown()) return 0;
  const int width = area.right - area.left;
  MoveWindow(bar_, area.left, area.top, width, RowHeight(), FALSE);
  // A wrapping bar lays its rows out for the new width; its height is then
  // the last button's bottom.
  SendMessageA(bar_, TB_AUTOSIZE, 0, 0);
  int height = RowHeight();
  RECT last{};
  const int count = static_cast<int>(SendMessageA(bar_, TB_BUTTONCOUNT, 0, 0));
  if (count > 0 && SendMessageA(bar_, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last)))
    height = std::max(height, static_cast<int>(last.bottom) + ScaleForDpi(kMargin, dpi_));
  height = std::min(height, static_cast<int>(area.bottom - area.top));
  MoveWindow(bar_, area.left, area.top, width, height, TRUE);
  SetWindowPos(bar_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return height;
}

const char* EditBar::HintOf(int command) const {
  for (const EditButton& b : buttons_)
    if (b.command == command) return b.hint;
  return nullptr;
}

void EditBar::OnMouseMove(POINT at) {
  const int index = static_cast<int>(SendMessageA(bar_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)));
  TBBUTTON button{};
  if (index < 0 || !SendMessageA(bar_, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
    return;
  if (const char* hint = HintOf(button.idCommand)) hint_(hint);
}

bool EditBar::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == bar_ && header.code == TBN_HOTITEMCHANGE) {
    const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
    const char* hint = (hot.dwFlags & HICF_LEAVING) ? nullptr : HintOf(hot.idNew);
    if (hint) hint_(hint);
    return true;
  }
  if (header.code == TTN_GETDISPINFOA &&
      header.hwndFrom == reinterpret_cast<HWND>(SendMessageA(bar_, TB_GETTOOLTIPS, 0, 0))) {
    auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
    const char* hint = popupHint_ ? HintOf(static_cast<int>(header.idFrom)) : nullptr;
    info.lpszText = const_cast<char*>(hint ? hint : "");
    return true;
  }
  return false;
}

}  // namespace ambrel::win32
