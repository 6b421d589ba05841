// Arithmetic between two waveform channels (CHWADD, CHWSUB, CHWMPY, CHWDIV)
// and with a constant (WYK, WYP, MYK, MYP), on the stores.
#pragma once

#include "dsp/ChannelAlgebra.h"
#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// `ChanelAlgebraUtil`: channel a of the waveform store (0-based) combined
// with channel b, sample by sample over `Length`. Nothing happens when not
// enabled, when either channel is inactive or for other operation numbers.
// Answers 1 when channel a changed.
[[nodiscard]] int ChanelAlgebraUtil(state::Program& p, int a, int b, int operation, bool enable = true);

// `TMainWindow::ChanelAlgebra`: a and b are 1-based, 0 asks (345 / 346),
// numbers beyond 128 end it. 347 / 348 for an inactive channel. Only the
// waveform store is processed; without a macro the W windows get kDataChanged and
// the result is reported (349 + operation).
[[nodiscard]] int ChanelAlgebra(state::Program& p, store::Store s, int a, int b, int operation);

// WYK / MYK: every sample of channel `channel` (1-based; 0 = every active
// channel) of the store multiplied by k; WYP / MYP add `value`. Every graph
// window is refreshed afterwards. Answers 1 when a channel changed.
[[nodiscard]] int MultiplyByConstant(state::Program& p, store::Store s, int channel, float k);
[[nodiscard]] int AddConstant(state::Program& p, store::Store s, int channel, float value);

}  // namespace ops
