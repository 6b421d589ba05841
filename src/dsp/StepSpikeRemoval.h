// Removal of steps and spikes from one channel (the live window's bar).
#pragma once

namespace state {
struct Program;
}

namespace dsp {

// Works on x[from … to − 1] (`to` exclusive) with threshold t. Mode 0 removes
// steps: a jump above t that persists is subtracted from every later sample.
// Mode 1 removes spikes: a jump above t that does not persist is flattened to
// the sample before it. Ranges of fewer than four samples are left alone.
void RemoveStepsOrSpikes(float* x, int from, int to, int mode, float threshold);

// `KorekceOstrychZmen` (channel, mode, threshold, store, from, to): the
// channel is 0-based, store 1 = W, 0 = M; the range is cut to the record. The
// work is done in the scratch array and copied back. Answers 1 when it ran.
int KorekceOstrychZmen(state::Program& p, int channel, int mode, float threshold, int store, int from,
                       int to);

}  // namespace dsp
