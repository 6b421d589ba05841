// The transforms over plain float arrays, free of any store: the complex FFT,
// the real spectrum of 2M samples in the program's layout and its inverse,
// and the direct transforms used when M is not a power of two.
//
// Spectrum layout of 2M values (X[k] = sum x[j] e^(-2 pi i jk / 2M)):
//   [0] X[0]/M, [k] Re X[k]/M, [M] X[M]/M (real Nyquist term), [M+k] Im X[k]/M
// for k = 1 .. M-1. The direct transforms keep the layout but carry the
// opposite sign in the imaginary parts and hold 0 at [M] (no Nyquist term);
// spectra already stored depend on both conventions.
#pragma once

#include <cstdint>

namespace dsp {

// `value` with its lowest `bits` bits reversed (higher bits dropped).
uint32_t bits_invert(uint32_t value, int bits);

// Whether n is a power of two from 1 to 2^30.
bool IsPowerOfTwo(long long n);

// `cfft_nokopro`: in-place unscaled forward complex FFT of n points held as
// two separate arrays. Does nothing and answers false unless n is a power of
// two (1 included).
[[nodiscard]] bool cfft_nokopro(float* re, float* im, int n);

// `RTRAN`: the split step between the M-point complex FFT of the even/odd
// samples and the real spectrum, on the 2M values x (real parts, then
// imaginary parts); indices 0, M/2, M and M + M/2 are left to the caller.
void RTRAN(float* x, int M);

// Forward real transform of x[0 .. 2M) into out[0 .. 2M) in the layout
// above; M a power of two. out must not overlap x. False when M is not a
// power of two.
[[nodiscard]] bool RealSpectrum(const float* x, float* out, int M);

// Inverse of RealSpectrum: spectrum[0 .. 2M) to x[0 .. 2M), using work[0 .. 2M)
// as the working area; x may be spectrum, work must overlap neither.
[[nodiscard]] bool RealSpectrumInverse(const float* spectrum, float* work, float* x, int M);

// Unscaled forward complex transform of n >= 1 points from (zr, zi) into
// (re, im), which must not overlap the input: the FFT for a power of two,
// else the chirp transform from kChirpFromM points on, and the direct sum in
// double below that or when the chirp transform cannot have its memory.
void ComplexTransform(const float* zr, const float* zi, float* re, float* im, int n);

// The direct (O(M^2)) pair for any M >= 1, summed in double; out must not
// overlap x (and x must not overlap spectrum).
void DirectSpectrum(const float* x, float* out, int M);
void DirectSpectrumInverse(const float* spectrum, float* x, int M);

// The direct pair's numbers (layout, signs and all) in O(M log M) through the
// chirp transform, for any M >= 1; out must not overlap x. False when the
// working memory cannot be had (out then holds nothing of use).
[[nodiscard]] bool ChirpSpectrum(const float* x, float* out, int M);
[[nodiscard]] bool ChirpSpectrumInverse(const float* spectrum, float* x, int M);

// The M from which the chirp pair is quicker than the direct sums (measured:
// below it the sums' few operations per term win over three FFTs of length
// >= 2M).
constexpr int kChirpFromM = 16;

// The direct pair's numbers by the quicker route for M; the direct sums also
// serve when the chirp pair cannot have its memory.
void AnyLengthSpectrum(const float* x, float* out, int M);
void AnyLengthSpectrumInverse(const float* spectrum, float* x, int M);

}  // namespace dsp
