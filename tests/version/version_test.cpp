#include "version/version.h"

#include <gtest/gtest.h>

namespace ambrel {
namespace {

TEST(Version, TrayTipAndSecondCopyMessage) {
  EXPECT_EQ(TrayTipText(), "AMBREL Ver 1.20");
  EXPECT_EQ(AlreadyRunningMessage("Ambrel.exe"),
            "Ambrel.exeはすでに実行されています。\r\nタスクトレーアイコンをクリックして起動してください。");
}

}  // namespace
}  // namespace ambrel
