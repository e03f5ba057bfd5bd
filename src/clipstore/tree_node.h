// Portable model of the editor's clip tree. Image indexes carry the node's
// meaning: a slot node has its slot number, a clip node 10000 - slot number.
#pragma once

#include <string>

#include "clipstore/child_list.h"

namespace ambrel::clipstore {

struct Clip;

class TreeNode : public ChildList<TreeNode> {
 public:
  TreeNode() = default;
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  std::string text;
  int imageIndex = 0;
  Clip* clip = nullptr;  // the page of a clip node

  bool IsClipNode() const { return imageIndex >= 13; }
  bool IsUserMenuNode() const { return imageIndex >= 2 && imageIndex <= 8999; }

  TreeNode* Child(int index) const { return At(index); }
  int Index() const { return parent ? parent->IndexOf(this) : -1; }
};

}  // namespace ambrel::clipstore
