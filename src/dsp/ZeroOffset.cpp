#include "dsp/ZeroOffset.h"

#include <algorithm>

#include "dsp/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace dsp {

void RemoveMean(float* data, int from, int to) {
  if (to < from + 1) return;
  double sum = 0;
  for (int i = from; i <= to; ++i) sum += data[i];
  const float mean = static_cast<float>(sum / (double(to) - from + 1));
  for (int i = from; i <= to; ++i) data[i] -= mean;
}

int KorekceNuly(state::Program& p, float* data, int from, int to) {
  if (!p.MacGoing && state::AskT(p, 435, 15) != platform::Answer::Yes) return 0;
  if (to < from + 1) return 0;
  RemoveMean(data, from, to);
  return 1;
}

int KorekceNulyChannel(state::Program& p, int store, int channel, int from, int to) {
  if (!state::MemOK(p, store, true)) return 0;
  int start = state::Pocatek(p, store, channel);
  int n = p.Header(store).Length;
  if (start < 0 || n < 1 || !BlockFits(p, store, start, n)) return 0;
  from = std::max(from, 0);
  to = std::min(to, n - 1);
  if (!KorekceNuly(p, p.Samples(store) + start, from, to)) return 0;
  state::DataChanged(p, store);
  return 1;
}

}  // namespace dsp
