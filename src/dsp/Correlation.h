// The correlation coefficient of two sample ranges.
#pragma once

namespace dsp {

// `Korelace`: Pearson's r of x and y over samples from … to (inclusive),
// summed in double; 0 when either range has no spread (or to < from). The
// caller vouches that from … to lies inside both arrays.
float Korelace(const float* x, const float* y, int from, int to);

}  // namespace dsp
