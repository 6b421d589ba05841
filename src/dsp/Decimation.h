// Halving the sampling rate of a store: every second sample is kept.
#pragma once

namespace state {
struct Program;
}

namespace dsp {

// `DecimationUtil`: store 1 = W, 0 = M. Keeps the odd samples of every active
// channel, halves `Length`, doubles each `Step` and clears the trigger. A
// store holding a spectrum is refused (general text 330 / 331, title 11), and
// a record shorter than two samples is left alone. Answers 1 on success.
int DecimationUtil(state::Program& p, int store);

// `TMainWindow::Decimation`: asks general text 329 (title 15) first when
// `ask` is set and no macro runs.
int Decimation(state::Program& p, int store, bool ask);

}  // namespace dsp
