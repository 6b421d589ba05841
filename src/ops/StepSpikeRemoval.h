// Removal of steps and spikes from one channel of a store (the live window's
// bar; the kernel in dsp/StepSpikeRemoval.h).
#pragma once

#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// `KorekceOstrychZmen`: dsp::RemoveStepsOrSpikes on samples from … to − 1 of
// the channel (0-based), the range cut to the record. The work is done in the
// scratch array and copied back. Answers 1 when it ran.
[[nodiscard]] int KorekceOstrychZmen(state::Program& p, store::Store s, int channel, int mode,
                                     float threshold, int from, int to);

}  // namespace ops
