// Smoothing of a channel in place: three fixed kernels and a moving average.
#pragma once

#include <cstdint>
#include <functional>

namespace dsp {

// Asked between pieces of a long smoothing with the samples done and the
// samples in all; false stops it.
using SmoothKeepGoing = std::function<bool(int64_t done, int64_t total)>;

// `Smooth`: smooths data[from … to] in place. `data` and `copy` point at the
// channel's first sample (copy is the scratch array at the same offset);
// `lastIndex` is the channel's last sample, which decides whether the tail of
// a moving average is flattened. Mode 1 to 3 are the fixed kernels, mode 4 and
// more a moving average of that width; anything else leaves the data alone.
// The range is cut to 0 … lastIndex; fewer than two samples do nothing.
// Afterwards copy[from … to] holds the old values. False when `keepGoing`
// stopped it: data[from … to] is then as it was.
bool Smooth(float* data, float* copy, int from, int to, int mode, int lastIndex,
            const SmoothKeepGoing& keepGoing = {});

// Modes 2 and 3 one sample after another, as `Smooth` did before it ran long
// ranges in blocks side by side: the reference the blocks are checked against.
void SmoothOneByOne(float* data, float* copy, int from, int to, int mode);

// The width `GoSmooth` takes from `Argument` when it is not negative: values
// below 1 become 1. Negative answers -1: the width has to be asked.
int SmoothWidthFromArgument(int argument);

}  // namespace dsp
