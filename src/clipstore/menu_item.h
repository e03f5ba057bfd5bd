// Portable model of the pop-up menu tree. The Win32 menus are built from it,
// so the store can be exercised and tested without a desktop.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "clipstore/child_list.h"
#include "clipstore/slot_id.h"

namespace ambrel::clipstore {

struct Clip;

class MenuItem : public ChildList<MenuItem> {
 public:
  MenuItem() = default;
  MenuItem(std::string name, std::string caption, bool separator = false)
      : name(std::move(name)), caption(std::move(caption)), separator(separator) {}
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  std::string name;     // component name ("MMHistory", "Usr3"); empty for clip items
  std::string caption;
  bool separator = false;
  bool visible = true;
  bool enabled = true;
  // The slot whose clips this menu holds (MMHistory, MMStatic, Usr1..Usr10).
  std::optional<SlotId> slot;
  Clip* clip = nullptr;  // set on the items that stand for a clip

  MenuItem* Append(std::unique_ptr<MenuItem> item) { return Insert(Count(), std::move(item)); }

  // Depth-first search by component name.
  MenuItem* Find(std::string_view componentName);
};

}  // namespace ambrel::clipstore
