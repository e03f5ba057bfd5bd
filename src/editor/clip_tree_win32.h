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

  // Dragging a clip node onto another node. BeginDrag (on TVN_BEGINDRAG)
  // answers whether a drag began; its owner then captures the mouse, passes
  // the pointer's moves and ends the drag with Drop or CancelDrag.
  bool BeginDrag(const NMTREEVIEWA& info);
  bool Dragging() const { return dragged_ != nullptr; }
  clipstore::TreeNode* DraggedNode() const { return dragged_; }
  void DragTo(POINT screenPoint);
  // The node under the drop point, null outside any node.
  clipstore::TreeNode* Drop(POINT screenPoint);
  void CancelDrag();

 private:
  void Insert(HTREEITEM parent, const clipstore::TreeNode& node);
  void RefreshTexts(HTREEITEM item);
  HTREEITEM Find(HTREEITEM from, const clipstore::TreeNode* node) const;
  HTREEITEM ItemAt(POINT screenPoint) const;
  clipstore::TreeNode* NodeOfItem(HTREEITEM item) const;
  POINT InDragFrame(POINT screenPoint) const;
  HWND tree_ = nullptr;
  ImageListHandle images_;
  GdiObject font_;
  clipstore::TreeNode* dragged_ = nullptr;
  ImageListHandle dragImage_;
};

}  // namespace ambrel::win32
