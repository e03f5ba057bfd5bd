#include "usermenu/menu_commands.h"

#include "clipstore/clip_store.h"
#include "help_contexts.h"

namespace ambrel::usermenu {

MsgResult ConfirmDelete(MessageBoxes& messages, const std::string& name) {
  messages.PlayQuestionSound();
  return messages.ShowMsgDlg(
      "登録されているすべての" + name + "クリップデータを削除しますが、よろしいですか？",
      MsgType::kConfirmation, kBtnYes | kBtnNo | kBtnCancel | kBtnHelp, kHelpConfirmDeleteClip);
}

std::string DeleteQuestionName(const clipstore::TreeNode& menuNode) {
  if (menuNode.slot.IsHistory()) return "動的";
  if (menuNode.slot.IsStatic()) return "静的";
  return menuNode.text.substr(0, 5);
}

void DeleteMenuContents(clipstore::TClipBase& store, MessageBoxes& messages,
                        clipstore::TreeNode& node,
                        const std::function<void(clipstore::TreeNode&)>& openDeleteDialog) {
  if (node.clip) {
    store.DeleteClip(node.clip->pageIndex);
    return;
  }
  if (store.MenuClipCount(node) > 0) {
    // Only the clips asked about go: a copy caught while the question is up
    // stays (and keeps the menu).
    const std::vector<std::uint64_t> asked = store.ClipIds(&node);
    if (ConfirmDelete(messages, DeleteQuestionName(node)) != MsgResult::kYes) return;
    store.DeleteClips(asked);
  }
  if (node.IsUserMenuNode() && node.Count() == 0) openDeleteDialog(node);
}

}  // namespace ambrel::usermenu
