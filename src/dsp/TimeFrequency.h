// Time–frequency analysis: successive weighted spectra of one signal, one
// matrix row per window.
//
// Each window of `window` samples is multiplied by the program's weighting
// window (the four-term cosine window of dsp/SpectrumTools, mean 1), padded
// with zeros to `transform` points (the smallest power of two not below the
// window) and transformed; row r starts at sample r × hop. Column k stands for
// the frequency k / (transform × step), k < transform / 2; column 0 holds the
// window's weighted mean. The weighting is scaled for the padding, so a cosine
// of amplitude A on a column reads A whatever the window length.
//
// Modes:
//   0 amplitude, 1 power (amplitude squared), 2 level in dB (20 log10 of the
//   amplitude, floored 120 dB below the matrix's largest amplitude),
//   4 phase in radians (-pi … pi, relative to the window's first sample),
//   5 instantaneous frequency in Hz: the phase advance of each column between
//     the window and the same window one sample later, which is unambiguous up
//     to the Nyquist frequency whatever the hop.
// Every value is finite: what overflows is clamped to the float range, what
// is not a number (a window over samples that are not) becomes 0.
#pragma once

#include <cstdint>

namespace dsp {

enum TimeFrequencyMode {
  kTfAmplitude = 0,
  kTfPower = 1,
  kTfDecibels = 2,
  kTfPhase = 4,
  kTfFrequency = 5,
};

bool IsTimeFrequencyMode(int mode);

// The matrix a run will give; rows = 0 when the signal is shorter than a
// window (one sample longer in mode 5) or the window is shorter than 4.
struct TimeFrequencyShape {
  int window = 0;     // samples per window
  int transform = 0;  // transform points, a power of two >= window
  int hop = 0;        // samples between the starts of successive windows
  int rows = 0;
  int columns = 0;  // transform / 2
};

// Windows overlap by half; when that would give more than `maxRows` rows
// (at least 2), the hop widens so that the whole signal fits in `maxRows`.
TimeFrequencyShape TimeFrequencyLayout(int64_t samples, int window, int mode, int maxRows);

// Fills out[rows × columns] (row after row) from x[0 … samples). `step` is
// the sampling interval in s (mode 5 only). False when the working memory
// cannot be had; out is then unspecified.
[[nodiscard]] bool TimeFrequency(const float* x, int64_t samples, const TimeFrequencyShape& shape, int mode,
                                 double step, float* out);

}  // namespace dsp
