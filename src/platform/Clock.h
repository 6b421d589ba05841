// Time seam: the millisecond tick counter, sleeps and the local date and time.
#pragma once

#include <cstdint>

namespace platform {

struct LocalTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, hundredth = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t TickMs() = 0;  // wraps like the Windows tick counter
  virtual void SleepMs(uint32_t ms) = 0;
  virtual LocalTime Now() = 0;
};

}  // namespace platform
