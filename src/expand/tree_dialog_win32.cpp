#include "expand/tree_dialog_win32.h"

#include <vector>

#include "editor/tree_print.h"
#include "expand/dialog_parts_win32.h"
#include "expand/work_dialog_win32.h"
#include "platform/dialog_placement_win32.h"
#include "platform/help_win32.h"
#include "platform/text_printer_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kTreeId = 101;
constexpr int kHelpContext = 159;
enum MenuId : int { kTPSort = 201, kTPEdit, kTPPrint, kTPExpand, kTPCollapse, kTPAutoSelect, kTPTreeBtn };

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

TreeDialog::TreeDialog(options::Settings& settings, WorkDialog& work, Files& files, FileSystem& fileSystem)
    : settings_(settings), work_(work), files_(files), fileSystem_(fileSystem) {
  settings_.AddObserver(this);
}

TreeDialog::~TreeDialog() { settings_.RemoveObserver(this); }

bool TreeDialog::Create() {
  return CreateWin("TTree", "Tree", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_DLGMODALFRAME,
                   -2000, 0, 360, 400, nullptr, nullptr);
}

void TreeDialog::OnCreate() {
  tree_ = AddControl(hwnd(), WC_TREEVIEWA, "", WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_EDITLABELS, kTreeId,
                     WS_EX_CLIENTEDGE);
  SendMessageA(tree_, TVM_SETINDENT, 21, 0);
  folderImages_.reset(MakePickerImages(true));
  dataImages_.reset(MakePickerImages(false));
  ApplyButtons();
  SetWindowSubclass(tree_, &TreeDialog::TreeProc, 1, reinterpret_cast<DWORD_PTR>(this));
  name_ = AddControl(hwnd(), "STATIC", "TreeView ", SS_LEFT, 0);
  AddButtonRow(hwnd());

  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, kTPSort, "ｿｰﾄ (&S)");
  AppendMenuA(popup, MF_STRING, kTPEdit, "編集 (&E)");
  AppendMenuA(popup, MF_STRING, kTPPrint, "印刷 (&P)");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_STRING, kTPExpand, "項目の展開 (&O)");
  AppendMenuA(popup, MF_STRING, kTPCollapse, "項目の縮小 (&S)");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  HMENU property = CreatePopupMenu();
  AppendMenuA(property, MF_STRING, kTPAutoSelect, "ｵｰﾄｾﾚｸﾄ (&A)");
  AppendMenuA(property, MF_STRING, kTPTreeBtn, "ﾎﾞﾀﾝ表示 (&B)");
  AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(property), "ﾌﾟﾛﾊﾟﾃｨ (&B)");
  menu_.reset(popup);
}

void TreeDialog::ApplyButtons() {
  LONG_PTR style = GetWindowLongPtrA(tree_, GWL_STYLE);
  style = settings_.TreeBtn() ? (style | TVS_HASBUTTONS) : (style & ~static_cast<LONG_PTR>(TVS_HASBUTTONS));
  SetWindowLongPtrA(tree_, GWL_STYLE, style);
  SetWindowPos(tree_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  InvalidateRect(tree_, nullptr, TRUE);
}

void TreeDialog::OnSettingChanged(options::Setting which) {
  if (which == options::Setting::kTreeButtons && tree_) ApplyButtons();
}

void TreeDialog::OnSize(int width, int height) {
  MoveWindow(tree_, 8, 8, width - 16, height - 16 - 40, TRUE);
  LayoutButtonRow(hwnd(), name_, width, height);
}

int TreeDialog::NodeOf(HTREEITEM item) const {
  TVITEMA tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return expand::kNoNode;
  return static_cast<int>(tv.lParam);
}

void TreeDialog::FillFromModel() {
  SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
  TreeView_DeleteAllItems(tree_);
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
        SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    work_.Step();
  }
  if (folderTree_ && !items.empty()) TreeView_SelectItem(tree_, items[0]);
  SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
}

bool TreeDialog::LoadTree(std::string_view argument) {
  model_.Clear();
  TreeView_DeleteAllItems(tree_);
  std::string caption(argument);
  folderTree_ = expand::IsFolder(argument, fileSystem_);
  TreeView_SetImageList(tree_, folderTree_ ? folderImages_.get() : dataImages_.get(), TVSIL_NORMAL);
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
  SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
  // TVM_EXPAND sends no expanded notification, so the folder pictures
  // are set here as the notification handler sets them for the user.
  const int image = how == TVE_EXPAND ? expand::kImageOpenFolder : expand::kImageClosedFolder;
  ForEachItem(tree_, [&](HTREEITEM item) {
    if (TreeView_GetChild(tree_, item)) {
      TreeView_Expand(tree_, item, how);
      SetImage(tree_, item, image);
    }
    work_.Step();
  });
  SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree_, nullptr, TRUE);
}

