// Sample-wise mathematics between waveform channels (dsp::Matematika on the
// W store).
#pragma once

#include <cstdint>

#include "dsp/Matematika.h"

namespace state {
struct Program;
}

namespace ops {

// `Matematika` on W channels (0-based) a (source), s (second operand, used by
// the correlation) and b (destination); Δt is the `Step` of a. Answers 0 and
// changes nothing when a channel is inactive or holds no usable block, and
// where dsp::Matematika refuses; else 1. The windows learn of a changed
// destination.
[[nodiscard]] int Matematika(state::Program& p, int a, int s, int b, int operation, int32_t from, int32_t to,
                             float& result);

}  // namespace ops
