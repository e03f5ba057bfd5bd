// The fixed items of the clip menu ("一覧 (&V)"): clip items are inserted
// above MMLine6, user menus and the static menu follow, then the guidance
// items. The same tree serves the editor's menu bar and the hot-key pop-up.
#pragma once

#include <array>
#include <memory>

#include "clipstore/menu_item.h"

namespace ambrel::clipstore {

inline constexpr int kUserMenuCount = 10;

class PopupLayout {
 public:
  PopupLayout();

  MenuItem& History() { return *history_; }
  MenuItem& Static() { return *static_; }
  // User menu n = 1..10 ("Usr1".."Usr10"), the menu item of slot n + 1.
  MenuItem& UserMenu(int n) { return *users_[static_cast<std::size_t>(n - 1)]; }
  // The menu item that belongs to a slot: MMHistory, MMStatic, Usr1..Usr10.
  MenuItem& SlotMenu(int slot);
  MenuItem* Find(std::string_view name) { return history_->Find(name); }

 private:
  std::unique_ptr<MenuItem> history_;
  MenuItem* static_ = nullptr;
  std::array<MenuItem*, kUserMenuCount> users_{};
};

}  // namespace ambrel::clipstore
