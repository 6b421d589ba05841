#include <chrono>
#include <ctime>
#include <thread>

#include "platform/FakeClock.h"

namespace platform {

uint32_t SystemClock::TickMs() {
  using namespace std::chrono;
  return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::SleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

LocalTime SystemClock::Now() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t t = system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  int hundredth = int(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000 / 10);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, hundredth};
}

// Keeps the wall time moving with the tick so date-based names stay consistent.
void FakeClock::Advance(uint32_t ms) {
  tick_ += ms;
  uint64_t ms10 = uint64_t(subHundredthMs_) + ms;
  subHundredthMs_ = uint32_t(ms10 % 10);
  int64_t total = now_.hundredth + int64_t(ms10 / 10);
  now_.hundredth = int(total % 100);
  int64_t secs = now_.second + total / 100;
  now_.second = int(secs % 60);
  int64_t mins = now_.minute + secs / 60;
  now_.minute = int(mins % 60);
  int64_t hours = now_.hour + mins / 60;
  now_.hour = int(hours % 24);  // the date is left alone: tests set it explicitly
}

}  // namespace platform
