// Local time, for the date and time functions of static clips.
#pragma once

namespace ambrel {

struct LocalTime {
  int year = 0, month = 0, day = 0;        // month 1..12
  int hour = 0, minute = 0, second = 0;
  int dayOfWeek = 0;                       // 0 Sunday .. 6 Saturday
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
};

}  // namespace ambrel
