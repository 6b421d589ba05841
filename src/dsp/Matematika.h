// Sample-wise mathematics between waveform channels: derivative, cumulative
// sum, integral, correlation and the value-shaping operations behind
// WINTEGRALDT, WDERIVDT and the user functions.
#pragma once

#include <cstdint>

namespace state {
struct Program;
}

namespace dsp {

// `Matematika` on W channels (0-based) a (source), s (second operand, used by
// the correlation) and b (destination) over samples from … to (limited to
// 0 … N − 1, swapped when reversed); Δt is the `Step` of a:
//   1 derivative  b[i] = (a[i+1] − a[i]) / Δt, b[to] = b[to − 1]
//   2 cumulative sum from b[from] = a[from]
//   3 no change; result = `Korelace` of a and s
//   4 integral (rectangle rule) from b[from] = a[from]
//   5 b[from] = a[from] only
//   6 b[i] = |a[i]| for i = from + 1 … to
//   7 b[i] = max(a[i], 0) for i = from + 1 … to
//   8 change marker: b[i] = 0 where a[i+1] = a[i], else a[i+1], i = from … to − 1
// a and b may be the same channel. Answers 0 and changes nothing when a
// channel is inactive or holds no usable block, and for a derivative with a
// step of 0 or a range of one sample; else 1 (operations outside 0 … 8 then
// do nothing).
int Matematika(state::Program& p, int operation, int32_t from, int32_t to, int a, int s, int b,
               float& result);

}  // namespace dsp
