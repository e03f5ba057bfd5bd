#include "clipstore/popup_layout.h"

#include <string>

namespace ambrel::clipstore {

PopupLayout::PopupLayout() : history_(std::make_unique<MenuItem>("MMHistory", "一覧 (&V)")) {
  history_->slot = SlotId::History();
  history_->Append(std::make_unique<MenuItem>("MMLine6", "-", true));
  for (int n = 1; n <= kUserMenuCount; ++n) {
    auto item = std::make_unique<MenuItem>("Usr" + std::to_string(n), "Usr" + std::to_string(n));
    item->visible = false;  // shown once its slot is defined
    item->slot = SlotId(kFirstUserMenuSlot + n - 1);
    users_[static_cast<std::size_t>(n - 1)] = history_->Append(std::move(item));
  }
  static_ = history_->Append(std::make_unique<MenuItem>("MMStatic", "静的クリップデータ"));
  static_->slot = SlotId::Static();
  history_->Append(std::make_unique<MenuItem>("MMSepBar", "-", true));
  history_->Append(std::make_unique<MenuItem>("MMMenuMenu", "メニューを開く..."));
  history_->Append(std::make_unique<MenuItem>("MMPropMenu", "プロパティ設定..."));
  history_->Append(
      std::make_unique<MenuItem>("MMHelpMenu", "+CTRLで引用符、+SHIFTで編集、+CTRL+SFHITで静的化"));
  history_->Append(std::make_unique<MenuItem>("MMTarget", "TargetWindow"));
  history_->Append(std::make_unique<MenuItem>("MMFore", "ForeWindow"));
}

MenuItem& PopupLayout::SlotMenu(int slot) {
  const SlotId id(slot);
  if (id.IsHistory()) return *history_;
  if (id.IsStatic()) return *static_;
  return UserMenu(id.UserMenuNumber());
}

}  // namespace ambrel::clipstore
