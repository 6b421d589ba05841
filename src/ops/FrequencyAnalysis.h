// Band analysis by complex demodulation on the waveform store (WBCDHZ,
// WBPWCDHZ and the user functions).
#pragma once

#include "dsp/FrequencyAnalysis.h"

namespace state {
struct Program;
}

namespace ops {

// `DataFreqAnal` on the W store, channels 0-based, mode a dsp::FreqAnalMode.
// With binsGiven the band is centre ± halfWidth in bins (centre - halfWidth
// >= 0 and centre + halfWidth <= N, else 0); without, centre and halfWidth
// are frequencies, turned into bins with the source's `Step` (a band that
// gives no bins inside the record shows 1409, title 11, and answers 0). A
// length that is not a power of two asks 1228 first (title 15; not while a
// macro runs). The source is copied into the destination (created when
// inactive), which is transformed unless it already holds a spectrum, then
// demodulated (dsp::BandDemodulate); the destination is a time channel again.
// Answers 1 when done; a refusal changes nothing.
[[nodiscard]] int DataFreqAnal(state::Program& p, int source, int destination, int mode, double centre,
                               double halfWidth, bool binsGiven);

}  // namespace ops
