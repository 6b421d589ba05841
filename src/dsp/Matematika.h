// Sample-wise mathematics between channels: derivative, cumulative sum,
// integral, correlation and the value-shaping operations behind WINTEGRALDT,
// WDERIVDT and the user functions.
#pragma once

#include <cstdint>

namespace dsp {

// `Matematika` on arrays of n samples: x (source), s (second operand, used by
// the correlation) and y (destination) over samples from … to (limited to
// 0 … n − 1, swapped when reversed); dt is the source's step:
//   1 derivative  y[i] = (x[i+1] − x[i]) / dt, y[to] = y[to − 1]
//   2 cumulative sum from y[from] = x[from]
//   3 no change; result = `Korelace` of x and s
//   4 integral (rectangle rule) from y[from] = x[from]
//   5 y[from] = x[from] only
//   6 y[i] = |x[i]| for i = from + 1 … to
//   7 y[i] = max(x[i], 0) for i = from + 1 … to
//   8 change marker: y[i] = 0 where x[i+1] = x[i], else x[i+1], i = from … to − 1
// x and y may be the same array. Answers false and changes nothing for n < 1
// and for a derivative with a step of 0 or a range of one sample; else true
// (operations outside 0 … 8 then do nothing).
[[nodiscard]] bool Matematika(int operation, const float* x, const float* s, float* y, int64_t n, double dt,
                              int64_t from, int64_t to, float& result);

// Whether the operation writes the destination (1, 2 and 4 … 8).
bool MatematikaWrites(int operation);

}  // namespace dsp
