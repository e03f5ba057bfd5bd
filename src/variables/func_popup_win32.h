// TFunc: the borderless function popup beside the static-variable editor's
// rich edit. It borrows the function list of the static-variable window
// while shown, hot-tracks the row under the mouse and inserts the chosen
// function name at the editor's caret.
#pragma once

#include "platform/window_win32.h"
#include "variables/meta_edit_dialog_win32.h"
#include "variables/meta_window_win32.h"

namespace ambrel::win32 {

class FuncPopup : public Window {
 public:
  FuncPopup(MetaWindow& meta, MetaEditDialog& edit) : meta_(meta), edit_(edit) {}
  // Owned by the editor dialog, so it stays above it.
  bool Create();
  void ShowFuncPopup();
  // Hides it and gives the list back to the static-variable window.
  void Hide();

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnNotify(const NMHDR& header);
  void Choose(int row);
  static LRESULT CALLBACK TrackProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  MetaWindow& meta_;
  MetaEditDialog& edit_;
  bool shown_ = false;
};

}  // namespace ambrel::win32
