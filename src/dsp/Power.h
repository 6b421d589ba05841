// Spectrum power and magnitude, harmonic amplitudes, the distortion factor of
// a mains signal and the voltage/current power analysis of a channel pair.
#pragma once

#include <cstdint>

namespace dsp {

// Mode 3: data[k] = Re² + Im², mode 4: data[k] = √(Re² + Im²), for k < N/2 of a
// spectrum (real parts first, imaginary parts second); the second half becomes
// 0. Other modes change nothing.
void Power(float* data, int32_t n, int mode);

// Magnitudes of the harmonics of `fundamental` (Hz) in the time signal
// x[0 … n) sampled every `step` seconds, searched in the weighted magnitude
// spectrum: out[h] for h = 0 … count − 1. Answers the number of harmonics
// found (count, or fewer when the search reaches the end of the spectrum; the
// rest are 0), or 0 when the step or the band around the fundamental is
// unusable. x is left as it was.
int HarmonicMagnitudes(const float* x, int32_t n, float step, float fundamental, int count, float* out);

// Distortion factor of a 50 Hz signal x[0 … n) sampled every `step` seconds:
// √(energy above 90 Hz up to harmonic `harmonics`) / √(energy between 10 and
// 90 Hz). Non-zero on success; x is left as it was.
[[nodiscard]] int DistortionFactor(const float* x, int32_t n, float step, int harmonics, float& factor);

// Results of `Faze_UI`, R1 … R18 in the order of its result pointers.
struct PowerResults {
  float phi = 0;        // R1  phase of i behind u, degrees
  float cosPhi = 0;     // R2
  float sinPhi = 0;     // R3
  float timeShift = 0;  // R4  mean delay of the crossings of i behind those of u, seconds
  float frequency = 0;  // R5  1 / (mean period of u)
  float periods = 0;    // R6  whole periods of u measured
  float U = 0;          // R7  RMS of u over the whole periods
  float I = 0;          // R8  RMS of i
  float P = 0;          // R9  U I cos φ
  float S = 0;          // R10 U I
  float Q = 0;          // R11 U I sin φ
  float meanUI = 0;     // R12 mean of u × i (active power from the samples)
  float rangeU = 0;     // R13 max − min of u
  float rangeI = 0;     // R14 max − min of i
  float meanU = 0;      // R15
  float meanI = 0;      // R16
  float UoverI = 0;     // R17 U / I (0 when I is 0)
  float IoverU = 0;     // R18 I / U (0 when U is 0)
  int32_t StatCursor = 0;

  // Rn for n = 1 … 18, 0 for any other n.
  float R(int n) const;
};

// Power analysis of voltage u and current i (n samples each, sampled every
// `step` seconds) at nominal frequency f over samples from … to (swapped when
// reversed, limited to the record). Rising zero crossings (linear
// interpolation) at least 0.8 of the nominal period apart, none within 0.4
// period of the range start, mark the periods of each signal; each crossing of
// u is paired with the nearest crossing of i within half a period. 1 on
// success, 0 (all results 0) when no period of u with a paired crossing of i
// is found. `StatCursor` is left to the caller.
[[nodiscard]] int PowerAnalysis(const float* u, const float* i, int64_t n, float step, int64_t from,
                                int64_t to, float frequency, PowerResults& out);

}  // namespace dsp
