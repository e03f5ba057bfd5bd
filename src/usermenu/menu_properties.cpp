#include "usermenu/menu_properties.h"

#include "clipstore/clip_store.h"
#include "usermenu/distribution.h"
#include "help_contexts.h"

namespace ambrel::usermenu {

std::optional<MenuCheckFailure> CheckMenuValues(const MenuValues& values) {
  if (values.title.empty()) return MenuCheckFailure{"メニュータイトルを指定して下さい", kHelpNoMenuTitle};
  if (values.maxCount < 5 || values.maxCount > 30)
    return MenuCheckFailure{"クリップデータ登録数の値が範囲を越えています。", kHelpMaxHistoryRange};
  if (values.pattern.empty()) return MenuCheckFailure{"照合文字列を指定して下さい", kHelpNoPattern};
  return std::nullopt;
}

MenuValues InitialMenuValues(const clipstore::TClipBase& store, MenuMode mode,
                             const clipstore::TreeNode* node) {
  MenuValues values;
  if (mode == MenuMode::kNew || !node || !node->IsUserMenuNode()) {
    values.maxCount = store.MaxHistory();
    values.duplicate = store.Duplicate();
    return values;
  }
  const clipstore::TMenuSlot& slot = store.Slot(node->slot.Number());
  values.title = slot.Caption;
  values.pattern = slot.Pattern;
  values.maxCount = slot.MaxCount;
  values.duplicate = slot.Duplicate;
  return values;
}

bool ApplyMenuValues(clipstore::TClipBase& store, MenuMode mode, const clipstore::TreeNode* node,
                     const MenuValues& values) {
  if (mode == MenuMode::kNew) {
    const int slot = store.FreeSlot();
    if (slot < 2) return false;
    clipstore::MenuItem& item = store.Layout().SlotMenu(slot);
    store.DefineSlot(item.name, values.title, values.pattern, item, values.duplicate,
                     values.maxCount, slot);
    return true;
  }
  if (!node || !node->IsUserMenuNode()) return false;
  const int slot = node->slot.Number();
  if (store.Slot(slot).Node != node) return false;
  if (mode == MenuMode::kDelete) {
    // Deleting is offered for an empty menu; one that caught a copy while
    // the dialog was up keeps it.
    if (store.MenuClipCount(*node) > 0) return false;
    store.RemoveSlot(node);
    return true;
  }
  const clipstore::TMenuSlot& s = store.Slot(slot);
  store.DefineSlot(s.Name, values.title, values.pattern, *s.MenuItem, values.duplicate,
                   values.maxCount, slot);
  return true;
}

std::optional<std::string> TestMatch(Distributor& reg, const std::string& pattern,
                                     const std::string& testText) {
  if (!reg.CompileExpression(pattern) || reg.CurrentExpression().empty()) return std::nullopt;
  int start = 0, length = 0;
  if (reg.MatchClip(testText, start, length) <= 0) return std::string(kNoMatchText);
  return testText.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
}

}  // namespace ambrel::usermenu
