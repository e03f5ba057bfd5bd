// The fault barrier of the window base: a handler that throws, in a window
// of the program's own base class, does not end the process.
#include <gtest/gtest.h>
#include <windows.h>

#include "harness/paths.h"
#include "harness/process.h"

namespace ambrel::e2e {
namespace {

TEST(FaultBarrier, AThrowingWindowProcedureLeavesTheProgramRunningAndReportsOnce) {
  ASSERT_TRUE(FileExists(BesideExe("fault_barrier_fixture.exe"))) << "build the fixture target";
  Process p = Process::Start(Quoted(BesideExe("fault_barrier_fixture.exe")));
  ASSERT_TRUE(p.WaitForExit(15000));
  ASSERT_TRUE(p.ExitCode().has_value());
  EXPECT_EQ(*p.ExitCode(), 0u) << "1: reported other than once or the next message was lost; "
                                  "another code: the exception ended the process";
}

}  // namespace
}  // namespace ambrel::e2e
