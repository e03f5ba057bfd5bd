#include "editor/data_menu_win32.h"

#include <commctrl.h>

#include "clipstore/clip_store.h"
#include "editor/editor_command_ids.h"
#include "platform/message_box.h"
#include "usermenu/menu_commands.h"
#include "usermenu/post_dialog_win32.h"

namespace ambrel::win32 {
namespace {

void ExpandAll(HWND tree, HTREEITEM item, UINT how) {
  for (; item; item = TreeView_GetNextSibling(tree, item)) {
    TreeView_Expand(tree, item, how);
    ExpandAll(tree, TreeView_GetChild(tree, item), how);
  }
}

}  // namespace

bool DataMenu::Handles(int id) {
  switch (id) {
    case editor::kCmdMenuAdd:
    case editor::kCmdMenuEdit:
    case editor::kCmdMenuDelete:
    case editor::kCmdTreeExpand:
    case editor::kCmdTreeCollapse:
    case editor::kCmdCloseProgram: return true;
    default: return false;
  }
}

bool DataMenu::Handle(int id, HWND owner, HWND tree, clipstore::TreeNode* selection) {
  switch (id) {
    case editor::kCmdMenuAdd: OpenDialog(owner, nullptr, static_cast<int>(usermenu::MenuMode::kNew)); return true;
    case editor::kCmdMenuEdit:
      if (selection && selection->IsUserMenuNode())
        OpenDialog(owner, selection, static_cast<int>(usermenu::MenuMode::kEdit));
      return true;
    case editor::kCmdMenuDelete: DeleteContents(owner, selection); return true;
    case editor::kCmdTreeExpand: ExpandAll(tree, TreeView_GetRoot(tree), TVE_EXPAND); return true;
    case editor::kCmdTreeCollapse: ExpandAll(tree, TreeView_GetRoot(tree), TVE_COLLAPSE); return true;
    case editor::kCmdCloseProgram: s_.quit(); return true;
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

}  // namespace ambrel::win32
