#include "ops/Decibels.h"

#include "app/GraphWindows.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "app/StoreAccess.h"
#include "dsp/Decibels.h"
#include "files/DataFileFormat.h"
#include "ops/ChannelPrompt.h"

namespace ops {

int ChaneldB_Util(app::Program& p, store::Store s, int channel, int from, int to, bool ask) {
  const int flag = store::FlagOf(s);
  if (!app::MemOK(p, flag) || channel < 0 || channel >= store::kChannels) return 0;
  const int start = app::Pocatek(p, flag, channel);
  if (start < 0) {
    app::MessT(p, 341, 11);
    return 0;
  }
  const int64_t length = p.Header(flag).Length;
  if (from < 0 || from >= length || to < from || to >= length) return 0;
  if (start + length > files::SampleCapacity(p, flag)) return 0;
  store::Channel_s& record = p.Channels(flag)[channel];
  const bool inDecibels = record.PrefixCode >= 100;
  if (ask && !p.MacGoing &&
      p.ui().AskYesNo(app::TxtF(p, inDecibels ? 357 : 356, {channel + 1}), app::Txt(p, 15)) !=
          platform::Answer::Yes)
    return 0;

  float* x = p.Samples(flag) + start;
  if (inDecibels) {
    record.PrefixCode = int16_t(record.PrefixCode - 100);
    dsp::FromDecibels(x, from, to);
  } else {
    if (!dsp::ToDecibels(x, from, to)) {
      app::MessT(p, 358, 14);
      return 0;
    }
    record.PrefixCode = int16_t(record.PrefixCode + 100);
  }
  app::DataChanged(p, flag);
  return 1;
}

int ChaneldB(app::Program& p, int channel) {
  if (!app::MemOK(p, 1, true)) return 0;
  channel = ChannelNumber(p, channel, 345);
  if (channel == 0) return 0;
  const int half = p.HGW.Length / 2;
  const int done = half > 0 ? ChaneldB_Util(p, store::Store::W, channel - 1, 0, half - 1, true) : 0;
  if (done && p.PG.WWindows && !p.MacGoing) app::DisplayWave(p, 1, -1);
  return done;
}

}  // namespace ops
