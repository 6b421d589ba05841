// Band analysis by complex demodulation: a band of a spectrum is cut out,
// moved to zero frequency and transformed back, giving the band's power,
// envelope, phase or instantaneous frequency as a time signal.
#pragma once

namespace dsp {

// What a band analysis gives.
enum FreqAnalMode { kBandPower = 0, kBandEnvelope = 1, kBandPhase = 2, kBandFrequency = 3 };

// `data` holds a spectrum of 2M values (layout in dsp/Fft.h), `work` 2M
// values of room. Bins 0 … centre - halfWidth and centre + halfWidth … M are
// zeroed, both halves are turned left by centre, and the complex inverse
// gives M values: mode 0 power, 1 envelope, 2 unwrapped phase (0 … 2 pi at
// the start), 3 instantaneous frequency offset (in 1 / step units). Each
// value fills two neighbouring samples of data[0 … 2M). The caller vouches
// for 0 <= centre - halfWidth and for a mode of the four.
void BandDemodulate(float* data, float* work, int M, int centre, int halfWidth, int mode, double step);

}  // namespace dsp
