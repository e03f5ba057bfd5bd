// Portable model of the editor's clip tree: an invisible top node, the menu
// nodes of the slots (user menus below the history's) and the clip nodes
// below them. Each node says what it is; the tree view's icons and texts are
// derived from that.
#pragma once

#include <string>

#include "clipstore/child_list.h"
#include "clipstore/slot_id.h"

namespace ambrel::clipstore {

struct Clip;

class TreeNode : public ChildList<TreeNode> {
 public:
  enum class Kind { kTop, kMenu, kClip };

  TreeNode() = default;
  TreeNode(Kind kind, SlotId slot) : kind(kind), slot(slot) {}
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  std::string text;
  Kind kind = Kind::kTop;
  SlotId slot;  // the slot a menu node stands for, or a clip node is in
  Clip* clip = nullptr;  // the page of a clip node

  bool IsClipNode() const { return kind == Kind::kClip; }
  bool IsMenuNode() const { return kind == Kind::kMenu; }
  bool IsUserMenuNode() const { return IsMenuNode() && slot.IsUserMenu(); }

  TreeNode* Child(int index) const { return At(index); }
  int Index() const { return parent ? parent->IndexOf(this) : -1; }
};

}  // namespace ambrel::clipstore
