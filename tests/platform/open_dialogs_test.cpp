#include "platform/open_dialogs.h"

#include <gtest/gtest.h>

namespace ambrel {
namespace {

TEST(OpenDialogsTest, BusyUntilStartupEndsWhateverDialogsCameAndWent) {
  OpenDialogs dialogs;
  EXPECT_TRUE(dialogs.Busy());
  {
    OpenDialogs::Scope box(dialogs, 7);  // a message box during start-up
    EXPECT_EQ(dialogs.Top(), 7u);
  }
  EXPECT_TRUE(dialogs.Busy());
  EXPECT_FALSE(dialogs.StartupFinished());
  dialogs.FinishStartup();
  EXPECT_FALSE(dialogs.Busy());
}

TEST(OpenDialogsTest, NestedDialogsCountAndCloseOutOfOrder) {
  OpenDialogs dialogs;
  dialogs.FinishStartup();
  dialogs.Opened(1);
  {
    OpenDialogs::Scope system(dialogs);
    system.SetWindow(2);
    EXPECT_EQ(dialogs.Count(), 2);
    EXPECT_EQ(dialogs.Top(), 2u);
  }
  EXPECT_EQ(dialogs.Top(), 1u);
  dialogs.Opened(3);
  dialogs.Closed(1);
  EXPECT_EQ(dialogs.Top(), 3u);
  dialogs.Closed(99);  // unknown: the innermost goes
  EXPECT_FALSE(dialogs.Busy());
  dialogs.Closed(3);   // closing with none open changes nothing
  EXPECT_EQ(dialogs.Count(), 0);
}

}  // namespace
}  // namespace ambrel
