// The local clock on Win32.
#pragma once

#include "platform/clock.h"

namespace ambrel::win32 {

class Win32Clock : public Clock {
 public:
  LocalTime Now() override;
};

}  // namespace ambrel::win32
