#include "ops/Decibels.h"

#include "dsp/Decibels.h"
#include "files/DataFileFormat.h"
#include "ops/ChannelPrompt.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace ops {

int ChaneldB_Util(state::Program& p, store::Store s, int channel, int from, int to, bool ask) {
  if (!state::MemOK(p, s) || channel < 0 || channel >= store::kChannels) return 0;
  const int start = state::Pocatek(p, s, channel);
  if (start < 0) {
    state::MessT(p, 341, 11);
    return 0;
  }
  const int64_t length = p.Header(s).Length;
  if (from < 0 || from >= length || to < from || to >= length) return 0;
  if (start + length > files::SampleCapacity(p, s)) return 0;
  store::Channel_s& record = p.Channels(s)[channel];
  const bool inDecibels = record.PrefixCode >= 100;
  if (ask && !p.MacGoing &&
      p.ui().AskYesNo(state::TxtF(p, inDecibels ? 357 : 356, {channel + 1}), state::Txt(p, 15)) !=
          platform::Answer::Yes)
    return 0;

  float* x = p.Samples(s) + start;
  if (inDecibels) {
    record.PrefixCode = int16_t(record.PrefixCode - 100);
    dsp::FromDecibels(x, from, to);
  } else {
    if (!dsp::ToDecibels(x, from, to)) {
      state::MessT(p, 358, 14);
      return 0;
    }
    record.PrefixCode = int16_t(record.PrefixCode + 100);
  }
  state::DataChanged(p, s);
  return 1;
}

int ChaneldB(state::Program& p, int channel) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  channel = ChannelNumber(p, channel, 345);
  if (channel == 0) return 0;
  const int half = p.HGW.Length / 2;
  const int done = half > 0 ? ChaneldB_Util(p, store::Store::W, channel - 1, 0, half - 1, true) : 0;
  if (done && p.PG.WWindows && !p.MacGoing) state::DisplayWave(p, store::Store::W, -1);
  return done;
}

}  // namespace ops
