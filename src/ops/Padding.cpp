#include "ops/Padding.h"

#include <cstring>
#include <string>

#include "files/DataFileFormat.h"
#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"

namespace ops {
namespace {

// General text explaining a refusal, 0 for none.
int RefusalText(dsp::PadCheck check) {
  switch (check) {
    case dsp::PadCheck::AlreadyPowerOfTwo:
      return 1229;
    case dsp::PadCheck::TooLong:
      return 1230;
    case dsp::PadCheck::NoRoom:
      return 1231;
    default:
      return 0;
  }
}

// Grows every active W block to `grown` in the scratch array, channel by
// channel, and swaps it in at the end: a stop leaves the store as it was and
// answers false. The windows are told.
bool Grow(state::Program& p, long long grown, dsp::PadFill fill) {
  bool spectrum[store::kChannels];
  for (int c = 0; c < store::kChannels; ++c) spectrum[c] = p.WFreq[c] || p.FGW[c].IsSpectrum;
  const int n = p.HGW.Length;
  const int channels = state::ActiveChannels(p, store::Store::W);
  const float* data = p.Waveform.get();
  float* scratch = p.SWaveform.get();
  const char* what = state::Lang(p, "Doplnění nulami", "Padding");
  state::Progress progress(p, what);
  int16_t one[store::kChannels] = {};
  long long k = 0;
  for (int c = 0; c < store::kChannels; ++c) {
    if (!p.HGW.ChannelOn[c]) continue;
    if (!progress.Step(k, channels)) break;
    float* block = scratch + k * grown;
    std::memcpy(block, data + k * n, sizeof(float) * size_t(n));
    // A block of its own: only the fill happens.
    one[c] = 1;
    dsp::GrowBlocks(block, one, n, grown, fill, spectrum);
    one[c] = 0;
    ++k;
  }
  if (!progress.Step(k, channels)) {
    state::ReportStopped(p, what);
    return false;
  }
  files::CommitScratch(p, store::Store::W, size_t(channels * grown));
  p.HGW.Length = static_cast<int32_t>(grown);
  state::DataChanged(p, store::Store::W);
  return true;
}

}  // namespace

int DoplnNulamiNaMocninuDvou(state::Program& p, bool ask, bool zeros) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  const int n = p.HGW.Length;
  const int channels = state::ActiveChannels(p, store::Store::W);
  long long grown = 0;
  const dsp::PadCheck check =
      dsp::PowerOfTwoGrowth(n, channels, StoreCapacity(p, store::Store::W), p.DG.MaxLength, grown);
  if (check != dsp::PadCheck::Fits) {
    if (ask && RefusalText(check)) state::MessT(p, RefusalText(check), 11);
    return 0;
  }
  if (ask && !p.MacGoing) {
    std::string q = state::TxtF(p, 1232, {long(n), long(grown), channels, long(channels * grown)});
    if (p.ui().AskYesNo(q, state::Txt(p, 15)) != platform::Answer::Yes) return 0;
  }
  return Grow(p, grown, zeros ? dsp::PadFill::Zeros : dsp::PadFill::LastValue) ? 1 : 0;
}

int DoplnNulamiNaDvojnasobek(state::Program& p) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  long long grown = 0;
  const dsp::PadCheck check = dsp::DoubleGrowth(p.HGW.Length, state::ActiveChannels(p, store::Store::W),
                                                StoreCapacity(p, store::Store::W), p.DG.MaxLength, grown);
  if (check != dsp::PadCheck::Fits) {
    if (RefusalText(check)) state::MessT(p, RefusalText(check), 11);
    return 0;
  }
  return Grow(p, grown, dsp::PadFill::ZerosKeepSpectra) ? 1 : 0;
}

}  // namespace ops
