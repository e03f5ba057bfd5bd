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
  EXPECT_FALSE(idle.Pending());
  EXPECT_FALSE(idle.Due(200000, false)) << "saved once";
  EXPECT_EQ(IdleSave().DelayMs(), kIdleSaveDelayMs);
}

}  // namespace
}  // namespace ambrel::app
