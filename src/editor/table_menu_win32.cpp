#include "editor/table_menu_win32.h"

namespace ambrel::win32 {

using editor::EntryKind;
using editor::MenuEntry;

TableMenu::~TableMenu() {
  for (const Popup& p : popups_)
    while (GetMenuItemCount(p.handle) > 0) RemoveMenu(p.handle, 0, MF_BYPOSITION);
  for (const Popup& p : popups_) DestroyMenu(p.handle);
}

void TableMenu::Build(std::span<const MenuEntry> table, bool asBar, HMENU clipMenu) {
  table_ = table;
  clipMenu_ = clipMenu;
  BuildPopup(0, asBar ? CreateMenu() : CreatePopupMenu());
  // The bar shows every top-level item at once and is never filled again.
  if (asBar) Refresh(Root(), {}, [](int) { return true; });
}

// Registers the pop-up whose items start at `first`; returns the index after
// its closing entry.
std::size_t TableMenu::BuildPopup(std::size_t first, HMENU handle) {
  const std::size_t self = popups_.size();
  popups_.push_back({handle, {}});
  std::size_t i = first;
  while (i < table_.size() && table_[i].kind != EntryKind::kEnd) {
    popups_[self].entries.push_back(i);
    if (table_[i].kind == EntryKind::kSubmenu) {
      HMENU child = CreatePopupMenu();
      submenus_.emplace_back(i, child);
      i = BuildPopup(i + 1, child);
    } else {
      ++i;
    }
  }
  return i + 1;
}

const TableMenu::Popup* TableMenu::Find(HMENU menu) const {
  for (const Popup& p : popups_)
    if (p.handle == menu) return &p;
  return nullptr;
}

HMENU TableMenu::SubmenuOf(std::size_t entry) const {
  if (table_[entry].kind == EntryKind::kClipMenu) return clipMenu_;
  for (const auto& [index, handle] : submenus_)
    if (index == entry) return handle;
  return nullptr;
}

bool TableMenu::Refresh(HMENU menu, const editor::MenuFacts& facts, const Available& available) {
  const Popup* popup = Find(menu);
  if (!popup) return false;
  // Removed, not deleted: the pop-ups stay for the next fill.
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  for (std::size_t index : popup->entries) {
    const MenuEntry& e = table_[index];
    if (!editor::IsShown(e.show, facts)) continue;
    UINT flags = MF_STRING;
    UINT_PTR id = static_cast<UINT_PTR>(e.id);
    bool enabled = editor::IsEnabled(e.rule, facts);
    switch (e.kind) {
      case EntryKind::kSeparator: AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); continue;
      case EntryKind::kSubmenu:
      case EntryKind::kClipMenu:
        flags |= MF_POPUP;
        id = reinterpret_cast<UINT_PTR>(SubmenuOf(index));
        break;
      default: enabled = enabled && available(e.id); break;
    }
    if (!enabled) flags |= MF_GRAYED;
    if (editor::IsChecked(e.check, facts)) flags |= MF_CHECKED;
    AppendMenuA(menu, flags, id, e.caption);
  }
  return true;
}

const MenuEntry* TableMenu::EntryOf(HMENU menu, UINT item, UINT flags) const {
  const Popup* popup = Find(menu);
  if (!popup || (flags & MF_SEPARATOR)) return nullptr;
  HMENU sub = (flags & MF_POPUP) ? GetSubMenu(menu, static_cast<int>(item)) : nullptr;
  for (std::size_t index : popup->entries) {
    const MenuEntry& e = table_[index];
    const bool isPopup = e.kind == EntryKind::kSubmenu || e.kind == EntryKind::kClipMenu;
    if ((flags & MF_POPUP) ? (isPopup && SubmenuOf(index) == sub)
                           : (e.kind == EntryKind::kItem && static_cast<UINT>(e.id) == item))
      return &e;
  }
  return nullptr;
}

int TableMenu::Track(HWND owner, POINT at, const editor::MenuFacts& facts, const Available& available,
                     UINT flags) {
  Refresh(Root(), facts, available);
  const int id = static_cast<int>(TrackPopupMenu(Root(), flags | TPM_LEFTBUTTON | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                 at.x, at.y, 0, owner, nullptr));
  PostMessageA(owner, WM_NULL, 0, 0);
  return id;
}

}  // namespace ambrel::win32
