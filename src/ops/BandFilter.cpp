// The band filter on a store's channels: forward transform, zeroed bins and
// the inverse, each channel worked out in its scratch range.
#include <cstring>
#include <vector>

#include "dsp/Fft.h"
#include "files/DataFileFormat.h"
#include "ops/ChannelView.h"
#include "ops/Spectrum.h"
#include "ops/SpectrumTools.h"
#include "state/EventQueue.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"

namespace ops {
namespace {

// The filtered time signal of 2M values from the spectrum in `spectrum`,
// back into `spectrum`. The inverse works in `spare` (2M values the store
// does not use) when there is one; without it, it has to work in the
// channel's samples, which then hold nothing of use: answers false, and the
// channel has no way back.
bool InverseInPlace(float* spectrum, float* samples, float* spare, int M) {
  const size_t bytes = sizeof(float) * 2 * size_t(M);
  float* work = spare ? spare : samples;
  if (dsp::IsPowerOfTwo(M)) {
    (void)dsp::RealSpectrumInverse(spectrum, work, spectrum, M);
  } else {
    dsp::AnyLengthSpectrumInverse(spectrum, work, M);
    std::memcpy(spectrum, work, bytes);
  }
  return spare != nullptr;
}

}  // namespace

int FilterChannels(state::Program& p, store::Store s, std::span<const int> channels, int from, int to,
                   dsp::BandFilter kind) {
  if (!state::MemOK(p, s, true)) return 0;
  const int M = p.Header(s).Length / 2;
  if (M < 1) return 0;
  std::vector<ChannelView> views;
  bool anyTime = false;
  for (int c : channels) {
    ChannelView v = ViewChannel(p, s, c);
    if (!v || !v.scratch) continue;
    views.push_back(v);
    anyTime = anyTime || !v.spectrum;
  }
  if (views.empty()) return 0;
  if (anyTime && !dsp::IsPowerOfTwo(M) && M > 1000 && state::AskT(p, 1228, 15) != platform::Answer::Yes)
    return 0;

  const int64_t n = 2 * int64_t(M);
  const int64_t used = int64_t(state::ActiveChannels(p, s)) * p.Header(s).Length;
  float* spare = files::SampleCapacity(p, s) - used >= n ? p.Scratch(s) + used : nullptr;
  const size_t bytes = sizeof(float) * size_t(n);
  FftCursor cursor(p);
  const char* what = state::Lang(p, "Filtr", "Filter");
  state::Progress progress(p, what);
  const int64_t steps = 3 * int64_t(views.size());
  int64_t step = 0;
  bool changed = false;  // a channel's samples are spent: finish whatever is asked
  bool stopped = false;
  auto goOn = [&] {
    stopped = !progress.Step(++step, steps) && !changed;
    return !stopped;
  };
  for (const ChannelView& v : views) {
    state::AC_Beep(p);
    if (v.spectrum) {
      std::memcpy(v.scratch, v.data, bytes);
      dsp::FilterBins(v.scratch, M, kind, from, to);
      step += 2;
    } else {
      // A transform of 2^26 points takes a second: a look between the three.
      if (dsp::IsPowerOfTwo(M))
        (void)dsp::RealSpectrum(v.data, v.scratch, M);
      else
        dsp::AnyLengthSpectrum(v.data, v.scratch, M);
      if (!goOn()) break;
      dsp::FilterBins(v.scratch, M, kind, from, to);
      if (!goOn()) break;
      if (!InverseInPlace(v.scratch, v.data, spare, M)) changed = true;
    }
    if (!goOn()) break;
  }
  if (stopped) {
    state::ReportStopped(p, what);
    return 0;
  }
  for (const ChannelView& v : views) std::memcpy(v.data, v.scratch, bytes);
  p.Header(s).TriggerFlag = 0;
  state::DataChanged(p, s);
  return int(views.size());
}

int DigFilUtil(state::Program& p, store::Store s, int channel, int from, int to, dsp::BandFilter kind) {
  return FilterChannels(p, s, std::span<const int>(&channel, 1), from, to, kind) == 1 ? 1 : 0;
}

}  // namespace ops
