#include "editor/clip_tree_win32.h"

#include <utility>

#include "platform/dpi_win32.h"
#include "platform/handles_win32.h"

namespace ambrel::win32 {
namespace {

enum Image { kHistoryMenu, kStaticMenu, kUserMenu, kHistoryClip, kStaticClip, kUserClip, kCount };

int ImageOf(const clipstore::TreeNode& node) {
  if (!node.IsClipNode()) return node.imageIndex == 0 ? kHistoryMenu : node.imageIndex == 1 ? kStaticMenu : kUserMenu;
  const int slot = clipstore::kClipImageBase - node.imageIndex;
  return slot == 0 ? kHistoryClip : slot == 1 ? kStaticClip : kUserClip;
}

// Small pictures of `size` pixels: folders for menus, sheets for clips.
HIMAGELIST MakeImages(int size) {
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24, kCount, 0);
  const COLORREF colors[kCount] = {RGB(0x1F, 0x3A, 0x6E), RGB(0x2E, 0x7D, 0x32), RGB(0xF2, 0xA9, 0x00),
                                   RGB(0x5C, 0x7C, 0xB8), RGB(0x66, 0xBB, 0x6A), RGB(0xFF, 0xD5, 0x4F)};
  HDC screen = GetDC(nullptr);
  for (int i = 0; i < kCount; ++i) {
    GdiObject bitmap(CreateCompatibleBitmap(screen, size, size));
    {
      MemoryDc dc(screen);
      SelectedObject sel(dc.get(), bitmap.get());
      const RECT all{0, 0, size, size};
      FillRect(dc.get(), &all, GetSysColorBrush(COLOR_WINDOW));
      GdiObject brush(CreateSolidBrush(colors[i]));
      // Designed on 16 pixels.
      const auto at = [size](int v) { return v * size / 16; };
      const RECT shape = i < kHistoryClip ? RECT{at(1), at(4), at(15), at(14)}
                                          : RECT{at(3), at(1), at(13), at(15)};
      FillRect(dc.get(), &shape, static_cast<HBRUSH>(brush.get()));
    }
    ImageList_Add(list, static_cast<HBITMAP>(bitmap.get()), nullptr);
  }
  ReleaseDC(nullptr, screen);
  return list;
}

}  // namespace

bool ClipTree::Create(HWND parent, int id) {
  tree_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS |
                              TVS_LINESATROOT | TVS_SHOWSELALWAYS,
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
  ImageListHandle images(MakeImages(SystemMetricForDpi(SM_CXSMICON, dpi)));
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

clipstore::TreeNode* ClipTree::SelectedNode() const {
  HTREEITEM item = TreeView_GetSelection(tree_);
  if (!item) return nullptr;
  TVITEMA tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return reinterpret_cast<clipstore::TreeNode*>(tv.lParam);
}

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
