// A Win32 menu built from one of the editor's menu tables (menu_table.h).
// Each time one of its pop-ups opens it is filled again with the items the
// rules show, enabled and checked as they say; the hint of any of its items
// is found from the menu handle that WM_MENUSELECT names.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <vector>

#include "editor/menu_rules.h"
#include "editor/menu_table.h"

namespace ambrel::win32 {

class TableMenu {
 public:
  using Available = std::function<bool(int id)>;

  TableMenu() = default;
  TableMenu(const TableMenu&) = delete;
  TableMenu& operator=(const TableMenu&) = delete;
  // Detaches every pop-up from its parent and destroys them all; a menu bar
  // must have been taken from its window first.
  ~TableMenu();

  // asBar: the top level is a menu bar. clipMenu stands where the table
  // holds the clip menu; it stays its owner's.
  void Build(std::span<const editor::MenuEntry> table, bool asBar, HMENU clipMenu = nullptr);
  HMENU Root() const { return popups_.empty() ? nullptr : popups_.front().handle; }

  // Fills `menu` again when it is one of this menu's pop-ups; false when not.
  bool Refresh(HMENU menu, const editor::MenuFacts& facts, const Available& available);
  // The entry of the item WM_MENUSELECT reports (its hint, its help), or
  // null when the item is not one of this menu's.
  const editor::MenuEntry* EntryOf(HMENU menu, UINT item, UINT flags) const;
  // Shows the pop-up at a screen point; the command chosen, 0 for none.
  int Track(HWND owner, POINT at, const editor::MenuFacts& facts, const Available& available,
            UINT flags = 0);

 private:
  struct Popup {
    HMENU handle;
    std::vector<std::size_t> entries;  // table indices of its direct items
  };
  std::size_t BuildPopup(std::size_t first, HMENU handle);
  const Popup* Find(HMENU menu) const;
  HMENU SubmenuOf(std::size_t entry) const;

  std::span<const editor::MenuEntry> table_;
  std::vector<Popup> popups_;  // the root first
  std::vector<std::pair<std::size_t, HMENU>> submenus_;  // table index -> pop-up
  HMENU clipMenu_ = nullptr;
};

}  // namespace ambrel::win32
