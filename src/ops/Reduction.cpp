#include "ops/Reduction.h"

#include <algorithm>
#include <limits>

#include "dsp/Reduction.h"
#include "files/DataFileFormat.h"
#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
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
  // Reduced into the scratch array, swapped in at the end: a stop leaves the
  // store as it was.
  const float* data = p.Waveform.get();
  float* out = p.SWaveform.get();
  const long long total = static_cast<long long>(channels) * reduced;
  const long long piece = std::max<long long>(1, state::kStepPiece / k);  // blocks between steps
  state::Progress progress(p, state::Lang(p, "Redukce", "Reduction"));
  for (long long c = 0; c < channels; ++c) {
    for (long long b = 0; b < reduced; b += piece) {
      if (!progress.Step(c * reduced + b, total)) {
        state::ReportStopped(p, state::Lang(p, "Redukce", "Reduction"));
        return 0;
      }
      const int blocks = int(std::min<long long>(piece, reduced - b));
      dsp::ReduceBlocks(data + c * n + b * k, out + c * reduced + b, blocks, int(k), mode);
    }
  }
  files::CommitScratch(p, store::Store::W, size_t(total));
  for (int c = 0; c < store::kChannels; ++c)
    if (p.HGW.ChannelOn[c]) p.FGW[c].Step *= static_cast<float>(k);
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
