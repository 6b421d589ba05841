// What sits around the transform: the weighting window applied before it,
// magnitudes of a spectrum, and the band filter that zeroes bins between a
// forward and an inverse transform. Stores: 1 = W, 0 = M; channels 0-based.
#pragma once

namespace state {
struct Program;
}

namespace dsp {

// The four-term cosine window (mean 1, peak 2.48705) at j of n.
double WeightWindow(int j, int n);

// `WeightFunUtil`: data[0 .. n) times the window of length n.
void WeightFunUtil(int n, float* data);
// `WeightFunUtil_Cursor`: data[from .. to] times the window of length
// to - from + 1; the other samples stay. Nothing for to < from.
void WeightFunUtil_Cursor(int from, int to, float* data);

// What the graph window's weighting asks for: the whole channel, between the
// two cursors of the channel's graph settings, or between them with the
// samples outside set to 0. Cursors are taken in order and limited to the
// record. Answers 1 when the channel was weighted.
enum class WeightRange { Whole, BetweenCursors, BetweenCursorsZeroOutside };
int WeightChannel(state::Program& p, int store, int channel, WeightRange range);

// Magnitudes of the n samples of a spectrum in place: x[k] = |(x[k], x[n/2+k])|
// and x[n/2+k] = 0 for k < n/2 (bin 0 thus joins the mean and Nyquist terms).
void SpectrumMagnitudes(float* data, int n);

// `ToMagUtil` (WTOMAG): magnitudes of a spectrum channel, absolute values of
// a time channel; the spectrum flag stays. Answers 1 when done.
int ToMagUtil(state::Program& p, int store, int channel);

// `DigFilUtil`: band filter through the spectrum. pass = 1 keeps bins
// from + 1 … to - 1 (bins 0 … from zeroed only when from != 0, bins to … M
// always); pass = 0 zeroes bins from … to. A zeroed bin loses its real and
// imaginary part (bin 0 its Nyquist partner too). A time channel is
// transformed, filtered and transformed back; a channel that already holds a
// spectrum is filtered as it stands. Clears the store's `TriggerFlag`, as
// every zeroing does. Answers 1 when filtered; a refused transform changes
// nothing.
int DigFilUtil(state::Program& p, int pass, int store, int channel, int from, int to);

// Zeroes bins from … to (limited to 0 … M) of a spectrum of 2M values with
// their imaginary parts; bin 0 takes the Nyquist slot M along and bin M is
// the Nyquist slot itself.
void ZeroSpectrumBins(float* data, int M, int from, int to);

}  // namespace dsp
