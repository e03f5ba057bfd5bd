// Whether this machine runs 32-bit Windows programs (a kernel without 32-bit
// support, some containers do not). scripts/wine_env.sh finds out once and,
// when it cannot, says why in AMBREL_NO_WIN32; everything 64-bit still runs.
#pragma once

#include <string>

namespace ambrel::e2e {

// Empty when 32-bit programs run here; otherwise the reason they do not.
std::string NoWin32ProgramsReason();

}  // namespace ambrel::e2e

// Skips the current test, with the reason, where 32-bit programs cannot run
// (in a test body; the harness itself does not depend on GoogleTest).
#define AMBREL_SKIP_WITHOUT_WIN32_PROGRAMS()                                        \
  if (const std::string ambrel_why_ = ::ambrel::e2e::NoWin32ProgramsReason();       \
      !ambrel_why_.empty())                                                         \
  GTEST_SKIP() << "needs 32-bit programs: " << ambrel_why_
