// Statistics of the waveform store's samples (the kernels in dsp/Statistics.h).
#pragma once

#include <cstdint>

#include "dsp/Statistics.h"

namespace state {
struct Program;
}

namespace ops {

// RMS of the W channel starting at `offset` over the whole W `Length`; 0 when
// the mean square is not positive or the block lies outside the W array.
float RMS_fun(const state::Program& p, int64_t offset);

}  // namespace ops
