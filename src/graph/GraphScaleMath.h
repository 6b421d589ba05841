// The rules of the value and time scales as pure functions: how many
// divisions, which nice step, where the ticks fall and how a label reads.
// Every loop here is bounded whatever the range or step (a tick loop over
// an infinite range or with a step of 1e-30 would never end).
#pragma once

#include <cstdint>
#include <string>

namespace graph {

// No scale ever carries more ticks than this; a fixed step that would give
// more falls back to the automatic step.
inline constexpr int kMaxTicks = 1000;

// Value-scale divisions by plot height; `scaleDiv` low 4 bits replace them
// when the fixed step is automatic-by-count (negative or 0) and in 1..15.
int ValueDivisions(int plotH, uint16_t scaleDiv, float fixedStep);
// Time-scale divisions by plot width; `scaleDiv` bits 4..7 replace them when
// the fixed time step is negative and the count lies in 1..15.
int TimeDivisions(int plotW, uint16_t scaleDiv, float fixedStep);

// The 1-2-2.5-5-10 step near `raw`, with the sign of `raw`, reduced to 8
// significant digits; 0 when there is none (raw 0, not finite, or |raw|
// beyond `pStart`, the largest power of ten tried).
double NiceStep(double raw, double pStart);

// Ticks strictly inside (lo, hi): first, first + step, ... `count` of them.
struct Ticks {
  double first = 0, step = 0;
  int count = 0;
  double At(int k) const { return first + k * step; }
};
// `fixedStep` > 0 is tried first; it is dropped for the automatic step
// (range / divisions made nice) when it would give more than kMaxTicks.
Ticks ScaleTicks(double lo, double hi, int divisions, double fixedStep, double pStart);

// Label of value-scale tick t for the shown range: "%5.2e" beyond 99999,
// a fixed-point text with decimals from the range when the range reaches
// beyond ±0.01, else "%4.2e". `exponent` tells which form was used.
std::string ValueLabel(double t, double vMax, double vMin, bool extraDecimal, bool* exponent = nullptr);
// Fixed-point label of a time-scale tick for the axis ends a..b.
std::string TimeLabel(double t, double a, double b);

// The unit of a time axis and the factor its values are multiplied by.
struct AxisUnit {
  double factor = 1;
  std::string name;
  int text = 0;  // a general text number that names the unit instead (0 none)
};
// rightEnd: the axis value at the right end; longTimes: `store::kDisplLongTimes`.
AxisUnit TimeAxisUnit(double rightEnd, bool spectrum, bool longTimes);

// The unit prefix word of a channel record's prefix code; `withText100`
// tells that general text 100 is written in front.
std::string PrefixWord(int prefixCode, bool* withText100);

}  // namespace graph
