// The editor's commands on menu nodes of the clip tree: deleting a menu's
// clips, and then an emptied user menu itself.
#pragma once

#include <functional>
#include <string>

#include "platform/message_box.h"

namespace ambrel::clipstore {
class TClipBase;
class TreeNode;
}  // namespace ambrel::clipstore

namespace ambrel::usermenu {

// "登録されているすべての" + name + "クリップデータを削除しますが、よろしいですか？"
// with the question beep, Yes, No, Cancel and Help.
MsgResult ConfirmDelete(MessageBoxes& messages, const std::string& name);

// The name the question uses for a menu node: "動的", "静的", or the first
// five characters of a user menu's tree text ("Usr1 ").
std::string DeleteQuestionName(const clipstore::TreeNode& menuNode);

// Delete on the tree's selected node. A clip node: that clip goes. A menu
// node: after a Yes its own clips go (user menus below the history stay);
// an emptied user menu is then offered for removal through
// openDeleteDialog (the user-menu dialog in delete mode).
void DeleteMenuContents(clipstore::TClipBase& store, MessageBoxes& messages,
                        clipstore::TreeNode& node,
                        const std::function<void(clipstore::TreeNode&)>& openDeleteDialog);

}  // namespace ambrel::usermenu
