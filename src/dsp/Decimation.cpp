#include "dsp/Decimation.h"

#include "dsp/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace dsp {

int DecimationUtil(state::Program& p, int store) {
  if (!state::MemOK(p, store, true)) return 0;
  if (StoreHoldsSpectrum(p, store)) {
    state::MessT(p, store ? 330 : 331, 11);
    return 0;
  }
  store::Header_s& h = p.Header(store);
  const int n = h.Length;
  const int channels = state::ActiveChannels(p, store);
  // A record of one sample would become empty, which no window or file
  // operation expects.
  if (n < 2 || !BlockFits(p, store, 0, static_cast<long long>(channels) * n)) return 0;
  const int half = n / 2;
  float* data = p.Samples(store);
  // Ascending order is safe in place: each write lands at or below the
  // samples still to be read.
  long long dst = 0, src = 0;
  for (int c = 0; c < store::kChannels; ++c) {
    if (!h.ChannelOn[c]) continue;
    p.Channels(store)[c].Step *= 2;
    for (int j = 0; j < half; ++j) data[dst + j] = data[src + 2 * j + 1];
    dst += half;
    src += n;
  }
  h.Length = half;
  h.TriggerFlag = 0;
  h.PreTrigger = 0;
  state::DataChanged(p, store);
  state::SendToStoreWindows(p, store, state::kRedrawAll);
  return 1;
}

int Decimation(state::Program& p, int store, bool ask) {
  if (ask && !p.MacGoing && state::AskT(p, 329, 15) != platform::Answer::Yes) return 0;
  return DecimationUtil(p, store);
}

}  // namespace dsp
