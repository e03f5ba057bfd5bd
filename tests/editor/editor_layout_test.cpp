#include "editor/editor_layout.h"

#include <gtest/gtest.h>

#include "editor/edit_bar_state.h"
#include "editor/editor_command_ids.h"

namespace ambrel::editor {
namespace {

constexpr Relayout kResize = Relayout::kResize, kStyle = Relayout::kStyleApplied;

TEST(EditorLayout, SeparatorDragKeepsBothPartsAboveFiftyPixels) {
  // Side by side: tree 150, pages 300.
  EXPECT_EQ(DraggedTreeExtent(150, 300, 20, 0), 170);
  EXPECT_EQ(DraggedTreeExtent(150, 300, -100, 0), 150);  // the tree would keep 50
  EXPECT_EQ(DraggedTreeExtent(150, 300, -99, 0), 51);
  EXPECT_EQ(DraggedTreeExtent(150, 300, 250, 0), 150);  // pages would keep 50
  EXPECT_EQ(DraggedTreeExtent(150, 300, 249, 0), 399);
  // One above the other: the pages keep the tool bar's 26 pixels and 50 more.
  EXPECT_EQ(DraggedTreeExtent(100, 200, 124, 26), 100);
  EXPECT_EQ(DraggedTreeExtent(100, 200, 123, 26), 223);
}

TEST(EditorLayout, StyleSwitchKeepsTheCurrentSizeFirstAndSameStyleReappliesTheStoredOne) {
  options::Settings settings;
  settings.SetTreeW(200);
  settings.SetTreeH(120);
  const Box panel{0, 0, 500, 400};
  // Vertical again: the stored width, clamped, whatever the tree shows now.
  EXPECT_EQ(TreeExtentForStyle(settings, true, true, kStyle, Box{0, 0, 90, 400}, panel), 200);
  settings.SetTreeW(480);
  EXPECT_EQ(TreeExtentForStyle(settings, true, true, kStyle, Box{0, 0, 90, 400}, panel), 450);
  EXPECT_EQ(settings.TreeW(), 450);
  // To horizontal: the tree's width now (not the stored one) is kept.
  EXPECT_EQ(TreeExtentForStyle(settings, false, true, kStyle, Box{0, 0, 230, 400}, panel), 120);
  EXPECT_EQ(settings.TreeW(), 230);
  // Back to vertical: the tree's height now is kept, then the width applies.
  settings.SetTreeH(10);
  EXPECT_EQ(TreeExtentForStyle(settings, true, false, kStyle, Box{0, 0, 500, 140}, panel), 230);
  EXPECT_EQ(settings.TreeH(), 140);
}

TEST(EditorLayout, PlainResizeShowsTheStoredSizeClampedButNeverStoresIt) {
  options::Settings settings;
  settings.SetTreeW(300);
  settings.SetTreeH(260);
  const Box small{0, 0, 200, 150}, large{0, 0, 800, 600};
  // The window shrinks: the tree is clamped to the smaller panel ...
  EXPECT_EQ(TreeExtentForStyle(settings, true, true, kResize, Box{0, 0, 300, 400}, small), 150);
  EXPECT_EQ(TreeExtentForStyle(settings, false, false, kResize, Box{0, 0, 300, 260}, small), 100);
  // ... and grows again: the sizes stored before come back.
  EXPECT_EQ(settings.TreeW(), 300);
  EXPECT_EQ(settings.TreeH(), 260);
  EXPECT_EQ(TreeExtentForStyle(settings, true, true, kResize, Box{0, 0, 150, 400}, large), 300);
}

TEST(EditorLayout, StatusBarBorderTreeSeparatorAndPagesTileTheClient) {
  const LayoutMetrics m;
  const EditorLayout v = ComputeEditorLayout(Box{0, 0, 500, 420}, 20, true, 150, m);
  EXPECT_EQ(v.centerPanel, (Box{0, 0, 500, 400}));
  EXPECT_EQ(v.inside, (Box{8, 8, 492, 392}));
  EXPECT_EQ(v.tree, (Box{8, 8, 158, 392}));
  EXPECT_EQ(v.separator, (Box{158, 8, 164, 392}));
  EXPECT_EQ(v.pages, (Box{164, 8, 492, 392}));
  const EditorLayout h = ComputeEditorLayout(Box{0, 0, 500, 420}, 20, false, 100, m);
  EXPECT_EQ(h.tree, (Box{8, 8, 492, 108}));
  EXPECT_EQ(h.separator, (Box{8, 108, 492, 115}));
  EXPECT_EQ(h.pages, (Box{8, 115, 492, 392}));
  // Too small a window gives empty parts, never inverted ones.
  const EditorLayout tiny = ComputeEditorLayout(Box{0, 0, 10, 10}, 20, true, 150, m);
  EXPECT_GE(tiny.pages.Width(), 0);
  EXPECT_GE(tiny.pages.Height(), 0);
}

TEST(EditBarState, ButtonsFollowTheClipsAndTheFreeSlots) {
  const EditBarState none{0, false, true}, one{1, false, false}, two{2, true, true};
  EXPECT_FALSE(EditButtonEnabled(kCmdNextClip, true, none));
  EXPECT_FALSE(EditButtonEnabled(kCmdPrevClip, true, one));
  EXPECT_TRUE(EditButtonEnabled(kCmdPrevClip, true, two));
  EXPECT_TRUE(EditButtonEnabled(kCmdMakeStatic, true, one));
  EXPECT_FALSE(EditButtonEnabled(kCmdMakeStatic, true, two));  // the current clip is static
  EXPECT_FALSE(EditButtonEnabled(kCmdMenuAdd, true, one));
  EXPECT_TRUE(EditButtonEnabled(kCmdMenuAdd, true, two));
  EXPECT_FALSE(EditButtonEnabled(kCmdDeleteClip, false, two));  // nobody carries it out
  EXPECT_TRUE(EditButtonEnabled(kCmdDeleteClip, true, two));
}

TEST(EditBarState, NavigationWrapsAround) {
  EXPECT_EQ(NeighbourPage(1, 2, +1), 0);
  EXPECT_EQ(NeighbourPage(0, 2, -1), 1);
  EXPECT_EQ(NeighbourPage(0, 3, +1), 1);
  EXPECT_EQ(NeighbourPage(0, 1, +1), 0);
  EXPECT_EQ(NeighbourPage(-1, 0, +1), -1);
  EXPECT_EQ(NeighbourPage(-1, 4, -1), 0);
}

}  // namespace
}  // namespace ambrel::editor
