#include "clipstore/clip_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ambrel::clipstore {
namespace {

class ClipStoreTest : public ::testing::Test {
 protected:
  ClipStoreTest() { store.DefineDefaultSlots(); }

  void Copy(const std::string& text) { store.AddClip(layout.History(), 0, true, text); }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (int i = 0; i < store.PageCount(); ++i) out.push_back(store.Page(i).text);
    return out;
  }
  // Every clip's menu item index equals its node's index among its siblings,
  // and the page index is the node's place among clip nodes in pre-order.
  void ExpectViewsAgree() {
    for (int i = 0; i < store.PageCount(); ++i) {
      const Clip& c = store.Page(i);
      ASSERT_NE(c.menuItem->parent, nullptr);
      EXPECT_EQ(c.menuItem->parent->IndexOf(c.menuItem), c.node->Index()) << "page " << i;
      EXPECT_EQ(c.node->text, c.menuItem->caption);
      EXPECT_EQ(store.PageIndexOfNode(*c.node), i);
      EXPECT_EQ(c.menuItem->clip, &c);
    }
  }

  PopupLayout layout;
  TClipBase store{layout};
};

TEST_F(ClipStoreTest, DefaultSlots) {
  EXPECT_EQ(store.Slot(0).Name, "動的クリップデータ");
  EXPECT_EQ(store.Slot(2).Pattern, "http://[^ ]*");
  EXPECT_EQ(store.Slot(2).Node->text, "Usr1 (ＵＲＬ<例>)");
  EXPECT_EQ(store.Slot(2).Node->parent, store.Slot(0).Node);
  EXPECT_TRUE(layout.UserMenu(1).visible);
  EXPECT_FALSE(layout.UserMenu(2).visible);
  EXPECT_EQ(store.FreeSlot(), 3);
  EXPECT_EQ(store.Tree().Count(), 2);
}

TEST_F(ClipStoreTest, SameTextTwiceIsRecordedOnceWhateverDuplicate) {
  for (bool dup : {true, false}) {
    store.ClearClips();
    store.SetDuplicate(dup);
    Copy("a");
    Copy("a");
    EXPECT_EQ(store.HistoryCount(), 1);
  }
}

TEST_F(ClipStoreTest, DuplicateMovesAnOlderCopyToTheTop) {
  for (const char* t : {"1", "2", "3", "4", "5"}) Copy(t);
  Copy("1");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"1", "5", "4", "3", "2"}));
  store.SetDuplicate(false);
  Copy("3");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"3", "1", "5", "4", "3"}));
  ExpectViewsAgree();
}

TEST_F(ClipStoreTest, OldestHistoryClipDropsAtMaximum) {
  for (int i = 1; i <= 6; ++i) Copy(std::to_string(i));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"6", "5", "4", "3", "2"}));
  EXPECT_EQ(store.CurrentPage(), 0);
}

TEST_F(ClipStoreTest, MaxHistoryIsClampedAndTrims) {
  store.SetMaxHistory(3);
  EXPECT_EQ(store.MaxHistory(), 5);
  store.SetMaxHistory(50);
  EXPECT_EQ(store.MaxHistory(), 30);
  EXPECT_EQ(store.Slot(0).MaxCount, 30);
  for (int i = 0; i < 30; ++i) Copy(std::to_string(i));
  store.AddClip(layout.Static(), 1, true, "static");
  store.SetMaxHistory(5);
  EXPECT_EQ(store.HistoryCount(), 5);
  EXPECT_EQ(store.Page(0).text, "29");
  EXPECT_EQ(store.Page(5).text, "static");
  ExpectViewsAgree();
}

TEST_F(ClipStoreTest, FirstPageComparisonWithEmptyHistory) {
  store.AddClip(layout.Static(), 1, true, "s");
  Copy("s");  // equals page 0, the newest static clip
  EXPECT_EQ(store.HistoryCount(), 0);
  store.AddClip(layout.UserMenu(1), 2, true, "u");
  Copy("u");  // page 0 is now the user menu's clip
  EXPECT_EQ(store.HistoryCount(), 0);
  Copy("s");
  EXPECT_EQ(store.HistoryCount(), 1);
}

TEST_F(ClipStoreTest, PageOrderHistoryThenUserMenusThenStatic) {
  store.DefineSlot("Usr2", "数字", "[0-9]+", layout.UserMenu(2), true, 5, 3);
  store.AddClip(layout.Static(), 1, true, "s1");
  store.AddClip(layout.UserMenu(2), 3, true, "u2");
  store.AddClip(layout.UserMenu(1), 2, true, "u1");
  Copy("h1");
  Copy("h2");
  store.AddClip(layout.Static(), 1, true, "s2");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"h2", "h1", "u1", "u2", "s2", "s1"}));
  EXPECT_EQ(store.Page(2).slot.PageCaption(), "Usr1");
  EXPECT_EQ(store.Page(4).slot.PageCaption(), "静的");
  EXPECT_EQ(store.CurrentPage(), 4);
  // History items stand above the fixed items of the menu.
  EXPECT_EQ(layout.History().At(0)->clip->text, "h2");
  EXPECT_EQ(layout.History().At(2)->name, "MMLine6");
  ExpectViewsAgree();
}

