#include "editor/menu_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clipstore/clip_store.h"

namespace ambrel::editor {
namespace {

// The entries directly inside the submenu `name` (the whole table when
// empty) that are shown, as "name" or "name-" when disabled.
std::vector<std::string> Visible(std::span<const MenuEntry> table, const std::string& name,
                                 const MenuFacts& facts) {
  std::vector<std::string> out;
  std::size_t i = 0;
  if (!name.empty()) {
    while (i < table.size() && table[i].name != name) ++i;
    ++i;
  }
  for (int depth = 0; i < table.size(); ++i) {
    const MenuEntry& e = table[i];
    if (e.kind == EntryKind::kEnd) {
      if (depth-- == 0) break;
      continue;
    }
    if (depth == 0 && IsShown(e.show, facts))
      out.push_back(std::string(e.name) + (IsEnabled(e.rule, facts) ? "" : "-"));
    if (e.kind == EntryKind::kSubmenu) ++depth;
  }
  return out;
}

class MenuRules : public ::testing::Test {
 protected:
  MenuRules() { store_.DefineDefaultSlots(); }
  MenuFacts Facts(const clipstore::TreeNode* selection = nullptr, bool beginner = false) {
    MenuFacts f = StoreFacts(store_, selection);
    f.beginner = beginner;
    return f;
  }
  clipstore::PopupLayout layout_;
  clipstore::TClipBase store_{layout_};
};

TEST_F(MenuRules, DataAndEditMenusFollowTheNumberOfClips) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Visible(MainMenuTable(), "MMData", Facts()),
            (V{"MMAllData", "MMSelectData-", "MMUserMenu", "MMNew", "MMLine5", "MMHistory", "MMLine7",
               "MMClose"}));
  EXPECT_EQ(Visible(MainMenuTable(), "MMAllData", Facts()),
            (V{"MMReadAll", "MMSaveAll-", "MMLine1", "MMDelAll-", "MMPrintAll-"}));
  EXPECT_EQ(Visible(MainMenuTable(), "MMData", Facts(nullptr, true)),
            (V{"MMNew", "MMBeginDel-", "MMBeginStatic-", "MMLine5", "MMHistory", "MMLine7", "MMClose"}));
  MenuFacts none = Facts();
  none.clipboardText = none.editorSelection = true;
  EXPECT_EQ(Visible(MainMenuTable(), "MMEdit", none),
            (V{"MMUndo-", "MMLine8", "MMCut-", "MMCopy-", "MMPaste-", "MMDelChar-", "MMLine9", "MMSelectAll-"}));

  // One clip, a history one and current: everything on; a static one
  // cannot be made static again.
  store_.AddClip(layout_.History(), 0, true, "one");
  store_.SetCurrentPage(0);
  MenuFacts one = Facts(nullptr, true);
  EXPECT_EQ(Visible(MainMenuTable(), "MMData", one),
            (V{"MMNew", "MMBeginDel", "MMBeginStatic", "MMLine5", "MMHistory", "MMLine7", "MMClose"}));
  EXPECT_EQ(Visible(MainMenuTable(), "MMEdit", one),
            (V{"MMUndo", "MMLine8", "MMCut-", "MMCopy-", "MMPaste-", "MMDelChar-", "MMLine9", "MMSelectAll"}));
  one.editorSelection = true;
  EXPECT_EQ(Visible(MainMenuTable(), "MMEdit", one)[2], "MMCut");
  one.clipboardText = true;
  EXPECT_EQ(Visible(MainMenuTable(), "MMEdit", one)[4], "MMPaste");

  store_.AddClip(layout_.Static(), 1, true, "two");
  store_.SetCurrentPage(store_.PageCount() - 1);
  EXPECT_TRUE(Facts().currentIsStatic);
  EXPECT_EQ(Visible(MainMenuTable(), "MMSelectData", Facts()).back(), "MMToStatic-");
}

TEST_F(MenuRules, UserMenuAndTreeItemsFollowTheSelection) {
  store_.AddClip(layout_.History(), 0, true, "h");
  const clipstore::TreeNode* history = store_.Slot(0).Node;
  const clipstore::TreeNode* staticRoot = store_.Slot(1).Node;
  const clipstore::TreeNode* userMenu = store_.Slot(2).Node;
  const clipstore::TreeNode* clip = store_.Page(0).node;
  using V = std::vector<std::string>;
  EXPECT_EQ(Visible(MainMenuTable(), "MMUserMenu", Facts(userMenu)),
            (V{"MMMenuAdd", "MMMenuEdit", "MMMenuDel", "MMLine4", "MMTreePrint"}));
  EXPECT_EQ(Visible(MainMenuTable(), "MMUserMenu", Facts(history))[1], "MMMenuEdit-");
  EXPECT_EQ(Visible(TreeMenuTable(), "", Facts()),
            (V{"TPAdd", "TPEdit-", "TPDel-", "TPLine1", "TPPrint-", "TPPreview-", "TPLine2", "TPTreeOpen",
               "TpTreeClose"}));
  EXPECT_EQ(Visible(TreeMenuTable(), "", Facts(staticRoot)),
            (V{"TPAdd", "TPEdit-", "TPDel", "TPLine1", "TPPrint", "TPPreview-", "TPLine2", "TPTreeOpen",
               "TpTreeClose"}));
  EXPECT_EQ(Visible(TreeMenuTable(), "", Facts(clip)),
            (V{"TPAdd", "TPEdit-", "TPDel", "TPLine1", "TPPrint-", "TPPreview", "TPLine2", "TPTreeOpen",
               "TpTreeClose"}));
  EXPECT_EQ(Visible(TreeMenuTable(), "", Facts(userMenu, /*beginner=*/true)),
            (V{"TPDel", "TPLine1", "TPPrint", "TPLine2", "TPTreeOpen", "TpTreeClose"}));

  // All ten user menus in use: no new one.
  for (int slot = 3; slot < clipstore::kSlotCount; ++slot)
    store_.DefineSlot("Usr" + std::to_string(slot - 1), "m", "x", layout_.UserMenu(slot - 1), true, 5, slot);
  EXPECT_EQ(Visible(TreeMenuTable(), "", Facts(userMenu))[0], "TPAdd-");
  EXPECT_EQ(Visible(MainMenuTable(), "MMUserMenu", Facts(userMenu))[0], "MMMenuAdd-");
}

