// Zeroing of sample ranges of a store's channels (the kernel in
// dsp/Zeroing.h).
#pragma once

#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// `ZeroWaveUtil`: channel ≥ 1 is one channel (1-based), 0 or less all of
// them. A negative from zeroes the whole record, a negative to runs to the
// last sample. Asks general text 327 / 328 (title 15) when `ask` is set and no
// macro runs; with `notify` the channels' windows are redrawn (kRedrawAll)
// unless a macro runs. Clears the store's `TriggerFlag`. Answers 1 when it
// zeroed, 0 when the store is missing or the question was declined.
[[nodiscard]] int ZeroWaveUtil(state::Program& p, store::Store s, int channel, int from, int to, bool ask,
                               bool notify);

// `TMainWindow::ZeroWave`: asks and notifies.
[[nodiscard]] int ZeroWave(state::Program& p, store::Store s, int channel, int from, int to);

// Menu items 169 / 168: clears the whole store; the waveform store reopens
// its windows when any was open, so they show the cleared record.
[[nodiscard]] int ZeroWaveMenu(state::Program& p, store::Store s);

}  // namespace ops
