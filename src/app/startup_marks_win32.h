// Where the start-up spends its time, for the measurements under Wine, which
// cannot tell the program's own phases from the shared machine's noise by
// timing the process from outside. Off unless AMBREL_STARTUP_MARKS names a
// file; then each Mark notes the milliseconds since the one before, and
// Write puts them in that file as one line: "windows 412 history 96 ...".
#pragma once

#include <windows.h>

#include <string>

#include "platform/files.h"

namespace ambrel::win32 {

class StartupMarks {
 public:
  StartupMarks();
  void Mark(const char* phase);
  void Write(Files& files) const;

 private:
  std::string path_;  // empty: not asked for
  std::string line_;
  LARGE_INTEGER frequency_{}, last_{};
};

}  // namespace ambrel::win32
