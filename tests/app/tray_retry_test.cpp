#include "app/tray_retry.h"

#include <gtest/gtest.h>

namespace ambrel::app {
namespace {

TEST(TrayRetry, TriesForAPeriodFromTheFirstRefusalThenGivesUp) {
  TrayRetry retry(60000);
  const std::uint64_t start = 5000000;  // a tick count long after boot
  EXPECT_TRUE(retry.Refused(start));
  EXPECT_TRUE(retry.Refused(start + 30000)) << "the period counts from the first refusal";
  EXPECT_TRUE(retry.Refused(start + 59999));
  EXPECT_FALSE(retry.Refused(start + 60000));
  EXPECT_FALSE(retry.Refused(start + 62000)) << "given up stays given up";
}

TEST(TrayRetry, AnIconThatCameOrANewTaskBarStartsANewPeriod) {
  TrayRetry retry(60000);
  ASSERT_TRUE(retry.Refused(0));
  retry.Reset();  // added at 40 s
  EXPECT_TRUE(retry.Refused(100000));
  EXPECT_TRUE(retry.Refused(159999));
  EXPECT_FALSE(retry.Refused(160000));
  retry.Reset();  // the shell's task bar is made again after the program gave up
  EXPECT_TRUE(retry.Refused(170000));
}

}  // namespace
}  // namespace ambrel::app
