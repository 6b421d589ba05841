// Reduction of the waveform store by a statistic over blocks of samples.
#pragma once

namespace state {
struct Program;
}

namespace dsp {

// The statistic of one block of k samples that becomes one sample of the
// reduced record: 1 mean, 2 standard deviation (population), 3 maximum,
// 4 minimum, 5 range, 6 RMS, anything else the mean; the values of
// `Statistika` (sums in double; maximum and minimum pass over NaN).
float BlockStatistic(const float* x, int k, int mode);

// `ReduceUtil`: asks the factor k (general text 1378, from 10, 1 … `Length`),
// then replaces every active W channel by `Length` / k block statistics,
// multiplies each `Step` by k and clears the trigger. Refuses a store holding
// a spectrum (general text 330, title 11). Answers 1 on success, 0 when
// cancelled or refused.
int ReduceUtil(state::Program& p, int mode);

// `TMainWindow::Reduce`: asks general text 1377 (title 15) first unless a
// macro runs. Menu items 401 … 406 give mode 1 … 6.
int Reduce(state::Program& p, int mode);

}  // namespace dsp
