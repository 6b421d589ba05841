#include "ops/Padding.h"

#include <string>

#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
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

// Grows every active W block to `grown` and tells the windows.
void Grow(state::Program& p, long long grown, dsp::PadFill fill) {
  bool spectrum[store::kChannels];
  for (int c = 0; c < store::kChannels; ++c) spectrum[c] = p.WFreq[c] || p.FGW[c].IsSpectrum;
  dsp::GrowBlocks(p.Waveform.get(), p.HGW.ChannelOn, p.HGW.Length, grown, fill, spectrum);
  p.HGW.Length = static_cast<int32_t>(grown);
  state::DataChanged(p, store::Store::W);
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
  Grow(p, grown, zeros ? dsp::PadFill::Zeros : dsp::PadFill::LastValue);
  return 1;
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
  Grow(p, grown, dsp::PadFill::ZerosKeepSpectra);
  return 1;
}

}  // namespace ops
