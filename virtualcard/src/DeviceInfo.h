// What the virtual card reports about itself: its type name and the
// capability parameters the program asks for by code.
#pragma once

#include <array>
#include <cstdint>

namespace virtualcard {

inline constexpr int RangeCount = 6;
inline constexpr std::array<double, RangeCount> RangeFullScale{10.0, 5.0, 2.0, 1.0, 0.5, 0.2};
inline constexpr double ScanMinFrequency = 1.0;
inline constexpr double ScanMaxFrequency = 500000.0;

struct Capability {
  std::int32_t code;
  double value;
  const char* name;
};

// The parameter with this code, or nullptr when the card has none.
const Capability* FindCapability(std::int32_t code);

}  // namespace virtualcard