TEST_F(ClipStoreTest, UserMenuLosesOneClipPerAddWhenOverFull) {
  for (int i = 0; i < 5; ++i) store.AddClip(layout.UserMenu(1), 2, true, "u" + std::to_string(i));
  store.DefineSlot("Usr1", "ＵＲＬ<例>", "x", layout.UserMenu(1), true, 3, 2);
  store.AddClip(layout.UserMenu(1), 2, true, "new");
  EXPECT_EQ(store.MenuClipCount(*store.Slot(2).Node), 5);
  EXPECT_EQ(store.Page(4).text, "u1");  // u0, the oldest, went
}

TEST_F(ClipStoreTest, StaticClipsHaveNoMaximumAndNoDuplicateRule) {
  for (int i = 0; i < 40; ++i) store.AddClip(layout.Static(), 1, true, "same");
  EXPECT_EQ(store.PageCount(), 40);
}

TEST_F(ClipStoreTest, DeleteKeepsAPageCurrent) {
  Copy("a");
  Copy("b");
  store.DeleteClip(1);
  EXPECT_EQ(store.CurrentPage(), 0);
  store.DeleteClip(0);
  EXPECT_EQ(store.CurrentPage(), -1);
  EXPECT_EQ(layout.History().At(0)->name, "MMLine6");
  store.DeleteClip(0);  // nothing there: ignored
}

TEST_F(ClipStoreTest, MoveClipRules) {
  Copy("h1");
  Copy("h2");
  store.DefineSlot("Usr1", "ＵＲＬ<例>", "x", layout.UserMenu(1), true, 1, 2);
  store.AddClip(layout.UserMenu(1), 2, true, "u1");
  TreeNode* userNode = store.Slot(2).Node;
  TreeNode* h1 = store.Page(1).node;
  // A full user menu refuses a clip from another menu.
  EXPECT_FALSE(store.MoveClip(h1, userNode));
  // The static menu always accepts.
  EXPECT_TRUE(store.MoveClip(h1, store.Slot(1).Node));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"h2", "u1", "h1"}));
  EXPECT_EQ(store.Page(2).slot.PageCaption(), "静的");
  EXPECT_EQ(store.Page(2).slot.Number(), 1);
  // Reordering inside the full user menu is accepted.
  EXPECT_TRUE(store.MoveClip(store.Page(1).node, userNode));
  // Moving down onto the last history clip puts the node after it.
  Copy("h3");
  EXPECT_TRUE(store.MoveClip(store.Page(0).node, store.Page(1).node));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"h2", "h3", "u1", "h1"}));
  ExpectViewsAgree();
}

TEST_F(ClipStoreTest, MakeStaticAndRemoveSlot) {
  Copy("keep me");
  store.MakeStatic(0);
  EXPECT_EQ(store.HistoryCount(), 0);
  EXPECT_EQ(store.Page(0).slot.PageCaption(), "静的");
  store.AddClip(layout.UserMenu(1), 2, true, "u");
  store.RemoveSlot(store.Slot(2).Node);  // its clips go with it
  EXPECT_EQ(store.PageCount(), 1);
  EXPECT_FALSE(layout.UserMenu(1).visible);
  EXPECT_EQ(store.FreeSlot(), 2);
  ExpectViewsAgree();
}

TEST_F(ClipStoreTest, LongUserMenuTreeTextIsCut) {
  store.SetMenuLen(20);
  store.DefineSlot("Usr2", std::string(40, 'c'), "", layout.UserMenu(2), true, 5, 3);
  EXPECT_EQ(store.Slot(3).Node->text, ("Usr2 (" + std::string(40, 'c')).substr(0, 20) + ")．．．．");
  // A cut in the middle of a double-byte character keeps the whole first byte out.
  store.SetMenuLen(21);
  store.DefineSlot("Usr3", "表表表表表表表表表表", "", layout.UserMenu(3), true, 5, 4);
  EXPECT_EQ(store.Slot(4).Node->text, "Usr3 (表表表表表表表)．．．．");
}

TEST_F(ClipStoreTest, ClearSlotsThenReloadLikeAHistoryFile) {
  Copy("x");
  store.ClearClips();
  store.ClearSlots();
  EXPECT_EQ(store.Tree().Count(), 0);
  EXPECT_FALSE(store.AddClip(layout.History(), 0, true, "nowhere"));
  store.DefineDefaultSlots();
  EXPECT_TRUE(store.AddClip(layout.History(), 0, true, "back"));
}

