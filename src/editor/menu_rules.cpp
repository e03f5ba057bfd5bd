#include "editor/menu_rules.h"

#include "clipstore/clip_store.h"
#include "platform/sjis.h"

namespace ambrel::editor {
namespace {

constexpr std::string_view kMenuPrefix = "Menu";
constexpr std::size_t kMaxHintBytes = 255;

}  // namespace

NodeKind KindOf(const clipstore::TreeNode* node) {
  if (!node) return NodeKind::kNone;
  if (node->IsClipNode()) return NodeKind::kClip;
  return node->IsUserMenuNode() ? NodeKind::kUserMenu : NodeKind::kRoot;
}

MenuFacts StoreFacts(const clipstore::TClipBase& store, const clipstore::TreeNode* selection) {
  MenuFacts facts;
  facts.clipCount = store.PageCount();
  const int current = store.CurrentPage();
  facts.hasCurrentPage = current >= 0 && current < store.PageCount();
  facts.currentIsStatic = facts.hasCurrentPage && store.Page(current).slot.IsStatic();
  facts.freeUserSlot = store.FreeSlot() != -1;
  facts.selection = KindOf(selection);
  return facts;
}

bool IsEnabled(Rule rule, const MenuFacts& f) {
  const bool hasClip = f.clipCount > 0;
  switch (rule) {
    case Rule::kAlways: return true;
    case Rule::kHasClip: return hasClip;
    case Rule::kHasClipAndSelection: return hasClip && f.editorSelection;
    case Rule::kHasClipAndClipboard: return hasClip && f.clipboardText;
    case Rule::kCanMakeStatic: return f.hasCurrentPage && !f.currentIsStatic;
    case Rule::kFreeUserSlot: return f.freeUserSlot;
    case Rule::kUserMenuSelected: return f.selection == NodeKind::kUserMenu;
    case Rule::kAnythingSelected: return f.selection != NodeKind::kNone;
    case Rule::kClipSelected: return f.selection == NodeKind::kClip;
    case Rule::kMenuNodeSelected: return f.selection == NodeKind::kRoot || f.selection == NodeKind::kUserMenu;
    case Rule::kEditorSelection: return f.editorSelection;
    case Rule::kClipboardText: return f.clipboardText;
  }
  return false;
}

bool IsChecked(Check check, const MenuFacts& f) {
  switch (check) {
    case Check::kNone: return false;
    case Check::kBeginner: return f.beginner;
    case Check::kVertWindow: return f.vertWindow;
    case Check::kPopupHint: return f.popupHint;
    case Check::kMultiLineBar: return f.multiLineBar;
    case Check::kUpperTab: return f.upperTab;
    case Check::kMultiLine: return f.multiLine;
    case Check::kWordWrap: return f.wordWrap;
  }
  return false;
}

bool IsShown(Show show, const MenuFacts& f) {
  switch (show) {
    case Show::kAlways: return true;
    case Show::kNormalMode: return !f.beginner;
    case Show::kBeginnerMode: return f.beginner;
    case Show::kWithMetaEditor: return f.metaEditorShown;
    case Show::kWithoutMetaEditor: return !f.metaEditorShown;
    case Show::kPreview: return !f.metaEditorShown && !f.beginner;
  }
  return true;
}

std::optional<std::string> StatusTextOfMenuHint(std::string_view hint) {
  if (!hint.starts_with(kMenuPrefix)) return std::nullopt;
  std::string_view text = hint.substr(kMenuPrefix.size());
  text = text.substr(0, sjis::CharBoundaryAtOrBefore(text, kMaxHintBytes));
  return StatusTextOfControlHint(text);
}

std::string StatusTextOfControlHint(std::string_view hint) { return "  " + std::string(hint); }

int MenuItemHelp(const MenuEntry& entry, int menuContext, int ownerContext) {
  if (entry.help == kHelpOfOwner) return ownerContext;
  return entry.help != 0 ? entry.help : menuContext;
}

}  // namespace ambrel::editor
