#include "clipstore/menu_item.h"

namespace ambrel::clipstore {

MenuItem* MenuItem::Find(std::string_view componentName) {
  if (name == componentName) return this;
  if (!children_) return nullptr;
  for (auto& child : *children_)
    if (MenuItem* found = child->Find(componentName)) return found;
  return nullptr;
}

}  // namespace ambrel::clipstore
