// The weighting window, magnitudes and the band filter on a store's channel
// (the kernels in dsp/SpectrumTools.h). Channels are 0-based.
#pragma once

#include <span>

#include "dsp/SpectrumTools.h"
#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// What the graph window's weighting asks for: the whole channel, between the
// two cursors of the channel's graph settings, or between them with the
// samples outside set to 0. Cursors are taken in order and limited to the
// record. Answers 1 when the channel was weighted.
enum class WeightRange { Whole, BetweenCursors, BetweenCursorsZeroOutside };
[[nodiscard]] int WeightChannel(state::Program& p, store::Store s, int channel, WeightRange range);

// `ToMagUtil` (WTOMAG): magnitudes of a spectrum channel, absolute values of
// a time channel; the spectrum flag stays. Answers 1 when done.
[[nodiscard]] int ToMagUtil(state::Program& p, store::Store s, int channel);

// `DigFilUtil`: dsp::FilterBins on the channel's spectrum. A zeroed bin loses
// its real and imaginary part (bin 0 its Nyquist partner too). A time channel
// is transformed, filtered and transformed back; a channel that already holds
// a spectrum is filtered as it stands. Clears the store's `TriggerFlag`, as
// every zeroing does. Answers 1 when filtered; a refused transform changes
// nothing.
[[nodiscard]] int DigFilUtil(state::Program& p, store::Store s, int channel, int from, int to,
                             dsp::BandFilter kind);

// DigFilUtil over several channels as one operation: each is filtered in its
// scratch range and the results replace the samples only when all are done,
// so Esc, STOP or SIGINT leaves every channel as it was. Answers the number
// of channels filtered (unusable ones are passed over), 0 when stopped.
[[nodiscard]] int FilterChannels(state::Program& p, store::Store s, std::span<const int> channels, int from,
                                 int to, dsp::BandFilter kind);

}  // namespace ops
