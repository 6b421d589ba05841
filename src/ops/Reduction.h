// Reduction of the waveform store by a statistic over blocks of samples.
#pragma once

namespace state {
struct Program;
}

namespace ops {

// `ReduceUtil`: asks the factor k (general text 1378, from 10, 1 … `Length`),
// then replaces every active W channel by `Length` / k block statistics
// (dsp::BlockStatistic, mode 1 … 6), multiplies each `Step` by k and clears
// the trigger. Refuses a store holding a spectrum (general text 330, title
// 11). Answers 1 on success, 0 when cancelled or refused.
[[nodiscard]] int ReduceUtil(state::Program& p, int mode);

// `TMainWindow::Reduce`: asks general text 1377 (title 15) first unless a
// macro runs. Menu items 401 … 406 give mode 1 … 6.
[[nodiscard]] int Reduce(state::Program& p, int mode);

}  // namespace ops
