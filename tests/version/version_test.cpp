#include "version/version.h"

#include <gtest/gtest.h>

#include "version/version_number.h"

namespace ambrel {
namespace {

TEST(Version, TrayTipAndSecondCopyMessage) {
  EXPECT_EQ(TrayTipText(), "AMBREL Ver " AMBREL_VERSION_TEXT);
  EXPECT_EQ(AlreadyRunningMessage("Ambrel.exe"),
            "Ambrel.exeはすでに実行されています。\r\nタスクトレーアイコンをクリックして起動してください。");
}

}  // namespace
}  // namespace ambrel
