// Halving the sampling rate of a store: every second sample is kept.
#pragma once

#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// `DecimationUtil`: keeps the odd samples of every active channel, halves
// `Length`, doubles each `Step` and clears the trigger. A store holding a
// spectrum is refused (general text 330 / 331, title 11), and a record
// shorter than two samples is left alone. Answers 1 on success.
[[nodiscard]] int DecimationUtil(state::Program& p, store::Store s);

// `TMainWindow::Decimation`: asks general text 329 (title 15) first when
// `ask` is set and no macro runs.
[[nodiscard]] int Decimation(state::Program& p, store::Store s, bool ask);

}  // namespace ops
