// When the tray icon is tried again. During a busy sign-in (the common case
// for a program started at sign-in) the shell may refuse an icon, or take
// too long to answer, for a while: the program keeps running and tries again
// every interval until a period has passed since the first refusal, and only
// then gives up. A shell that has made its task bar again starts a new period.
// The Win32 glue runs the timer and feeds the clock.
#pragma once

#include <cstdint>

namespace ambrel::app {

inline constexpr std::uint32_t kTrayRetryIntervalMs = 2000;
inline constexpr std::uint32_t kTrayRetryPeriodMs = 60000;

class TrayRetry {
 public:
  explicit TrayRetry(std::uint32_t periodMs = kTrayRetryPeriodMs) : periodMs_(periodMs) {}

  // An add was refused at nowMs: true to try again an interval later, false
  // to give up.
  bool Refused(std::uint64_t nowMs) {
    if (!refusing_) {
      refusing_ = true;
      firstRefusalMs_ = nowMs;
    }
    return nowMs - firstRefusalMs_ < periodMs_;
  }
  // The icon is there, or the task bar is new: a later refusal starts a new
  // period.
  void Reset() { refusing_ = false; }

 private:
  std::uint32_t periodMs_;
  std::uint64_t firstRefusalMs_ = 0;
  bool refusing_ = false;
};

}  // namespace ambrel::app