bool TreeDialog::RunTree(std::string_view argument, std::string& path) {
  path.clear();
  CenterDialog(hwnd());
  LoadTree(argument);
  ExpandAll(TVE_EXPAND);
  if (HTREEITEM selected = TreeView_GetSelection(tree_)) TreeView_EnsureVisible(tree_, selected);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(tree_);
  open_ = true;
  ok_ = false;
  RunModalLoop(hwnd(), open_);
  if (HTREEITEM selected = TreeView_GetSelection(tree_)) {
    const int node = NodeOf(selected);
    if (node != expand::kNoNode)
      path = folderTree_ ? expand::NodePath(model_, node) : model_.Node(node).text;
  }
  return ok_;
}

void TreeDialog::Close(bool ok) {
  if (editing_) TreeView_EndEditLabelNow(tree_, TRUE);
  ok_ = ok;
  open_ = false;
  ShowWindow(hwnd(), SW_HIDE);
}

void TreeDialog::Print() {
  char caption[512] = {};
  GetWindowTextA(hwnd(), caption, sizeof caption);
  std::vector<std::string> lines{caption, ""};
  ForEachItem(tree_, [&](HTREEITEM item) {
    int depth = 0;
    for (HTREEITEM p = TreeView_GetParent(tree_, item); p; p = TreeView_GetParent(tree_, p)) ++depth;
    lines.push_back(editor::TreePrintLine(depth, ItemText(tree_, item)));
  });
  PrintTextLines(hwnd(), caption, lines);
}

void TreeDialog::OnContextMenu(int x, int y) {
  HMENU menu = menu_.get();
  const bool hasSelection = TreeView_GetSelection(tree_) != nullptr;
  EnableMenuItem(menu, kTPEdit, MF_BYCOMMAND | (hasSelection ? MF_ENABLED : MF_GRAYED));
  CheckMenuItem(menu, kTPAutoSelect, MF_BYCOMMAND | (settings_.TreeAutoSel() ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, kTPTreeBtn, MF_BYCOMMAND | (settings_.TreeBtn() ? MF_CHECKED : MF_UNCHECKED));
  if (x == -1 && y == -1) {
    POINT pt{};
    GetCursorPos(&pt);
    x = pt.x;
    y = pt.y;
  }
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
}

void TreeDialog::OnCommand(int id) {
  switch (id) {
    case IDOK: Close(true); break;
    case IDCANCEL: Close(false); break;
    case kHelpId: OpenHelp(kHelpContext); break;
    case kTPSort:
      ForEachItem(tree_, [&](HTREEITEM item) { TreeView_SortChildren(tree_, item, FALSE); });
      TreeView_SortChildren(tree_, TVI_ROOT, FALSE);
      break;
    case kTPEdit:
      if (HTREEITEM selected = TreeView_GetSelection(tree_)) {
        labelEditAllowed_ = true;
        SetFocus(tree_);
        TreeView_EditLabel(tree_, selected);
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

LRESULT TreeDialog::OnNotify(NMHDR* header) {
  if (header->hwndFrom != tree_) return 0;
  switch (header->code) {
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
      auto* info = reinterpret_cast<NMTREEVIEWA*>(header);
      if (TreeView_GetChild(tree_, info->itemNew.hItem))
        SetImage(tree_, info->itemNew.hItem,
                 info->action == TVE_EXPAND ? expand::kImageOpenFolder : expand::kImageClosedFolder);
      return 0;
    }
    case TVN_BEGINLABELEDITA:
      if (!labelEditAllowed_) return TRUE;
      editing_ = true;
      return FALSE;
    case TVN_ENDLABELEDITA: {
      auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
      editing_ = false;
      labelEditAllowed_ = false;
      if (!info->item.pszText) return FALSE;
      const int node = NodeOf(info->item.hItem);
      if (node != expand::kNoNode) model_.Node(node).text = info->item.pszText;
      return TRUE;
    }
    case NM_DBLCLK: {
      HTREEITEM selected = TreeView_GetSelection(tree_);
      if (!editing_ && selected && !TreeView_GetChild(tree_, selected)) Close(true);
      return 0;
    }
    case NM_CLICK: {
      if (!settings_.TreeAutoSel() || editing_) return 0;
      TVHITTESTINFO hit{};
      GetCursorPos(&hit.pt);
      ScreenToClient(tree_, &hit.pt);
      HTREEITEM item = TreeView_HitTest(tree_, &hit);
      if (item && (hit.flags & TVHT_ONITEMLABEL)) {
        TreeView_SelectItem(tree_, item);
        Close(true);
      }
      return 0;
    }
    default: return 0;
  }
}

LRESULT CALLBACK TreeDialog::TreeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
  auto* self = reinterpret_cast<TreeDialog*>(data);
  if (msg == WM_MOUSEMOVE && self->settings_.TreeAutoSel() && !self->editing_) {
    TVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    HTREEITEM item = TreeView_HitTest(hwnd, &hit);
    if (item && (hit.flags & TVHT_ONITEM) && item != TreeView_GetSelection(hwnd)) TreeView_SelectItem(hwnd, item);
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT TreeDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == tree_)
        OnContextMenu(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_CLOSE: Close(false); return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {260, 200};
      return 0;
    default: return Default(msg, wParam, lParam);
  }
}

}  // namespace ambrel::win32
