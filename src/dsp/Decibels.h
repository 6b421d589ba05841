// Conversion of a channel to decibels (20 log10 x) and back. A channel in
// decibels carries its `PrefixCode` raised by 100.
#pragma once

namespace state {
struct Program;
}

namespace dsp {

// `ChaneldB_Util`: converts samples from..to (inclusive, within 0..Length-1)
// of channel (0-based) of the store. A channel in decibels goes back
// (10^(0.05 x)); any other goes to decibels, refused with 358 when a value of
// the range is not positive (a NaN included). 341 for an inactive channel;
// with ask and no macro the question 356 / 357 comes first. A range outside
// the channel is refused. Answers 1 when converted; a refusal changes nothing.
int ChaneldB_Util(state::Program& p, int store, int ask, int channel, int from, int to);

// `TMainWindow::ChaneldB`: channel 1-based (0 asks, 345) of the waveform
// store, its first half (the magnitudes of a spectrum), with the question;
// then the W windows reopen when `PG` says they were open and no macro runs.
int ChaneldB(state::Program& p, int channel);

}  // namespace dsp
