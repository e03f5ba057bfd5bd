#include "usermenu/distribution.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clipstore/clip_store.h"
#include "options/settings.h"
#include "platform/fakes.h"
#include "usermenu/menu_commands.h"
#include "usermenu/menu_properties.h"
#include "help_contexts.h"

namespace ambrel::usermenu {
namespace {

using clipstore::PopupLayout;
using clipstore::TClipBase;

class DistributionTest : public ::testing::Test {
 protected:
  DistributionTest() { store.DefineDefaultSlots(); }

  // What the resident window does with a copy.
  void Copy(const std::string& text) {
    if (store.AddClip(layout.History(), 0, true, text)) distributor.DistributeClip(text);
  }
  std::vector<std::string> MenuTexts(int slot) {
    std::vector<std::string> out;
    const clipstore::TreeNode* node = store.Slot(slot).Node;
    for (int i = 0; node && i < node->Count(); ++i)
      if (node->Child(i)->clip) out.push_back(node->Child(i)->clip->text);
    return out;
  }
  void DefineMenu(int slot, const std::string& title, const std::string& pattern, int max = 5) {
    store.DefineSlot("Usr" + std::to_string(slot - 1), title, pattern, layout.SlotMenu(slot), true,
                     max, slot);
  }

  PopupLayout layout;
  TClipBase store{layout};
  options::Settings settings;
  fakes::FakeMessageBoxes messages;
  Distributor distributor{store, settings, messages};
};

TEST_F(DistributionTest, DefaultMenuReceivesOnlyTheAddress) {
  Copy("詳しくは http://example.jp/a?b=1 を見てください");
  EXPECT_EQ(MenuTexts(2), (std::vector<std::string>{"http://example.jp/a?b=1"}));
  EXPECT_EQ(store.Page(0).text, "詳しくは http://example.jp/a?b=1 を見てください");
}

TEST_F(DistributionTest, FirstLineUnlessFullMatching) {
  Copy("first line\r\nhttp://second.jp");
  EXPECT_TRUE(MenuTexts(2).empty());
  settings.SetFullMatching(true);
  Copy("again first\r\nhttp://second.jp");
  EXPECT_EQ(MenuTexts(2), (std::vector<std::string>{"http://second.jp"}));
  // $ matches before the CR of the first line break.
  settings.SetFullMatching(false);
  DefineMenu(3, "行末", "[a-z]+$");
  Copy("abc def\r\nxyz");
  EXPECT_EQ(MenuTexts(3), (std::vector<std::string>{"def"}));
  // The first line keeps its CR LF.
  DefineMenu(4, "改行", "c\\r\\n");
  Copy("abc\r\nxyz");
  EXPECT_EQ(MenuTexts(4), (std::vector<std::string>{"c\r\n"}));
  EXPECT_EQ(TestMatch(distributor, "c\\r\\n", "abc\r\nxyz"), "c\r\n");
  EXPECT_EQ(TestMatch(distributor, "z", "abc\r\nxyz"), kNoMatchText);
}

TEST_F(DistributionTest, NothingForZeroLengthMatchesRefusedCopiesOrDistributionOff) {
  DefineMenu(3, "空", "a*");
  Copy("xyz");
  EXPECT_TRUE(MenuTexts(3).empty());
  Copy("http://a.jp");
  Copy("http://a.jp");  // refused by the history: no second distribution
  EXPECT_EQ(MenuTexts(2).size(), 1u);
  settings.SetDistribute(false);
  Copy("http://b.jp");
  EXPECT_EQ(MenuTexts(2).size(), 1u);
}

TEST_F(DistributionTest, EveryMenuMatchesTheWholeText) {
  DefineMenu(3, "金額", "[0-9]+円");
  DefineMenu(4, "メール", "[a-z]+@[a-z]+\\.jp");
  Copy("見積 1200円 は taro@example.jp まで http://x.jp");
  EXPECT_EQ(MenuTexts(2), (std::vector<std::string>{"http://x.jp"}));
  EXPECT_EQ(MenuTexts(3), (std::vector<std::string>{"1200円"}));
  EXPECT_EQ(MenuTexts(4), (std::vector<std::string>{"taro@example.jp"}));
}

TEST_F(DistributionTest, FullMenusDropTheOldestAndDuplicatesMoveUp) {
  for (int i = 1; i <= 6; ++i) Copy("http://site" + std::to_string(i) + ".jp and more");
  EXPECT_EQ(MenuTexts(2), (std::vector<std::string>{"http://site6.jp", "http://site5.jp",
                                                   "http://site4.jp", "http://site3.jp",
                                                   "http://site2.jp"}));
  Copy("again http://site4.jp");
  EXPECT_EQ(MenuTexts(2).front(), "http://site4.jp");
  EXPECT_EQ(MenuTexts(2).size(), 5u);
}

TEST_F(DistributionTest, ABrokenPatternIsReportedOnceUntilChanged) {
  DefineMenu(3, "壊れた", "([a-z]");
  Copy("one");
  Copy("two");
  ASSERT_EQ(messages.Texts(), std::vector<std::string>{kBadPatternMessage});
  EXPECT_EQ(messages.shown[0].helpContext, kHelpBadPattern);
  DefineMenu(3, "壊れた", "[a-z");
  Copy("three");
  EXPECT_EQ(messages.Texts().size(), 2u);
  // Mended, then broken again the same way: reported again, once.
  DefineMenu(3, "壊れた", "[a-z]");
  Copy("four");
  DefineMenu(3, "壊れた", "[a-z");
  Copy("five");
  Copy("six");
  EXPECT_EQ(messages.Texts().size(), 3u);
  // The other menus still receive their parts.
  Copy("http://ok.jp");
  EXPECT_EQ(MenuTexts(2), (std::vector<std::string>{"http://ok.jp"}));
}

TEST(MenuProperties, ChecksRunInTheirOrder) {
  EXPECT_EQ(CheckMenuValues({"", "", 31, true})->helpContext, kHelpNoMenuTitle);
  EXPECT_EQ(CheckMenuValues({"t", "", 31, true})->message,
            "クリップデータ登録数の値が範囲を越えています。");
  EXPECT_EQ(CheckMenuValues({"t", "", 30, true})->helpContext, kHelpNoPattern);
  EXPECT_FALSE(CheckMenuValues({"t", "x", 5, false}).has_value());
}

TEST_F(DistributionTest, DialogModesDefineEditAndRemoveMenus) {
  MenuValues values = InitialMenuValues(store, MenuMode::kNew, nullptr);
  EXPECT_EQ(values.maxCount, store.MaxHistory());
  values.title = "金額";
  values.pattern = "[0-9]+円";
  ASSERT_TRUE(ApplyMenuValues(store, MenuMode::kNew, nullptr, values));
  const clipstore::TreeNode* node = store.Slot(3).Node;
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text, "Usr2 (金額)");
  EXPECT_TRUE(layout.UserMenu(2).visible);

