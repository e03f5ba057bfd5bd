// Builds the Win32 clip menu from the portable menu tree and maps command
// ids back to the model's items.
#pragma once

#include <windows.h>

#include <vector>

#include "clipstore/menu_item.h"

namespace ambrel::win32 {

class ClipMenu {
 public:
  static constexpr UINT kFirstId = 1000;

  // Refills `menu` from `model` (visible items only, with their states).
  void Fill(HMENU menu, const clipstore::MenuItem& model);
  // The model item behind a command, or null when it has left the model
  // since the menu was filled (a copy arriving while the menu was open may
  // have dropped the oldest clip).
  clipstore::MenuItem* ItemOf(UINT id) const;

 private:
  void FillItems(HMENU menu, const clipstore::MenuItem& model);
  std::vector<clipstore::MenuItem*> items_;
  const clipstore::MenuItem* root_ = nullptr;
};

}  // namespace ambrel::win32
