#include "ops/SpectrumTools.h"

#include <algorithm>

#include "ops/ChannelView.h"
#include "ops/Spectrum.h"
#include "state/GraphWindows.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"

namespace ops {

int WeightChannel(state::Program& p, store::Store s, int channel, WeightRange range) {
  ChannelView v = ViewChannel(p, s, channel);
  if (!v) return 0;
  const int n = v.length;
  if (range == WeightRange::Whole) {
    dsp::WeightFunUtil(n, v.data);
  } else {
    const store::CG_s* graphs = p.Graphs(s);
    if (!graphs) return 0;
    // Cursors come from a job file: keep them inside the record and in order.
    int a = std::clamp(graphs[channel].Cur1, 0, n - 1);
    int b = std::clamp(graphs[channel].Cur2, 0, n - 1);
    if (a > b) std::swap(a, b);
    dsp::WeightFunUtil_Cursor(a, b, v.data);
    if (range == WeightRange::BetweenCursorsZeroOutside) {
      std::fill(v.data, v.data + a, 0.0f);
      std::fill(v.data + b + 1, v.data + n, 0.0f);
    }
  }
  state::DataChanged(p, s);
  return 1;
}

int ToMagUtil(state::Program& p, store::Store s, int channel) {
  if (!state::MemOK(p, s, true)) return 0;
  ChannelView v = ViewChannel(p, s, channel);
  if (!v) return 0;
  dsp::Magnitudes(v.data, v.length, v.spectrum);
  state::DataChanged(p, s);
  return 1;
}

int DigFilUtil(state::Program& p, store::Store s, int channel, int from, int to, dsp::BandFilter kind) {
  if (!state::MemOK(p, s, true)) return 0;
  ChannelView v = ViewChannel(p, s, channel);
  if (!v) return 0;
  const int M = v.length / 2;
  if (M < 1) return 0;
  // Transforming a spectrum "forward" would invert it and filter the time
  // samples; a declined or refused transform must not zero samples either.
  const bool wasTime = !v.spectrum;
  if (wasTime && !FFT_Command(p, s, channel, false)) return 0;
  // From here the channel holds its spectrum: the way back is not stopped.
  state::UnstoppableScope keep;
  dsp::FilterBins(v.data, M, kind, from, to);
  p.Header(s).TriggerFlag = 0;
  if (wasTime) return FFT_Command(p, s, channel, false);
  state::DataChanged(p, s);
  return 1;
}

}  // namespace ops
