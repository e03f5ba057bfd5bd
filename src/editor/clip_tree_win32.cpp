#include "editor/clip_tree_win32.h"

#include <algorithm>
#include <string>
#include <set>
#include <utility>
#include <vector>

#include "editor/editor_images_win32.h"
#include "platform/dpi_win32.h"
#include "platform/handles_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kIndent = 23;  // pixels at 96 DPI

static_assert(kEditorImageCount == clipstore::kSlotCount, "the tree strip holds one icon per slot");

// A menu node shows its slot's icon (the strip is in slot order); clip nodes
// show none.
int ImageOf(const clipstore::TreeNode& node) { return node.IsMenuNode() ? node.slot.Number() : I_IMAGENONE; }

// A clip that holds its Unicode original is shown in bold; the status bar
// says what that means when its page is shown (the tree has no tool-tips).
bool MarkedOf(const clipstore::TreeNode& node) { return node.clip && !node.clip->original.empty(); }

}  // namespace

bool ClipTree::Create(HWND parent, int id) {
  tree_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                          // As designed: no root lines and no tool-tips (the
                          // status bar has the hint), expand buttons by TreeBtn.
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS |
                              TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS,
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
  TreeView_SetIndent(tree_, ScaleForDpi(kIndent, dpi));
}

ClipTree::ShownItem ClipTree::Insert(HTREEITEM parent, const clipstore::TreeNode& node, HTREEITEM after) {
  TVINSERTSTRUCTA ins{};
  ins.hParent = parent;
  ins.hInsertAfter = after;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  ins.item.pszText = const_cast<char*>(node.text.c_str());
  ins.item.lParam = reinterpret_cast<LPARAM>(&node);
  ins.item.iImage = ins.item.iSelectedImage = ImageOf(node);
  const bool marked = MarkedOf(node);
  ins.item.mask |= TVIF_STATE;
  ins.item.stateMask = TVIS_BOLD;
  ins.item.state = marked ? TVIS_BOLD : 0;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(
      SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  std::vector<ShownItem> children;
  for (int i = 0; i < node.Count(); ++i) children.push_back(Insert(item, *node.Child(i)));
  shown_[item] = std::move(children);
  if (!node.IsClipNode()) TreeView_Expand(tree_, item, TVE_EXPAND);
  return {item, ShownOf(node), node.text, marked};
}

void ClipTree::SetMark(HTREEITEM item, bool marked) {
  TVITEMA tv{};
  tv.mask = TVIF_STATE;
  tv.hItem = item;
  tv.stateMask = TVIS_BOLD;
  tv.state = marked ? TVIS_BOLD : 0;
  SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

void ClipTree::Rebuild(const clipstore::TClipBase& store) {
  SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
  if (!Update(TVI_ROOT, store.Tree())) {
    TreeView_DeleteAllItems(tree_);
    shown_.clear();
    const clipstore::TreeNode& root = store.Tree();
    std::vector<ShownItem> top;
    for (int i = 0; i < root.Count(); ++i) top.push_back(Insert(TVI_ROOT, *root.Child(i)));
    shown_[TVI_ROOT] = std::move(top);
  }
  SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree_, nullptr, TRUE);
}

// The children of parent made to match model's: items of nodes that have
// gone are deleted, new nodes inserted in their places, texts set where
// they changed. False, leaving the rest to a full rebuild, when nodes kept
// have changed their order (a moved clip).
bool ClipTree::Update(HTREEITEM parent, const clipstore::TreeNode& model) {
  std::set<Shown> wanted;
  for (int i = 0; i < model.Count(); ++i) wanted.insert(ShownOf(*model.Child(i)));
  std::vector<ShownItem> kept, gone;
  for (ShownItem& child : shown_[parent]) (wanted.count(child.shown) ? kept : gone).push_back(std::move(child));
  for (const ShownItem& child : gone) {
    // Deleting the selected item would select a neighbour and make its page
    // current; with no selection the view's owner selects the current page.
    if (TreeView_GetSelection(tree_) == child.item) TreeView_SelectItem(tree_, nullptr);
    TreeView_DeleteItem(tree_, child.item);
    Forget(child.item);
  }
  std::vector<ShownItem> now;
  std::size_t next = 0;
  HTREEITEM previous = TVI_FIRST;
  for (int i = 0; i < model.Count(); ++i) {
    const clipstore::TreeNode& node = *model.Child(i);
    const Shown shown = ShownOf(node);
    if (next < kept.size() && kept[next].shown == shown) {
      ShownItem& child = kept[next++];
      if (child.text != node.text) {
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = child.item;
        tv.pszText = const_cast<char*>(node.text.c_str());
        SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        child.text = node.text;
      }
      if (child.marked != MarkedOf(node)) {
        child.marked = !child.marked;
        SetMark(child.item, child.marked);
      }
      if (!Update(child.item, node)) return false;
      previous = child.item;
      now.push_back(std::move(child));
    } else if (std::any_of(kept.begin() + static_cast<std::ptrdiff_t>(next), kept.end(),
                           [&](const ShownItem& k) { return k.shown == shown; })) {
      return false;
    } else {
      now.push_back(Insert(parent, node, previous));
      previous = now.back().item;
    }
  }
  if (next != kept.size()) return false;
  shown_[parent] = std::move(now);
  return true;
}

ClipTree::Shown ClipTree::ShownOf(const clipstore::TreeNode& node) {
  return {&node, node.clip ? node.clip->id : 0};
}

void ClipTree::Forget(HTREEITEM item) {
  const auto children = shown_.find(item);
  if (children == shown_.end()) return;
  const std::vector<ShownItem> gone = std::move(children->second);
  shown_.erase(children);
  for (const ShownItem& child : gone) Forget(child.item);
}

void ClipTree::RefreshTexts(HTREEITEM item) {
  for (; item; item = TreeView_GetNextSibling(tree_, item)) {
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    const auto* node = reinterpret_cast<const clipstore::TreeNode*>(tv.lParam);
    tv.mask = TVIF_TEXT | TVIF_STATE;
    tv.pszText = const_cast<char*>(node->text.c_str());
    tv.stateMask = TVIS_BOLD;
    tv.state = MarkedOf(*node) ? TVIS_BOLD : 0;
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
