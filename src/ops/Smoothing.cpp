#include "ops/Smoothing.h"

#include <algorithm>

#include "dsp/Smoothing.h"
#include "ops/StoreChecks.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"

namespace ops {

int SmoothRange(state::Program& p, store::Store s, int channel, int from, int to, int width) {
  if (!state::MemOK(p, s, true)) return 0;
  int start = state::Pocatek(p, s, channel);
  if (start < 0) return 0;
  int n = p.Header(s).Length;
  if (n < 2 || !BlockFits(p, s, start, n)) return 0;
  from = std::max(from, 0);
  to = std::min(to, n - 1);
  if (to - from + 1 < 2) return 0;
  const char* what = state::Lang(p, "Vyhlazení", "Smoothing");
  state::Progress progress(p, what);
  if (!dsp::Smooth(p.Samples(s) + start, p.Scratch(s) + start, from, to, width, n - 1,
                   [&](int64_t done, int64_t total) { return progress.Step(done, total); })) {
    state::ReportStopped(p, what);
    return 0;
  }
  return 1;
}

int SmoothChannel(state::Program& p, store::Store s, int channel, int width) {
  return SmoothRange(p, s, channel, 0, p.Header(s).Length - 1, width);
}

}  // namespace ops
