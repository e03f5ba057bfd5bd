#include "editor/clip_pages_win32.h"

#include <commctrl.h>
#include <richedit.h>

#include <string>
#include <utility>

#include "editor/page_text.h"
#include "platform/dpi_win32.h"
#include "platform/list_view_win32.h"
#include "platform/rich_edit_text_win32.h"
#include "platform/system_library_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kTabWidth = 34;  // pixels at 96 DPI

}  // namespace

bool ClipPages::Create(HWND parent, int tabId, int editId) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  LoadRichEdit();
  tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FIXEDWIDTH,
                          0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(tabId)),
                          instance, nullptr);
  edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                              ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
                          0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(editId)),
                          instance, nullptr);
  if (!tabs_ || !edit_) return false;
  ApplyDpi(DpiForWindow(parent));
  SendMessageA(edit_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageA(edit_, EM_SETEVENTMASK, 0, ENM_CHANGE);
  SetRichEditFont(edit_, face_, height_, color_, style_);
  return true;
}

void ClipPages::Rebuild(const clipstore::TClipBase& store) {
  SendMessageA(tabs_, WM_SETREDRAW, FALSE, 0);
  TabCtrl_DeleteAllItems(tabs_);
  for (int i = 0; i < store.PageCount(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    std::string caption = store.Page(i).slot.PageCaption();
    item.pszText = caption.data();
    SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(tabs_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tabs_, nullptr, TRUE);
}

void ClipPages::ShowPage(const clipstore::TClipBase& store) {
  const int current = store.CurrentPage();
  TabCtrl_SetCurSel(tabs_, current);
  const std::string_view text = current >= 0 ? std::string_view(store.Page(current).text) : "";
  shownClip_ = current >= 0 ? store.Page(current).id : 0;
  shownBytes_ = editor::PieceEnd(text, 0, editor::kPageFirstPart);
  const std::string shown(text.substr(0, shownBytes_));
  loading_ = true;
  SetRichEditPlainText(edit_, shown);
  SetRichEditFont(edit_, face_, height_, color_, style_);
  loading_ = false;
  SendMessageA(edit_, EM_SETREADONLY, shownBytes_ < text.size(), 0);
  EnableWindow(edit_, current >= 0);
  SendMessageA(edit_, EM_SETMODIFY, FALSE, 0);
}

bool ClipPages::AddPiece(const clipstore::TClipBase& store) {
  const int page = store.PageOfClip(shownClip_);
  if (page < 0) return false;
  const std::string_view text = store.Page(page).text;
  if (shownBytes_ >= text.size()) return false;
  const std::size_t end = editor::PieceEnd(text, shownBytes_, editor::kPagePiece);
  const std::string piece(text.substr(shownBytes_, end - shownBytes_));
  shownBytes_ = end;
  // Added at the end without moving the view or the selection.
  CHARRANGE selection{};
  SendMessageA(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  CHARRANGE atEnd{-1, -1};
  loading_ = true;
  SendMessageA(edit_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&atEnd));
  ReplaceRichEditSelection(edit_, piece);
  SendMessageA(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageA(edit_, WM_SETREDRAW, TRUE, 0);
  loading_ = false;
  InvalidateRect(edit_, nullptr, TRUE);
  SendMessageA(edit_, EM_SETMODIFY, FALSE, 0);
  return shownBytes_ < text.size();
}

bool ClipPages::ShowsAll(const clipstore::TClipBase& store) const {
  const int page = store.PageOfClip(shownClip_);
  return page < 0 || shownBytes_ >= store.Page(page).text.size();
}

std::string ClipPages::PartNote(const clipstore::TClipBase& store) const {
  const int page = store.PageOfClip(shownClip_);
  return page < 0 ? "" : editor::PartShownNote(shownBytes_, store.Page(page).text.size());
}

void ClipPages::Layout(const RECT& area) {
  MoveWindow(tabs_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  RECT inner = area;
  TabCtrl_AdjustRect(tabs_, FALSE, &inner);
  page_ = inner;
  inner.top += placeBar_ ? placeBar_(page_) : 0;
  MoveWindow(edit_, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top, TRUE);
  SetWindowPos(edit_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

int ClipPages::SelectedTab() const { return TabCtrl_GetCurSel(tabs_); }

void ClipPages::SetWordWrap(bool on) {
  // A target width of 0 wraps at the window edge; 1 line width disables wrap.
  SendMessageA(edit_, EM_SETTARGETDEVICE, 0, on ? 0 : 1);
}

}  // namespace ambrel::win32

namespace ambrel::win32 {

void ClipPages::SetTabStyle(bool upper, bool multiLine) {
  SetTabPlacement(tabs_, upper, multiLine);
}

void ClipPages::ApplyDpi(int dpi) {
  // The tabs take the new font before the old one is deleted.
  GdiObject font = CreateScaledFont("ＭＳ Ｐゴシック", -12, FW_NORMAL, SHIFTJIS_CHARSET, dpi);
  SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);
  // Every tab as wide as designed (a history clip's has no caption); a
  // height of 0 keeps the one the font gives.
  SendMessageA(tabs_, TCM_SETITEMSIZE, 0, MAKELPARAM(ScaleForDpi(kTabWidth, dpi), 0));
}

void ClipPages::SetEditFont(const std::string& face, int height, COLORREF color, unsigned style) {
  face_ = face;
  height_ = height;
  color_ = color;
  style_ = style;
  SetRichEditFont(edit_, face_, height_, color_, style_);
}

}  // namespace ambrel::win32
