#include "app/idle_save.h"

#include <gtest/gtest.h>

namespace ambrel::app {
namespace {

TEST(IdleSave, SavesOnceTheStoreHasBeenLeftAloneAndNoDialogIsOpen) {
  IdleSave idle(30000);
  EXPECT_FALSE(idle.Due(100000, false)) << "nothing changed";
  idle.Changed(1000);
  idle.Changed(20000);  // each change starts the wait again
  EXPECT_FALSE(idle.Due(49999, false));
  EXPECT_FALSE(idle.Due(50000, true)) << "a dialog is open";
  EXPECT_TRUE(idle.Pending());
  EXPECT_TRUE(idle.Due(90000, false));
  idle.Finished(true, 90000);
  EXPECT_FALSE(idle.Pending());
  EXPECT_FALSE(idle.Due(200000, false)) << "saved once";
  EXPECT_EQ(IdleSave().DelayMs(), kIdleSaveDelayMs);
}

TEST(IdleSave, FailedSaveStaysPendingAndIsTriedAgainADelayLater) {
  IdleSave idle(30000);
  idle.Changed(0);
  ASSERT_TRUE(idle.Due(30000, false));
  idle.Finished(false, 30000);
  EXPECT_TRUE(idle.Pending());
  EXPECT_FALSE(idle.Due(59999, false)) << "not at once: the disk gets a moment";
  EXPECT_TRUE(idle.Due(60000, false));
  idle.Finished(true, 60000);
  EXPECT_FALSE(idle.Pending());
}

}  // namespace
}  // namespace ambrel::app
