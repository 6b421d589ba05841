#include "ops/StepSpikeRemoval.h"

#include <algorithm>
#include <cstring>

#include "dsp/StepSpikeRemoval.h"
#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace ops {

int KorekceOstrychZmen(state::Program& p, store::Store s, int channel, int mode, float threshold, int from,
                       int to) {
  if (!state::MemOK(p, s, true)) return 0;
  const int start = state::Pocatek(p, s, channel);
  const int n = p.Header(s).Length;
  if (start < 0 || n < 1 || !BlockFits(p, s, start, n)) return 0;
  from = std::max(from, 0);
  to = std::min(to, n);
  if (to - 3 <= from) return 0;
  float* data = p.Samples(s) + start;
  float* work = p.Scratch(s) + start;
  std::memcpy(work, data, sizeof(float) * size_t(n));
  dsp::RemoveStepsOrSpikes(work, from, to, mode, threshold);
  std::memcpy(data, work, sizeof(float) * size_t(n));
  state::DataChanged(p, s);
  return 1;
}

}  // namespace ops
