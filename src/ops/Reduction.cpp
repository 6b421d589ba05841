#include "ops/Reduction.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "dsp/Reduction.h"
#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace ops {

int ReduceUtil(state::Program& p, int mode) {
  const int oldLength = p.HGW.Length;
  auto answer =
      p.ui().PromptInt(state::Txt(p, 1378), 1, std::max(oldLength, 1), std::min(10, std::max(oldLength, 1)));
  if (!answer) return 0;
  // The prompt clamps, but the factor is outside input all the same.
  const long long k = std::clamp<long long>(*answer, 1, std::numeric_limits<int>::max());
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  if (StoreHoldsSpectrum(p, store::Store::W)) {
    state::MessT(p, 330, 11);
    return 0;
  }
  const int n = p.HGW.Length;
  const int channels = state::ActiveChannels(p, store::Store::W);
  const long long used = static_cast<long long>(channels) * n;
  const int reduced = static_cast<int>(n / k);
  // A factor beyond the record would leave no sample at all.
  if (reduced < 1 || !BlockFits(p, store::Store::W, 0, used)) return 0;
  float* data = p.Waveform.get();
  float* copy = p.SWaveform.get();
  std::memcpy(copy, data, sizeof(float) * size_t(used));
  long long src = 0, dst = 0;
  for (int c = 0; c < store::kChannels; ++c) {
    if (!p.HGW.ChannelOn[c]) continue;
    p.FGW[c].Step *= static_cast<float>(k);
    dsp::ReduceBlocks(copy + src, data + dst, reduced, int(k), mode);
    src += n;
    dst += reduced;
  }
  p.HGW.Length = reduced;
  p.HGW.TriggerFlag = 0;
  p.HGW.PreTrigger = 0;
  state::DataChanged(p, store::Store::W);
  state::SendToStoreWindows(p, store::Store::W, state::kRedrawAll);
  return 1;
}

int Reduce(state::Program& p, int mode) {
  if (!p.MacGoing && state::AskT(p, 1377, 15) != platform::Answer::Yes) return 0;
  return ReduceUtil(p, mode);
}

}  // namespace ops
