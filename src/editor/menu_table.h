// The editor's menus as data: every item with its command id, caption and
// status-bar hint, in the order shown, with the rule that enables it, the
// setting that checks it and the mode that shows it. The Win32 side builds
// its menus from these tables and nothing else.
#pragma once

#include <span>

#include "editor/editor_command_ids.h"

namespace ambrel::editor {

enum class EntryKind { kItem, kSeparator, kSubmenu, kEnd, kClipMenu };

// When an item is enabled (besides its command being there to run).
enum class Rule {
  kAlways,
  kHasClip,               // the store holds a clip
  kHasClipAndSelection,   // ... and the current editor has a selection
  kHasClipAndClipboard,   // ... and the clipboard holds text
  kCanMakeStatic,         // a current clip that is not static
  kFreeUserSlot,          // a user-menu slot is free
  kUserMenuSelected,      // the tree's selection is a user-menu node
  kAnythingSelected,      // the tree has a selection
  kClipSelected,          // the tree's selection is a clip node
  kMenuNodeSelected,      // the tree's selection is a root or a user menu
  kEditorSelection,       // the current editor has a selection
  kClipboardText,         // the clipboard holds text
};

// Which setting puts a check mark on an item.
enum class Check { kNone, kBeginner, kVertWindow, kPopupHint, kMultiLineBar, kUpperTab, kMultiLine, kWordWrap };

// When an item is shown.
enum class Show {
  kAlways,
  kNormalMode,        // hidden in beginner mode
  kBeginnerMode,      // shown only in beginner mode
  kWithMetaEditor,    // while the static-variable editor is open
  kWithoutMetaEditor,
  kPreview,           // neither the static-variable editor nor beginner mode
};

// An item's help context (what F1 on the highlighted item opens): a name of
// help_contexts.h, 0 for the help of the menu it stands in, or this one for
// the help of the window that owns the edit the menu was opened for.
inline constexpr int kHelpOfOwner = -1;

struct MenuEntry {
  EntryKind kind;
  const char* name;  // the item's name, for tests and failure messages
  const char* caption = "";
  const char* hint = "";  // "Menu" and the status-bar text
  int id = 0;             // a CommandId, 0 for separators and submenus
  Rule rule = Rule::kAlways;
  Check check = Check::kNone;
  Show show = Show::kAlways;
  int help = 0;
};

// A menu is a run of entries; kSubmenu opens a nested run that kEnd closes.
// The main menu's top level is the menu bar; the others are pop-ups.
std::span<const MenuEntry> MainMenuTable();
std::span<const MenuEntry> TreeMenuTable();
std::span<const MenuEntry> PageCtrlMenuTable();
std::span<const MenuEntry> ToolBarMenuTable();
std::span<const MenuEntry> EditMenuTable();

}  // namespace ambrel::editor
