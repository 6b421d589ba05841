// Conversion of a store's channel to decibels and back. A channel in
// decibels carries its `PrefixCode` raised by 100.
#pragma once

#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// `ChaneldB_Util`: converts samples from..to (inclusive, within 0..Length-1)
// of channel (0-based) of the store. A channel in decibels goes back
// (10^(0.05 x)); any other goes to decibels, refused with 358 when a value of
// the range is not positive (a NaN included). 341 for an inactive channel;
// with ask and no macro the question 356 / 357 comes first. A range outside
// the channel is refused. Answers 1 when converted; a refusal changes nothing.
[[nodiscard]] int ChaneldB_Util(state::Program& p, store::Store s, int channel, int from, int to, bool ask);

// `TMainWindow::ChaneldB`: channel 1-based (0 asks, 345) of the waveform
// store, its first half (the magnitudes of a spectrum), with the question;
// then the W windows reopen when `PG` says they were open and no macro runs.
[[nodiscard]] int ChaneldB(state::Program& p, int channel);

}  // namespace ops
