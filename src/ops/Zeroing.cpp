#include "ops/Zeroing.h"

#include "dsp/Zeroing.h"
#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace ops {

int ZeroWaveUtil(state::Program& p, store::Store s, int channel, int from, int to, bool ask, bool notify) {
  if (!state::MemOK(p, s, true)) return 0;
  if (ask && !p.MacGoing && state::AskT(p, store::IsW(s) ? 327 : 328, 15) != platform::Answer::Yes) return 0;
  int first = 0, last = store::kChannels - 1;
  if (channel >= 1) {
    if (channel > store::kChannels) return 0;
    first = last = channel - 1;
  }
  store::Header_s& h = p.Header(s);
  h.TriggerFlag = 0;
  const int n = h.Length;
  const int32_t* freq = p.Freq(s);
  const store::Channel_s* records = p.Channels(s);
  bool zeroed[store::kChannels] = {};
  bool changed = false;
  for (int c = first; c <= last; ++c) {
    int start = state::Pocatek(p, s, c);
    if (start < 0 || n < 1 || !BlockFits(p, s, start, n)) continue;
    bool spectrum = freq[c] != 0 || (records && records[c].IsSpectrum);
    dsp::ZeroChannelRange(p.Samples(s) + start, n, spectrum, from, to);
    zeroed[c] = changed = true;
  }
  // The picture buffers of the windows hold the old samples: they learn of
  // the change before they redraw.
  if (changed) state::DataChanged(p, s);
  if (notify && !p.MacGoing)
    for (int c = first; c <= last; ++c)
      if (zeroed[c] && p.Windows(s)[c]) p.Windows(s)[c]->UserMessage(state::kRedrawAll, 0);
  return 1;
}

int ZeroWave(state::Program& p, store::Store s, int channel, int from, int to) {
  return ZeroWaveUtil(p, s, channel, from, to, true, true);
}

int ZeroWaveMenu(state::Program& p, store::Store s) {
  bool reopen = store::IsW(s) && state::AnyWindowOpen(p, store::Store::W);
  if (!ZeroWave(p, s, 0, -1, -1)) return 0;
  if (reopen) state::DisplayWave(p, store::Store::W, -1);
  return 1;
}

}  // namespace ops
