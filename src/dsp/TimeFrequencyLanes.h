// The amplitude rows of the time–frequency matrix eight windows at a time:
// each window runs its own real transform in one lane of the vectors, so the
// butterflies need no shuffles, the twiddles are broadcasts, and a window
// that is loud, overflowing or not a number cannot spoil its neighbours.
#pragma once

#include "dsp/TimeFrequency.h"

namespace dsp {

// Fills the leading rows of out (row after row, shape.columns each) with the
// amplitudes, or powers when `power`, of the windows of x as TimeFrequency
// does for modes 0 and 1, and answers how many rows it filled: a multiple of
// eight, 0 for the transform lengths it does not serve. Throws bad_alloc.
int LanedAmplitudeRows(const float* x, const TimeFrequencyShape& shape, bool power, float* out);

}  // namespace dsp
