// What one level of the clip menu shows, so that a menu built once can be
// kept until what it shows changes: building the clip menu of a full store
// (some 540 items) costs tens of milliseconds under Wine on every pop-up.
#pragma once

#include <string>
#include <vector>

#include "clipstore/menu_item.h"

namespace ambrel::editor {

struct ShownItem {
  const clipstore::MenuItem* item = nullptr;
  std::string caption;
  bool visible = false, enabled = false, separator = false;
  bool operator==(const ShownItem&) const = default;
};

// The items of one level (not their children), as a menu built from them
// would show them. Item names never change, so they are left out.
using MenuShape = std::vector<ShownItem>;
MenuShape ShapeOf(const clipstore::MenuItem& menu);

// The slot menus (the static clips and the user menus) are sub-menus of the
// clip menu; every other item is a single command.
bool IsSlotMenu(const clipstore::MenuItem& item);

}  // namespace ambrel::editor
