// Portable model of the editor's clip tree. Image indexes carry the node's
// meaning: a slot node has its slot number, a clip node 10000 - slot number.
#pragma once

#include <deque>
#include <memory>
#include <string>

namespace ambrel::clipstore {

struct Clip;

class TreeNode {
 public:
  TreeNode() = default;
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  std::string text;
  int imageIndex = 0;
  Clip* clip = nullptr;  // the page of a clip node
  TreeNode* parent = nullptr;

  bool IsClipNode() const { return imageIndex >= 13; }
  bool IsUserMenuNode() const { return imageIndex >= 2 && imageIndex <= 8999; }

  int Count() const { return children_ ? static_cast<int>(children_->size()) : 0; }
  TreeNode* Child(int index) const { return (*children_)[static_cast<std::size_t>(index)].get(); }
  int IndexOf(const TreeNode* child) const;
  int Index() const { return parent ? parent->IndexOf(this) : -1; }

  TreeNode* Insert(int index, std::unique_ptr<TreeNode> child);
  std::unique_ptr<TreeNode> Remove(const TreeNode* child);

 private:
  // A deque: clips are added at the front and the oldest dropped at the back,
  // both in constant time whatever the count. Made with the first child, as
  // an empty deque allocates too and most nodes (the clips) have none.
  using Children = std::deque<std::unique_ptr<TreeNode>>;
  std::unique_ptr<Children> children_;
};

}  // namespace ambrel::clipstore
