#include "dsp/Decimation.h"

#include "app/GraphWindows.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "app/StoreAccess.h"
#include "app/UserMessages.h"
#include "dsp/StoreChecks.h"

namespace dsp {

int DecimationUtil(app::Program& p, int store) {
  if (!app::MemOK(p, store, true)) return 0;
  if (StoreHoldsSpectrum(p, store)) {
    app::MessT(p, store ? 330 : 331, 11);
    return 0;
  }
  store::Header_s& h = p.Header(store);
  const int n = h.Length;
  const int channels = app::ActiveChannels(p, store);
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
  app::DataChanged(p, store);
  app::SendToStoreWindows(p, store, app::kRedrawAll);
  return 1;
}

int Decimation(app::Program& p, int store, bool ask) {
  if (ask && !p.MacGoing && app::AskT(p, 329, 15) != platform::Answer::Yes) return 0;
  return DecimationUtil(p, store);
}

}  // namespace dsp
