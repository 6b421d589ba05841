// Band analysis by complex demodulation (WBCDHZ, WBPWCDHZ and the user
// functions): a band of a waveform channel's spectrum is cut out, moved to
// zero frequency and transformed back, giving the band's power, envelope,
// phase or instantaneous frequency as a time signal.
#pragma once

namespace state {
struct Program;
}

namespace dsp {

enum FreqAnalMode { kBandPower = 0, kBandEnvelope = 1, kBandPhase = 2, kBandFrequency = 3 };

// `DataFreqAnal` on the W store, channels 0-based. With binsGiven the band is
// centre ± halfWidth in bins (centre - halfWidth >= 0 and centre + halfWidth
// <= N, else 0); without, centre and halfWidth are frequencies, turned into
// bins with the source's `Step` (a band that gives no bins inside the record
// shows 1409, title 11, and answers 0). A length that is not a power of two
// asks 1228 first (title 15; not while a macro runs). The source is copied
// into the destination (created when inactive), which is transformed unless
// it already holds a spectrum; bins 0 … c - w and c + w … M are zeroed, both
// halves are turned left by c, and the complex inverse gives M values: mode 0
// power, 1 envelope, 2 unwrapped phase (0 … 2 pi at the start), 3
// instantaneous frequency offset (in 1 / `Step` units). Each value fills two
// neighbouring samples of the destination, which is a time channel again.
// Answers 1 when done; a refusal changes nothing.
int DataFreqAnal(state::Program& p, int mode, int source, int destination, double centre, double halfWidth,
                 int binsGiven);

}  // namespace dsp
