#include "dsp/Decibels.h"

#include <cmath>

#include "dsp/ChannelPrompt.h"
#include "files/DataFileFormat.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace dsp {

int ChaneldB_Util(state::Program& p, int store, int ask, int channel, int from, int to) {
  store = store ? 1 : 0;
  if (!state::MemOK(p, store) || channel < 0 || channel >= store::kChannels) return 0;
  const int start = state::Pocatek(p, store, channel);
  if (start < 0) {
    state::MessT(p, 341, 11);
    return 0;
  }
  const int64_t length = p.Header(store).Length;
  if (from < 0 || from >= length || to < from || to >= length) return 0;
  if (start + length > files::SampleCapacity(p, store)) return 0;
  store::Channel_s& record = p.Channels(store)[channel];
  const bool inDecibels = record.PrefixCode >= 100;
  if (ask && !p.MacGoing &&
      p.ui().AskYesNo(state::TxtF(p, inDecibels ? 357 : 356, {channel + 1}), state::Txt(p, 15)) !=
          platform::Answer::Yes)
    return 0;

  float* x = p.Samples(store) + start;
  if (inDecibels) {
    record.PrefixCode = int16_t(record.PrefixCode - 100);
    for (int i = from; i <= to; ++i) x[i] = float(std::pow(10.0, 0.05 * x[i]));
  } else {
    // Written as !(x > 0) so that a NaN is refused with the non-positive values.
    for (int i = from; i <= to; ++i) {
      if (!(x[i] > 0.0f)) {
        state::MessT(p, 358, 14);
        return 0;
      }
    }
    record.PrefixCode = int16_t(record.PrefixCode + 100);
    for (int i = from; i <= to; ++i) x[i] = float(20.0 * std::log10(double(x[i])));
  }
  state::DataChanged(p, store);
  return 1;
}

int ChaneldB(state::Program& p, int channel) {
  if (!state::MemOK(p, 1, true)) return 0;
  channel = ChannelNumber(p, channel, 345);
  if (channel == 0) return 0;
  const int half = p.HGW.Length / 2;
  const int done = half > 0 ? ChaneldB_Util(p, 1, 1, channel - 1, 0, half - 1) : 0;
  if (done && p.PG.WWindows && !p.MacGoing) state::DisplayWave(p, 1, -1);
  return done;
}

}  // namespace dsp
