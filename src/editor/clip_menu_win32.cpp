#include "editor/clip_menu_win32.h"

#include "clipstore/menu_pictures_win32.h"

namespace ambrel::win32 {
namespace {

bool Contains(const clipstore::MenuItem& menu, const clipstore::MenuItem* item) {
  for (int i = 0; i < menu.Count(); ++i)
    if (menu.At(i) == item || Contains(*menu.At(i), item)) return true;
  return false;
}

void Clear(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
}

// The help line and the slot menus show a picture, checked or not.
void SetPicture(HMENU menu, const clipstore::MenuItem& item) {
  if (HBITMAP picture = MenuPictureFor(item.name))
    SetMenuItemBitmaps(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), MF_BYPOSITION, picture,
                       picture);
}

}  // namespace

void ClipMenu::Fill(HMENU menu, const clipstore::MenuItem& model) {
  items_.clear();
  root_ = &model;
  FillItems(menu, model);
}

void ClipMenu::FillItems(HMENU menu, const clipstore::MenuItem& model) {
  Clear(menu);
  for (int i = 0; i < model.Count(); ++i) {
    clipstore::MenuItem* item = model.At(i);
    if (!item->visible) continue;
    if (item->separator) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT state = item->enabled ? MF_ENABLED : MF_GRAYED;
    const bool isSlotMenu = !item->name.empty() && item->clip == nullptr &&
                            (item->name == "MMStatic" || item->name.rfind("Usr", 0) == 0);
    if (isSlotMenu) {
      HMENU sub = CreatePopupMenu();
      FillItems(sub, *item);
      AppendMenuA(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(sub),
                  item->caption.c_str());
      SetPicture(menu, *item);
      continue;
    }
    items_.push_back(item);
    const UINT id = kFirstId + static_cast<UINT>(items_.size() - 1);
    AppendMenuA(menu, MF_STRING | state, id, item->caption.c_str());
    SetPicture(menu, *item);
  }
}

clipstore::MenuItem* ClipMenu::ItemOf(UINT id) const {
  if (id < kFirstId || id - kFirstId >= items_.size() || !root_) return nullptr;
  clipstore::MenuItem* item = items_[id - kFirstId];
  return Contains(*root_, item) ? item : nullptr;
}

}  // namespace ambrel::win32
