// The editor's tree view kept in step with the clip store's tree.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "clipstore/clip_store.h"
#include "platform/handles_win32.h"

namespace ambrel::win32 {

class ClipTree {
 public:
  bool Create(HWND parent, int id);
  HWND hwnd() const { return tree_; }

  void Rebuild(const clipstore::TClipBase& store);
  void RefreshTexts();
  void Select(const clipstore::TreeNode* node);
  void SetButtons(bool on);
  // Font and pictures at the window's DPI (on creation and WM_DPICHANGED).
  void ApplyDpi(int dpi);
  clipstore::TreeNode* SelectedNode() const;
  // Selects the item under a screen point (a right click selects first).
  void SelectAt(POINT screenPoint);
  static clipstore::TreeNode* NodeOf(const NMTREEVIEWA& info);

 private:
  void Insert(HTREEITEM parent, const clipstore::TreeNode& node);
  void RefreshTexts(HTREEITEM item);
  HTREEITEM Find(HTREEITEM from, const clipstore::TreeNode* node) const;
  HWND tree_ = nullptr;
  ImageListHandle images_;
  GdiObject font_;
};

}  // namespace ambrel::win32
