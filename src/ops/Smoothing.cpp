#include "ops/Smoothing.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "dsp/Smoothing.h"
#include "ops/StoreChecks.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"

namespace ops {
namespace {

const char* What(const state::Program& p) { return state::Lang(p, "Vyhlazení", "Smoothing"); }

// The channel's first sample, or -1 when it cannot be smoothed: inactive,
// shorter than two samples, or beyond the arrays.
int SmoothableStart(state::Program& p, store::Store s, int channel) {
  const int start = state::Pocatek(p, s, channel);
  const int n = p.Header(s).Length;
  return start >= 0 && n >= 2 && BlockFits(p, s, start, n) ? start : -1;
}

}  // namespace

int SmoothRange(state::Program& p, store::Store s, int channel, int from, int to, int width) {
  if (!state::MemOK(p, s, true)) return 0;
  const int start = SmoothableStart(p, s, channel);
  if (start < 0) return 0;
  const int n = p.Header(s).Length;
  from = std::max(from, 0);
  to = std::min(to, n - 1);
  if (to - from + 1 < 2) return 0;
  state::Progress progress(p, What(p));
  if (!dsp::Smooth(p.Samples(s) + start, p.Scratch(s) + start, from, to, width, n - 1,
                   [&](int64_t done, int64_t total) { return progress.Step(done, total); })) {
    state::ReportStopped(p, What(p));
    return 0;
  }
  return 1;
}

int SmoothChannel(state::Program& p, store::Store s, int channel, int width) {
  return SmoothRange(p, s, channel, 0, p.Header(s).Length - 1, width);
}

int SmoothChannelsAfterRun(state::Program& p, store::Store s) {
  if (!p.A || !state::MemOK(p, s, true)) return 0;
  const int n = p.Header(s).Length;
  std::vector<int> starts;  // of the channels to smooth, then of those smoothed
  std::vector<int> widths;
  for (int c = 0; c < store::kChannels; ++c) {
    const int start = p.A[size_t(c)].SmoothWidth >= 2 ? SmoothableStart(p, s, c) : -1;
    if (start < 0) continue;
    starts.push_back(start);
    widths.push_back(p.A[size_t(c)].SmoothWidth);
  }
  float* samples = p.Samples(s);
  float* scratch = p.Scratch(s);
  const int64_t total = int64_t(n) * int64_t(starts.size());
  state::Progress progress(p, What(p));
  for (size_t k = 0; k < starts.size(); ++k) {
    const int64_t before = int64_t(n) * int64_t(k);
    if (!dsp::Smooth(samples + starts[k], scratch + starts[k], 0, n - 1, widths[k], n - 1,
                     [&](int64_t done, int64_t) { return progress.Step(before + done, total); })) {
      // The channels smoothed before keep their old values in the scratch
      // array too.
      for (size_t j = 0; j < k; ++j)
        std::memcpy(samples + starts[j], scratch + starts[j], sizeof(float) * size_t(n));
      state::ReportStopped(p, What(p));
      return 0;
    }
  }
  return int(starts.size());
}

}  // namespace ops
