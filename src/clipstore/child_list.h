// The ordered, owned children of a node that knows its parent: the menu
// model and the tree model are both built of it.
#pragma once

#include <algorithm>
#include <deque>
#include <memory>

namespace ambrel::clipstore {

template <typename Node>
class ChildList {
 public:
  Node* parent = nullptr;

  int Count() const { return children_ ? static_cast<int>(children_->size()) : 0; }
  Node* At(int index) const { return (*children_)[static_cast<std::size_t>(index)].get(); }
  int IndexOf(const Node* child) const {
    // From the back: the store removes the oldest clips, which stand last.
    for (std::size_t i = static_cast<std::size_t>(Count()); i-- > 0;)
      if ((*children_)[i].get() == child) return static_cast<int>(i);
    return -1;
  }

  // At index, held to 0..Count().
  Node* Insert(int index, std::unique_ptr<Node> child) {
    index = std::clamp(index, 0, Count());
    child->parent = static_cast<Node*>(this);
    Node* raw = child.get();
    if (!children_) children_ = std::make_unique<Children>();
    children_->insert(children_->begin() + index, std::move(child));
    return raw;
  }
  std::unique_ptr<Node> Remove(const Node* child) {
    const int index = IndexOf(child);
    if (index < 0) return nullptr;
    std::unique_ptr<Node> owned = std::move((*children_)[static_cast<std::size_t>(index)]);
    children_->erase(children_->begin() + index);
    owned->parent = nullptr;
    return owned;
  }

 protected:
  ChildList() = default;
  ~ChildList() = default;
  // A deque: clips are added at the front and the oldest dropped at the
  // back, both in constant time whatever the count. Made with the first
  // child, as an empty deque allocates too and most nodes (the clips) have
  // none.
  using Children = std::deque<std::unique_ptr<Node>>;
  std::unique_ptr<Children> children_;
};

}  // namespace ambrel::clipstore
