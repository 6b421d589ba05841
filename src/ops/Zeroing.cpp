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
  const int flag = store::FlagOf(s);
  if (!state::MemOK(p, flag, true)) return 0;
  if (ask && !p.MacGoing && state::AskT(p, store::IsW(s) ? 327 : 328, 15) != platform::Answer::Yes) return 0;
  int first = 0, last = store::kChannels - 1;
  if (channel >= 1) {
    if (channel > store::kChannels) return 0;
    first = last = channel - 1;
  }
  store::Header_s& h = p.Header(flag);
  h.TriggerFlag = 0;
  const int n = h.Length;
  const int32_t* freq = p.Freq(flag);
  const store::Channel_s* records = p.Channels(flag);
  bool zeroed[store::kChannels] = {};
  bool changed = false;
  for (int c = first; c <= last; ++c) {
    int start = state::Pocatek(p, flag, c);
    if (start < 0 || n < 1 || !BlockFits(p, s, start, n)) continue;
    bool spectrum = freq[c] != 0 || (records && records[c].IsSpectrum);
    dsp::ZeroChannelRange(p.Samples(flag) + start, n, spectrum, from, to);
    zeroed[c] = changed = true;
  }
  // The picture buffers of the windows hold the old samples: they learn of
  // the change before they redraw.
  if (changed) state::DataChanged(p, flag);
  if (notify && !p.MacGoing)
    for (int c = first; c <= last; ++c)
      if (zeroed[c] && p.Windows(flag)[c]) p.Windows(flag)[c]->UserMessage(state::kRedrawAll, 0);
  return 1;
}

int ZeroWave(state::Program& p, store::Store s, int channel, int from, int to) {
  return ZeroWaveUtil(p, s, channel, from, to, true, true);
}

int ZeroWaveMenu(state::Program& p, store::Store s) {
  bool reopen = store::IsW(s) && state::AnyWindowOpen(p, 1);
  if (!ZeroWave(p, s, 0, -1, -1)) return 0;
  if (reopen) state::DisplayWave(p, 1, -1);
  return 1;
}

}  // namespace ops
