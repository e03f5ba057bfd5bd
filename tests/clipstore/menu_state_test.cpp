#include "clipstore/menu_state.h"

#include <gtest/gtest.h>

namespace ambrel::clipstore {
namespace {

TEST(MenuState, EmptyMenusAreShownDisabledAndGuidanceFollowsTheUse) {
  PopupLayout layout;
  TClipBase store(layout);
  store.DefineDefaultSlots();
  GuidanceSettings settings;
  UpdateMenuState(store, settings, /*asPopup=*/false);
  EXPECT_TRUE(layout.UserMenu(1).visible);
  EXPECT_FALSE(layout.UserMenu(1).enabled);
  EXPECT_FALSE(layout.UserMenu(2).visible);
  EXPECT_FALSE(layout.Static().enabled);
  EXPECT_FALSE(layout.Find("MMMenuMenu")->enabled);
  EXPECT_FALSE(layout.Find("MMTarget")->visible);

  store.AddClip(layout.UserMenu(1), 2, true, "u");
  store.AddClip(layout.Static(), 1, true, "s");
  settings = {false, false, false, false};
  UpdateMenuState(store, settings, /*asPopup=*/true);
  EXPECT_TRUE(layout.UserMenu(1).enabled);
  EXPECT_TRUE(layout.Static().enabled);
  EXPECT_FALSE(layout.Find("MMSepBar")->visible);
  settings.debugMode = true;
  UpdateMenuState(store, settings, true);
  EXPECT_TRUE(layout.Find("MMSepBar")->visible);
  EXPECT_TRUE(layout.Find("MMMenuMenu")->enabled);
}

}  // namespace
}  // namespace ambrel::clipstore
