// A channel of a store turned into its spectrum and back, in place: the
// spectrum replaces the samples (layout in dsp/Fft.h) and the channel is
// marked by `WFreq`/`BFreq` and `IsSpectrum`. Channels
// are 0-based. M is the half length the caller works on (normally `Length` / 2);
// it must fit the channel, else nothing happens.
#pragma once

#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// `RealFFT`: forward transform of a time channel. When M is not a power of
// two the direct pair's numbers come (from the chirp transform above a few
// points, see dsp/Fft.h), after the question 1228 when M exceeds 1000 (asked
// also in a macro). A spectrum channel gives 431 / 432.
// With commit the spectrum replaces the samples and the flags are set;
// without, it is left in the scratch array at the channel's range and the
// channel is untouched. Answers 1 when transformed.
[[nodiscard]] int RealFFT(state::Program& p, store::Store s, int channel, int M, bool commit);

// `InverzRealFFT`: inverse of a spectrum channel (433 / 434 for a time
// channel); the direct inverse when M is not a power of two. Without commit
// nothing changes (the direct inverse computes nothing then, and the fast
// one keeps to it so that a channel never holds samples its flag disowns).
[[nodiscard]] int InverzRealFFT(state::Program& p, store::Store s, int channel, int M, bool commit);

// `RealFFT_SLOW`, `InverzRealFFT_SLOW`: the direct pair's numbers, for any
// M >= 1, by the quicker route for M (dsp::AnyLengthSpectrum).
[[nodiscard]] int RealFFT_SLOW(state::Program& p, store::Store s, int channel, int M, bool commit);
[[nodiscard]] int InverzRealFFT_SLOW(state::Program& p, store::Store s, int channel, int M, bool commit);

// `FFT_Transform`: beeps; with ask and no macro asks 428 (time) or 426
// (spectrum) followed by ", kanal %d" (title 15); then transforms forward or
// back with commit, under the "FFT" cursor.
[[nodiscard]] int FFT_Transform(state::Program& p, store::Store s, int channel, int M, bool ask);

// `FFT_Command`: channel 0..127, or 65535 for every active channel; each is
// transformed by `FFT_Transform` with M = `Length` / 2. Answers 1 when every
// channel it tried was transformed. Both compute every transform into the
// scratch array before any replaces the samples, so Esc, STOP or SIGINT
// during a long command leaves the store as it was (and answers 0).
[[nodiscard]] int FFT_Command(state::Program& p, store::Store s, int channel, bool ask);

// Puts the FFT cursor up for the length of a transform.
class FftCursor {
 public:
  explicit FftCursor(state::Program& p);
  ~FftCursor();
  FftCursor(const FftCursor&) = delete;
  FftCursor& operator=(const FftCursor&) = delete;

 private:
  state::Program& p_;
};

// The spectrum flags of a channel, kept equal in both places.
void SetSpectrumFlags(state::Program& p, store::Store s, int channel, bool spectrum);

}  // namespace ops