  values = InitialMenuValues(store, MenuMode::kEdit, node);
  EXPECT_EQ(values.pattern, "[0-9]+円");
  values.maxCount = 10;
  ASSERT_TRUE(ApplyMenuValues(store, MenuMode::kEdit, node, values));
  EXPECT_EQ(store.Slot(3).MaxCount, 10);
  EXPECT_EQ(store.Slot(3).Name, "Usr2");

  ASSERT_TRUE(ApplyMenuValues(store, MenuMode::kDelete, node, values));
  EXPECT_EQ(store.Slot(3).Node, nullptr);
  for (int slot = 3; slot < clipstore::kSlotCount; ++slot) DefineMenu(slot, "m", "x");
  EXPECT_FALSE(ApplyMenuValues(store, MenuMode::kNew, nullptr, values));  // all ten in use
}

TEST_F(DistributionTest, TestButtonShowsTheMatchedBytes) {
  EXPECT_EQ(TestMatch(distributor, "[0-9]+円", "合計 3500円 です"), "3500円");
  EXPECT_EQ(TestMatch(distributor, "[0-9]+円", "なし"), kNoMatchText);
  EXPECT_FALSE(TestMatch(distributor, "(", "x").has_value());
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kBadPatternMessage});
}

TEST_F(DistributionTest, DeletingAUserMenuAsksAboutItsClipsFirst) {
  Copy("http://a.jp");
  clipstore::TreeNode& userNode = *store.Slot(2).Node;
  int dialogs = 0;
  const auto openDialog = [&](clipstore::TreeNode&) { ++dialogs; };
  messages.answers = {MsgResult::kNo};
  DeleteMenuContents(store, messages, userNode, openDialog);
  EXPECT_EQ(messages.Texts().back(),
            "登録されているすべてのUsr1 クリップデータを削除しますが、よろしいですか？");
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(MenuTexts(2).size(), 1u);
  messages.answers = {MsgResult::kYes};
  DeleteMenuContents(store, messages, userNode, openDialog);
  EXPECT_TRUE(MenuTexts(2).empty());
  EXPECT_EQ(dialogs, 1);
  // An empty menu goes straight to the dialog; the history root keeps its
  // user menus when its own clips are deleted.
  DeleteMenuContents(store, messages, userNode, openDialog);
  EXPECT_EQ(dialogs, 2);
  messages.answers = {MsgResult::kYes};
  DeleteMenuContents(store, messages, *store.Slot(0).Node, openDialog);
  EXPECT_EQ(store.HistoryCount(), 0);
  EXPECT_NE(store.Slot(2).Node, nullptr);
  EXPECT_EQ(messages.Texts().back(),
            "登録されているすべての動的クリップデータを削除しますが、よろしいですか？");
}

// A copy the menu catches while its question or its delete dialog is up:
// the copy stays, and so does the menu that holds it.
TEST_F(DistributionTest, DeletingAMenuSparesACopyThatCameMeanwhile) {
  Copy("http://a.jp");
  clipstore::TreeNode& userNode = *store.Slot(2).Node;
  messages.whileShown = [&] { Copy("http://b.jp"); };
  messages.answers = {MsgResult::kYes};
  int dialogs = 0;
  DeleteMenuContents(store, messages, userNode, [&](clipstore::TreeNode&) { ++dialogs; });
  EXPECT_EQ(MenuTexts(2), std::vector<std::string>{"http://b.jp"});
  EXPECT_EQ(dialogs, 0);
  EXPECT_FALSE(ApplyMenuValues(store, MenuMode::kDelete, &userNode, InitialMenuValues(store, MenuMode::kDelete, &userNode)));
  EXPECT_EQ(store.Slot(2).Node, &userNode);
}

}  // namespace
}  // namespace ambrel::usermenu
