#include "ops/FrequencyAnalysis.h"

#include <cmath>
#include <cstring>
#include <optional>

#include "dsp/Fft.h"
#include "ops/ChannelTransport.h"
#include "ops/ChannelView.h"
#include "ops/Spectrum.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"

namespace ops {

int DataFreqAnal(state::Program& p, int source, int destination, int mode, double centre, double halfWidth,
                 bool binsGiven) {
  if (mode < dsp::kBandPower || mode > dsp::kBandFrequency) return 0;
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  if (destination < 0 || destination >= store::kChannels) return 0;
  ChannelView src = ViewChannel(p, store::Store::W, source);
  if (!src) return 0;
  const int N = src.length;
  const int M = N / 2;
  if (M < 1) return 0;
  const double step = src.step;
  const bool stepUsable = std::isfinite(step) && step > 0;
  double c = centre, w = halfWidth;
  if (!binsGiven) {
    c = stepUsable ? centre * N * step : -1;
    w = stepUsable ? halfWidth * N * step : 0;
  }
  if (!std::isfinite(c) || !std::isfinite(w)) c = -1;
  c = std::round(c);
  w = std::round(w);
  if (c - w < 0 || c + w > N) {
    if (!binsGiven) state::MessT(p, 1409, 11);
    return 0;
  }
  // The frequency is a phase step over time: without a time step there is none.
  if (mode == dsp::kBandFrequency && !stepUsable) return 0;
  if (!dsp::IsPowerOfTwo(N) && !p.MacGoing && state::AskT(p, 1228, 15) != platform::Answer::Yes) return 0;

  // A copy to another channel has no way back: only an analysis in place
  // can be stopped, and only before its spectrum replaces the samples.
  std::optional<state::UnstoppableScope> keep;
  if (source != destination) {
    keep.emplace();
    if (!ChanelTransportUtil(p, store::Store::W, source, destination, false)) return 0;
  }
  ChannelView dst = ViewChannel(p, store::Store::W, destination);
  if (!dst || !dst.scratch) return 0;
  state::Progress progress(p, "FFT");
  if (!dst.spectrum) {
    // The length question has been asked already; the direct path is called
    // without asking again. The spectrum comes in the scratch array.
    int done = dsp::IsPowerOfTwo(M) ? RealFFT(p, store::Store::W, destination, M, false)
                                    : RealFFT_SLOW(p, store::Store::W, destination, M, false);
    if (!done) return 0;
    if (!progress.Step(1, 2)) {
      state::ReportStopped(p, "FFT");
      return 0;
    }
    std::memcpy(dst.data, dst.scratch, sizeof(float) * 2 * size_t(M));
  }
  p.HGW.TriggerFlag = 0;
  dsp::BandDemodulate(dst.data, dst.scratch, M, int(c), int(w), mode, double(step));
  SetSpectrumFlags(p, store::Store::W, destination, false);
  state::DataChanged(p, store::Store::W);
  return 1;
}

}  // namespace ops
