#include "editor/clip_tree_win32.h"

#include <utility>

#include "editor/editor_images_win32.h"
#include "platform/dpi_win32.h"
#include "platform/handles_win32.h"

namespace ambrel::win32 {
namespace {

static_assert(kEditorImageCount == clipstore::kSlotCount, "the tree strip holds one icon per slot");

// A menu node shows its slot's icon (the strip is in slot order); clip nodes
// show none.
int ImageOf(const clipstore::TreeNode& node) { return node.IsMenuNode() ? node.slot.Number() : I_IMAGENONE; }

}  // namespace

bool ClipTree::Create(HWND parent, int id) {
  tree_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS |
                              TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_INFOTIP,
                          0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleA(nullptr), nullptr);
  if (!tree_) return false;
  ApplyDpi(DpiForWindow(parent));
  return true;
}

void ClipTree::ApplyDpi(int dpi) {
  // The tree takes the new font and pictures before the old ones are deleted.
  GdiObject font = CreateUiFont(dpi);
  SendMessageA(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);
  ImageListHandle images(LoadTreeIcons(SystemMetricForDpi(SM_CXSMICON, dpi)));
  TreeView_SetImageList(tree_, images.get(), TVSIL_NORMAL);
  images_ = std::move(images);
}

void ClipTree::Insert(HTREEITEM parent, const clipstore::TreeNode& node) {
  TVINSERTSTRUCTA ins{};
  ins.hParent = parent;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  ins.item.pszText = const_cast<char*>(node.text.c_str());
  ins.item.lParam = reinterpret_cast<LPARAM>(&node);
  ins.item.iImage = ins.item.iSelectedImage = ImageOf(node);
  HTREEITEM item = reinterpret_cast<HTREEITEM>(
      SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  for (int i = 0; i < node.Count(); ++i) Insert(item, *node.Child(i));
  if (!node.IsClipNode()) TreeView_Expand(tree_, item, TVE_EXPAND);
}

void ClipTree::Rebuild(const clipstore::TClipBase& store) {
  SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
  TreeView_DeleteAllItems(tree_);
  const clipstore::TreeNode& root = store.Tree();
  for (int i = 0; i < root.Count(); ++i) Insert(TVI_ROOT, *root.Child(i));
  SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree_, nullptr, TRUE);
}

void ClipTree::RefreshTexts(HTREEITEM item) {
  for (; item; item = TreeView_GetNextSibling(tree_, item)) {
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    const auto* node = reinterpret_cast<const clipstore::TreeNode*>(tv.lParam);
    tv.mask = TVIF_TEXT;
    tv.pszText = const_cast<char*>(node->text.c_str());
    SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    RefreshTexts(TreeView_GetChild(tree_, item));
  }
}

void ClipTree::RefreshTexts() { RefreshTexts(TreeView_GetRoot(tree_)); }

HTREEITEM ClipTree::Find(HTREEITEM item, const clipstore::TreeNode* node) const {
  for (; item; item = TreeView_GetNextSibling(tree_, item)) {
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    if (reinterpret_cast<const clipstore::TreeNode*>(tv.lParam) == node) return item;
    if (HTREEITEM found = Find(TreeView_GetChild(tree_, item), node)) return found;
  }
  return nullptr;
}

void ClipTree::Select(const clipstore::TreeNode* node) {
  if (HTREEITEM item = node ? Find(TreeView_GetRoot(tree_), node) : nullptr)
    TreeView_SelectItem(tree_, item);
}

void ClipTree::SetButtons(bool on) {
  LONG_PTR style = GetWindowLongPtrA(tree_, GWL_STYLE);
  style = on ? (style | TVS_HASBUTTONS) : (style & ~static_cast<LONG_PTR>(TVS_HASBUTTONS));
  SetWindowLongPtrA(tree_, GWL_STYLE, style);
  InvalidateRect(tree_, nullptr, TRUE);
}

clipstore::TreeNode* ClipTree::SelectedNode() const { return NodeOfItem(TreeView_GetSelection(tree_)); }

void ClipTree::SelectAt(POINT screenPoint) {
  TVHITTESTINFO hit{};
  hit.pt = screenPoint;
  ScreenToClient(tree_, &hit.pt);
  if (HTREEITEM item = TreeView_HitTest(tree_, &hit)) TreeView_SelectItem(tree_, item);
}

clipstore::TreeNode* ClipTree::NodeOf(const NMTREEVIEWA& info) {
  return reinterpret_cast<clipstore::TreeNode*>(info.itemNew.lParam);
}

}  // namespace ambrel::win32

namespace ambrel::win32 {

clipstore::TreeNode* ClipTree::NodeOfItem(HTREEITEM item) const {
  if (!item) return nullptr;
  TVITEMA tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return reinterpret_cast<clipstore::TreeNode*>(tv.lParam);
}

HTREEITEM ClipTree::ItemAt(POINT screenPoint) const {
  TVHITTESTINFO hit{};
  hit.pt = screenPoint;
  ScreenToClient(tree_, &hit.pt);
  HTREEITEM item = TreeView_HitTest(tree_, &hit);
  return (hit.flags & TVHT_ONITEM) ? item : nullptr;
}

// The drag image is drawn over the tree's window rectangle.
POINT ClipTree::InDragFrame(POINT screenPoint) const {
  RECT frame{};
  GetWindowRect(tree_, &frame);
  return {screenPoint.x - frame.left, screenPoint.y - frame.top};
}

bool ClipTree::BeginDrag(const NMTREEVIEWA& info) {
  clipstore::TreeNode* node = NodeOf(info);
  if (!node || !node->clip) return false;
  dragged_ = node;
  TreeView_SelectItem(tree_, info.itemNew.hItem);
  dragImage_.reset(TreeView_CreateDragImage(tree_, info.itemNew.hItem));
  POINT screen = info.ptDrag;
  ClientToScreen(tree_, &screen);
  if (dragImage_) {
    ImageList_BeginDrag(dragImage_.get(), 0, 0, 0);
    const POINT at = InDragFrame(screen);
    ImageList_DragEnter(tree_, at.x, at.y);
  }
  return true;
}

void ClipTree::DragTo(POINT screenPoint) {
  if (!dragged_) return;
  HTREEITEM target = ItemAt(screenPoint);
  if (dragImage_) ImageList_DragShowNolock(FALSE);
  TreeView_SelectDropTarget(tree_, target);
  if (dragImage_) {
    ImageList_DragShowNolock(TRUE);
    const POINT at = InDragFrame(screenPoint);
    ImageList_DragMove(at.x, at.y);
  }
  SetCursor(LoadCursorA(nullptr, target ? IDC_ARROW : IDC_NO));
}

clipstore::TreeNode* ClipTree::Drop(POINT screenPoint) {
  clipstore::TreeNode* target = dragged_ ? NodeOfItem(ItemAt(screenPoint)) : nullptr;
  CancelDrag();
  return target;
}

void ClipTree::CancelDrag() {
  if (!dragged_) return;
  dragged_ = nullptr;
  if (dragImage_) {
    ImageList_DragLeave(tree_);
    ImageList_EndDrag();
    dragImage_.reset();
  }
  TreeView_SelectDropTarget(tree_, nullptr);
}

}  // namespace ambrel::win32
