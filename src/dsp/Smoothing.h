// Smoothing of a channel in place: three fixed kernels and a moving average.
#pragma once

namespace state {
struct Program;
}

namespace dsp {

// `Smooth`: smooths data[from … to] in place. `data` and `copy` point at the
// channel's first sample (copy is the scratch array at the same offset);
// `lastIndex` is the channel's last sample, which decides whether the tail of
// a moving average is flattened. Mode 1 to 3 are the fixed kernels, mode 4 and
// more a moving average of that width; anything else leaves the data alone.
// The range is cut to 0 … lastIndex; fewer than two samples do nothing.
void Smooth(float* data, float* copy, int from, int to, int mode, int lastIndex);

// Smooths samples from … to of one channel of a store (1 = W, 0 = M) with its
// scratch array. Answers 1 when the channel was smoothed, 0 when the store is
// missing (with `MemOK`'s message), the channel is inactive or the range
// holds fewer than two samples of the record. The caller notifies the
// windows, so that a filter over many channels notifies once.
int SmoothRange(state::Program& p, int store, int channel, int from, int to, int width);

// The whole channel: the channel filter of the main window and `GoSmooth`
// without cursors.
int SmoothChannel(state::Program& p, int store, int channel, int width);

// The width `GoSmooth` takes from `Argument` when it is not negative: values
// below 1 become 1. Negative answers -1: the width has to be asked.
int SmoothWidthFromArgument(int argument);

}  // namespace dsp
