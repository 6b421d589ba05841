#include "ops/MeasurementTransfer.h"

#include <cstring>

#include "files/DataFileFormat.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace ops {

int MeasurementToWaveform(state::Program& p, bool ask) {
  if (!state::MemOK(p, store::Store::W, true) || !state::MemOK(p, store::Store::M, true)) return 0;
  const bool talk = ask && !p.MacGoing;
  if (talk && state::AskT(p, 359, 15) != platform::Answer::Yes) return 0;

  const store::Header_s& m = p.HGB;
  const int64_t count = state::ActiveChannels(p, store::Store::M);
  const int64_t length = m.Length;
  const int64_t samples = count * length;
  // Both arrays have the same size at start-up, but a measurement header read
  // from a job or a file is checked before its blocks are copied.
  if (length < 0 || length > p.DG.MaxLength || samples > files::SampleCapacity(p, store::Store::W) ||
      samples > files::SampleCapacity(p, store::Store::M)) {
    state::Mess(p, state::TxtF(p, 389, {long(m.Length)}), state::Txt(p, 390));
    return 0;
  }

  p.HGW = m;
  p.HGW.IsWaveform = 1;
  p.HGW.TriggerFlag = 0;
  p.HGW.ChannelCount = int16_t(count);
  std::memcpy(p.FGW.get(), p.FGB.get(), sizeof(store::Channel_s) * store::kChannels);
  std::memcpy(p.WFreq, p.BFreq, sizeof p.WFreq);
  std::memcpy(p.Waveform.get(), p.Buffer.get(), size_t(samples) * sizeof(float));
  // A window whose channel the measurement does not have would show another
  // channel's block.
  for (int i = 0; i < store::kChannels; ++i)
    if (p.QWWin[i] && !p.HGW.ChannelOn[i]) state::UnDisplayWave(p, store::Store::W, i);
  state::DataChanged(p, store::Store::W);

  if (p.PG.WWindows && !p.MacGoing) state::DisplayWave(p, store::Store::W, -1);
  if (talk) state::MessT(p, 360, 11);
  return 1;
}

int Kontrola_WToMFun(state::Program& p, int mode) {
  int needed = 0;
  if (mode == 8) needed = 2;
  if (mode == 9 || mode == 10) needed = 6;
  for (int i = 0; i < needed; ++i) {
    if (!p.MG.Acquire[i]) {
      state::MessT(p, needed == 2 ? 1032 : 1033, 11);
      return 0;
    }
  }
  return 1;
}

}  // namespace ops
