#include "ops/ZeroOffset.h"

#include <algorithm>

#include "dsp/ZeroOffset.h"
#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace ops {

int KorekceNuly(state::Program& p, float* data, int from, int to) {
  if (!p.MacGoing && state::AskT(p, 435, 15) != platform::Answer::Yes) return 0;
  if (to < from + 1) return 0;
  dsp::RemoveMean(data, from, to);
  return 1;
}

int ZeroOffsetOfChannel(state::Program& p, store::Store s, int channel, int from, int to) {
  if (!state::MemOK(p, s, true)) return 0;
  int start = state::Pocatek(p, s, channel);
  int n = p.Header(s).Length;
  if (start < 0 || n < 1 || !BlockFits(p, s, start, n)) return 0;
  from = std::max(from, 0);
  to = std::min(to, n - 1);
  if (!KorekceNuly(p, p.Samples(s) + start, from, to)) return 0;
  state::DataChanged(p, s);
  return 1;
}

}  // namespace ops
