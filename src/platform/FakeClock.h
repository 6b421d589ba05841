// Clocks: the real steady clock, and a fake one tests advance by hand
// (its sleeps advance it, so a waiting loop ends without real time passing).
#pragma once

#include "platform/Clock.h"

namespace platform {

class SystemClock : public Clock {
 public:
  uint32_t TickMs() override;
  void SleepMs(uint32_t ms) override;
  LocalTime Now() override;
};

class FakeClock : public Clock {
 public:
  uint32_t TickMs() override { return tick_; }
  void SleepMs(uint32_t ms) override { Advance(ms); }
  LocalTime Now() override { return now_; }

  void Advance(uint32_t ms);
  void SetNow(const LocalTime& t) { now_ = t; }

 private:
  uint32_t tick_ = 1000;
  uint32_t subHundredthMs_ = 0;  // so many short advances still move the time of day
  LocalTime now_{2023, 8, 6, 14, 37, 5, 12};
};

}  // namespace platform
