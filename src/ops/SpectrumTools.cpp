#include "ops/SpectrumTools.h"

#include <algorithm>

#include "ops/ChannelView.h"
#include "ops/UndoablePieces.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace ops {

int WeightChannel(state::Program& p, store::Store s, int channel, WeightRange range) {
  ChannelView v = ViewChannel(p, s, channel);
  if (!v || !v.scratch) return 0;
  const int n = v.length;
  int a = 0, b = n - 1;
  if (range != WeightRange::Whole) {
    const store::CG_s* graphs = p.Graphs(s);
    if (!graphs) return 0;
    // Cursors come from a job file: keep them inside the record and in order.
    a = std::clamp(graphs[channel].Cur1, 0, n - 1);
    b = std::clamp(graphs[channel].Cur2, 0, n - 1);
    if (a > b) std::swap(a, b);
  }
  // Three cosines a sample: the longest channel takes seconds, so it goes
  // in pieces that a stop takes back.
  const int window = b - a + 1;
  UndoablePieces pieces(p, s, state::Lang(p, "Váhování", "Weighting"), window);
  const int64_t start = v.data - p.Samples(s) + a;
  if (!pieces.Apply(start, window, [window](float* x, int64_t first, int64_t count) {
        dsp::WeightWindowPart(x, window, first, count);
      }))
    return 0;
  if (range == WeightRange::BetweenCursorsZeroOutside) {
    std::fill(v.data, v.data + a, 0.0f);
    std::fill(v.data + b + 1, v.data + n, 0.0f);
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

}  // namespace ops
