#include "ops/ZeroOffset.h"

#include <algorithm>

#include "app/GraphWindows.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "app/StoreAccess.h"
#include "dsp/ZeroOffset.h"
#include "ops/StoreChecks.h"

namespace ops {

int KorekceNuly(app::Program& p, float* data, int from, int to) {
  if (!p.MacGoing && app::AskT(p, 435, 15) != platform::Answer::Yes) return 0;
  if (to < from + 1) return 0;
  dsp::RemoveMean(data, from, to);
  return 1;
}

int KorekceNulyChannel(app::Program& p, store::Store s, int channel, int from, int to) {
  const int flag = store::FlagOf(s);
  if (!app::MemOK(p, flag, true)) return 0;
  int start = app::Pocatek(p, flag, channel);
  int n = p.Header(flag).Length;
  if (start < 0 || n < 1 || !BlockFits(p, s, start, n)) return 0;
  from = std::max(from, 0);
  to = std::min(to, n - 1);
  if (!KorekceNuly(p, p.Samples(flag) + start, from, to)) return 0;
  app::DataChanged(p, flag);
  return 1;
}

}  // namespace ops
