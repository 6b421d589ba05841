// Smoothing of a store's channel in place (the kernels in dsp/Smoothing.h).
#pragma once

#include "dsp/Smoothing.h"
#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// Smooths samples from … to of one channel of a store with its scratch
// array, showing its progress. Answers 1 when the channel was smoothed, 0
// when the store is missing (with `MemOK`'s message), the channel is inactive,
// the range holds fewer than two samples of the record, or it was stopped
// (Esc, STOP, SIGINT: the samples stay as they were, and the user is told).
// The caller notifies the windows, so that a filter over many channels
// notifies once.
[[nodiscard]] int SmoothRange(state::Program& p, store::Store s, int channel, int from, int to, int width);

// The whole channel: the channel filter of the main window and `GoSmooth`
// without cursors.
[[nodiscard]] int SmoothChannel(state::Program& p, store::Store s, int channel, int width);

// The channel filter after a run: every active channel whose acquisition
// settings give a smoothing width of 2 or more, as one operation, so a stop
// puts back the channels already smoothed as well. Answers the number of
// channels smoothed; 0 when there were none or it was stopped.
[[nodiscard]] int SmoothChannelsAfterRun(state::Program& p, store::Store s);

}  // namespace ops
