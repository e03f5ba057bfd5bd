// Builds the Win32 clip menu from the portable menu tree and maps command
// ids back to the model's items. A level whose shape has not changed since
// it was built is kept as it is: a pop-up with nothing new costs no menu
// building, and a copy rebuilds the top level and the slot menus it changed.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "clipstore/menu_item.h"
#include "editor/menu_shape.h"
#include "platform/handles_win32.h"

namespace ambrel::win32 {

class ClipMenu {
 public:
  static constexpr UINT kFirstId = 1000;

  ClipMenu() = default;
  ~ClipMenu();
  ClipMenu(const ClipMenu&) = delete;
  ClipMenu& operator=(const ClipMenu&) = delete;

  // Brings `menu` up to date with `model` (visible items only, with their
  // states). `menu` must outlive this object or be filled by no other.
  void Fill(HMENU menu, const clipstore::MenuItem& model);
  // The model item behind a command, or null when it has left the model
  // since the menu was filled (a copy arriving while the menu was open may
  // have dropped the oldest clip).
  clipstore::MenuItem* ItemOf(UINT id) const;

 private:
  // One built level: its items' command ids, and the shape it was built from.
  struct Level {
    editor::MenuShape shape;
    std::vector<UINT> ids;
  };
  struct SlotMenu {
    MenuHandle menu;
    Level level;
  };

  HMENU UpToDateSlotMenu(const clipstore::MenuItem& slot, bool& created);
  void BuildLevel(HMENU menu, const clipstore::MenuItem& model, Level& level);
  void DetachTop();
  UINT TakeId(clipstore::MenuItem* item);
  void FreeIds(std::vector<UINT>& ids);

  std::vector<clipstore::MenuItem*> byId_;  // [id - kFirstId]; null when free
  std::vector<UINT> freeIds_;
  std::map<const clipstore::MenuItem*, SlotMenu> slotMenus_;
  HMENU top_ = nullptr;
  Level topLevel_;
  const clipstore::MenuItem* root_ = nullptr;
};

}  // namespace ambrel::win32
