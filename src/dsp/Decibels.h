// Conversion of samples to decibels (20 log10 x) and back.
#pragma once

namespace dsp {

// x[from … to] (inclusive) to 20 log10 x. Refused, changing nothing, when a
// value of the range is not positive (a NaN included).
[[nodiscard]] bool ToDecibels(float* x, int from, int to);

// x[from … to] (inclusive) back from decibels: 10^(0.05 x).
void FromDecibels(float* x, int from, int to);

}  // namespace dsp
