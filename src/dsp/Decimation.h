// Halving the sampling rate: every second sample is kept.
#pragma once

#include <cstdint>

namespace dsp {

// dst[j] = src[2 j + 1] for j < count: the odd samples, packed. dst may not
// overlap src (the operation builds the halved store beside the old one, so
// that it can be abandoned).
void KeepOddSamples(const float* src, float* dst, int64_t count);

}  // namespace dsp
