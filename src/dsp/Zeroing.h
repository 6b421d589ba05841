// Zeroing of sample ranges, and of bin ranges of spectra together with their
// mirrored real or imaginary parts.
#pragma once

namespace state {
struct Program;
}

namespace dsp {

// Zeroes samples from … to of a channel of n samples. For a spectrum the range
// is kept within the real half plus the Nyquist slot and the matching range
// of the other half is zeroed too, so a bin loses its real and imaginary part.
void ZeroChannelRange(float* data, int n, bool spectrum, int from, int to);

// `ZeroWaveUtil`: store 1 = W, 0 = M; channel ≥ 1 is one channel (1-based),
// 0 or less all of them. A negative from zeroes the whole record, a negative
// to runs to the last sample. Asks general text 327 / 328 (title 15) when
// `ask` is set and no macro runs; with `notify` the channels' windows are
// redrawn (kRedrawAll) unless a macro runs. Clears the store's `TriggerFlag`.
// Answers 1 when it zeroed, 0 when the store is missing or the question was
// declined.
int ZeroWaveUtil(state::Program& p, bool ask, bool notify, int store, int channel, int from, int to);

// `TMainWindow::ZeroWave`: asks and notifies.
int ZeroWave(state::Program& p, int store, int channel, int from, int to);

// Menu items 169 / 168: clears the whole store; the waveform store reopens
// its windows when any was open, so they show the cleared record.
int ZeroWaveMenu(state::Program& p, int store);

}  // namespace dsp
