#include "editor/menu_shape.h"

#include <gtest/gtest.h>

#include "clipstore/clip_store.h"

namespace ambrel::editor {
namespace {

TEST(MenuShape, ChangesWithWhatALevelShowsAndOnlyThere) {
  clipstore::PopupLayout layout;
  clipstore::TClipBase store(layout);
  store.DefineDefaultSlots();
  store.AddClip(layout.Static(), 1, true, "template");
  store.AddClip(layout.History(), 0, true, "first");
  const MenuShape history = ShapeOf(layout.History()), statics = ShapeOf(layout.Static());
  EXPECT_EQ(ShapeOf(layout.History()), history);

  store.AddClip(layout.History(), 0, true, "second");
  EXPECT_NE(ShapeOf(layout.History()), history);
  EXPECT_EQ(ShapeOf(layout.Static()), statics) << "a copy leaves the static menu as it was";

  const MenuShape before = ShapeOf(layout.History());
  layout.Static().enabled = !layout.Static().enabled;
  EXPECT_NE(ShapeOf(layout.History()), before);
  layout.Static().enabled = !layout.Static().enabled;
  store.SetClipText(0, "edited");
  EXPECT_NE(ShapeOf(layout.History()), before) << "a caption follows its clip's text";
}

TEST(MenuShape, SlotMenusAreTheStaticAndUserMenus) {
  clipstore::PopupLayout layout;
  clipstore::TClipBase store(layout);
  store.DefineDefaultSlots();
  EXPECT_TRUE(IsSlotMenu(layout.Static()));
  EXPECT_TRUE(IsSlotMenu(layout.SlotMenu(3)));
  EXPECT_FALSE(IsSlotMenu(*layout.Find("MMHelpMenu")));
  store.AddClip(layout.History(), 0, true, "Usr clip");
  EXPECT_FALSE(IsSlotMenu(*layout.History().At(0))) << "a clip item is never a sub-menu";
}

}  // namespace
}  // namespace ambrel::editor
