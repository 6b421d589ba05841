// Copying, deleting and reading single channels of a store (CHWCOPY, CHWDEL,
// CHWREAD). A store keeps its active channels as blocks in channel order,
// so creating or removing a channel moves the blocks above it.
#pragma once

#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// `ChanelTransportUtil`: copies channel `source` of the store
// into `destination` (both 0-based): samples, channel record and spectrum
// flag. An inactive destination is created in its place in the block order
// when the store has room for one more block (338 otherwise); an active one
// is overwritten. With ask (and no macro) it asks first (336, 337) and
// reports the result (339); messages of refusals (335, 338) need ask as
// well. Answers 1 when done; a refusal leaves the store unchanged.
[[nodiscard]] int ChanelTransportUtil(state::Program& p, store::Store s, int source, int destination,
                                      bool ask);

// `TMainWindow::ChanelTransport`: a and b 1-based; 0 asks (184 / 185).
[[nodiscard]] int ChanelTransport(state::Program& p, store::Store s, int a, int b);

// `ChanelDeleteUtil`: clears channel (0-based) of the store, moves the
// blocks above it down by one block and closes its graph window. Answers 1
// when the channel was active.
[[nodiscard]] int ChanelDeleteUtil(state::Program& p, store::Store s, int channel);

// `TMainWindow::ChanelDelete`: channel 1-based, 0 asks (186).
[[nodiscard]] int ChanelDelete(state::Program& p, store::Store s, int channel);

// `TMainWindow::ChanelRead` (CHWREAD a,b,name): channel a of a waveform
// file into waveform channel b (1-based; 0 asks, 194 / 195). The file comes
// from `NameQueue` or the open dialog. An inactive b is created first (a copy
// of the first active channel gives it its block) and removed again when the
// read fails, so a failure leaves the store as it was (316 is shown).
[[nodiscard]] int ChanelRead(state::Program& p, int a, int b);

// `TMainWindow::MultiChanelRead`: repeats `ChanelRead` with prompts and the
// open dialog until a prompt or the dialog is cancelled. Answers the number
// of channels read.
int MultiChanelRead(state::Program& p);

}  // namespace ops
