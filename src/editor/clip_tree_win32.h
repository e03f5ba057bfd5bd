// The editor's tree view kept in step with the clip store's tree.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "clipstore/clip_store.h"
#include "platform/handles_win32.h"

namespace ambrel::win32 {

class ClipTree {
 public:
  bool Create(HWND parent, int id);
  HWND hwnd() const { return tree_; }

  // Makes the view match the store's tree. A copy changes a few nodes (one
  // in, the oldest out): only those items are inserted and deleted, since
  // inserting each of hundreds of items again took Wine 30-110 ms.
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
  // What an item shows: its node, for a clip node the clip's id (a new node
  // may take the address of one deleted), its text and whether it is marked
  // (a clip that holds a Unicode original shows in bold). The view's items
  // are mirrored here per parent (TVI_ROOT for the top), so that matching
  // the view to the store asks the control nothing: under Wine each of its
  // messages costs tens of microseconds.
  using Shown = std::pair<const clipstore::TreeNode*, std::uint64_t>;
  struct ShownItem {
    HTREEITEM item;
    Shown shown;
    std::string text;
    bool marked = false;
  };
  static Shown ShownOf(const clipstore::TreeNode& node);
  ShownItem Insert(HTREEITEM parent, const clipstore::TreeNode& node, HTREEITEM after = TVI_LAST);
  bool Update(HTREEITEM parent, const clipstore::TreeNode& model);
  void SetMark(HTREEITEM item, bool marked);
  void Forget(HTREEITEM item);
  void RefreshTexts(HTREEITEM item);
  HTREEITEM Find(HTREEITEM from, const clipstore::TreeNode* node) const;
  HTREEITEM ItemAt(POINT screenPoint) const;
  clipstore::TreeNode* NodeOfItem(HTREEITEM item) const;
  POINT InDragFrame(POINT screenPoint) const;
  HWND tree_ = nullptr;
  std::unordered_map<HTREEITEM, std::vector<ShownItem>> shown_;
  ImageListHandle images_;
  GdiObject font_;
  clipstore::TreeNode* dragged_ = nullptr;
  ImageListHandle dragImage_;
};

}  // namespace ambrel::win32
