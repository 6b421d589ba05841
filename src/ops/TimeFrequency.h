// Time–frequency analysis of a waveform channel into the result matrix
// (`Matrix` with its header `Mat`), for the user functions 42 to 56.
#pragma once

namespace state {
struct Program;
}

namespace ops {

// `FreqAnal2D`: successive weighted spectra of W channel `channel` (0-based)
// in a dsp::TimeFrequencyMode, windows of `window` samples (0: the power of
// two nearest to the square root of the record length, at least 8), each
// row the spectrum of one window (layout and modes in dsp/TimeFrequency.h).
// On success `Matrix` holds the values and `Mat` their counts, windows,
// value range, axes (columns in Hz, rows in s at the windows' centres) and
// the analysis fields; its display fields stay. A refusal shows why and
// leaves both as they were. Answers 1 when done.
[[nodiscard]] int FreqAnal2D(state::Program& p, int channel, int mode, int window);

// The window for a bandwidth of n Hz: round(2.9 / (n × step)) samples, or 0
// when n or the step is not a positive number.
int BandwidthWindow(double n, double step);

}  // namespace ops
