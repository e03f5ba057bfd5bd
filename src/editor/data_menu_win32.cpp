#include "editor/data_menu_win32.h"

#include <commctrl.h>

#include "clipstore/clip_store.h"
#include "editor/tree_print.h"
#include "options/settings.h"
#include "platform/message_box.h"
#include "platform/text_printer_win32.h"
#include "usermenu/menu_commands.h"
#include "usermenu/post_dialog_win32.h"

namespace ambrel::win32 {
namespace {

enum Command : int {
  kMMMenuAdd = 300, kMMMenuEdit, kMMMenuDel, kMMTreePrint, kMMClose,
  kTPAdd, kTPEdit, kTPDel, kTPPrint, kTPTreeOpen, kTpTreeClose,
};

void Enable(HMENU menu, int id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); }

void ExpandAll(HWND tree, HTREEITEM item, UINT how) {
  for (; item; item = TreeView_GetNextSibling(tree, item)) {
    TreeView_Expand(tree, item, how);
    ExpandAll(tree, TreeView_GetChild(tree, item), how);
  }
}

}  // namespace

void DataMenu::AppendTo(HMENU bar, HMENU historyMenu) {
  data_ = CreatePopupMenu();
  userMenu_ = CreatePopupMenu();
  AppendMenuA(userMenu_, MF_STRING, kMMMenuAdd, "新規作成 (&N)");
  AppendMenuA(userMenu_, MF_STRING, kMMMenuEdit, "更新 (&E)");
  AppendMenuA(userMenu_, MF_STRING, kMMMenuDel, "削除 (&D)");
  AppendMenuA(data_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(userMenu_), "ﾕｰｻﾞｰﾒﾆｭｰ (&U)");
  AppendMenuA(data_, MF_STRING, kMMTreePrint, "印刷 (&P)");
  AppendMenuA(data_, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(data_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(historyMenu), "一覧 (&V)");
  AppendMenuA(data_, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(data_, MF_STRING, kMMClose, "終了 (&X)");
  AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(data_), "ﾃﾞｰﾀ(&D)");

  treeMenu_.reset(CreatePopupMenu());
}

// The user-menu commands are extended functions: beginners do not see them.
void DataMenu::FillTreeMenu() {
  HMENU t = treeMenu_.get();
  while (GetMenuItemCount(t) > 0) DeleteMenu(t, 0, MF_BYPOSITION);
  if (!settings_.Beginner()) {
    AppendMenuA(t, MF_STRING, kTPAdd, "新規作成 (&N)");
    AppendMenuA(t, MF_STRING, kTPEdit, "更新 (&E)");
  }
  AppendMenuA(t, MF_STRING, kTPDel, "削除 (&D)");
  AppendMenuA(t, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(t, MF_STRING, kTPPrint, "印刷 (&P)");
  AppendMenuA(t, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(t, MF_STRING, kTPTreeOpen, "項目の展開 (&O)");
  AppendMenuA(t, MF_STRING, kTpTreeClose, "項目の縮小 (&S)");
}

void DataMenu::UpdateDataMenu(const clipstore::TreeNode* selection) {
  const bool userMenu = selection && selection->IsUserMenuNode();
  Enable(userMenu_, kMMMenuAdd, store_.FreeSlot() != -1);
  Enable(userMenu_, kMMMenuEdit, userMenu);
  Enable(userMenu_, kMMMenuDel, userMenu);
  // The user-menu submenu is an extended function: beginners do not see it.
  const bool shown = GetMenuItemID(data_, 0) == static_cast<UINT>(-1) &&
                     GetSubMenu(data_, 0) == userMenu_;
  if (settings_.Beginner() && shown) {
    if (RemoveMenu(data_, 0, MF_BYPOSITION)) hiddenUserMenu_.reset(userMenu_);
  } else if (!settings_.Beginner() && !shown) {
    if (InsertMenuA(data_, 0, MF_BYPOSITION | MF_POPUP | MF_STRING,
                    reinterpret_cast<UINT_PTR>(userMenu_), "ﾕｰｻﾞｰﾒﾆｭｰ (&U)"))
      hiddenUserMenu_.release();
  }
}

void DataMenu::TrackTreeMenu(HWND owner, HWND tree, POINT screenPoint, clipstore::TreeNode* selection) {
  FillTreeMenu();
  HMENU t = treeMenu_.get();
  const bool userMenu = selection && selection->IsUserMenuNode();
  const bool menuNode = selection && !selection->clip;
  Enable(t, kTPAdd, store_.FreeSlot() != -1);
  Enable(t, kTPEdit, userMenu);
  Enable(t, kTPDel, selection != nullptr);
  Enable(t, kTPPrint, menuNode);
  const int id = TrackPopupMenu(t, TPM_LEFTBUTTON | TPM_RETURNCMD, screenPoint.x, screenPoint.y, 0,
                                owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
  if (id) Handle(id, owner, tree, selection);
}

bool DataMenu::Handle(int id, HWND owner, HWND tree, clipstore::TreeNode* selection) {
  switch (id) {
    case kMMMenuAdd:
    case kTPAdd: OpenDialog(owner, nullptr, static_cast<int>(usermenu::MenuMode::kNew)); return true;
    case kMMMenuEdit:
    case kTPEdit:
      if (selection && selection->IsUserMenuNode())
        OpenDialog(owner, selection, static_cast<int>(usermenu::MenuMode::kEdit));
      return true;
    case kMMMenuDel:
    case kTPDel: DeleteContents(owner, selection); return true;
    case kMMTreePrint: PrintTree(owner, nullptr); return true;
    case kTPPrint: PrintTree(owner, selection); return true;
    case kTPTreeOpen: ExpandAll(tree, TreeView_GetRoot(tree), TVE_EXPAND); return true;
    case kTpTreeClose: ExpandAll(tree, TreeView_GetRoot(tree), TVE_COLLAPSE); return true;
    case kMMClose: s_.quit(); return true;
    default: return false;
  }
}

void DataMenu::OpenDialog(HWND owner, clipstore::TreeNode* node, int mode) {
  s_.userMenuDialog.ShowMenuProperties(owner, node, static_cast<usermenu::MenuMode>(mode));
}

void DataMenu::DeleteContents(HWND owner, clipstore::TreeNode* node) {
  if (!node) return;
  usermenu::DeleteMenuContents(store_, s_.messages, *node, [&](clipstore::TreeNode& menu) {
    OpenDialog(owner, &menu, static_cast<int>(usermenu::MenuMode::kDelete));
  });
}

void DataMenu::PrintTree(HWND owner, const clipstore::TreeNode* start) {
  std::vector<std::string> lines = {"クリップデータツリー", ""};
  for (std::string& line : editor::TreePrintLines(store_.Tree(), start)) lines.push_back(std::move(line));
  PrintTextLines(owner, "クリップデータツリー", lines);
}

}  // namespace ambrel::win32
