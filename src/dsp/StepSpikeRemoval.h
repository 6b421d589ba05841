// Removal of steps and spikes from a run of samples (the live window's bar).
#pragma once

namespace dsp {

// Works on x[from … to − 1] (`to` exclusive) with threshold t. Mode 0 removes
// steps: a jump above t that persists is subtracted from every later sample.
// Mode 1 removes spikes: a jump above t that does not persist is flattened to
// the sample before it. Ranges of fewer than four samples are left alone.
void RemoveStepsOrSpikes(float* x, int from, int to, int mode, float threshold);

}  // namespace dsp
