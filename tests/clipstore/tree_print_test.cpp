#include "clipstore/tree_print.h"

#include <gtest/gtest.h>

#include "clipstore/clip_store.h"

namespace ambrel::clipstore {
namespace {

TEST(TreePrint, IndentsByLevelAndPrintsOnlyTheStartNodesPart) {
  PopupLayout layout;
  TClipBase store(layout);
  store.DefineDefaultSlots();
  store.AddClip(layout.History(), 0, true, "h");
  store.AddClip(layout.UserMenu(1), 2, true, "u");
  store.AddClip(layout.Static(), 1, true, "s");
  const std::string i1 = "　　　", i2 = i1 + i1, i3 = i2 + i1;
  EXPECT_EQ(TreePrintLines(store.Tree(), nullptr),
            (std::vector<std::string>{i1 + "動的クリップデータ", i2 + "h", i2 + "Usr1 (ＵＲＬ<例>)",
                                      i3 + "u", i1 + "静的クリップデータ", i2 + "s"}));
  EXPECT_EQ(TreePrintLines(store.Tree(), store.Slot(2).Node),
            (std::vector<std::string>{i2 + "Usr1 (ＵＲＬ<例>)", i3 + "u"}));
  EXPECT_EQ(TreePrintLines(store.Tree(), store.Slot(1).Node),
            (std::vector<std::string>{i1 + "静的クリップデータ", i2 + "s"}));
  EXPECT_EQ(TreePrintLines(store.Tree(), store.Slot(0).Node),
            (std::vector<std::string>{i1 + "動的クリップデータ", i2 + "h", i2 + "Usr1 (ＵＲＬ<例>)",
                                      i3 + "u"}));
  // The tree picker prints its nodes with the same line.
  EXPECT_EQ(TreePrintLine(0, "C:"), i1 + "C:");
  EXPECT_EQ(TreePrintLine(2, "予定表"), i3 + "予定表");
}

}  // namespace
}  // namespace ambrel::clipstore
