#include "usermenu/reg_list_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "clipstore/clip_store.h"

namespace ambrel::usermenu {
namespace {

TEST(RegListModel, TitlesFollowTheMenusInUse) {
  clipstore::PopupLayout layout;
  clipstore::TClipBase store(layout);
  store.DefineDefaultSlots();
  EXPECT_EQ(MenuTitles(store),
            (std::vector<std::string>{"一覧 (&V)", "静的クリップデータ", "ＵＲＬ<例>"}));
  for (int slot = 3; slot < clipstore::kSlotCount; ++slot)
    store.DefineSlot("Usr" + std::to_string(slot - 1), "m" + std::to_string(slot), "x",
                     layout.SlotMenu(slot), true, 5, slot);
  const std::vector<std::string> all = MenuTitles(store);
  ASSERT_EQ(all.size(), 12u);
  EXPECT_EQ(all.back(), "m11");
  store.RemoveSlot(store.Slot(5).Node);
  const std::vector<std::string> after = MenuTitles(store);
  EXPECT_EQ(after.size(), 11u);
  EXPECT_EQ(std::count(after.begin(), after.end(), "m5"), 0);
}

}  // namespace
}  // namespace ambrel::usermenu
