// Arithmetic between two waveform channels (CHWADD, CHWSUB, CHWMPY, CHWDIV)
// and with a constant (WYK, WYP, MYK, MYP).
#pragma once

namespace state {
struct Program;
}

namespace dsp {

// Operations of `ChanelAlgebraUtil`; 2 and 3 exist only for the store ⊕
// file algebra and change nothing here.
enum ChannelOperation {
  kChannelAdd = 0,       // a = a + b
  kChannelSubtract = 1,  // a = a - b
  kChannelMultiply = 4,  // a = a * b
  kChannelDivide = 5,    // a = a / b, 0 where b is exactly 0
};

// `ChanelAlgebraUtil`: channel a of the waveform store (0-based) combined
// with channel b, sample by sample over `Length`. Nothing happens when enable
// is 0, when either channel is inactive or for other operation numbers.
// Answers 1 when channel a changed.
int ChanelAlgebraUtil(state::Program& p, int enable, int operation, int a, int b);

// `TMainWindow::ChanelAlgebra`: a and b are 1-based, 0 asks (345 / 346),
// numbers beyond 128 end it. 347 / 348 for an inactive channel. Only the
// waveform store is processed; without a macro the W windows get kDataChanged and
// the result is reported (349 + operation).
int ChanelAlgebra(state::Program& p, int operation, int store, int a, int b);

// WYK / MYK: every sample of channel `channel` (1-based; 0 = every active
// channel) of the store multiplied by k; WYP / MYP add `value`. Every graph
// window is refreshed afterwards. Answers 1 when a channel changed.
int MultiplyByConstant(state::Program& p, int store, int channel, float k);
int AddConstant(state::Program& p, int store, int channel, float value);

}  // namespace dsp
