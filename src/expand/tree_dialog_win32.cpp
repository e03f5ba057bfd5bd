#include "expand/tree_dialog_win32.h"

#include <vector>

#include "clipstore/tree_print.h"
#include "expand/dialog_parts_win32.h"
#include "expand/work_dialog_win32.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

constexpr int kHelpContext = kHelpTree;
enum MenuId : int { kTPSort = 201, kTPEdit, kTPPrint, kTPExpand, kTPCollapse, kTPAutoSelect, kTPTreeBtn };

const PickerMenuItem kMenu[] = {
    {kTPSort, "ｿｰﾄ (&S)", "Menuツリー項目をソートします"},
    {kTPEdit, "編集 (&E)", "Menu選択項目を編集します"},
    {kTPPrint, "印刷 (&P)", "Menuツリーを一覧印刷します"},
    {0, nullptr, nullptr},
    {kTPExpand, "項目の展開 (&O)", "Menuすべての子項目を展開します"},
    {kTPCollapse, "項目の縮小 (&S)", "Menuすべての子項目を折りたたみます"},
    {0, nullptr, nullptr},
    {0, "ﾌﾟﾛﾊﾟﾃｨ (&B)", "Menuツリービューのプロパティを設定します", true},
    {kTPAutoSelect, "ｵｰﾄｾﾚｸﾄ (&A)", "Menuツリー項目を自動選択します"},
    {kTPTreeBtn, "ﾎﾞﾀﾝ表示 (&B)", "Menu展開ボタンを表示します", false, true},
};

const DialogControl kTreeControls[] = {
    {PickerDialog::kViewId, WC_TREEVIEWA, "", WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_EDITLABELS, 0, 0, 0, 0, nullptr,
     0, 0, false, WS_EX_CLIENTEDGE},
    PickerDialog::NameLabel("TreeView "),
};

std::string ItemText(HWND tree, HTREEITEM item) {
  char buffer[1024] = {};
  TVITEMA tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = buffer;
  tv.cchTextMax = sizeof buffer;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return buffer;
}

void SetImage(HWND tree, HTREEITEM item, int image) {
  TVITEMA tv{};
  tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  tv.hItem = item;
  tv.iImage = tv.iSelectedImage = image;
  SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

// Visits every item in pre-order without recursion.
template <typename F>
void ForEachItem(HWND tree, F f) {
  HTREEITEM item = TreeView_GetRoot(tree);
  while (item) {
    f(item);
    HTREEITEM next = TreeView_GetChild(tree, item);
    while (!next && item) {
      next = TreeView_GetNextSibling(tree, item);
      if (!next) item = TreeView_GetParent(tree, item);
    }
    item = next;
  }
}

}  // namespace

TreeDialog::TreeDialog(DialogHost& host, options::Settings& settings, WorkDialog& work, Files& files,
                       FileSystem& fileSystem)
    : PickerDialog(host, kHelpContext, settings, work, files, fileSystem) {}

bool TreeDialog::Create() { return CreatePicker({"TTree", "Tree", kTreeControls, 240, 250, 170, 130, kMenu}); }

void TreeDialog::SetUpView() {
  SendMessageA(view_, TVM_SETINDENT, 21, 0);
  folderImages_.reset(MakePickerImages(true));
  dataImages_.reset(MakePickerImages(false));
  ApplyButtons();
}

