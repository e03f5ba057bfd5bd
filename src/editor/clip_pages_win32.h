// The page control of the editor: one tab per clip, and the rich-text editor
// that shows the current clip's text. Typing in it re-captions the clip.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "clipstore/clip_store.h"
#include "platform/handles_win32.h"

namespace ambrel::win32 {

class ClipPages {
 public:
  bool Create(HWND parent, int tabId, int editId);
  HWND tabs() const { return tabs_; }
  HWND editor() const { return edit_; }

  void Rebuild(const clipstore::TClipBase& store);
  // Selects the current page's tab and loads its text into the editor. A
  // text over editor::kPageFirstPart shows that part, read-only (see
  // page_text.h); AddPiece adds the rest.
  void ShowPage(const clipstore::TClipBase& store);
  // Adds the next piece of the shown clip's text; false when none is left
  // (or the clip has gone). The page stays read-only.
  bool AddPiece(const clipstore::TClipBase& store);
  // The clip the editor shows (0 for none): typing changes this clip, even
  // when the current page has moved on before the views caught up.
  std::uint64_t ShownClip() const { return shownClip_; }
  // The status bar's note on what the page shows (editor::PartShownNote).
  std::string PartNote(const clipstore::TClipBase& store) const;
  bool ShowsAll(const clipstore::TClipBase& store) const;
  // The tabs fill `area`; inside them the tool bar in use (placed by
  // `placeBar`, which answers its height) stands above the text.
  void Layout(const RECT& area);
  void SetToolBarPlacer(std::function<int(const RECT& page)> placeBar) { placeBar_ = std::move(placeBar); }
  // The height inside the tabs that the tool bar and the text share.
  int PageHeight() const { return page_.bottom - page_.top; }
  int SelectedTab() const;
  // The editor's text changed by the user (not by ShowPage).
  bool IsUserEdit() const { return !loading_; }
  void SetWordWrap(bool on);
  // Tabs on top or at the bottom, in one row or several.
  void SetTabStyle(bool upper, bool multiLine);
  void SetEditFont(const std::string& face, int height, COLORREF color, unsigned style);
  // The tabs' font at the window's DPI (on creation and WM_DPICHANGED).
  void ApplyDpi(int dpi);

 private:
  HWND tabs_ = nullptr;
  HWND edit_ = nullptr;
  GdiObject font_;
  std::function<int(const RECT& page)> placeBar_;
  RECT page_{};
  bool loading_ = false;
  std::uint64_t shownClip_ = 0;
  std::size_t shownBytes_ = 0;  // of the shown clip's text
  std::string face_ = "ＭＳ Ｐゴシック";
  int height_ = -16;
  COLORREF color_ = RGB(0, 0, 255);
  unsigned style_ = 0;
};

}  // namespace ambrel::win32
