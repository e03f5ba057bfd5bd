// What a menu node or a clip is: the slot it belongs to. Slot numbers run
// 0 the history, 1 the static clips, 2..11 the user menus 1..10; they index
// the store's slot table and are the first byte of a clip in the history
// file. Page captions and tree icons are derived from the slot, never the
// other way round, so a menu's name or caption cannot change what it is.
#pragma once

#include <string>

namespace ambrel::clipstore {

inline constexpr int kSlotCount = 12;
inline constexpr int kHistorySlot = 0;
inline constexpr int kStaticSlot = 1;
inline constexpr int kFirstUserMenuSlot = 2;

class SlotId {
 public:
  constexpr SlotId() = default;  // the history
  // number is 0..kSlotCount - 1; a number from outside is checked first.
  constexpr explicit SlotId(int number) : number_(number) {}
  static constexpr SlotId History() { return SlotId(kHistorySlot); }
  static constexpr SlotId Static() { return SlotId(kStaticSlot); }

  constexpr int Number() const { return number_; }
  constexpr bool IsHistory() const { return number_ == kHistorySlot; }
  constexpr bool IsStatic() const { return number_ == kStaticSlot; }
  constexpr bool IsUserMenu() const { return number_ >= kFirstUserMenuSlot; }
  // 1..10 for a user menu.
  constexpr int UserMenuNumber() const { return number_ - kFirstUserMenuSlot + 1; }
  // The page tab of a clip in this slot: "" history, "静的" static, "UsrN".
  std::string PageCaption() const {
    if (IsHistory()) return "";
    if (IsStatic()) return "静的";
    return "Usr" + std::to_string(UserMenuNumber());
  }

  friend constexpr bool operator==(SlotId, SlotId) = default;

 private:
  int number_ = kHistorySlot;
};

}  // namespace ambrel::clipstore
