// What sits around the transform: the weighting window applied before it,
// magnitudes of a spectrum, and the band filter that zeroes bins between a
// forward and an inverse transform.
#pragma once

#include <cstdint>

namespace dsp {

// The four-term cosine window (mean 1, peak 2.48705) at j of n.
double WeightWindow(int j, int n);

// `WeightFunUtil` over a part: samples first .. first + count - 1 of a run
// of n times the window of length n; x points at sample `first`. So a long
// run may be weighted piece by piece.
void WeightWindowPart(float* x, int n, int64_t first, int64_t count);

// Magnitudes of the n samples of a spectrum in place: x[k] = |(x[k], x[n/2+k])|
// and x[n/2+k] = 0 for k < n/2 (bin 0 thus joins the mean and Nyquist terms).
void SpectrumMagnitudes(float* data, int n);

// Magnitudes of a spectrum (as above), absolute values of a time signal.
void Magnitudes(float* data, int n, bool spectrum);

// Zeroes bins from … to (limited to 0 … M) of a spectrum of 2M values with
// their imaginary parts; bin 0 takes the Nyquist slot M along and bin M is
// the Nyquist slot itself.
void ZeroSpectrumBins(float* data, int M, int from, int to);

// The band filter on a spectrum of 2M values. Pass keeps bins from + 1 …
// to - 1 (bins 0 … from zeroed only when from != 0, bins to … M always); Stop
// zeroes bins from … to.
enum class BandFilter { Pass, Stop };
void FilterBins(float* data, int M, BandFilter kind, int from, int to);

}  // namespace dsp
