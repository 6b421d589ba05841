#include "dsp/Zeroing.h"

#include <algorithm>

#include "dsp/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace dsp {
namespace {

void ZeroSpan(float* data, int from, int to) {
  if (from < 0) from = 0;
  for (int i = from; i <= to; ++i) data[i] = 0.0f;
}

}  // namespace

void ZeroChannelRange(float* data, int n, bool spectrum, int from, int to) {
  if (n < 1) return;
  if (from < 0) {
    from = 0;
    to = n - 1;
  }
  if (to < 0 || to > n - 1) to = n - 1;
  const int half = n / 2;
  if (spectrum && from < half && to > half) to = half;
  ZeroSpan(data, from, to);
  if (!spectrum) return;
  if (from <= half)
    ZeroSpan(data, from + half, std::min(to + half, n - 1));
  else
    ZeroSpan(data, from - half, std::min(to - half, n - 1));
}

int ZeroWaveUtil(state::Program& p, bool ask, bool notify, int store, int channel, int from, int to) {
  if (!state::MemOK(p, store, true)) return 0;
  if (ask && !p.MacGoing && state::AskT(p, store ? 327 : 328, 15) != platform::Answer::Yes) return 0;
  int first = 0, last = store::kChannels - 1;
  if (channel >= 1) {
    if (channel > store::kChannels) return 0;
    first = last = channel - 1;
  }
  store::Header_s& h = p.Header(store);
  h.TriggerFlag = 0;
  const int n = h.Length;
  const int32_t* freq = p.Freq(store);
  const store::Channel_s* records = p.Channels(store);
  bool zeroed[store::kChannels] = {};
  bool changed = false;
  for (int c = first; c <= last; ++c) {
    int start = state::Pocatek(p, store, c);
    if (start < 0 || n < 1 || !BlockFits(p, store, start, n)) continue;
    bool spectrum = freq[c] != 0 || (records && records[c].IsSpectrum);
    ZeroChannelRange(p.Samples(store) + start, n, spectrum, from, to);
    zeroed[c] = changed = true;
  }
  // The picture buffers of the windows hold the old samples: they learn of
  // the change before they redraw.
  if (changed) state::DataChanged(p, store);
  if (notify && !p.MacGoing)
    for (int c = first; c <= last; ++c)
      if (zeroed[c] && p.Windows(store)[c]) p.Windows(store)[c]->UserMessage(state::kRedrawAll, 0);
  return 1;
}

int ZeroWave(state::Program& p, int store, int channel, int from, int to) {
  return ZeroWaveUtil(p, true, true, store, channel, from, to);
}

int ZeroWaveMenu(state::Program& p, int store) {
  bool reopen = store && state::AnyWindowOpen(p, 1);
  if (!ZeroWave(p, store, 0, -1, -1)) return 0;
  if (reopen) state::DisplayWave(p, 1, -1);
  return 1;
}

}  // namespace dsp
