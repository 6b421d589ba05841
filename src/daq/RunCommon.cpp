#include "daq/RunCommon.h"

#include <cstdio>

#include "ops/Smoothing.h"
#include "state/Program.h"
#include "state/RecorderWindows.h"
#include "store/FixedText.h"

namespace daq {

uint32_t NowMs(state::Program& p) { return p.plat.clock ? p.plat.clock->TickMs() : 0; }

void StampTriggerTime(state::Program& p, store::Header_s& h) {
  platform::LocalTime t = p.plat.clock ? p.plat.clock->Now() : platform::LocalTime{};
  h.TriggerTime[0] = uint8_t(t.minute);
  h.TriggerTime[1] = uint8_t(t.hour);
  h.TriggerTime[2] = uint8_t(t.hundredth);
  h.TriggerTime[3] = uint8_t(t.second);
}

void StampDate(state::Program& p, store::Header_s& h) {
  platform::LocalTime t = p.plat.clock ? p.plat.clock->Now() : platform::LocalTime{};
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", t.day % 100, t.month % 100, t.year % 10000);
  std::snprintf(h.Date, sizeof h.Date, "%-11.11s", text);
}

void ReleaseMacro(state::Program& p) {
  if (p.MacGoing) p.MacAgain = 1;
}

void ApplyWaveformFilters(state::Program& p) {
  if (!(p.PG.Flags & store::kPgSmoothAfterRun) || !p.Waveform || !p.A) return;
  (void)ops::SmoothChannelsAfterRun(p, store::Store::W);
}

int FirstWaveformWindow(const state::Program& p) {
  for (int i = 0; i < store::kChannels; ++i)
    if (p.QWWin[i]) return i;
  return -1;
}

void NotifyRecorderWindows(state::Program& p, int code) { state::SendToRecorderWindows(p, code, p.Bindx); }

void OpenRecorderWindows(state::Program& p) { state::OpenRecorderWindows(p); }

int SelectedChannels(const state::Program& p) {
  int n = 0;
  for (int i = 0; i < store::kChannels; ++i)
    if (p.MG.Acquire[i]) ++n;
  return n;
}

}  // namespace daq
