#include "dsp/ZeroOffset.h"

#include <algorithm>

#include "app/GraphWindows.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "app/StoreAccess.h"
#include "dsp/StoreChecks.h"

namespace dsp {

void RemoveMean(float* data, int from, int to) {
  if (to < from + 1) return;
  double sum = 0;
  for (int i = from; i <= to; ++i) sum += data[i];
  const float mean = static_cast<float>(sum / (double(to) - from + 1));
  for (int i = from; i <= to; ++i) data[i] -= mean;
}

int KorekceNuly(app::Program& p, float* data, int from, int to) {
  if (!p.MacGoing && app::AskT(p, 435, 15) != platform::Answer::Yes) return 0;
  if (to < from + 1) return 0;
  RemoveMean(data, from, to);
  return 1;
}

int KorekceNulyChannel(app::Program& p, int store, int channel, int from, int to) {
  if (!app::MemOK(p, store, true)) return 0;
  int start = app::Pocatek(p, store, channel);
  int n = p.Header(store).Length;
  if (start < 0 || n < 1 || !BlockFits(p, store, start, n)) return 0;
  from = std::max(from, 0);
  to = std::min(to, n - 1);
  if (!KorekceNuly(p, p.Samples(store) + start, from, to)) return 0;
  app::DataChanged(p, store);
  return 1;
}

}  // namespace dsp