void TreeDialog::ApplyButtons() {
  LONG_PTR style = GetWindowLongPtrA(view_, GWL_STYLE);
  style = settings_.TreeBtn() ? (style | TVS_HASBUTTONS) : (style & ~static_cast<LONG_PTR>(TVS_HASBUTTONS));
  SetWindowLongPtrA(view_, GWL_STYLE, style);
  SetWindowPos(view_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  InvalidateRect(view_, nullptr, TRUE);
}

void TreeDialog::ApplySetting(options::Setting which) {
  if (which == options::Setting::kTreeButtons) ApplyButtons();
}

int TreeDialog::NodeOf(HTREEITEM item) const {
  TVITEMA tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!SendMessageA(view_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return expand::kNoNode;
  return static_cast<int>(tv.lParam);
}

void TreeDialog::FillFromModel() {
  SendMessageA(view_, WM_SETREDRAW, FALSE, 0);
  TreeView_DeleteAllItems(view_);
  std::vector<HTREEITEM> items(static_cast<std::size_t>(model_.Count()), nullptr);
  // Nodes are stored parents first, so one pass in index order works.
  for (int i = 0; i < model_.Count(); ++i) {
    const expand::PickNode& node = model_.Node(i);
    TVINSERTSTRUCTA ins{};
    ins.hParent = node.parent == expand::kNoNode ? TVI_ROOT : items[static_cast<std::size_t>(node.parent)];
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    ins.item.pszText = const_cast<char*>(node.text.c_str());
    ins.item.iImage = ins.item.iSelectedImage = node.image;
    ins.item.lParam = i;
    items[static_cast<std::size_t>(i)] = reinterpret_cast<HTREEITEM>(
        SendMessageA(view_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    work_.Step();
  }
  if (folderTree_ && !items.empty()) TreeView_SelectItem(view_, items[0]);
  SendMessageA(view_, WM_SETREDRAW, TRUE, 0);
}

bool TreeDialog::LoadTree(std::string_view argument) {
  model_.Clear();
  TreeView_DeleteAllItems(view_);
  std::string caption(argument);
  folderTree_ = expand::IsFolder(argument, fileSystem_);
  TreeView_SetImageList(view_, folderTree_ ? folderImages_.get() : dataImages_.get(), TVSIL_NORMAL);
  expand::WorkTargets targets{files_, fileSystem_, &model_, nullptr};
  std::string path(argument);
  const int delay = settings_.Interval() * 1000;
  // The control is filled inside the same work so that the work window
  // covers it too on a large tree.
  work_.Begin(delay);
  bool ok;
  if (folderTree_) {
    ok = expand::ScanFolders(model_, expand::WithoutTrailingBackslash(path), fileSystem_, work_);
  } else {
    ok = expand::ReadTreeFile(path, targets, work_);
  }
  if (ok) FillFromModel();
  work_.End();
  if (!ok) caption.clear();
  if (caption.empty()) caption = "Illegal File Name.";
  SetWindowTextA(hwnd(), caption.c_str());
  return ok;
}

void TreeDialog::ExpandAll(UINT how) {
  SendMessageA(view_, WM_SETREDRAW, FALSE, 0);
  // TVM_EXPAND sends no expanded notification, so the folder pictures
  // are set here as the notification handler sets them for the user.
  const int image = how == TVE_EXPAND ? expand::kImageOpenFolder : expand::kImageClosedFolder;
  ForEachItem(view_, [&](HTREEITEM item) {
    if (TreeView_GetChild(view_, item)) {
      TreeView_Expand(view_, item, how);
      SetImage(view_, item, image);
    }
    work_.Step();
  });
  SendMessageA(view_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(view_, nullptr, TRUE);
}

bool TreeDialog::RunTree(std::string_view argument, std::string& path) {
  path.clear();
  LoadTree(argument);
  ExpandAll(TVE_EXPAND);
  if (HTREEITEM selected = TreeView_GetSelection(view_)) TreeView_EnsureVisible(view_, selected);
  const bool ok = RunPicker();
  if (HTREEITEM selected = TreeView_GetSelection(view_)) {
    const int node = NodeOf(selected);
    if (node != expand::kNoNode)
      path = folderTree_ ? expand::NodePath(model_, node) : model_.Node(node).text;
  }
  return ok;
}

std::vector<std::string> TreeDialog::PrintedRows() const {
  std::vector<std::string> lines;
  ForEachItem(view_, [&](HTREEITEM item) {
    int depth = 0;
    for (HTREEITEM p = TreeView_GetParent(view_, item); p; p = TreeView_GetParent(view_, p)) ++depth;
    lines.push_back(clipstore::TreePrintLine(depth, ItemText(view_, item)));
  });
  return lines;
}

void TreeDialog::UpdateMenu(HMENU menu) {
  EnableMenuItem(menu, kTPEdit, MF_BYCOMMAND | (TreeView_GetSelection(view_) ? MF_ENABLED : MF_GRAYED));
  CheckItem(menu, kTPAutoSelect, settings_.TreeAutoSel());
  CheckItem(menu, kTPTreeBtn, settings_.TreeBtn());
}

void TreeDialog::OnMenuCommand(int id) {
  switch (id) {
    case kTPSort:
      ForEachItem(view_, [&](HTREEITEM item) { TreeView_SortChildren(view_, item, FALSE); });
      TreeView_SortChildren(view_, TVI_ROOT, FALSE);
      break;
    case kTPEdit:
      if (HTREEITEM selected = TreeView_GetSelection(view_)) {
        AllowLabelEdit();
        SetFocus(view_);
        TreeView_EditLabel(view_, selected);
      }
      break;
    case kTPPrint: Print(); break;
    case kTPExpand: ExpandAll(TVE_EXPAND); break;
    case kTPCollapse: ExpandAll(TVE_COLLAPSE); break;
    case kTPAutoSelect: settings_.SetTreeAutoSel(!settings_.TreeAutoSel()); break;
    case kTPTreeBtn: settings_.SetTreeButtons(!settings_.TreeBtn()); break;
    default: break;
  }
}

LRESULT TreeDialog::OnViewNotify(NMHDR* header) {
  switch (header->code) {
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
      auto* info = reinterpret_cast<NMTREEVIEWA*>(header);
      if (TreeView_GetChild(view_, info->itemNew.hItem))
        SetImage(view_, info->itemNew.hItem,
                 info->action == TVE_EXPAND ? expand::kImageOpenFolder : expand::kImageClosedFolder);
      return 0;
    }
    case TVN_BEGINLABELEDITA: return RefuseLabelEdit() ? TRUE : FALSE;
    case TVN_ENDLABELEDITA: {
      auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
      LabelEditEnded();
      if (!info->item.pszText) return FALSE;
      const int node = NodeOf(info->item.hItem);
      if (node != expand::kNoNode) model_.Node(node).text = info->item.pszText;
      return TRUE;
    }
    case NM_DBLCLK: {
      HTREEITEM selected = TreeView_GetSelection(view_);
      if (!editing_ && selected && !TreeView_GetChild(view_, selected)) Close(true);
      return 0;
    }
    case NM_CLICK: {
      if (!settings_.TreeAutoSel() || editing_) return 0;
      TVHITTESTINFO hit{};
      GetCursorPos(&hit.pt);
      ScreenToClient(view_, &hit.pt);
      HTREEITEM item = TreeView_HitTest(view_, &hit);
      if (item && (hit.flags & TVHT_ONITEMLABEL)) {
        TreeView_SelectItem(view_, item);
        Close(true);
      }
      return 0;
    }
    default: return 0;
  }
}

void TreeDialog::OnViewMouseMove(POINT at) {
  if (!settings_.TreeAutoSel()) return;
  TVHITTESTINFO hit{};
  hit.pt = at;
  HTREEITEM item = TreeView_HitTest(view_, &hit);
  if (item && (hit.flags & TVHT_ONITEM) && item != TreeView_GetSelection(view_)) TreeView_SelectItem(view_, item);
}

}  // namespace ambrel::win32
