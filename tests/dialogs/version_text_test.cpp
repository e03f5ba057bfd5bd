#include "dialogs/version_text.h"

#include <gtest/gtest.h>

namespace ambrel::dialogs {
namespace {

TEST(VersionText, ProgramAndLibraryNumbers) {
  EXPECT_EQ(VersionLine(1, 20), "Ver 1.20");
  EXPECT_EQ(VersionLine(2, 5), "Ver 2.05");
  EXPECT_EQ(LibraryVersionNumber(100), "1.00");
  EXPECT_EQ(LibraryVersionNumber(1234), "1.234");
  EXPECT_EQ(LibraryVersionNumber(7), "7.");
  EXPECT_EQ(LibraryVersionNumber(-1), "-1");  // no digit to put a point after
}

}  // namespace
}  // namespace ambrel::dialogs
