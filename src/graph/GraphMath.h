// Conversions of the graph code that must stay defined for any input: a
// float-to-integer conversion of NaN or of a value outside the target range
// is undefined, and job files and samples may hold such values.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace graph {

// Truncates toward zero after clamping into lo..hi; NaN gives 0 (or lo when
// 0 is outside the bounds).
inline int32_t ClampTrunc(double v, double lo, double hi) {
  if (std::isnan(v)) return 0 >= lo && 0 <= hi ? 0 : int32_t(lo);
  if (v < lo) v = lo;
  if (v > hi) v = hi;
  return int32_t(std::trunc(v));
}

inline bool Finite(float v) { return std::isfinite(v); }

// `KoefY` for one band: pixels per value unit, 1.0 for a degenerate range.
inline double BandScale(double height, double vMax, double vMin) {
  const double d = vMax - vMin;
  if (d == 0 || !std::isfinite(d)) return 1.0;
  const double ky = std::min(height / d, 5e8);
  return ky > 0 && std::isfinite(ky) ? ky : 1.0;
}

}  // namespace graph