// Loading adds its clips in one batch: the same pages, captions and current
// page as one AddClip after the other, with duplicates and full menus on the way.
TEST_F(ClipStoreTest, BatchGivesWhatSingleAddsGive) {
  const auto fill = [](TClipBase& s, PopupLayout& l) {
    for (const char* t : {"a", "b", "a", "c", "d", "e", "f", "g", "h"}) s.AddClip(l.History(), 0, true, t);
    s.AddClip(l.History(), 0, true, "h");  // the same as page 0: not recorded
    for (const char* t : {"u1", "u2", "u1"}) s.AddClip(l.UserMenu(1), 2, true, t);
    for (const char* t : {"s1", "s2", "s1"}) s.AddClip(l.Static(), 1, true, t);
    s.AddClip(l.History(), 0, true, "s2");
  };
  fill(store, layout);
  PopupLayout batchLayout;
  TClipBase batched{batchLayout};
  batched.DefineDefaultSlots();
  {
    TClipBase::Batch batch(batched);
    fill(batched, batchLayout);
  }
  ASSERT_EQ(batched.PageCount(), store.PageCount());
  for (int i = 0; i < store.PageCount(); ++i) {
    EXPECT_EQ(batched.Page(i).text, store.Page(i).text) << i;
    EXPECT_EQ(batched.Page(i).menuItem->caption, store.Page(i).menuItem->caption) << i;
    EXPECT_EQ(batched.Page(i).pageIndex, i);
  }
  EXPECT_EQ(batched.CurrentPage(), store.CurrentPage());
  EXPECT_EQ(batched.HistoryCount(), 5);
  ExpectViewsAgree();
}

// What a clip is comes from its slot alone: a user menu named and captioned
// "静的" holds ordinary clips, a renamed static menu keeps static ones, and a
// moved clip takes on its new menu's kind in every view.
TEST_F(ClipStoreTest, KindFollowsTheSlotNotANameOrCaption) {
  store.DefineSlot("静的", "静的", "x", layout.UserMenu(2), true, 5, 3);
  store.DefineSlot("別名", "別名", "", layout.Static(), true, 5, 1);
  store.AddClip(layout.UserMenu(2), 3, true, ";c\r\nbody");
  store.AddClip(layout.Static(), 1, true, ";s\r\nbody");
  const Clip& user = store.Page(0);
  EXPECT_FALSE(user.slot.IsStatic());
  EXPECT_EQ(user.slot.PageCaption(), "Usr2");
  EXPECT_EQ(user.menuItem->caption, ";c⇔body");
  EXPECT_TRUE(store.Page(1).slot.IsStatic());
  EXPECT_EQ(store.Page(1).menuItem->caption, "s");

  TreeNode* moved = store.Page(0).node;
  EXPECT_TRUE(store.MoveClip(moved, store.Slot(1).Node));
  EXPECT_TRUE(moved->clip->slot.IsStatic());
  EXPECT_EQ(moved->slot, moved->clip->slot);
  EXPECT_EQ(moved->text, "c");
  EXPECT_TRUE(store.MoveClip(moved, store.Slot(3).Node));
  EXPECT_EQ(moved->clip->slot.UserMenuNumber(), 2);
  EXPECT_EQ(moved->text, ";c⇔body");
  EXPECT_TRUE(store.Slot(3).Node->IsUserMenuNode());
  EXPECT_FALSE(store.Slot(1).Node->IsUserMenuNode());

  // A kind that is not its menu's slot would make a clip that is one thing in
  // the tree and another on its page: refused.
  EXPECT_FALSE(store.AddClip(layout.Static(), 3, true, "mismatch"));
  EXPECT_EQ(store.PageCount(), 2);
  ExpectViewsAgree();
}

// The revision tells the idle save of every change the history file holds,
// and of nothing else.
TEST_F(ClipStoreTest, EditingTextReCaptionsAndCountsAsAChange) {
  Copy("old");
  const std::uint64_t afterCopy = store.Revision();
  EXPECT_GT(afterCopy, 0u);
  store.SetClipText(0, "new\r\ntext");
  EXPECT_EQ(store.Page(0).menuItem->caption, "new⇔text");
  const std::uint64_t afterEdit = store.Revision();
  EXPECT_GT(afterEdit, afterCopy);
  store.SetCrChar("|");
  EXPECT_EQ(store.Page(0).node->text, "new|text");
  EXPECT_EQ(store.Revision(), afterEdit);
  store.DeleteClip(0);
  EXPECT_GT(store.Revision(), afterEdit);
}

}  // namespace
}  // namespace ambrel::clipstore
