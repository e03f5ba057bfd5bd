#include "clipstore/tree_node.h"

#include <algorithm>

namespace ambrel::clipstore {

int TreeNode::IndexOf(const TreeNode* child) const {
  // From the back: the store removes the oldest clips, which stand last.
  for (std::size_t i = static_cast<std::size_t>(Count()); i-- > 0;)
    if ((*children_)[i].get() == child) return static_cast<int>(i);
  return -1;
}

TreeNode* TreeNode::Insert(int index, std::unique_ptr<TreeNode> child) {
  index = std::clamp(index, 0, Count());
  child->parent = this;
  TreeNode* raw = child.get();
  if (!children_) children_ = std::make_unique<Children>();
  children_->insert(children_->begin() + index, std::move(child));
  return raw;
}

std::unique_ptr<TreeNode> TreeNode::Remove(const TreeNode* child) {
  const int index = IndexOf(child);
  if (index < 0) return nullptr;
  std::unique_ptr<TreeNode> owned = std::move((*children_)[static_cast<std::size_t>(index)]);
  children_->erase(children_->begin() + index);
  owned->parent = nullptr;
  return owned;
}

}  // namespace ambrel::clipstore
