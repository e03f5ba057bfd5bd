#include "clipstore/menu_item.h"

#include <algorithm>

namespace ambrel::clipstore {

int MenuItem::IndexOf(const MenuItem* item) const {
  // From the back: the store removes the oldest clips, which stand last.
  for (std::size_t i = static_cast<std::size_t>(Count()); i-- > 0;)
    if ((*items_)[i].get() == item) return static_cast<int>(i);
  return -1;
}

MenuItem* MenuItem::Insert(int index, std::unique_ptr<MenuItem> item) {
  index = std::clamp(index, 0, Count());
  item->parent = this;
  MenuItem* raw = item.get();
  if (!items_) items_ = std::make_unique<Children>();
  items_->insert(items_->begin() + index, std::move(item));
  return raw;
}

std::unique_ptr<MenuItem> MenuItem::Remove(const MenuItem* item) {
  const int index = IndexOf(item);
  if (index < 0) return nullptr;
  std::unique_ptr<MenuItem> owned = std::move((*items_)[static_cast<std::size_t>(index)]);
  items_->erase(items_->begin() + index);
  owned->parent = nullptr;
  return owned;
}

MenuItem* MenuItem::Find(std::string_view componentName) {
  if (name == componentName) return this;
  if (!items_) return nullptr;
  for (auto& child : *items_)
    if (MenuItem* found = child->Find(componentName)) return found;
  return nullptr;
}

}  // namespace ambrel::clipstore
