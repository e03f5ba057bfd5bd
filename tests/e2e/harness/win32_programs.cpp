#include "harness/win32_programs.h"

#include <cstdlib>

namespace ambrel::e2e {

std::string NoWin32ProgramsReason() {
  const char* why = std::getenv("AMBREL_NO_WIN32");
  return why ? why : "";
}

}  // namespace ambrel::e2e
