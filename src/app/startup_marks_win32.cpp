#include "app/startup_marks_win32.h"

#include <cstdio>

namespace ambrel::win32 {

StartupMarks::StartupMarks() {
  char path[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA("AMBREL_STARTUP_MARKS", path, sizeof path);
  if (n == 0 || n >= sizeof path) return;
  path_ = path;
  QueryPerformanceFrequency(&frequency_);
  QueryPerformanceCounter(&last_);
}

void StartupMarks::Mark(const char* phase) {
  if (path_.empty()) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const double ms = 1000.0 * static_cast<double>(now.QuadPart - last_.QuadPart) /
                    static_cast<double>(frequency_.QuadPart);
  last_ = now;
  char piece[64];
  std::snprintf(piece, sizeof piece, "%s%s %.1f", line_.empty() ? "" : " ", phase, ms);
  line_ += piece;
}

void StartupMarks::Write(Files& files) const {
  if (!path_.empty()) files.WriteReplacing(path_, line_ + "\n");
}

}  // namespace ambrel::win32
