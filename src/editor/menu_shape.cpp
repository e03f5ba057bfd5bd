#include "editor/menu_shape.h"

namespace ambrel::editor {

MenuShape ShapeOf(const clipstore::MenuItem& menu) {
  MenuShape shape;
  shape.reserve(static_cast<size_t>(menu.Count()));
  for (int i = 0; i < menu.Count(); ++i) {
    const clipstore::MenuItem* item = menu.At(i);
    shape.push_back({item, item->caption, item->visible, item->enabled, item->separator});
  }
  return shape;
}

bool IsSlotMenu(const clipstore::MenuItem& item) {
  return item.slot && !item.slot->IsHistory();
}

}  // namespace ambrel::editor
