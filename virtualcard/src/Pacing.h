// Card time: seconds on a steady clock since the driver was opened. In fast
// mode nothing waits for it; scans are then counted instead (see CardModel).
#pragma once

#include <chrono>

namespace virtualcard {

class Pacing {
 public:
  explicit Pacing(bool fast) : fast_(fast), origin_(std::chrono::steady_clock::now()) {}

  bool Fast() const { return fast_; }

  double Now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
  }

 private:
  bool fast_;
  std::chrono::steady_clock::time_point origin_;
};

// DUZIV_VIRTUAL_FAST=1 selects fast mode.
bool FastModeRequested();

}  // namespace virtualcard
