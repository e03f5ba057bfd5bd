// The user-menu dialog's rules, apart from its window: the checks of its OK
// button in their order, and what OK does in each mode.
#pragma once

#include <optional>
#include <string>

namespace ambrel::clipstore {
class TClipBase;
class TreeNode;
}  // namespace ambrel::clipstore

namespace ambrel::usermenu {

class Distributor;

enum class MenuMode { kEdit = 0, kNew = 1, kDelete = 2 };

struct MenuValues {
  std::string title;    // Caption, at most 30 bytes
  std::string pattern;  // Pattern, at most 255 bytes
  int maxCount = 5;
  bool duplicate = true;
};

struct MenuCheckFailure {
  std::string message;
  int helpContext = 0;
};

inline constexpr const char* kDeleteCaption = "メニューを削除してもよろしいですか？";
inline constexpr const char* kEditCaption = "メニューのプロパティを指定して下さい。";
inline constexpr const char* kNoMatchText = "照合されませんでした。";

// The first check that fails, in the order title, count, pattern; nullopt
// when those pass. The fourth check, that the pattern compiles, is the
// caller's (it shows its own box).
std::optional<MenuCheckFailure> CheckMenuValues(const MenuValues& values);

// The values the dialog shows: the slot of the node for edit and delete, an
// empty title and pattern with the store's defaults for a new menu.
MenuValues InitialMenuValues(const clipstore::TClipBase& store, MenuMode mode,
                             const clipstore::TreeNode* node);

// Carries out OK: defines the new menu in the free slot, redefines the
// edited one, or removes the deleted one. False when nothing could be done
// (no free slot, the node is no user menu, or the menu to delete caught a
// clip while its dialog was up).
bool ApplyMenuValues(clipstore::TClipBase& store, MenuMode mode, const clipstore::TreeNode* node,
                     const MenuValues& values);

// The test button: the matched bytes of the test text, or the no-match
// text; nullopt when the pattern does not compile (its box was shown).
std::optional<std::string> TestMatch(Distributor& reg, const std::string& pattern,
                                     const std::string& testText);

}  // namespace ambrel::usermenu