TEST_F(MenuRules, BeginnerModeAndTheStaticVariableEditorChooseTheItemsShown) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Visible(MainMenuTable(), "MMExec", Facts()),
            (V{"MMMeta", "MMPreview", "MMFunc", "MMLine16", "MMTreeExpand", "MMTreeCollapse"}));
  EXPECT_EQ(Visible(MainMenuTable(), "MMExec", Facts(nullptr, true)), (V{"MMTreeExpand", "MMTreeCollapse"}));
  EXPECT_EQ(Visible(MainMenuTable(), "", Facts()),
            (V{"MMData", "MMEdit", "MMSom", "MMExec", "MMHelp", "MMQuit"}));

  store_.AddClip(layout_.History(), 0, true, "h");
  store_.SetCurrentPage(0);
  MenuFacts f = Facts();
  EXPECT_EQ(Visible(EditMenuTable(), "", f),
            (V{"EPFile", "EPEdit", "EPRemove", "EPPrint", "EPStatic", "EPPreview", "EPLine3", "EPProperty"}));
  f.beginner = true;
  EXPECT_EQ(Visible(EditMenuTable(), "", f),
            (V{"EPFile", "EPEdit", "EPRemove", "EPPrint", "EPStatic", "EPLine3", "EPProperty"}));
  f.beginner = false;
  f.metaEditorShown = true;
  EXPECT_EQ(Visible(EditMenuTable(), "", f), (V{"EPFile", "EPEdit", "EPPrint", "EPFunc", "EPLine3", "EPProperty"}));
  EXPECT_EQ(Visible(EditMenuTable(), "EPEdit", f),
            (V{"EPUndo", "EPLine1", "EPCut-", "EPCopy-", "EPPaste-", "EPDelete-", "EPLine2", "EPSelectAll"}));
}

TEST(MenuHints, TheMenuPrefixMarksAMenuItemsHint) {
  EXPECT_EQ(StatusTextOfMenuHint("Menuツリービューを印刷します"), "  ツリービューを印刷します");
  EXPECT_EQ(StatusTextOfMenuHint("ツリービューを印刷します"), std::nullopt);
  EXPECT_EQ(StatusTextOfMenuHint("menu lower case"), std::nullopt);
  EXPECT_EQ(StatusTextOfMenuHint("Menu"), "  ");
  // At most 255 bytes, never half a character.
  std::string hiragana;
  for (int i = 0; i < 150; ++i) hiragana += "あ";
  EXPECT_EQ(StatusTextOfMenuHint("Menua" + hiragana)->size(), 2u + 255u);
  EXPECT_EQ(StatusTextOfMenuHint("Menu" + hiragana)->size(), 2u + 254u);
  for (const MenuEntry& e : MainMenuTable()) {
    const bool item = e.kind != EntryKind::kEnd && e.kind != EntryKind::kSeparator;
    EXPECT_TRUE(!item || StatusTextOfMenuHint(e.hint)) << e.name;
  }
}

// F1 on a highlighted item: the edit menu's file items open the help of the
// window owning the edit, its editing items the edit menu's; every item of
// the menu bar its window's.
TEST(MenuHelp, EditMenuFileItemsTakeTheOwnersContextTheOthersTheMenus) {
  constexpr int kMenu = 185, kEditor = 101, kMetaEditor = 103;
  std::vector<std::string> owners;
  for (const MenuEntry& e : EditMenuTable()) {
    if (e.kind == EntryKind::kEnd || e.kind == EntryKind::kSeparator) continue;
    const int help = MenuItemHelp(e, kMenu, kMetaEditor);
    if (help == kMetaEditor) owners.push_back(e.name);
    else EXPECT_EQ(help, kMenu) << e.name;
  }
  EXPECT_EQ(owners, (std::vector<std::string>{"EPFile", "EPRead", "EPSave", "EPEdit", "EPPrint"}));
  for (const MenuEntry& e : MainMenuTable()) EXPECT_EQ(MenuItemHelp(e, kEditor, kMetaEditor), kEditor) << e.name;
}

}  // namespace
}  // namespace ambrel::editor
