// TRegList: the expression list that stands beside the user-menu dialog,
// a source of expression syntax and menu titles to drag into its edits.
#pragma once

#include <string>

#include "platform/handles_win32.h"
#include "platform/window_win32.h"

namespace ambrel::clipstore {
class TClipBase;
}
namespace ambrel::options {
class Settings;
}

namespace ambrel::win32 {

class PostDialog;

class RegListWindow : public Window {
 public:
  RegListWindow(clipstore::TClipBase& store, options::Settings& settings)
      : store_(store), settings_(settings) {}
  bool Create(PostDialog* dialog);
  // Rebuilds the titles and stands beside the dialog (left of it when the
  // screen has no room on its right).
  void ShowBeside(HWND dialog);
  void Close();
  void ApplyGridLines();

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void OnSize();
  // Font and column widths at the window's DPI (on creation and WM_DPICHANGED).
  void ApplyDpi(int dpi);
  LRESULT OnNotify(const NMHDR& header);
  void OnContextMenu();
  void OnPrint();
  void ShowPage(int page);
  void EndDrag(bool drop);
  HWND ActiveList() const;

  clipstore::TClipBase& store_;
  options::Settings& settings_;
  PostDialog* dialog_ = nullptr;
  HWND tabs_ = nullptr;
  HWND regList_ = nullptr;
  HWND titleList_ = nullptr;
  MenuHandle popup_;
  GdiObject font_;
  bool dragging_ = false;
  std::string dragCaption_;
};

}  // namespace ambrel::win32
