#include "editor/clip_menu_win32.h"

#include "clipstore/menu_pictures_win32.h"

namespace ambrel::win32 {
namespace {

bool Contains(const clipstore::MenuItem& menu, const clipstore::MenuItem* item) {
  for (int i = 0; i < menu.Count(); ++i)
    if (menu.At(i) == item || Contains(*menu.At(i), item)) return true;
  return false;
}

// RemoveMenu, not DeleteMenu: the slot menus held by the top level are kept.
void RemoveAll(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
}

// The help line and the slot menus show a picture, checked or not; clips
// (no name) never do, and are not asked about, a hundred times over.
void SetPicture(HMENU menu, const clipstore::MenuItem& item) {
  if (item.name.empty()) return;
  if (HBITMAP picture = MenuPictureFor(item))
    SetMenuItemBitmaps(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), MF_BYPOSITION, picture,
                       picture);
}

}  // namespace

ClipMenu::~ClipMenu() { DetachTop(); }

void ClipMenu::DetachTop() {
  if (top_ && IsMenu(top_)) RemoveAll(top_);
  FreeIds(topLevel_.ids);
  topLevel_.shape.clear();
}

void ClipMenu::Fill(HMENU menu, const clipstore::MenuItem& model) {
  if (menu != top_ || &model != root_) {
    DetachTop();
    top_ = menu;
    root_ = &model;
  }
  // A slot menu changed in place needs no new top level; a new one does.
  bool newSubMenu = false;
  for (int i = 0; i < model.Count(); ++i) {
    const clipstore::MenuItem& item = *model.At(i);
    if (item.visible && !item.separator && editor::IsSlotMenu(item)) UpToDateSlotMenu(item, newSubMenu);
  }
  editor::MenuShape shape = editor::ShapeOf(model);
  if (!newSubMenu && shape == topLevel_.shape) return;
  DetachTop();
  BuildLevel(top_, model, topLevel_);
  topLevel_.shape = std::move(shape);
  // Slot menus whose item has left the model are detached now.
  for (auto it = slotMenus_.begin(); it != slotMenus_.end();) {
    if (Contains(model, it->first)) {
      ++it;
      continue;
    }
    FreeIds(it->second.level.ids);
    it = slotMenus_.erase(it);
  }
}

HMENU ClipMenu::UpToDateSlotMenu(const clipstore::MenuItem& slot, bool& created) {
  SlotMenu& built = slotMenus_[&slot];
  if (!built.menu) {
    built.menu.reset(CreatePopupMenu());
    created = true;
  } else if (editor::ShapeOf(slot) == built.level.shape) {
    return built.menu.get();
  }
  // A slot menu holds clips only: nothing in it is another sub-menu.
  while (GetMenuItemCount(built.menu.get()) > 0) DeleteMenu(built.menu.get(), 0, MF_BYPOSITION);
  FreeIds(built.level.ids);
  BuildLevel(built.menu.get(), slot, built.level);
  built.level.shape = editor::ShapeOf(slot);
  return built.menu.get();
}

void ClipMenu::BuildLevel(HMENU menu, const clipstore::MenuItem& model, Level& level) {
  for (int i = 0; i < model.Count(); ++i) {
    clipstore::MenuItem* item = model.At(i);
    if (!item->visible) continue;
    if (item->separator) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT state = item->enabled ? MF_ENABLED : MF_GRAYED;
    if (editor::IsSlotMenu(*item)) {
      bool created = false;  // Fill has seen to the top level's already
      const HMENU sub = UpToDateSlotMenu(*item, created);
      AppendMenuA(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(sub), item->caption.c_str());
    } else {
      level.ids.push_back(TakeId(item));
      AppendMenuA(menu, MF_STRING | state, level.ids.back(), item->caption.c_str());
    }
    SetPicture(menu, *item);
  }
}

// Ids are reused, so that they stay within the 16 bits WM_COMMAND carries
// however often the menus are rebuilt.
UINT ClipMenu::TakeId(clipstore::MenuItem* item) {
  if (freeIds_.empty()) {
    byId_.push_back(item);
    return kFirstId + static_cast<UINT>(byId_.size() - 1);
  }
  const UINT id = freeIds_.back();
  freeIds_.pop_back();
  byId_[id - kFirstId] = item;
  return id;
}

void ClipMenu::FreeIds(std::vector<UINT>& ids) {
  for (UINT id : ids) {
    byId_[id - kFirstId] = nullptr;
    freeIds_.push_back(id);
  }
  ids.clear();
}

clipstore::MenuItem* ClipMenu::ItemOf(UINT id) const {
  if (id < kFirstId || id - kFirstId >= byId_.size() || !root_) return nullptr;
  clipstore::MenuItem* item = byId_[id - kFirstId];
  return item && Contains(*root_, item) ? item : nullptr;
}

}  // namespace ambrel::win32
