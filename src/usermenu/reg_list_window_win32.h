// TRegList: the expression list that stands beside the user-menu dialog,
// a source of expression syntax and menu titles to drag into its edits.
#pragma once

#include <functional>
#include <string>

#include "options/settings.h"
#include "platform/handles_win32.h"
#include "platform/window_win32.h"

namespace ambrel::clipstore {
class TClipBase;
}

namespace ambrel::win32 {

class PostDialog;

// Follows the settings like the program's other windows: GridLine in both
// lists, UpperTab and MultiLine in its tabs.
class RegListWindow : public Window, public options::SettingsObserver {
 public:
  // The editor's page-control menu (tab position, multi-line tabs), which
  // the tab strip opens.
  struct PageTabMenu {
    std::function<void(HWND owner, POINT at)> track;  // at a screen point
    // The hint ("Menu" and its text) of the item WM_MENUSELECT reports, or null.
    std::function<const char*(HMENU menu, UINT item, UINT flags)> hintOf;
  };
  RegListWindow(clipstore::TClipBase& store, options::Settings& settings, PageTabMenu pageTabMenu);
  ~RegListWindow() override;
  bool Create(PostDialog* dialog);
  // Rebuilds the titles and stands beside the dialog (left of it when the
  // screen has no room on its right).
  void ShowBeside(HWND dialog);
  void Close();
  void OnSettingChanged(options::Setting which) override;

 private:
  static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void ApplyGridLines();
  void ApplyTabStyle();
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void OnSize();
  // Font and column widths at the window's DPI (on creation and WM_DPICHANGED).
  void ApplyDpi(int dpi);
  LRESULT OnNotify(const NMHDR& header);
  void OnContextMenu(HWND from);
  void OnPrint();
  void ShowPage(int page);
  void BeginDragImage(HWND list, int row, POINT at);
  void MoveDragImage();
  void EndDrag(bool drop, POINT at);
  HWND ActiveList() const;

  clipstore::TClipBase& store_;
  options::Settings& settings_;
  PageTabMenu pageTabMenu_;
  PostDialog* dialog_ = nullptr;
  HWND tabs_ = nullptr;
  HWND regList_ = nullptr;
  HWND titleList_ = nullptr;
  MenuHandle popup_;
  GdiObject font_;
  bool dragging_ = false;
  ImageListHandle dragImage_;
  std::string dragCaption_;
};

}  // namespace ambrel::win32
