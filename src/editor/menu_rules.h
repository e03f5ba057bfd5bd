// The decisions behind the editor's menus, taken each time a menu opens:
// which items are enabled, checked and shown, and what a menu item's hint
// puts in the status bar.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/menu_table.h"

namespace ambrel::clipstore {
class TClipBase;
class TreeNode;
}  // namespace ambrel::clipstore

namespace ambrel::editor {

enum class NodeKind { kNone, kClip, kRoot, kUserMenu };

NodeKind KindOf(const clipstore::TreeNode* node);

// What the rules look at, gathered when a menu opens.
struct MenuFacts {
  int clipCount = 0;
  bool currentIsStatic = false;   // the current page's clip is a static one
  bool hasCurrentPage = false;
  bool freeUserSlot = false;
  NodeKind selection = NodeKind::kNone;
  bool editorSelection = false;   // the current editor has a non-empty selection
  bool clipboardText = false;
  bool beginner = false;
  bool metaEditorShown = false;   // the static-variable editor is open
  // The settings behind the check marks.
  bool vertWindow = false, popupHint = false, multiLineBar = false, upperTab = false,
       multiLine = false, wordWrap = false;
};

// The store's part of the facts: clips, the current page, free slots and the
// kind of the tree's selection.
MenuFacts StoreFacts(const clipstore::TClipBase& store, const clipstore::TreeNode* selection);

bool IsEnabled(Rule rule, const MenuFacts& facts);
bool IsChecked(Check check, const MenuFacts& facts);
bool IsShown(Show show, const MenuFacts& facts);

// A menu item's hint is "Menu" and its text: the status bar shows two spaces
// and the text (at most 255 bytes, whole characters). Any other hint is not
// a menu item's and leaves the status bar as it is (nullopt).
std::optional<std::string> StatusTextOfMenuHint(std::string_view hint);
// A control's hint as the status bar shows it.
std::string StatusTextOfControlHint(std::string_view hint);

// The help context of a menu item: its own, else the menu's; the edit
// menu's file items take that of the window owning the edit.
int MenuItemHelp(const MenuEntry& entry, int menuContext, int ownerContext);

// The hint of a clip's rich edit.
inline constexpr const char* kClipEditorHint = "ﾋｽﾄﾘﾃﾞｰﾀを編集します";

}  // namespace ambrel::editor
